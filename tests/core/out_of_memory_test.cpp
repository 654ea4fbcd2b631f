// The container exports when the allocator gives up: the N-th allocation
// inside an export fails, for every N the export makes, and nothing but a
// result code comes back across the C boundary.
#include "support/records.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

// Allocations left before the one that fails; negative: none fails.
thread_local long allocationsBeforeFailure = -1;
thread_local bool failureHit = false;

void *allocate(std::size_t size) {
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        failureHit = true;
        return nullptr;
    }
    if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
    return std::malloc(size ? size : 1);
}

// Runs `body` with the `n`-th allocation on this thread failing; true when
// that allocation happened.
template <class Body> bool withFailingAllocation(long n, Body body) {
    failureHit = false;
    allocationsBeforeFailure = n - 1;
    body();
    allocationsBeforeFailure = -1;
    return failureHit;
}

TEST(OutOfMemory, createReturnsNullOrAWorkingContainerAndNeverThrows) {
    int nulls = 0;
    for (long n = 1;; ++n) {
        CAbifData *handle = nullptr;
        const bool hit = withFailingAllocation(n, [&] { EXPECT_NO_THROW(handle = ABIFData_Create()) << n; });
        if (handle) {
            const CAbifFaxData record = test::fax(1, u"Name");
            EXPECT_EQ(ABIFData_Add_Fax(handle, 1, &record), ABIF_OK) << n;
            EXPECT_EQ(ABIFData_GetCount_Fax(handle), 1) << n;
            ABIFData_Delete(handle);
        } else {
            ++nulls;
        }
        if (!hit) break;
        EXPECT_EQ(handle, nullptr) << "allocation " << n << " failed, yet a container came back";
    }
    EXPECT_GT(nulls, 1);
}

TEST(OutOfMemory, addReportsTheMemoryCodeAndKeepsEarlierRecords) {
    CAbifData *handle = ABIFData_Create();
    ASSERT_NE(handle, nullptr);
    const CAbifFaxData first = test::fax(1, u"First");
    ASSERT_EQ(ABIFData_Add_Fax(handle, 1, &first), ABIF_OK);
    const CAbifFaxData second = test::fax(2, u"Second");
    int32_t result = ABIF_OK;
    ASSERT_TRUE(withFailingAllocation(1, [&] { EXPECT_NO_THROW(result = ABIFData_Add_Fax(handle, 1, &second)); }));
    EXPECT_EQ(result, ABIF_E_MEMORY);
    EXPECT_EQ(ABIFData_GetCount_Fax(handle), 1);
    ABIFData_Delete(handle);
}

}  // namespace

// The whole program allocates through these, so that a test can make one
// allocation fail; unarmed they are plain malloc and free.
void *operator new(std::size_t size) {
    if (void *p = allocate(size)) return p;
    throw std::bad_alloc();
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }
