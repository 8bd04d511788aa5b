#include "qt/design/step_frame.h"

#include <QPainter>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace {

constexpr int kTitleGap = 3;  // between the title's line and the border, as the style leaves it

}  // namespace

QRect StepFrame::borderRect() const {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect frame =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
    const int titleHeight =
        title().isEmpty() && !isCheckable()
            ? 0
            : std::max(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, this),
                       option.fontMetrics.height());
    return frame.adjusted(0, titleHeight + kTitleGap, 0, 0);
}

void StepFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The style's border runs one pixel in from the frame area's left and top edges.
    const QRect r = borderRect().adjusted(1, 1, 0, 0);
    if (r.width() > 4 && r.height() > 4) {
        const QColor window = palette().color(QPalette::Window);
        auto shade = [&window](double darker) {
            return QColor::fromRgbF(window.redF() * (1 - darker), window.greenF() * (1 - darker),
                                    window.blueF() * (1 - darker));
        };
        // A face a shade darker than the window, a light line inside the border, the border
        // itself, and corners rounded by a few softer pixels.
        painter.fillRect(r.adjusted(1, 1, -1, -1), shade(0.0126));
        painter.setPen(shade(0.03));
        painter.drawRect(r.adjusted(1, 1, -2, -2));
        painter.setPen(shade(0.1));
        painter.drawLine(r.left() + 2, r.top(), r.right() - 2, r.top());
        painter.drawLine(r.left() + 2, r.bottom(), r.right() - 2, r.bottom());
        painter.drawLine(r.left(), r.top() + 2, r.left(), r.bottom() - 2);
        painter.drawLine(r.right(), r.top() + 2, r.right(), r.bottom() - 2);
        const QPoint corners[] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
        for (const QPoint& corner : corners) {
            const int dx = corner.x() == r.left() ? 1 : -1;
            const int dy = corner.y() == r.top() ? 1 : -1;
            painter.setPen(shade(0.04));
            painter.drawPoint(corner);
            painter.setPen(shade(0.125));
            painter.drawPoint(corner + QPoint(dx, 0));
            painter.drawPoint(corner + QPoint(0, dy));
            painter.setPen(shade(0.075));
            painter.drawPoint(corner + QPoint(dx, dy));
        }
    }
    // The title (and nothing else) as the style draws it.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.subControls &= ~QStyle::SC_GroupBoxFrame;
    style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
}
