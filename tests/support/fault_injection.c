// Kept free of the headers that declare these functions, so that no header
// renames one of them (to its 64-bit twin) under the definitions below.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include "fault_injection.h"

#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <stddef.h>
#include <string.h>
#include <sys/types.h>

enum {
    kCreate = 0100,     // O_CREAT
    kTmpFile = 020200000,  // O_TMPFILE
    kSetLock = 6,       // F_SETLK
    kSetLockWait = 7,   // F_SETLKW
    kOfdSetLock = 37,   // F_OFD_SETLK
    kOfdSetLockWait = 38,  // F_OFD_SETLKW
};

static __thread int armedCall = -1;
static __thread int failAt;
static __thread int failWith;
static __thread int seen;

void faultArm(enum FaultCall call, int n, int error) {
    armedCall = (int)call;
    failAt = n;
    failWith = error;
    seen = 0;
}

int faultDisarm(void) {
    armedCall = -1;
    return seen;
}

// Whether this call of `call` is the one to fail.
static int failsNow(enum FaultCall call) {
    if (armedCall != (int)call) return 0;
    ++seen;
    return seen == failAt;
}

// The next definition of `name`, the C library's (or a sanitizer's in front of it).
#define REAL(name, result, parameters)                     \
    static result(*next) parameters;                       \
    if (!next) {                                           \
        void *const symbol = dlsym(RTLD_NEXT, name);       \
        memcpy(&next, &symbol, sizeof next);               \
    }

static int fail(void) {
    errno = failWith;
    return -1;
}

static mode_t modeArgument(int flags, va_list args) {
    return (flags & kCreate) || (flags & kTmpFile) == kTmpFile ? (mode_t)va_arg(args, int) : 0;
}

int open(const char *path, int flags, ...) {
    REAL("open", int, (const char *, int, ...));
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    return failsNow(FaultOpen) ? fail() : next(path, flags, mode);
}

int open64(const char *path, int flags, ...) {
    REAL("open64", int, (const char *, int, ...));
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    return failsNow(FaultOpen) ? fail() : next(path, flags, mode);
}

int openat(int dir, const char *path, int flags, ...) {
    REAL("openat", int, (int, const char *, int, ...));
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    return failsNow(FaultOpen) ? fail() : next(dir, path, flags, mode);
}

int openat64(int dir, const char *path, int flags, ...) {
    REAL("openat64", int, (int, const char *, int, ...));
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    return failsNow(FaultOpen) ? fail() : next(dir, path, flags, mode);
}

ssize_t write(int fd, const void *bytes, size_t size) {
    REAL("write", ssize_t, (int, const void *, size_t));
    return failsNow(FaultWrite) ? fail() : next(fd, bytes, size);
}

ssize_t pread(int fd, void *bytes, size_t size, off_t offset) {
    REAL("pread", ssize_t, (int, void *, size_t, off_t));
    return failsNow(FaultRead) ? fail() : next(fd, bytes, size, offset);
}

ssize_t pread64(int fd, void *bytes, size_t size, off_t offset) {
    REAL("pread64", ssize_t, (int, void *, size_t, off_t));
    return failsNow(FaultRead) ? fail() : next(fd, bytes, size, offset);
}

int fsync(int fd) {
    REAL("fsync", int, (int));
    return failsNow(FaultSync) ? fail() : next(fd);
}

int fdatasync(int fd) {
    REAL("fdatasync", int, (int));
    return failsNow(FaultSync) ? fail() : next(fd);
}

int rename(const char *from, const char *to) {
    REAL("rename", int, (const char *, const char *));
    return failsNow(FaultRename) ? fail() : next(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to) {
    REAL("renameat", int, (int, const char *, int, const char *));
    return failsNow(FaultRename) ? fail() : next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags) {
    REAL("renameat2", int, (int, const char *, int, const char *, unsigned));
    return failsNow(FaultRename) ? fail() : next(fromDir, from, toDir, to, flags);
}

// As the kernel does with a close that reports an error.
int close(int fd) {
    REAL("close", int, (int));
    const int failed = failsNow(FaultClose);
    const int r = next(fd);
    return failed ? fail() : r;
}

int fchown(int fd, uid_t owner, gid_t group) {
    REAL("fchown", int, (int, uid_t, gid_t));
    return failsNow(FaultChown) ? fail() : next(fd, owner, group);
}

int fchmod(int fd, mode_t mode) {
    REAL("fchmod", int, (int, mode_t));
    return failsNow(FaultChmod) ? fail() : next(fd, mode);
}

static int isLock(int command) {
    return command == kSetLock || command == kSetLockWait || command == kOfdSetLock || command == kOfdSetLockWait;
}

// The third argument is an int or a pointer; both travel in one register.
int fcntl(int fd, int command, ...) {
    REAL("fcntl", int, (int, int, ...));
    va_list args;
    va_start(args, command);
    void *argument = va_arg(args, void *);
    va_end(args);
    return isLock(command) && failsNow(FaultLock) ? fail() : next(fd, command, argument);
}

int fcntl64(int fd, int command, ...) {
    REAL("fcntl64", int, (int, int, ...));
    va_list args;
    va_start(args, command);
    void *argument = va_arg(args, void *);
    va_end(args);
    return isLock(command) && failsNow(FaultLock) ? fail() : next(fd, command, argument);
}
