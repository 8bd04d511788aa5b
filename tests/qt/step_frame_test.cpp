#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStyle>

#include "qt/design/step_frame.h"

namespace {

QImage drawn(QWidget& widget) {
    widget.ensurePolished();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels that differ by more than a shade between two drawings of the same size.
int differingPixels(const QImage& a, const QImage& b, int tolerance) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) > tolerance ||
                std::abs(p.green() - q.green()) > tolerance ||
                std::abs(p.blue() - q.blue()) > tolerance)
                ++differing;
        }
    }
    return differing;
}

}  // namespace

// The step frames keep the look of the toolkit's group box: the same title at the same place, the
// same border and face, within a shade, except at the rounded corners.
TEST(StepFrame, LooksLikeTheToolkitsGroupBoxAtEverySize) {
    struct Case {
        QString title;
        QSize size;
        bool enabled;
    };
    for (const Case& c : {Case{"Etape 1", {208, 400}, true}, Case{"Etape 12", {560, 120}, true},
                          Case{"Etape 14", {96, 60}, false}, Case{"", {150, 80}, true}}) {
        QGroupBox toolkit(c.title);
        StepFrame ours(c.title);
        for (QWidget* w : {static_cast<QWidget*>(&toolkit), static_cast<QWidget*>(&ours)}) {
            w->resize(c.size);
            w->setEnabled(c.enabled);
        }
        const QImage expected = drawn(toolkit), actual = drawn(ours);
        ASSERT_EQ(actual.size(), expected.size());
        EXPECT_LE(differingPixels(actual, expected, 3), 16) << c.title.toStdString();
        // Nothing blank passes for a match: the border shows, and so does a title.
        const QRect border = ours.borderRect().adjusted(1, 1, 0, 0);
        const QColor edge = actual.pixelColor(border.left(), border.center().y());
        EXPECT_LT(edge.lightness(), ours.palette().color(QPalette::Window).lightness() - 10);
        int dark = 0;
        for (int y = 0; y < border.top(); ++y)
            for (int x = 0; x < actual.width(); ++x)
                dark += actual.pixelColor(x, y).lightness() <
                        ours.palette().color(QPalette::Window).lightness() - 40;
        EXPECT_EQ(dark > 0, !c.title.isEmpty()) << c.title.toStdString();
    }
}

// A screen reader still meets a group named by its step, as with the toolkit's group box.
TEST(StepFrame, IsAGroupNamedByItsStepForAScreenReader) {
    for (const QString& title : {QString("Etape 3"), QString("Etape 14")}) {
        StepFrame frame(title);
        new QLabel("Masse (g)", &frame);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&frame);
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(reader->role(), QAccessible::Grouping);
        EXPECT_EQ(reader->text(QAccessible::Name), title);
        EXPECT_EQ(reader->childCount(), 1);
    }
}
