#pragma once

#include <cstdint>

namespace abif {

// The symbolic name of a result code, for logs and test failures; a system
// error number is named "errno N".
const char *resultName(int32_t code);

}  // namespace abif
