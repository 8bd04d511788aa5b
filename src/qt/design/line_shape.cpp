#include "qt/design/line_shape.h"

#include <QPainter>

#include "window/twips.h"

LineShape::LineShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void LineShape::setLine(int x1, int y1, int x2, int y2, int penWidth, double scale) {
    setProperty("x1", x1);
    setProperty("y1", y1);
    setProperty("x2", x2);
    setProperty("y2", y2);
    penWidth_ = penWidth;
    auto at = [scale](int twips) {
        return scale == 1.0 ? toPixels(twips) : qRound(toPixels(twips) * scale);
    };
    const QPoint a(at(x1), at(y1));
    const QPoint b(at(x2), at(y2));
    const int margin = penWidth;
    const QRect box = QRect(a, b).normalized().adjusted(-margin, -margin, margin, margin);
    from_ = a - box.topLeft();
    to_ = b - box.topLeft();
    setGeometry(box);
    update();
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(
        QPen(palette().color(QPalette::WindowText), penWidth_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from_, to_);
}
