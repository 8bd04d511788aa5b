#include "qt/visible_text_validator.h"

#include "catalogue/visible_text.h"

QValidator::State VisibleTextValidator::validate(QString& input, int& position) const {
    QString kept;
    int keptBefore = 0;
    int index = 0;
    for (const char32_t c : input.toUcs4()) {
        const int length = c > 0xFFFF ? 2 : 1;
        if (!hiddenCharacter(c) && c != '\t') {
            kept += QString::fromUcs4(&c, 1);
            if (index < position) keptBefore += length;
        }
        index += length;
    }
    if (kept.size() != input.size()) {
        input = kept;
        position = keptBefore;
    }
    return Acceptable;
}
