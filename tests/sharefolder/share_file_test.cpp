#include "document/share_file.h"
#include "document/shared_folder.h"
#include "fake_share_service.h"
#include "support/scripted_prompt.h"
#include "share_builders.h"

#include "abiflink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// The file built by hand from its layout: every block is its enciphered
// 32-bit length followed by its enciphered bytes.
QByteArray encipher(const QByteArray &plain) {
    static const QByteArray key("MopVexa", 8);  // with the terminating zero
    QByteArray out((plain.size() + 7) / 8 * 8, '\0');
    Abif_Encode(reinterpret_cast<const uint8_t *>(key.data()), 8, reinterpret_cast<uint8_t *>(out.data()),
                reinterpret_cast<const uint8_t *>(plain.data()), static_cast<int32_t>(plain.size()));
    return out;
}
QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray le16(quint16 v) { return le32(v).left(2); }
QByteArray text(const QByteArray &bytes) { return le32(static_cast<quint32>(bytes.size())) + bytes; }
QByteArray block(const QByteArray &plain) { return encipher(le32(static_cast<quint32>(plain.size()))) + encipher(plain); }

QByteArray handWrittenFile(const QByteArray &version = "Ver1.0.0") {
    return block(text(version) + '\1' + text("scanner") + text("secret") + le16(1)) +
           block(QByteArray("\1\0", 2) + le16(4) + text("OFFICE-PC") + text("scans") + text("Scans") +
                 text("/home/alice/Scans") + text("scanner") + text("pw"));
}

CAdrShareData handWrittenRecord() {
    CAdrShareData r;
    r.isShared = 1;
    r.serverId = 4;
    r.hostName = "OFFICE-PC";
    r.serverPath = "scans";
    r.shareName = "Scans";
    r.localFolder = "/home/alice/Scans";
    r.loginName = "scanner";
    r.loginPassword = "pw";
    return r;
}

class ShareFileTest : public ::testing::Test {
protected:
    void writeRaw(const QByteArray &bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readRaw() {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path = dir.filePath("sub/Data.dat");
    FakeShareService service;
    ScriptedPrompt prompt;
    CSharedFolder folder{service, prompt, path};
    CAdrArray<CAdrShareData> records;
};

TEST_F(ShareFileTest, writesTheLayoutByteForByte) {
    ASSERT_TRUE(CShareFile::Write(path, {1, "scanner", "secret"}, {handWrittenRecord()}));
    EXPECT_EQ(readRaw().toHex(), handWrittenFile().toHex());
    EXPECT_EQ(QFile::permissions(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                            QFileDevice::WriteUser);
}

TEST_F(ShareFileTest, readsAHandWrittenFile) {
    QDir().mkpath(dir.filePath("sub"));
    writeRaw(handWrittenFile());
    folder.LoadFile(records);
    EXPECT_EQ(folder.ScanUser(), (ScanUserState{1, "scanner", "secret"}));
    EXPECT_EQ(records, CAdrArray<CAdrShareData>{handWrittenRecord()});
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(ShareFileTest, roundTripKeepsStoredFieldsAndLeavesOutIncompleteRecords) {
    CAdrShareData full = shareRecord(2, "Scäns Ω");
    full.isShared = 1;
    full.recordId = 5;       // numbered again on matching
    full.createScanUser = 1;  // not kept in the file
    CAdrShareData noServer = shareRecord(0, "Lost");
    CAdrShareData noShare = shareRecord(3, "");
    folder.ScanUser() = {1, "scanner", "pässword"};
    ASSERT_TRUE(folder.SaveFile({noServer, full, noShare}));

    folder.ScanUser() = {};
    folder.LoadFile(records);
    CAdrShareData expected = full;
    expected.recordId = 0;
    expected.createScanUser = 0;
    EXPECT_EQ(records, CAdrArray<CAdrShareData>{expected});
    EXPECT_EQ(folder.ScanUser(), (ScanUserState{1, "scanner", "pässword"}));
    EXPECT_TRUE(prompt.shown.isEmpty());
}

// A run that never read the file (one started offline) holds none of its
// records: writing would lose them.
TEST_F(ShareFileTest, aFileThisRunNeverLoadedIsNotWrittenOver) {
    QDir().mkpath(dir.filePath("sub"));
    writeRaw(handWrittenFile());
    EXPECT_FALSE(folder.SaveFile({}));
    EXPECT_EQ(readRaw().toHex(), handWrittenFile().toHex());

    folder.LoadFile(records);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(folder.SaveFile({}));
    folder.LoadFile(records);
    EXPECT_TRUE(records.empty()) << "once loaded, the run's records are the file's";
}

TEST_F(ShareFileTest, missingFileMeansNoRecords) {
    records = {shareRecord(1, "Old")};
    folder.LoadFile(records);
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(ShareFileTest, otherVersionIsDeletedWithoutMessage) {
    QDir().mkpath(dir.filePath("sub"));
    writeRaw(handWrittenFile("Ver2.0.0"));
    folder.LoadFile(records);
    EXPECT_TRUE(records.empty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(prompt.shown.isEmpty());
}

// Cut in the header's length, inside the header, between blocks and inside
// the record; a length beyond any real block counts as damage too.
TEST_F(ShareFileTest, damagedFileIsReportedResetAndDeleted) {
    const QByteArray whole = handWrittenFile();
    const qsizetype headerEnd = block(text("Ver1.0.0") + '\1' + text("scanner") + text("secret") + le16(1)).size();
    const QByteArray damaged[] = {
        QByteArray(),
        whole.left(5),
        whole.left(12),
        whole.left(headerEnd),
        whole.left(headerEnd + 8),
        whole.left(whole.size() - 1),
        block(text("Ver1.0.0") + '\1' + text("scanner")),                 // header fields missing
        encipher(le32(0x7FFFFFFF)) + whole.mid(8),                       // absurd length
        block(text("Ver1.0.0") + '\1' + le32(1000) + "x" + le16(0)),    // text longer than its block
    };
    QDir().mkpath(dir.filePath("sub"));
    for (const QByteArray &bytes : damaged) {
        writeRaw(bytes);
        folder.ScanUser() = {1, "kept", "kept"};
        prompt.shown.clear();
        folder.LoadFile(records);
        EXPECT_EQ(prompt.shown, QStringList{CSharedFolder::kMsgFileDefect}) << bytes.size();
        EXPECT_EQ(folder.ScanUser(), ScanUserState{}) << bytes.size();
        EXPECT_TRUE(records.empty()) << bytes.size();
        EXPECT_FALSE(QFile::exists(path)) << bytes.size();
    }
}

}  // namespace
