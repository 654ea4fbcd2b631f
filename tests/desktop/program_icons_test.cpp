// The program's drawings load from the resources and stay legible at the
// tree's and the toolbar's sizes.
#include "ui/program_icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QSvgRenderer>

#include <string>

namespace {

using lqa::TreeImage;

// How many pixels of an image are visibly drawn.
int opaquePixels(const QImage &image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

QImage rendered(const QIcon &icon, int size) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

class TreeImages : public ::testing::TestWithParam<TreeImage> {};

TEST_P(TreeImages, bothVariantsAreValidDrawingsThatFillTheirSquareAtSixteenAndThirtyTwoPixels) {
    for (bool online : {true, false}) {
        const QIcon icon = lqa::treeIcon(GetParam(), online);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(QSvgRenderer(lqa::treeImagePath(GetParam(), online)).isValid());
        for (int size : {16, 32}) {
            const QImage image = rendered(icon, size);
            ASSERT_EQ(image.size(), QSize(size, size));
            // Legible: at least a third of the square is drawn, and the drawing
            // is not a solid block either.
            const int drawn = opaquePixels(image);
            EXPECT_GT(drawn, size * size / 3) << size;
            EXPECT_LT(drawn, size * size) << size;
        }
    }
}

TEST_P(TreeImages, offlineLooksDifferentFromOnline) {
    EXPECT_NE(rendered(lqa::treeIcon(GetParam(), true), 32), rendered(lqa::treeIcon(GetParam(), false), 32));
}

std::string imageName(const ::testing::TestParamInfo<TreeImage> &info) {
    switch (info.param) {
    case TreeImage::MachineBook: return "MachineBook";
    case TreeImage::Fax: return "Fax";
    case TreeImage::PcFaxBook: return "PcFaxBook";
    case TreeImage::Group: return "Group";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(All, TreeImages,
                         ::testing::Values(TreeImage::MachineBook, TreeImage::Fax, TreeImage::PcFaxBook, TreeImage::Group),
                         imageName);

TEST(ApplicationIcon, rendersAtEveryThemeSize) {
    const QIcon icon = lqa::applicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 48, 256}) EXPECT_GT(opaquePixels(rendered(icon, size)), size * size / 2) << size;
}


}  // namespace
