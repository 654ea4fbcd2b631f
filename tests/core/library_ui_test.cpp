// Without a QApplication the library still answers every prompt.
#include "core/library_ui.h"

#include <gtest/gtest.h>

namespace {

using abif::MessageAnswer;
using abif::MessageButtons;

TEST(HeadlessUi, writesTheMessageToStandardErrorAndDeclines) {
    abif::setLibraryUi(nullptr);
    struct Case {
        MessageButtons buttons;
        MessageAnswer answer;
    };
    for (const Case c : {Case{MessageButtons::Ok, MessageAnswer::Ok}, Case{MessageButtons::OkCancel, MessageAnswer::Cancel},
                         Case{MessageButtons::YesNo, MessageAnswer::No},
                         Case{MessageButtons::YesNoCancel, MessageAnswer::Cancel}}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(abif::libraryUi().message(QStringLiteral("ERROR"), c.buttons, abif::MessageIcon::Error), c.answer);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("ERROR"), std::string::npos);
    }
}

}  // namespace
