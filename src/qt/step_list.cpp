#include "qt/step_list.h"

#include <QCompleter>
#include <QLineEdit>
#include <QWheelEvent>

StepList::StepList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);  // the wheel alone does not take the focus
    // The toolkit turns Return, leaving the list and an accepted completion on a matching text into
    // a pick; none of them is one here.
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    if (QCompleter* completer = lineEdit()->completer()) {
        disconnect(completer, nullptr, this, nullptr);
        // Inline completion writes the rest of the item into the field: that is text too.
        connect(completer, qOverload<const QString&>(&QCompleter::highlighted), this,
                [this] { emit typed(lineEdit()->text()); });
    }
    connect(lineEdit(), &QLineEdit::textEdited, this, &StepList::typed);
    connect(this, &QComboBox::activated, this, &StepList::picked);
}

void StepList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();  // passed on to the window, which scrolls
        return;
    }
    QComboBox::wheelEvent(event);
}
