// A document against the machine stand-in, with its settings, its home
// folder (PC fax files, the default book) and its shared-folder file in
// folders of the test's own. Prompts of the document, the library and the
// connection dialogs all answer from scripts.
#pragma once

#include "connection/connection_dialogs.h"
#include "connection/settings_folder.h"
#include "devops/device_fixture.h"
#include "document/linquara_doc.h"
#include "model/model_builders.h"
#include "sharefolder/fake_share_service.h"
#include "support/scripted_prompt.h"
#include "text/editor_text.h"

#include <QFile>
#include <QTemporaryDir>

#include <deque>
#include <memory>

namespace test {

// Answers the connection method dialog with the scripted methods (none left
// cancels) and never ticks the caution's box.
class ScriptedDialogs : public ConnectionDialogs {
public:
    bool ChooseMethod(ConnectionContext &context) override {
        ++methodDialogs;
        if (methods.empty()) return false;
        context.method = methods.front();
        methods.pop_front();
        context.chosenInDialog = true;
        return true;
    }
    bool ShowCaution() override {
        ++cautions;
        return false;
    }

    std::deque<qint32> methods;
    int methodDialogs = 0;
    int cautions = 0;
};

inline QString text(int id) { return lqa::loadText(id); }

// The data set's machine fax part in the machine's own terms.
inline Book faxPart(const CAdrData &data) {
    Book book;
    data.Map<CAdrMemberAioFax>().ForEach(
        [&](const CAdrMemberAioFax &m) { book.fax[m.GetID()] = {m.GetName(), m.GetFaxNumber()}; });
    data.Map<CAdrGroupAioFax>().ForEach([&](const CAdrGroupAioFax &g) {
        qvs::GroupSlot slot{g.GetName(), {}};
        for (quint16 id : g.GetMemberIDs()) slot.members.push_back(id);
        book.groups[g.GetID()] = slot;
    });
    return book;
}

inline QStringList pcFaxNames(const CAdrData &data) {
    QStringList names;
    data.Map<CAdrMemberPcFax>().ForEach([&](const CAdrMemberPcFax &m) { names << m.GetName(); });
    return names;
}

class DocumentTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        ASSERT_TRUE(home.isValid());
        // The default PC fax file lives in the documents folder of this home.
        oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        doc = std::make_unique<CLinquaraDoc>(
            DocumentServices{prompt, dialogs, shares, home.filePath(QStringLiteral("Data.dat"))});
    }
    void TearDown() override {
        doc.reset();
        qputenv("HOME", oldHome);
        qunsetenv("XDG_CONFIG_HOME");
        DeviceTest::TearDown();
    }

    void start(const DocumentStartup &startup = {}) { ASSERT_TRUE(doc->OnNewDocument(startup)); }

    [[nodiscard]] QString file(const QString &name) const { return home.filePath(name); }
    [[nodiscard]] const CAdrData &data() const { return *doc->GetData(); }

    // A PC fax book whose members, IDs from 1, carry `names`.
    void writeBook(const QString &path, const QStringList &names) {
        CAdrData book;
        for (int i = 0; i < names.size(); ++i) book.StoreCopy(pcFax(static_cast<quint16>(i + 1), names[i]));
        CAdrInputOutput io(prompt);
        ASSERT_EQ(io.WritePcFaxFile(path, book), AdrIoOk);
    }
    [[nodiscard]] QStringList namesInFile(const QString &path) {
        CAdrInputOutput io(prompt);
        CAdrData book;
        EXPECT_EQ(io.ReadPcFaxFile(path, book), AdrIoOk) << path.toStdString();
        return pcFaxNames(book);
    }

    // A change as the editing commands make it: one step, and the book it
    // belongs to marked as modified.
    template <class Entry>
    void edit(const Entry &entry) {
        CAdrHistory &history = doc->History();
        ASSERT_TRUE(history.Begin());
        history.Store(entry);
        ASSERT_TRUE(history.Commit());
        if (Entry::kKind & AdrPartPcFax)
            doc->SetPcFaxModified(true);
        else
            doc->SetMachineModified(true);
    }
    // Stores entries unmarked in one step, as if they had always been there.
    template <class Entry>
    void storeAll(const QList<Entry> &entries) {
        CAdrData source = data();
        for (const Entry &entry : entries) source.StoreCopy(entry);
        CAdrHistory &history = doc->History();
        ASSERT_TRUE(history.Begin());
        history.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInPlain, source);
        ASSERT_TRUE(history.Commit());
    }
    // A new number for a speed dial the machine holds.
    void renumber(quint16 id, const QString &number) {
        CAdrMemberAioFax changed = *data().Map<CAdrMemberAioFax>().Lookup(id);
        changed.SetFaxNumber(number);
        edit(changed);
    }

    QTemporaryDir home;
    QByteArray oldHome;
    SettingsFolder settingsFolder;
    ScriptedPrompt prompt;
    PromptScript libraryPrompt;
    ScriptedDialogs dialogs;
    FakeShareService shares;
    std::unique_ptr<CLinquaraDoc> doc;
};

}  // namespace test
