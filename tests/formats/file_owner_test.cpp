// A file saved by a user who is not its owner: the replacement keeps the
// file's group, mode, access-control entries and extended attributes, and a
// file in a folder that user may not write is refused untouched. Run as root,
// the test switches to unprivileged numeric identities in a child process.
#include "formats/gad_util.h"
#include "support/folder_state.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <acl/libacl.h>
#include <grp.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

namespace {

constexpr uid_t kOwner = 64001;
constexpr uid_t kSaver = 64002;
constexpr uid_t kThirdUser = 64003;
constexpr gid_t kSharedGroup = 64010;
constexpr gid_t kSaversOwnGroup = 64020;
constexpr char kAttribute[] = "user.abif-test";

CAbifData book(std::u16string_view name) {
    CAbifData data;
    const CAbifMyFaxData member = test::myFax(1, name);
    data.array<CAbifMyFaxData>().append({&member, 1});
    return data;
}

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

// `work` as the saver, a member of the shared group, in a child process.
int32_t asSaver(const std::function<int32_t()> &work) {
    int result[2];
    if (::pipe(result) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[] = {kSharedGroup};
        int32_t r = -1;
        if (::setgroups(1, groups) == 0 && ::setresgid(kSaversOwnGroup, kSaversOwnGroup, kSaversOwnGroup) == 0 &&
            ::setresuid(kSaver, kSaver, kSaver) == 0)
            r = work();
        const bool sent = ::write(result[1], &r, sizeof r) == sizeof r;
        ::_exit(sent ? 0 : 1);
    }
    ::close(result[1]);
    int32_t r = -1;
    if (child < 0 || ::read(result[0], &r, sizeof r) != sizeof r) r = -1;
    ::close(result[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    return r;
}

// Whether the file's access list gives `user` read and write.
bool grantsReadWrite(const QString &path, uid_t user) {
    acl_t acl = acl_get_file(nativePath(path).constData(), ACL_TYPE_ACCESS);
    if (!acl) return false;
    bool found = false;
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        acl_permset_t permissions;
        if (acl_get_tag_type(entry, &tag) != 0 || tag != ACL_USER) continue;
        auto *qualifier = static_cast<uid_t *>(acl_get_qualifier(entry));
        const bool isUser = qualifier && *qualifier == user;
        acl_free(qualifier);
        if (isUser && acl_get_permset(entry, &permissions) == 0)
            found = acl_get_perm(permissions, ACL_READ) == 1 && acl_get_perm(permissions, ACL_WRITE) == 1;
    }
    acl_free(acl);
    return found;
}

class SavedByAnotherUser : public testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to act as the file's owner and as another member of its group";
        ASSERT_TRUE(top.isValid());
        // Root's temporary folder is private; the users must reach the one below.
        ASSERT_EQ(::chmod(nativePath(top.path()).constData(), 0755), 0);
        ASSERT_EQ(::mkdir(nativePath(folder).constData(), 0700), 0);
        ASSERT_EQ(::chown(nativePath(folder).constData(), kOwner, kSharedGroup), 0);
        ASSERT_EQ(::chmod(nativePath(folder).constData(), 0775), 0);
    }

    // The owner's book, shared with the group and with a third user.
    void putSharedBook() {
        ASSERT_EQ(CGADUtil::write(file, book(u"Ann")), ABIF_OK);
        ASSERT_EQ(::chown(nativePath(file).constData(), kOwner, kSharedGroup), 0);
        acl_t acl = acl_from_text("u::rw-,u:64003:rw-,g::rw-,m::rw-,o::r--");
        ASSERT_NE(acl, nullptr);
        ASSERT_EQ(acl_set_file(nativePath(file).constData(), ACL_TYPE_ACCESS, acl), 0) << "no ACL support here";
        acl_free(acl);
        hasAttribute = ::setxattr(nativePath(file).constData(), kAttribute, "kept", 4, 0) == 0;
    }

    QTemporaryDir top;
    const QString folder = top.filePath(QStringLiteral("shared"));
    const QString file = folder + QStringLiteral("/book.qad");
    bool hasAttribute = false;
};

TEST_F(SavedByAnotherUser, replacedFileKeepsItsGroupModeAccessListAndAttributes) {
    putSharedBook();
    ASSERT_EQ(asSaver([&] { return CGADUtil::write(file, book(u"Bob")); }), ABIF_OK);

    struct stat st {};
    ASSERT_EQ(::stat(nativePath(file).constData(), &st), 0);
    EXPECT_EQ(st.st_gid, kSharedGroup) << "the group-shared book became the saver's private file";
    EXPECT_EQ(st.st_uid, kSaver) << "only root may give a file away";
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_TRUE(grantsReadWrite(file, kThirdUser)) << "the third user's entry was dropped";
    if (hasAttribute) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(nativePath(file).constData(), kAttribute, value, sizeof value), 4);
        EXPECT_STREQ(value, "kept");
    }
    CAbifData onDisk;
    ASSERT_EQ(CGADUtil::read(file, onDisk), ABIF_OK);
    EXPECT_TRUE(abif::equalByKinds(onDisk, book(u"Bob"), ABIF_KIND_MYFAX));
}

// A writable file in a folder its user may not write is refused as a whole;
// so is a file the user may only read.
TEST_F(SavedByAnotherUser, fileThatCannotBeReplacedIsRefusedUntouched) {
    const struct {
        const char *name;
        mode_t folderMode;
        mode_t fileMode;
    } cases[] = {{"readOnlyFolder", 0555, 0666}, {"readOnlyFile", 0777, 0444}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(file);
        ASSERT_EQ(CGADUtil::write(file, book(u"Ann")), ABIF_OK);
        ASSERT_EQ(::chown(nativePath(file).constData(), kOwner, kSharedGroup), 0);
        ASSERT_EQ(::chmod(nativePath(file).constData(), c.fileMode), 0);
        ASSERT_EQ(::chmod(nativePath(folder).constData(), c.folderMode), 0);
        const QByteArray before = test::contentOf(file);

        EXPECT_EQ(asSaver([&] { return CGADUtil::write(file, book(u"Bob")); }), EACCES);
        CAbifData output;
        EXPECT_EQ(asSaver([&] { return CGADUtil::update(file, book(u"Ann"), book(u"Bob"), output, 0); }), EACCES);

        EXPECT_EQ(test::contentOf(file), before);
        EXPECT_EQ(test::entriesOf(folder), QStringList{"book.qad"});
        ASSERT_EQ(::chmod(nativePath(folder).constData(), 0775), 0);
    }
}

}  // namespace
