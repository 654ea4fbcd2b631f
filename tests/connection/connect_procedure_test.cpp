// The connect procedure and the start-up loop against the machine stand-in:
// what is asked, what is read and which settings are written.
#include "connection/connect_procedure.h"
#include "connection/connection_dialogs.h"
#include "devops/device_fixture.h"
#include "document/adr_input_output.h"
#include "settings_folder.h"
#include "support/scripted_prompt.h"

#include <deque>
#include <optional>

namespace {

const QString kRetryText =
    QStringLiteral("Unable to connect to the machine.\nThe cable may be disconnected, or the power may be off.");

// Answers the connection dialogs from a script: each method choice is a
// method and a check box state, none left cancels.
class ScriptedDialogs : public ConnectionDialogs {
public:
    struct Choice {
        qint32 method;
        qint32 doNotShow;
    };

    bool ChooseMethod(ConnectionContext &context) override {
        offered.push_back(context.method);
        if (choices.empty()) return false;
        context.method = choices.front().method;
        context.doNotShow = choices.front().doNotShow;
        context.chosenInDialog = true;
        choices.pop_front();
        return true;
    }
    bool ShowCaution() override {
        ++cautions;
        return tickCaution;
    }

    std::deque<Choice> choices;
    std::vector<qint32> offered;  // the method each dialog opened with
    int cautions = 0;
    bool tickCaution = false;
};

class ConnectProcedureTest : public test::DeviceTest {
protected:
    ConnectionContext startupContext() { return ConnectProcedure::StartupContext(settings, -1, QString()); }
    // A later connect, as the check for updated information runs it.
    static ConnectionContext laterContext() { return {MethodUsb, QString(), 1, false}; }
    bool readSomething() const { return !data.Map<CAdrMemberAioFax>().IsEmpty(); }

