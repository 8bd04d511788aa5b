#pragma once

#include <QValidator>

// Keeps out of a line edit, as they are typed or pasted, the characters that would reach a
// spreadsheet, a terminal or a page as something else than text: controls and the bidirectional
// overrides and isolates.
class VisibleTextValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
