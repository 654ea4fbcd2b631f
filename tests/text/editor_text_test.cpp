// Texts come from the language module where it has them and from the
// built-in English table otherwise.
#include "text/editor_text.h"

#include <gtest/gtest.h>

namespace {

class EditorTextTest : public ::testing::Test {
protected:
    void TearDown() override { lqa::setModuleTexts({}); }
};

TEST_F(EditorTextTest, builtInEnglishAnswersKnownNumbersOnly) {
    EXPECT_EQ(lqa::loadText(lqa::ids::AppTitle), QStringLiteral("Linquara"));
    EXPECT_EQ(lqa::loadText(lqa::ids::RegistryKey), QStringLiteral("Velmorante\\Quillabrex K7710_K7910"));
    EXPECT_TRUE(lqa::loadText(-1).isEmpty());
}

TEST_F(EditorTextTest, moduleTextsComeFirstAndMissingOnesFallBack) {
    static const lqa::StringEntry module[] = {{57344, u"Linquara \u4E2D\u6587"}};
    lqa::setModuleTexts(module);
    EXPECT_EQ(lqa::loadText(lqa::ids::AppTitle), QStringLiteral("Linquara \u4E2D\u6587"));
    EXPECT_EQ(lqa::loadText(lqa::ids::RegistryKey), QStringLiteral("Velmorante\\Quillabrex K7710_K7910"));
    lqa::setModuleTexts({});
    EXPECT_EQ(lqa::loadText(lqa::ids::AppTitle), QStringLiteral("Linquara"));
}

TEST_F(EditorTextTest, formatFillsFieldsInOrderAndLeavesNumberedOnes) {
    static const lqa::StringEntry module[] = {{57344, u"%s has %d%% of %1; %s"}};
    lqa::setModuleTexts(module);
    EXPECT_EQ(lqa::formatText(lqa::ids::AppTitle, {QStringLiteral("Ann"), QStringLiteral("40")}),
              QStringLiteral("Ann has 40% of %1; "));
}

}  // namespace
