#pragma once

#include <QCheckBox>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionButton>

// An option button or check box whose caption wraps onto several lines inside its box, as the
// narrow step frames need; text() stays the caption as written.
template <typename Button, QStyle::SubElement IndicatorRect, QStyle::PrimitiveElement Indicator>
class WrappingButton : public Button {
  public:
    using Button::Button;

    static constexpr int kCaptionFlags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap;

    // Where the caption is drawn: right of the indicator, the box's whole height.
    QRect captionRect() const {
        const QRect indicator = indicatorRect();
        return QRect(indicator.right() + 5, 0, this->width() - indicator.right() - 5,
                     this->height());
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionButton option;
        this->initStyleOption(&option);
        QStyleOptionButton indicatorOption = option;
        indicatorOption.rect = indicatorRect();
        indicatorOption.rect.moveTop((this->height() - indicatorOption.rect.height()) / 2);
        this->style()->drawPrimitive(Indicator, &indicatorOption, &painter, this);
        this->style()->drawItemText(&painter, captionRect(), kCaptionFlags, option.palette,
                                    this->isEnabled(), this->text(), QPalette::WindowText);
    }

  private:
    QRect indicatorRect() const {
        QStyleOptionButton option;
        this->initStyleOption(&option);
        return this->style()->subElementRect(IndicatorRect, &option, this);
    }
};

using WrappingRadioButton =
    WrappingButton<QRadioButton, QStyle::SE_RadioButtonIndicator, QStyle::PE_IndicatorRadioButton>;
using WrappingCheckBox =
    WrappingButton<QCheckBox, QStyle::SE_CheckBoxIndicator, QStyle::PE_IndicatorCheckBox>;
