// Device access through the scanner driver's still-image library.
#pragma once

#include "device/dev_access.h"
#include "device/sti_lib.h"

class CDevAccessUSB final : public CDevAccess {
public:
    int32_t Initialize(const QString &deviceName) override;
    int32_t Dispose() override;
    int32_t Lock() override;
    int32_t Unlock() override;
    int32_t GetStatus() override;
    int32_t Request(uint8_t *request, size_t requestLength, uint8_t *response, size_t capacity,
                    size_t &received) override;
    int32_t Send(uint8_t *block, size_t length) override;

private:
    CStiLib sti_;
};
