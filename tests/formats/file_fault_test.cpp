// Every file the library writes, with each system call of the save failing in
// turn: the save either succeeds with the new content or reports an error
// and leaves the previous file (or no file) exactly as it was, and nothing
// else in the folder.
#include "formats/csv_export.h"
#include "formats/gad_file.h"
#include "formats/gad_util.h"
#include "formats/pab_file.h"
#include "support/fault_injection.h"
#include "support/folder_state.h"
#include "support/pc_fax_book.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <functional>

namespace {

CAbifData pcFaxBook(std::initializer_list<CAbifMyFaxData> members) {
    CAbifData data;
    data.array<CAbifMyFaxData>().append({members.begin(), members.size()});
    return data;
}

CAbifData machineBook(std::initializer_list<CAbifFaxData> entries) {
    CAbifData data;
    data.array<CAbifFaxData>().append({entries.begin(), entries.size()});
    return data;
}

QByteArray gadImage(const CAbifData &data) {
    CGADFile file;
    EXPECT_EQ(file.writeData(data), ABIF_OK);
    return file.output();
}

const CAbifData oldPcFax = pcFaxBook({test::myFax(1, u"Ann")});
const CAbifData newPcFax = pcFaxBook({test::myFax(1, u"Ann"), test::myFax(2, u"Bob")});
const CAbifData oldMachine = machineBook({test::fax(1, u"Ann")});
const CAbifData newMachine = machineBook({test::fax(1, u"Ann"), test::fax(2, u"Bob")});

// One way of saving: how to lay down the previous file, the save itself, and
// whether a file holds what the save meant to write.
struct Save {
    const char *name;
    std::function<int32_t(const QString &)> seed;
    std::function<int32_t(const QString &)> run;
    std::function<bool(const QString &)> holdsNewContent;
};

const Save saves[] = {
    {"pcFaxWrite", [](const QString &p) { return CGADUtil::write(p, oldPcFax); },
     [](const QString &p) { return CGADUtil::write(p, newPcFax); },
     [](const QString &p) { return test::contentOf(p) == gadImage(newPcFax); }},
    {"pcFaxUpdate", [](const QString &p) { return CGADUtil::write(p, oldPcFax); },
     [](const QString &p) {
         CAbifData output;
         const int32_t r = CGADUtil::update(p, oldPcFax, newPcFax, output, 0);
         return r == ABIF_OK && !abif::equalByKinds(output, newPcFax, ABIF_KIND_MYFAX) ? ABIF_E_FAIL : r;
     },
     [](const QString &p) { return test::contentOf(p) == gadImage(newPcFax); }},
    {"backup", [](const QString &p) { return abif::CPabFile::backup(p, oldMachine); },
     [](const QString &p) { return abif::CPabFile::backup(p, newMachine); },
     [](const QString &p) {
         CAbifData restored;
         return abif::CPabFile::restore(p, restored) == ABIF_OK && abif::equalByKinds(restored, newMachine, ABIF_KIND_FAX);
     }},
    {"csvExport", [](const QString &p) { return abif::exportCsv(p, ABIF_EXPORT_FAX, oldMachine); },
     [](const QString &p) { return abif::exportCsv(p, ABIF_EXPORT_FAX, newMachine); },
     [](const QString &p) { return test::contentOf(p) == "1,Ann,0123\r\n2,Bob,0123\r\n"; }},
};

void PrintTo(const Save &save, std::ostream *out) { *out << save.name; }

const char *const callNames[] = {"open", "write", "fsync", "rename", "close", "fchown", "fchmod", "lock", "pread"};

class FileFaults : public testing::TestWithParam<Save> {};

// Returns how many calls of `call` the unfaulted save makes.
int callsOfASave(const Save &save, bool existing, FaultCall call) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("book"));
    if (existing) {
        EXPECT_EQ(save.seed(file), ABIF_OK);
    }
    faultArm(call, 0, 0);
    const int32_t r = save.run(file);
    const int calls = faultDisarm();
    EXPECT_EQ(r, ABIF_OK);
    // Every save opens, writes, syncs, renames, closes and locks; only a
    // replacement hands over owner and mode. A count of 0 there would mean
    // the calls were never seen, and the faults never injected.
    const bool mayBeAbsent = call == FaultRead || ((call == FaultChown || call == FaultChmod) && !existing);
    if (!mayBeAbsent) {
        EXPECT_GT(calls, 0) << callNames[call];
    }
    return calls;
}

TEST_P(FileFaults, failedCallLeavesThePreviousFileAndNothingElse) {
    const Save &save = GetParam();
    for (const bool existing : {true, false}) {
        for (int call = 0; call < FaultCallKinds; ++call) {
            const int calls = callsOfASave(save, existing, static_cast<FaultCall>(call));
            for (const int error : {ENOSPC, EIO}) {
                for (int n = 1; n <= calls; ++n) {
                    SCOPED_TRACE(testing::Message() << (existing ? "replacing" : "first save") << ", "
                                                    << callNames[call] << " call " << n << " of " << calls
                                                    << " fails with " << error);
                    QTemporaryDir dir;
                    const QString file = dir.filePath(QStringLiteral("book"));
                    if (existing) {
                        ASSERT_EQ(save.seed(file), ABIF_OK);
                    }
                    const QByteArray before = test::contentOf(file);

                    faultArm(static_cast<FaultCall>(call), n, error);
                    const int32_t r = save.run(file);
                    faultDisarm();

                    if (r == ABIF_OK) {
                        EXPECT_TRUE(save.holdsNewContent(file)) << "success with the wrong content";
                    } else {
                        EXPECT_EQ(test::contentOf(file), before);
                    }
                    EXPECT_EQ(test::entriesOf(dir.path()),
                              existing || r == ABIF_OK ? QStringList{"book"} : QStringList{})
                        << "result " << r;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFileTheLibraryWrites, FileFaults, testing::ValuesIn(saves),
                         [](const testing::TestParamInfo<Save> &info) { return std::string(info.param.name); });

}  // namespace
