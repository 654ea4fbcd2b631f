// The desktop prompts, driven through their real widgets offscreen.
#include "ui/widget_prompt.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `act` on the modal dialog of type T once it is shown.
template <class T>
void whenShown(std::function<void(T *)> act) {
    QTimer::singleShot(0, [act] {
        if (T *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            act(dialog);
        } else {
            whenShown<T>(act);
        }
    });
}

TEST(QtNameFilters, turnsPipeSeparatedPairsIntoQtFilters) {
    EXPECT_EQ(QtNameFilters(QStringLiteral("Backup File for QV MF(*.qbk)|*.qbk|All Files (*.*)|*.*||")),
              (QStringList{QStringLiteral("Backup File for QV MF (*.qbk)"), QStringLiteral("All Files (*)")}));
    EXPECT_EQ(QtNameFilters(QStringLiteral("Address books|*.qad;*.csv||")),
              QStringList{QStringLiteral("Address books (*.qad *.csv)")});
    EXPECT_TRUE(QtNameFilters(QString()).isEmpty());
}

TEST(WidgetPrompt, saveDialogOffersTheFiltersAndAddsTheDefaultSuffix) {
    QTemporaryDir folder;
    WidgetPrompt prompt;
    QFileDialog::AcceptMode mode{};
    QStringList filters;
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        mode = dialog->acceptMode();
        filters = dialog->nameFilters();
        dialog->selectFile(folder.filePath(QStringLiteral("office")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString chosen = prompt.chooseFile(
        {FileChoice::Save, QStringLiteral("Backup File for QV MF(*.qbk)|*.qbk|All Files (*.*)|*.*||"), QStringLiteral("qbk"), {}});
    EXPECT_EQ(mode, QFileDialog::AcceptSave);
    EXPECT_EQ(filters.size(), 2);
    EXPECT_EQ(chosen, folder.filePath(QStringLiteral("office.qbk")));
}

TEST(WidgetPrompt, cancellingTheOpenDialogGivesNoPath) {
    WidgetPrompt prompt;
    QFileDialog::FileMode fileMode{};
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        fileMode = dialog->fileMode();
        dialog->reject();
    });
    EXPECT_TRUE(prompt.chooseFile({FileChoice::Open, QStringLiteral("All Files (*.*)|*.*||"), {}, {}}).isEmpty());
    EXPECT_EQ(fileMode, QFileDialog::ExistingFile);
}

TEST(WidgetPrompt, messageBoxShowsTheCaptionAndReturnsTheButtonPressed) {
    struct Case {
        PromptButtons buttons;
        QMessageBox::StandardButton press;
        PromptAnswer answer;
    };
    for (const Case &c : {Case{PromptButtons::YesNoCancel, QMessageBox::No, PromptAnswer::No},
                          Case{PromptButtons::YesNoCancel, QMessageBox::Cancel, PromptAnswer::Cancel},
                          Case{PromptButtons::OkCancel, QMessageBox::Ok, PromptAnswer::Ok},
                          Case{PromptButtons::YesNo, QMessageBox::Yes, PromptAnswer::Yes}}) {
        WidgetPrompt prompt;
        QString caption, text;
        whenShown<QMessageBox>([&](QMessageBox *box) {
            caption = box->windowTitle();
            text = box->text();
            box->button(c.press)->click();
        });
        EXPECT_EQ(prompt.message(QStringLiteral("Save changes?"), c.buttons, PromptIcon::Question), c.answer);
        EXPECT_EQ(caption, QStringLiteral("Linquara"));
        EXPECT_EQ(text, QStringLiteral("Save changes?"));
    }
}

}  // namespace
