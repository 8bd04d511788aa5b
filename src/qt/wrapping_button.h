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

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionButton option;
        this->initStyleOption(&option);
        const QRect indicator = this->style()->subElementRect(IndicatorRect, &option, this);
        QStyleOptionButton indicatorOption = option;
        indicatorOption.rect = indicator;
        indicatorOption.rect.moveTop((this->height() - indicator.height()) / 2);
        this->style()->drawPrimitive(Indicator, &indicatorOption, &painter, this);
        const QRect textRect(indicator.right() + 5, 0, this->width() - indicator.right() - 5,
                             this->height());
        this->style()->drawItemText(
            &painter, textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, option.palette,
            this->isEnabled(), this->text(), QPalette::WindowText);
    }
};

using WrappingRadioButton =
    WrappingButton<QRadioButton, QStyle::SE_RadioButtonIndicator, QStyle::PE_IndicatorRadioButton>;
using WrappingCheckBox =
    WrappingButton<QCheckBox, QStyle::SE_CheckBoxIndicator, QStyle::PE_IndicatorCheckBox>;
