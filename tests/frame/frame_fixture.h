// A main frame around a document connected to the machine stand-in (or
// offline), with the test list in its upper right pane and entry dialogs
// that record what they were asked for.
#pragma once

#include "connection/settings_folder.h"
#include "document/document_fixture.h"
#include "document/scripted_entry_editor.h"
#include "frame/lqa_tree_view.h"
#include "frame/main_frame.h"
#include "frame/test_list_pane.h"
#include "ui/list_factory.h"

#include <QApplication>
#include <QTest>

#include <memory>

namespace test {

class FrameTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->SetEntryEditor(&editor);
        auto record = [this](const char *what) {
            return [this, what](auto &...) {
                asked << QLatin1String(what);
                return false;
            };
        };
        editor.aioFax = record("machine fax member");
        editor.aioFaxGroup = record("machine fax group");
        editor.pcFax = record("PC fax member");
        editor.pcFaxGroup = record("PC fax group");
    }
    void TearDown() override {
        frame.reset();
        DocumentTest::TearDown();
    }

    // A new document in place of the fixture's, for a second start.
    void freshDocument() {
        frame.reset();
        doc = std::make_unique<CLinquaraDoc>(
            DocumentServices{prompt, dialogs, shares, home.filePath(QStringLiteral("Data.dat"))});
        doc->SetEntryEditor(&editor);
    }
    void startOnline() { start(); }
    void startOffline() { start({MethodOffline, {}, {}, {}}); }

    void makeFrame() {
        frame = std::make_unique<CMainFrame>(
            *doc, [](CLinquaraDoc &d, CLqaListHost &host, CLqaDetailView &, QWidget *parent) {
                return std::make_unique<TestListPane>(d, host, parent);
            });
    }
    // The frame as the program makes it, with the real entry list.
    void makeFrameWithEntryList() { frame = std::make_unique<CMainFrame>(*doc, CreateEntryList); }
    void showFrame() {
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    [[nodiscard]] CLqaTreeView &tree() const { return *frame->TreeView(); }
    [[nodiscard]] TestListPane &list() const { return *static_cast<TestListPane *>(frame->ListPane()); }

    ScriptedEntryEditor editor;
    QStringList asked;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace test
