#include "device/dev_ctrl.h"

#include "abiflink.h"
#include "core/diagnostic_log.h"
#include "device/dev_access_usb.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

using abif::LogDevice;

// Response buffers as large as the machine's answers can be.
constexpr size_t kPasswordResponseSize = 34;
constexpr size_t kCapacityResponseSize = 64;

size_t readResponseSize(const abif::PabCapacity &capacity) {
    const size_t fax = capacity.fax;
    const size_t groups = capacity.group;
    return 36 + 90 * fax + groups * (2 * fax + 38);
}

// The update buffer holds room for every group to list every speed dial.
size_t updateBlockSize(const abif::PabCapacity &capacity, const CAbifData &data) {
    const size_t entries = data.array<CAbifFaxData>().records().size();
    const size_t groups = data.array<CAbifFaxGroupData>().records().size();
    return 48 + 2 * size_t{capacity.fax} + 2 * size_t{capacity.group} + 88 * entries + groups * (2 * entries + 36);
}

}  // namespace

CDevCtrl::~CDevCtrl() {
    Unlock();
    Dispose();
}

int32_t CDevCtrl::Initialize(const QString &deviceName) {
    abif::logInfo(LogDevice, "    Initialize: Start\n");
    int32_t result = ABIF_E_FAIL;
    if (!initialized_) {
        access_.reset(new (std::nothrow) CDevAccessUSB);
        result = access_ ? access_->Initialize(deviceName) : ABIF_E_MEMORY;
        initialized_ = result == ABIF_OK;
    }
    abif::logResult(result == ABIF_OK, LogDevice, "    Initialize: End(0x%x)\n", static_cast<unsigned>(result));
    return result;
}

int32_t CDevCtrl::Dispose() {
    abif::logInfo(LogDevice, "    Dispose: Start\n");
    int32_t result = ABIF_OK;
    if (initialized_) {
        result = access_->Dispose();
        access_.reset();
        initialized_ = false;
        locked_ = false;
    }
    abif::logResult(result == ABIF_OK, LogDevice, "    Dispose: End(0x%x)\n", static_cast<unsigned>(result));
    return result;
}

int32_t CDevCtrl::Lock() {
    abif::logInfo(LogDevice, "    Lock: Start\n");
    const int32_t result = access_ ? access_->Lock() : ABIF_E_MEMORY;
    if (result == ABIF_OK) locked_ = true;
    abif::logResult(result == ABIF_OK, LogDevice, "    Lock: End(0x%x)\n", static_cast<unsigned>(result));
    return result;
}

int32_t CDevCtrl::Unlock() {
    abif::logInfo(LogDevice, "    Unlock: Start\n");
    int32_t result = ABIF_OK;
    if (initialized_ && locked_) {
        result = access_->Unlock();
        locked_ = false;
    }
    abif::logResult(result == ABIF_OK, LogDevice, "    Unlock: End(0x%x)\n", static_cast<unsigned>(result));
    return result;
}

int32_t CDevCtrl::GetStatus() {
    abif::logInfo(LogDevice, "    GetStatus: Start\n");
    const int32_t result = access_ ? access_->GetStatus() : ABIF_E_MEMORY;
    abif::logResult(result == (ABIF_STATUS_READ | 1), LogDevice, "    GetStatus: End(0x%x)\n", static_cast<unsigned>(result));
    return result;
}

int32_t CDevCtrl::exchange(const abif::CPabData &request, std::vector<uint8_t> &response, size_t &received) {
    if (!access_) return ABIF_E_MEMORY;
    std::vector<uint8_t> block = request.bytes();
    return access_->Request(block.data(), block.size(), response.data(), response.size(), received);
}

int32_t CDevCtrl::CheckPassword(std::u16string_view password) {
    abif::logInfo(LogDevice, "    CheckPassword: Start\n");
    abif::CPabData request;
    int32_t result = request.makePasswordCheckRequest(password);
    if (result == ABIF_OK) {
        std::vector<uint8_t> response(kPasswordResponseSize);
        size_t received = 0;
        result = exchange(request, response, received);
    }
    const bool opened = result == ABIF_OK || result == ABIF_E_STATUS_84;
    abif::logResult(opened, LogDevice, "    CheckPassword: End(0x%x)\n", static_cast<unsigned>(result));
    return opened ? ABIF_OK : result;
}

int32_t CDevCtrl::CheckPasswordLock() {
    abif::logInfo(LogDevice, "    CheckPasswordLock: Start\n");
    abif::logInfo(LogDevice, "    CheckPasswordLock: End(0x%x)\n", 0u);
    return ABIF_OK;
}

int32_t CDevCtrl::ReadSpec(abif::PabCapacity &capacity, std::u16string_view password) {
    abif::logInfo(LogDevice, "    ReadSpec: Start\n");
    abif::CPabData request;
    int32_t result = request.makeCapacityRequest(password);
    std::vector<uint8_t> response(kCapacityResponseSize);
    size_t received = 0;
    if (result == ABIF_OK) result = exchange(request, response, received);
    if (result == ABIF_OK) result = abif::readCapacityResponse(response.data(), received, capacity);
    abif::logResult(result == ABIF_OK, LogDevice, "    ReadSpec: End(0x%x)\n", static_cast<unsigned>(result));
    return result;
}

int32_t CDevCtrl::ReadFax(const abif::PabCapacity &capacity, CAbifData &data, std::u16string_view password) {
    abif::logInfo(LogDevice, "    ReadFax: Start\n");
    abif::CPabData request;
    int32_t result = request.makeReadRequest(capacity, password);
    std::vector<uint8_t> response(readResponseSize(capacity));
    size_t received = 0;
    if (result == ABIF_OK) result = exchange(request, response, received);
    if (result == ABIF_OK) result = abif::readReadResponse(response.data(), received, data);
    abif::logResult(result == ABIF_OK, LogDevice, "    ReadFax: End(0x%x)\n", static_cast<unsigned>(result));
    return result;
}

int32_t CDevCtrl::DeleteWriteFax(const abif::PabCapacity &capacity, const CAbifData &data,
                                 std::u16string_view password) {
    abif::logInfo(LogDevice, "    DeleteFax: Start\n");
    abif::CPabData request;
    int32_t result = request.makeUpdateRequest(capacity, data, password);
    if (result == ABIF_OK && !access_) result = ABIF_E_MEMORY;
    if (result == ABIF_OK) {
        // Groups may list more members than there are speed dials, so the
        // block can outgrow the usual buffer; it is then sent whole.
        std::vector<uint8_t> block = request.bytes();
        block.resize(std::max(block.size(), updateBlockSize(capacity, data)), 0);
        result = access_->Send(block.data(), block.size());
    }
    abif::logResult(result == ABIF_OK, LogDevice, "    DeleteWriteFax: End(0x%x)\n", static_cast<unsigned>(result));
    return result;
}
