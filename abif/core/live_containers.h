// The set of containers alive in this process, so that an export can refuse a
// null, foreign or already deleted handle before touching it.
#pragma once

#include <mutex>
#include <unordered_set>

struct CAbifData;

namespace abif {

class LiveContainers {
public:
    void add(const CAbifData *data);
    void remove(const CAbifData *data);
    [[nodiscard]] bool contains(const void *handle) const;

private:
    mutable std::mutex mutex_;
    std::unordered_set<const void *> live_;
};

LiveContainers &liveContainers();

// The container behind a handle, or null when the handle is not a live one.
CAbifData *checkedContainer(const void *handle);

}  // namespace abif