    test::SettingsFolder folder;
    ConnectionSettings settings;
    ScriptedPrompt prompt;
    test::PromptScript libraryPrompt;
    CAdrInputOutput io{prompt};
    ScriptedDialogs dialogs;
    ConnectProcedure procedure{settings, io, prompt, dialogs};
    CAdrData data;
};

TEST_F(ConnectProcedureTest, noSettingsAtAllConnectsOverUsbAtOnceWithoutAsking) {
    ConnectionContext context = startupContext();
    const ConnectOutcome outcome = procedure.StartUp(context, data);
    EXPECT_EQ(outcome.code, AdrIoOk);
    EXPECT_TRUE(outcome.online);
    EXPECT_TRUE(dialogs.offered.empty());
    EXPECT_TRUE(readSomething());
    QSettings raw = test::SettingsFolder::raw();
    EXPECT_EQ(raw.value("DestType").toInt(), 0);
    EXPECT_EQ(raw.value("ConTypeSave").toInt(), 1);
}

TEST_F(ConnectProcedureTest, anUnchosenMethodAsksEvenWhenTheDialogIsSwitchedOff) {
    test::SettingsFolder::raw().setValue("DestType", -1);
    dialogs.choices = {{MethodUsb, 1}};
    ConnectionContext context = startupContext();
    EXPECT_TRUE(procedure.StartUp(context, data).online);
    EXPECT_EQ(dialogs.offered, std::vector<qint32>{-1});
    EXPECT_EQ(settings.DestType(), 0);
}

TEST_F(ConnectProcedureTest, cancelAtStartUpReportsCancellationAndReadsNothing) {
    test::SettingsFolder::raw().setValue("ConTypeSave", 0);
    ConnectionContext context = startupContext();
    const ConnectOutcome outcome = procedure.StartUp(context, data);
    EXPECT_EQ(outcome.code, kConnectChoiceCancelled);
    EXPECT_FALSE(outcome.online);
    EXPECT_EQ(dialogs.offered.size(), 1u);
    EXPECT_FALSE(readSomething());
}

TEST_F(ConnectProcedureTest, usbWithTheMachineOffAtStartUpAsksAgainWithoutTheCaution) {
    panel({"power", "off"});
    test::SettingsFolder::raw().setValue("ConTypeSave", 0);
    dialogs.choices = {{MethodUsb, 0}, {MethodOffline, 0}};
    ConnectionContext context = startupContext();
    const ConnectOutcome outcome = procedure.StartUp(context, data);
    EXPECT_EQ(outcome.code, AdrIoOk);
    EXPECT_FALSE(outcome.online);
    EXPECT_EQ(prompt.shown, QStringList{kRetryText});
    EXPECT_EQ(dialogs.offered, (std::vector<qint32>{0, 0}));
    EXPECT_EQ(dialogs.cautions, 0);
    EXPECT_EQ(settings.ConTypeSave(), 0) << "offline with the box clear asks again at the next start";
}

TEST_F(ConnectProcedureTest, theRetryAsksEvenWhenTheStoredChoiceSkippedTheDialog) {
    panel({"power", "off"});
    ConnectionContext context = startupContext();
    EXPECT_EQ(procedure.StartUp(context, data).code, kConnectChoiceCancelled);
    EXPECT_EQ(prompt.shown, QStringList{kRetryText});
    EXPECT_EQ(dialogs.offered.size(), 1u);
}

TEST_F(ConnectProcedureTest, offlineWithTheBoxTickedStoresTheChoiceAndNeverTouchesTheMachine) {
    test::SettingsFolder::raw().setValue("DestType", -1);
    dialogs.choices = {{MethodOffline, 1}};
    ConnectionContext context = ConnectProcedure::StartupContext(settings, -1, QString());
    EXPECT_FALSE(procedure.StartUp(context, data).online);
    EXPECT_FALSE(readSomething());
    EXPECT_EQ(settings.DestType(), 1);
    EXPECT_EQ(settings.ConTypeSave(), 1);
}

TEST_F(ConnectProcedureTest, aMethodOnTheCommandLineWinsOverTheStoredOne) {
    test::SettingsFolder::raw().setValue("DestType", 0);
    test::SettingsFolder::raw().setValue("ConTypeSave", 0);
    const ConnectionContext context = ConnectProcedure::StartupContext(settings, 1, QStringLiteral("lan-3"));
    EXPECT_EQ(context.method, 1);
    EXPECT_EQ(context.deviceName, QStringLiteral("lan-3"));
    EXPECT_EQ(context.doNotShow, 0);
    EXPECT_TRUE(context.chosenInDialog);
}

TEST_F(ConnectProcedureTest, aLaterConnectWithTheMachineOffShowsTheCautionUnlessSwitchedOff) {
    struct Case {
        const char *what;
        qint32 cautionFlags;
        bool tick;
        int cautions;
        qint32 cautionFlagsAfter;
        qint32 conTypeSaveAfter;
    };
    const Case cases[] = {
        {"ticked", 0, true, 1, 1, 1},
        {"left clear", 0, false, 1, 0, 0},
        {"switched off", 1, true, 0, 1, 7},
    };
    panel({"power", "off"});
    for (const Case &c : cases) {
        settings.WriteConfig({1, 0, 2, c.cautionFlags});
        settings.WriteConTypeSave(7);
        dialogs.cautions = 0;
        dialogs.tickCaution = c.tick;
        ConnectionContext context = laterContext();
        const ConnectOutcome outcome = procedure.Connect(context, data);
        EXPECT_EQ(outcome.code, AdrIoStatusFailed) << c.what;
        EXPECT_FALSE(outcome.online) << c.what;
        EXPECT_EQ(dialogs.cautions, c.cautions) << c.what;
        EXPECT_EQ(settings.Config(), (EnvironmentRecord{1, 0, 2, c.cautionFlagsAfter})) << c.what;
        EXPECT_EQ(settings.ConTypeSave(), c.conTypeSaveAfter) << c.what;
    }
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(ConnectProcedureTest, anotherFailureLaterShowsItsMessageInsteadOfTheCaution) {
    panel({"fault", "malformed"});
    ConnectionContext context = laterContext();
    EXPECT_EQ(procedure.Connect(context, data).code, AdrIoReadFailed);
    EXPECT_EQ(dialogs.cautions, 0);
    EXPECT_EQ(prompt.shown, QStringList{QStringLiteral("Data maybe corrupted or incorrect format. (6)")});
}

TEST_F(ConnectProcedureTest, aMachineWithoutFaxSlotsIsReachedAtStartUpAndLater) {
    panel({"reset"});
    panel({"capacity", "0", "6"});
    ConnectionContext context = startupContext();
    const ConnectOutcome outcome = procedure.StartUp(context, data);
    EXPECT_EQ(outcome.code, AdrIoOk);
    EXPECT_TRUE(outcome.online);
    EXPECT_TRUE(dialogs.offered.empty()) << "no retry";
    EXPECT_EQ(settings.DestType(), MethodUsb);

    ConnectionContext later = laterContext();
    EXPECT_TRUE(procedure.Connect(later, data).online);
    EXPECT_FALSE(readSomething());
    EXPECT_EQ(dialogs.cautions, 0);
    EXPECT_TRUE(prompt.shown.isEmpty()) << prompt.shown.join(QLatin1Char('|')).toStdString();
}

TEST_F(ConnectProcedureTest, aCancelledOrRefusedPasswordAtStartUpLeavesTheEditorOffline) {
    struct Case {
        const char *what;
        std::deque<QString> passwords;  // none left cancels the prompt
        quint16 code;
        QStringList shown;
    };
    const Case cases[] = {
        {"cancelled", {}, AdrIoCancelled, {}},
        {"three wrong passwords",
         {QStringLiteral("1111"), QStringLiteral("2222"), QStringLiteral("3333")},
         AdrIoPasswordFailed,
         {QStringLiteral("The password was not accepted by the machine.")}},
    };
    panel({"password", "set", "4711"});
    for (const Case &c : cases) {
        prompt.shown.clear();
        dialogs.offered.clear();
        libraryPrompt.passwords = c.passwords;
        ConnectionContext context = startupContext();
        const ConnectOutcome outcome = procedure.StartUp(context, data);
        EXPECT_EQ(outcome.code, c.code) << c.what;
        EXPECT_FALSE(outcome.online) << c.what;
        EXPECT_TRUE(dialogs.offered.empty()) << c.what << ": no retry, the method stands";
        EXPECT_EQ(prompt.shown, c.shown) << c.what;
        EXPECT_FALSE(readSomething()) << c.what;
    }
}

TEST_F(ConnectProcedureTest, aRefusedPasswordLaterSaysSoInsteadOfACode) {
    panel({"password", "set", "4711"});
    libraryPrompt.passwords = {QStringLiteral("1111"), QStringLiteral("2222"), QStringLiteral("3333")};
    ConnectionContext context = laterContext();
    EXPECT_EQ(procedure.Connect(context, data).code, AdrIoPasswordFailed);
    EXPECT_EQ(dialogs.cautions, 0);
    EXPECT_EQ(prompt.shown, QStringList{QStringLiteral("The password was not accepted by the machine.")});
}

TEST_F(ConnectProcedureTest, aSwitchedOffConnectionReadsNothingAndWritesNothing) {
    settings.WriteConfig({0, 1, 1, 0});
    ConnectionContext context = laterContext();
    const ConnectOutcome outcome = procedure.Connect(context, data);
    EXPECT_EQ(outcome.code, kConnectSwitchedOff);
    EXPECT_FALSE(outcome.online);
    EXPECT_FALSE(readSomething());
    EXPECT_FALSE(test::SettingsFolder::raw().contains("ConTypeSave"));
}

TEST_F(ConnectProcedureTest, theDebugFlagBehavesAsConnectedWithoutTheMachine) {
    panel({"power", "off"});
    test::SettingsFolder::raw().setValue("DebugFlag", 1);
    ConnectionContext context = laterContext();
    const ConnectOutcome outcome = procedure.Connect(context, data);
    EXPECT_EQ(outcome.code, AdrIoOk);
    EXPECT_TRUE(outcome.online);
    EXPECT_FALSE(readSomething());
    EXPECT_EQ(dialogs.cautions, 0);
}

}  // namespace
