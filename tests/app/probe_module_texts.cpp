// The texts of the language modules the tests build: an English module with
// changed texts, or (PROBE_UNSORTED) one whose table is out of order.
#include "text/text_tables.h"

namespace lqa {

namespace {

#ifdef PROBE_UNSORTED
constexpr StringEntry probeTexts[] = {{57344, u"Linquara Probe"}, {128, u"Linquara\nProbe"}};
#else
constexpr StringEntry probeTexts[] = {{128, u"Linquara\nProbe"}, {57344, u"Linquara Probe"}, {61244, u"Build %s"}};
#endif

constexpr StringTable tables[] = {{1033, probeTexts}};

}  // namespace

std::span<const StringTable> stringTables() { return tables; }

}  // namespace lqa
