// Fails one chosen system call of the calling thread, so that tests can show
// what a save does when the disk fills up or fails at any step. The
// functions it replaces are defined in the test program itself, which
// therefore must export them (ENABLE_EXPORTS) for shared libraries to see.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

enum FaultCall {
    FaultOpen,    // open, openat
    FaultWrite,   // write
    FaultSync,    // fsync, fdatasync
    FaultRename,  // rename, renameat, renameat2
    FaultClose,   // close: the descriptor is released all the same
    FaultChown,   // fchown
    FaultChmod,   // fchmod
    FaultLock,    // fcntl setting a lock
    FaultRead,    // pread
    FaultCallKinds
};

// From now on counts this thread's calls of `call` and fails the n-th one
// with `error`; with n = 0 it only counts.
void faultArm(enum FaultCall call, int n, int error);
// Stops counting and failing; returns how many calls of the armed kind came.
int faultDisarm(void);

#ifdef __cplusplus
}
#endif
