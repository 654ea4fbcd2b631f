#include "core/live_containers.h"

#include "core/abif_data.h"

namespace abif {

namespace {

constexpr uintptr_t kHandleBit = uintptr_t{1} << (sizeof(uintptr_t) * 8 - 1);

}  // namespace

CAbifData *LiveContainers::add(std::unique_ptr<CAbifData> data) {
    std::lock_guard lock(mutex_);
    const uintptr_t handle = kHandleBit | ++lastHandle_;
    live_.emplace(handle, std::move(data));
    return reinterpret_cast<CAbifData *>(handle);
}

void LiveContainers::remove(const void *handle) {
    std::unique_ptr<CAbifData> doomed;
    std::lock_guard lock(mutex_);
    const auto found = live_.find(reinterpret_cast<uintptr_t>(handle));
    if (found == live_.end()) return;
    doomed = std::move(found->second);
    live_.erase(found);
}

CAbifData *LiveContainers::find(const void *handle) const {
    std::lock_guard lock(mutex_);
    const auto found = live_.find(reinterpret_cast<uintptr_t>(handle));
    return found == live_.end() ? nullptr : found->second.get();
}

LiveContainers &liveContainers() {
    // Never destroyed: containers may outlive static destruction order.
    static auto *instance = new LiveContainers;
    return *instance;
}

CAbifData *checkedContainer(const void *handle) { return liveContainers().find(handle); }

}  // namespace abif
