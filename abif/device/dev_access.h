// Access to the machine: one object per conversation, each operation one
// command of the transport underneath. Every operation returns ABIF_OK or a
// result code.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

class CDevAccess {
public:
    virtual ~CDevAccess() = default;

    // Opens the device called `deviceName`.
    virtual int32_t Initialize(const QString &deviceName) = 0;
    // Closes it.
    virtual int32_t Dispose() = 0;
    // Takes and releases the machine's exclusive lock.
    virtual int32_t Lock() = 0;
    virtual int32_t Unlock() = 0;
    // ABIF_STATUS_READ OR the low 24 bits of the machine's status.
    virtual int32_t GetStatus() = 0;
    // Sends `request` (its checksum is set first) and receives the response
    // into `response`; `received` is the response's length. A response that
    // is empty, longer than `capacity` or fails its checksum is refused.
    virtual int32_t Request(uint8_t *request, size_t requestLength, uint8_t *response, size_t capacity,
                            size_t &received) = 0;
    // Sends `block` (its checksum is set first), which has no response.
    virtual int32_t Send(uint8_t *block, size_t length) = 0;
};
