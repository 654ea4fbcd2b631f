#include "core/live_containers.h"

namespace abif {

void LiveContainers::add(const CAbifData *data) {
    std::lock_guard lock(mutex_);
    live_.insert(data);
}

void LiveContainers::remove(const CAbifData *data) {
    std::lock_guard lock(mutex_);
    live_.erase(data);
}

bool LiveContainers::contains(const void *handle) const {
    std::lock_guard lock(mutex_);
    return handle != nullptr && live_.count(handle) != 0;
}

LiveContainers &liveContainers() {
    // Never destroyed: containers may outlive static destruction order.
    static auto *instance = new LiveContainers;
    return *instance;
}

CAbifData *checkedContainer(const void *handle) {
    return liveContainers().contains(handle) ? static_cast<CAbifData *>(const_cast<void *>(handle)) : nullptr;
}

}  // namespace abif
