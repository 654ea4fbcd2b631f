// Device control: one conversation with the machine, from opening the device
// to closing it. The worker of a device operation creates one per operation
// and calls, in order: Initialize, Lock, the work, Unlock, Dispose.
#pragma once

#include "core/abif_data.h"
#include "device/dev_access.h"
#include "device/pab_data.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string_view>

class CDevCtrl {
public:
    CDevCtrl() = default;
    // Releases the lock and closes the device, whatever was reached.
    ~CDevCtrl();
    CDevCtrl(const CDevCtrl &) = delete;
    CDevCtrl &operator=(const CDevCtrl &) = delete;

    // Opens the device; ABIF_E_MEMORY when the access object cannot be made,
    // ABIF_E_FAIL when the device is open already.
    int32_t Initialize(const QString &deviceName);
    // Closes the device and unloads the transport; ABIF_OK when not open.
    int32_t Dispose();
    int32_t Lock();
    // ABIF_OK without calling anything unless the device is open and locked.
    int32_t Unlock();
    // ABIF_STATUS_READ OR the machine status.
    int32_t GetStatus();

    // Asks whether `password` opens the machine. A machine that answers
    // status 0x84 to the question counts as opened.
    int32_t CheckPassword(std::u16string_view password);
    // The machine's lock is taken with Lock; nothing is exchanged here.
    int32_t CheckPasswordLock();
    // The machine's slot counts.
    int32_t ReadSpec(abif::PabCapacity &capacity, std::u16string_view password);
    // Adds the machine's speed dials and groups to `data`; on failure the
    // records read before it stay.
    int32_t ReadFax(const abif::PabCapacity &capacity, CAbifData &data, std::u16string_view password);
    // Makes the machine hold exactly the speed dials and groups of `data`,
    // which is sorted by ID.
    int32_t DeleteWriteFax(const abif::PabCapacity &capacity, const CAbifData &data, std::u16string_view password);

    [[nodiscard]] bool isInitialized() const { return initialized_; }
    [[nodiscard]] bool isLocked() const { return locked_; }

private:
    int32_t exchange(const abif::CPabData &request, std::vector<uint8_t> &response, size_t &received);

    std::unique_ptr<CDevAccess> access_;
    bool initialized_ = false;
    bool locked_ = false;
};
