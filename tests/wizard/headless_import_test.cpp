// Abif_Import in a process without a window system: nobody can be asked, so
// the import answers as cancelled and leaves the container alone.
#include "core/abif_data.h"
#include "core/live_containers.h"
#include "import/import_kinds.h"
#include "imports/import_fixtures.h"
#include "support/records.h"

#include <gtest/gtest.h>

namespace {

TEST(HeadlessImport, answersAsCancelledAndLeavesTheContainer) {
    CAbifData *container = ABIFData_Create();
    const CAbifFaxData kept = test::fax(1, u"Kept", u"1");
    ASSERT_EQ(ABIFData_Add_Fax(container, 1, &kept), ABIF_OK);
    EXPECT_EQ(Abif_Import(abif::SourceCsv, u"", abif::DestinationPcFax, container, 0), ABIF_E_CANCEL);
    EXPECT_EQ(imports::recordsOf(*abif::checkedContainer(container), abif::DestinationFax), QStringList{u"Kept|1"_qs});
    ABIFData_Delete(container);
}

}  // namespace
