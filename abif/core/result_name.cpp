#include "core/result_name.h"

#include "abiflink.h"

#include <cstdio>

namespace abif {

const char *resultName(int32_t code) {
    switch (code) {
    case ABIF_OK: return "ABIF_OK";
    case ABIF_E_FAIL: return "ABIF_E_FAIL";
    case ABIF_E_LIMIT: return "ABIF_E_LIMIT";
    case ABIF_E_PASSWORD: return "ABIF_E_PASSWORD";
    case ABIF_E_CANCEL: return "ABIF_E_CANCEL";
    case ABIF_E_INDEX: return "ABIF_E_INDEX";
    case ABIF_E_NULL: return "ABIF_E_NULL";
    case ABIF_E_END: return "ABIF_E_END";
    case ABIF_E_FORMAT: return "ABIF_E_FORMAT";
    case ABIF_E_HANDLE: return "ABIF_E_HANDLE";
    case ABIF_E_MEMORY: return "ABIF_E_MEMORY";
    case ABIF_E_RESPONSE: return "ABIF_E_RESPONSE";
    case ABIF_E_NO_STILIB: return "ABIF_E_NO_STILIB";
    case ABIF_E_BUSY_LIBRARY: return "ABIF_E_BUSY_LIBRARY";
    case ABIF_E_BUSY: return "ABIF_E_BUSY";
    case ABIF_E_CHECKSUM: return "ABIF_E_CHECKSUM";
    case ABIF_W_PARTIAL_WRITE: return "ABIF_W_PARTIAL_WRITE";
    case ABIF_E_STATUS_84: return "ABIF_E_STATUS_84";
    case ABIF_E_NO_FAX_SLOTS: return "ABIF_E_NO_FAX_SLOTS";
    default: break;
    }
    thread_local char text[32];
    if (code > 0 && code < 0x10000)
        std::snprintf(text, sizeof text, "errno %d", static_cast<int>(code));
    else
        std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(code));
    return text;
}

}  // namespace abif
