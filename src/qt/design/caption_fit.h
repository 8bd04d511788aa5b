#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRect>
#include <QString>
#include <QWidget>

// True when text, word-wrapped with flags, stands whole inside rect in that font.
inline bool captionFits(const QFont& font, const QRect& rect, int flags, const QString& text) {
    const QRectF needed =
        QFontMetricsF(font).boundingRect(QRectF(rect), flags | Qt::TextWordWrap, text);
    return needed.width() <= rect.width() + 0.01 && needed.height() <= rect.height() + 0.01;
}

// A caption too long for its box at the design's font is set a little smaller until it stands
// whole in it, so that no control moves and no caption is cut.
inline void fitCaption(QWidget* widget, const QFont& designFont, const QRect& rect, int flags,
                       const QString& text) {
    QFont font = designFont;
    while (!captionFits(font, rect, flags, text) && font.pointSizeF() > 5.0)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    if (widget->font() != font) widget->setFont(font);
}
