#include "device/dev_access_usb.h"

#include "abiflink.h"
#include "device/pab_checksum.h"

#include <QtEndian>

#include <cstring>
#include <limits>

namespace {

// A transfer record for `code`, sending `block` and, for a request,
// receiving into `response`.
QvsStiCommandRecord transferRecord(uint8_t code, const uint8_t *block, size_t length, uint8_t *response,
                                   size_t capacity) {
    QvsStiCommandRecord record{};
    uint8_t *at = record.bytes;
    const uint32_t mode = code == QVS_STI_SEND_RECEIVE ? QVS_STI_MODE_SEND_RECEIVE : QVS_STI_MODE_SEND_ONLY;
    const uint64_t sendAddress = reinterpret_cast<uintptr_t>(block);
    const uint64_t receiveAddress = reinterpret_cast<uintptr_t>(response);
    at[QVS_STI_AT_CODE] = code;
    qToBigEndian<uint32_t>(static_cast<uint32_t>(length), at + QVS_STI_AT_LENGTH);
    std::memcpy(at + QVS_STI_AT_MODE, &mode, sizeof mode);
    std::memcpy(at + QVS_STI_AT_SEND_ADDRESS, &sendAddress, sizeof sendAddress);
    std::memcpy(at + QVS_STI_AT_RECEIVE_ADDRESS, &receiveAddress, sizeof receiveAddress);
    qToBigEndian<uint32_t>(static_cast<uint32_t>(capacity), at + QVS_STI_AT_CAPACITY);
    return record;
}

// The code of a status other than success, password and 0x84.
int32_t machineStatusCode(const QvsStiCommandRecord &record) {
    const uint8_t *at = record.bytes;
    return static_cast<int32_t>(ABIF_E_MACHINE_STATUS | uint32_t{at[QVS_STI_AT_EXTRA]} << 16 |
                                uint32_t{at[QVS_STI_AT_DETAIL]} << 8 | at[QVS_STI_AT_STATUS]);
}

bool fitsRecord(size_t length) { return length <= std::numeric_limits<uint32_t>::max(); }

}  // namespace

int32_t CDevAccessUSB::Initialize(const QString &deviceName) {
    QByteArray name = deviceName.toLocal8Bit();
    return sti_.Command(QVS_STI_OPEN, name.data());
}

int32_t CDevAccessUSB::Dispose() { return sti_.Command(QVS_STI_CLOSE, nullptr); }

int32_t CDevAccessUSB::Lock() { return sti_.Command(QVS_STI_LOCK, nullptr); }

int32_t CDevAccessUSB::Unlock() { return sti_.Command(QVS_STI_UNLOCK, nullptr); }

int32_t CDevAccessUSB::GetStatus() {
    QvsStiStatusRecord record{};
    record.size = sizeof record;
    record.version = QVS_STI_STATUS_RECORD_VERSION;
    const int32_t result = sti_.GetStatus(record);
    if (result != ABIF_OK) return result;
    return static_cast<int32_t>(ABIF_STATUS_READ | (record.status & 0xFFFFFFu));
}

int32_t CDevAccessUSB::Request(uint8_t *request, size_t requestLength, uint8_t *response, size_t capacity,
                               size_t &received) {
    received = 0;
    if (!request || !response) return ABIF_E_NULL;
    if (!fitsRecord(requestLength) || !fitsRecord(capacity)) return ABIF_E_FAIL;
    abif::pab::addBlockChecksum(request, requestLength);
    QvsStiCommandRecord record = transferRecord(QVS_STI_SEND_RECEIVE, request, requestLength, response, capacity);
    const int32_t result = sti_.Command(QVS_STI_TRANSFER, &record);
    if (result != ABIF_OK) return result;
    switch (record.bytes[QVS_STI_AT_STATUS]) {
    case QVS_STI_STATUS_OK: break;
    case QVS_STI_STATUS_PASSWORD: return ABIF_E_PASSWORD;
    case QVS_STI_STATUS_REFUSED: return ABIF_E_STATUS_84;
    default: return machineStatusCode(record);
    }
    const uint32_t length = qFromBigEndian<uint32_t>(record.bytes + QVS_STI_AT_LENGTH);
    if (length == 0 || length > capacity) return ABIF_E_RESPONSE;
    received = length;
    return abif::pab::verifyBlockChecksum(response, length);
}

int32_t CDevAccessUSB::Send(uint8_t *block, size_t length) {
    if (!block) return ABIF_E_NULL;
    if (!fitsRecord(length)) return ABIF_E_FAIL;
    abif::pab::addBlockChecksum(block, length);
    QvsStiCommandRecord record = transferRecord(QVS_STI_SEND_ONLY, block, length, nullptr, 0);
    const int32_t result = sti_.Command(QVS_STI_TRANSFER, &record);
    if (result != ABIF_OK) return result;
    switch (record.bytes[QVS_STI_AT_STATUS]) {
    case QVS_STI_STATUS_OK: return ABIF_OK;
    case QVS_STI_STATUS_PASSWORD: return ABIF_E_PASSWORD;
    default: return machineStatusCode(record);
    }
}
