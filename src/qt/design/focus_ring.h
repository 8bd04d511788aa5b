#pragma once

#include <QPainter>
#include <QPointer>
#include <QWidget>

// A clear frame drawn around the control that has the keyboard focus, over the design surface,
// for pupils working without a mouse. It takes no click.
class FocusRing : public QWidget {
  public:
    explicit FocusRing(QWidget* surface) : QWidget(surface) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    // Follows the focus onto a control of the surface, or hides when it leaves it.
    void follow(QWidget* focused) {
        QWidget* surface = parentWidget();
        if (!focused || focused == surface || !surface->isAncestorOf(focused)) {
            hide();
            return;
        }
        // An editable list's field has the focus inside its list: frame the whole list.
        if (QWidget* outer = focused->parentWidget(); outer && outer->focusProxy() == nullptr &&
                                                      focused->focusProxy() == nullptr &&
                                                      outer->inherits("QComboBox"))
            focused = outer;
        const QRect box(focused->mapTo(surface, QPoint(0, 0)), focused->size());
        setGeometry(box.adjusted(-kWidth, -kWidth, kWidth, kWidth));
        raise();
        show();
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QPen pen(QColor(230, 120, 0), kWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(
            QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
    }

  private:
    static constexpr int kWidth = 3;
};
