#include "qt/design_fonts.h"

#include <QStringList>

void substituteDesignFonts() {
    QFont::insertSubstitutions("MS Sans Serif",
                               QStringList{"Liberation Sans", "Arial", "DejaVu Sans"});
    QFont::insertSubstitutions("Arial", QStringList{"Liberation Sans", "DejaVu Sans"});
}

QFont designFont() {
    substituteDesignFonts();
    QFont font("MS Sans Serif");
    font.setPointSizeF(8.25);
    return font;
}
