#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include "qt/app/program_icon.h"

namespace {

QImage drawing(int size) {
    return QImage(QString(":/icons/ventakar-%1.png").arg(size))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage shown(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

TEST(ProgramIcon, OffersEachDrawnSizeAndGivesTheDrawingItself) {
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {256, 256}}));
    for (int size : {16, 32, 48, 256}) {
        ASSERT_FALSE(drawing(size).isNull()) << size;
        EXPECT_EQ(shown(icon.pixmap(size)), drawing(size)) << size;
    }
}

TEST(ProgramIcon, AnotherSizeIsScaledFromTheNextLargerDrawing) {
    const QIcon icon = programIcon();
    struct Case {
        int wanted;
        int source;
    };
    for (const Case c : {Case{24, 32}, Case{40, 48}, Case{64, 256}, Case{512, 256}}) {
        const QPixmap pixmap = icon.pixmap(c.wanted);
        // A larger size than any drawing is the largest, never blown up.
        const int side = std::min(c.wanted, c.source);
        EXPECT_EQ(pixmap.size(), QSize(side, side)) << c.wanted;
        EXPECT_EQ(icon.actualSize(QSize(c.wanted, c.wanted)), QSize(side, side)) << c.wanted;
        // The middle of the icon is the drawing's, not a blank or another picture.
        const QImage expected =
            drawing(c.source).scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        EXPECT_EQ(shown(pixmap).pixelColor(side / 2, side / 2),
                  expected.pixelColor(side / 2, side / 2))
            << c.wanted;
    }
}

TEST(ProgramIcon, TheDisabledIconIsFadedAndAnEmptySizeGivesNothing) {
    const QIcon icon = programIcon();
    const QImage normal = shown(icon.pixmap(48));
    const QImage disabled = shown(icon.pixmap(QSize(48, 48), QIcon::Disabled));
    ASSERT_EQ(disabled.size(), normal.size());
    EXPECT_NE(disabled, normal);
    EXPECT_LT(disabled.pixelColor(24, 24).alpha(), normal.pixelColor(24, 24).alpha());
    EXPECT_TRUE(icon.pixmap(QSize(0, 0)).isNull());
    // A copy of the icon draws the same.
    const QIcon copy = icon;
    EXPECT_EQ(shown(copy.pixmap(32)), drawing(32));
}
