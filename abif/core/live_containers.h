// The containers handed out through ABIFData_Create, by handle, so that an
// export can refuse a null, foreign or already deleted handle before
// touching anything.
//
// A handle is a number drawn once from a counter, never the container's
// address: a container created later at the address of a deleted one gets a
// new handle, and the deleted one's stays refused. Handle values have the
// top bit set, so no pointer a caller holds to its own memory is ever one.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

struct CAbifData;

namespace abif {

class LiveContainers {
public:
    // The handle of `data`, which the table now owns. Throws std::bad_alloc.
    CAbifData *add(std::unique_ptr<CAbifData> data);
    // Deletes the container behind `handle`; nothing for an unknown handle.
    void remove(const void *handle);
    // The container behind `handle`, or null when it is not a live handle.
    [[nodiscard]] CAbifData *find(const void *handle) const;

private:
    mutable std::mutex mutex_;
    uintptr_t lastHandle_ = 0;
    std::unordered_map<uintptr_t, std::unique_ptr<CAbifData>> live_;
};

LiveContainers &liveContainers();

// The container behind a handle, or null when the handle is not a live one.
CAbifData *checkedContainer(const void *handle);

}  // namespace abif
