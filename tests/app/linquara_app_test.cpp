// The start-up sequence up to the document and its main window, driven with
// a document template that records what the application asks of it.
#include "app/linquara_app.h"
#include "app/ui_language.h"
#include "connection/settings_folder.h"
#include "machine_settings.h"
#include "serve_while.h"
#include "text/editor_text.h"
#include "when_shown.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct Recording {
    QStringList calls;
    QString titleWhenRegistered;
    QString settingsFileWhenRegistered;
    qint32 connectionWhenRegistered = 0;
    bool openSucceeds = true;
    bool closeAnswer = false;
    QWidget *window = nullptr;
};

class RecordingTemplate : public DocumentTemplate {
public:
    RecordingTemplate(CLinquaraApp &app, Recording &log) : m_app(app), m_log(log) {}

    bool OpenDocumentFile(const QString &fileName) override {
        m_log.calls << QStringLiteral("open '%1' connection %2 address '%3'")
                           .arg(fileName)
                           .arg(m_app.cmdConnection())
                           .arg(m_app.cmdAddress());
        return m_log.openSucceeds;
    }
    void ShowMainWindow() override { m_log.calls << QStringLiteral("show"); }
    QWidget *MainWindow() override { return m_log.window; }
    void OpenFileFromSecondStart(const QString &path) override { m_log.calls << QStringLiteral("open file ") + path; }
    bool RequestClose() override {
        m_log.calls << QStringLiteral("close");
        return m_log.closeAnswer;
    }

private:
    CLinquaraApp &m_app;
    Recording &m_log;
};

class LinquaraAppTest : public ::testing::Test {
protected:
    void TearDown() override { lqa::setModuleTexts({}); }

    std::unique_ptr<CLinquaraApp> makeApp(const QString &program = QStringLiteral(PROBE_PROGRAM)) {
        return std::make_unique<CLinquaraApp>(
            [this](CLinquaraApp &app) {
                log.titleWhenRegistered = lqa::loadText(lqa::ids::AppTitle);
                log.settingsFileWhenRegistered = QSettings().fileName();
                log.connectionWhenRegistered = app.cmdConnection();
                return std::make_unique<RecordingTemplate>(app, log);
            },
            program, instances.path());
    }

    test::SettingsFolder settings;
    test::MachineSettings machine;
    QTemporaryDir instances;
    Recording log;
};

TEST_F(LinquaraAppTest, startsInOrderAndHandsTheCommandLineToTheDocument) {
    auto app = makeApp();
    ASSERT_TRUE(app->InitInstance({QStringLiteral("linquara"), QStringLiteral("/NET"), QStringLiteral("10.0.0.7")}));

    EXPECT_TRUE(app->languageModuleLoaded());
    EXPECT_EQ(log.titleWhenRegistered, QStringLiteral("Linquara Probe")) << "the language comes first";
    EXPECT_EQ(log.settingsFileWhenRegistered, test::SettingsFolder::raw().fileName())
        << "the settings are where the connection settings keep theirs";
    EXPECT_EQ(log.connectionWhenRegistered, -1) << "the command line is read after the template is registered";
    EXPECT_EQ(log.calls, (QStringList{QStringLiteral("open '10.0.0.7' connection 1 address '10.0.0.7'"),
                                      QStringLiteral("show")}));
    EXPECT_EQ(CLinquaraApp::Instance(), app.get());
}

TEST_F(LinquaraAppTest, withoutSwitchesTheStoredConnectionIsKept) {
    auto app = makeApp();
    ASSERT_TRUE(app->InitInstance({QStringLiteral("linquara")}));
    EXPECT_EQ(log.calls, (QStringList{QStringLiteral("open '' connection -1 address ''"), QStringLiteral("show")}));
}

TEST_F(LinquaraAppTest, endsWithoutAWindowWhenTheDocumentCannotBeCreated) {
    log.openSucceeds = false;
    auto app = makeApp();
    EXPECT_FALSE(app->InitInstance({QStringLiteral("linquara"), QStringLiteral("missing.qad")}));
    EXPECT_EQ(log.calls, QStringList{QStringLiteral("open 'missing.qad' connection -1 address ''")});

    app.reset();
    CLinquaraApp withoutTemplate([](CLinquaraApp &) { return nullptr; }, QStringLiteral(PROBE_PROGRAM),
                                 instances.path());
    EXPECT_FALSE(withoutTemplate.InitInstance({QStringLiteral("linquara")}));
}

TEST_F(LinquaraAppTest, otherEditorsReachTheWindowAndTheDocument) {
    QWidget window;
    window.show();
    log.window = &window;
    auto app = makeApp();
    ASSERT_TRUE(app->InitInstance({QStringLiteral("linquara")}));
    const auto send = [&](InstanceRequest request) {
        return test::whileServing(
            [&] { return SingleInstance::Send(CLinquaraApp::instanceName, instances.path(), request); });
    };

    struct Case {
        Qt::WindowStates before;
        Qt::WindowStates after;
    } cases[] = {
        {Qt::WindowMinimized, Qt::WindowNoState},
        {Qt::WindowMinimized | Qt::WindowMaximized, Qt::WindowMaximized},
        {Qt::WindowMaximized, Qt::WindowMaximized},
    };
    for (const Case &c : cases) {
        window.setWindowState(c.before);
        EXPECT_EQ(send(InstanceRequest::Front), std::optional<bool>(true));
        EXPECT_EQ(window.windowState() & ~Qt::WindowActive, c.after) << int(c.before);
    }

    log.closeAnswer = true;
    EXPECT_EQ(send(InstanceRequest::Close), std::optional<bool>(true));
    EXPECT_EQ(log.calls.last(), QStringLiteral("close"));
}

TEST_F(LinquaraAppTest, messagesCarryTheApplicationTitleOfTheLoadedLanguage) {
    auto app = makeApp();
    ASSERT_TRUE(app->InitInstance({QStringLiteral("linquara")}));
    QString caption;
    QString text;
    test::whenShown<QMessageBox>([&](QMessageBox *box) {
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(app->ShowMessage(QStringLiteral("Save the changes?"), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Question),
              QMessageBox::No);
    EXPECT_EQ(caption, QStringLiteral("Linquara Probe"));
    EXPECT_EQ(text, QStringLiteral("Save the changes?"));
}

}  // namespace
