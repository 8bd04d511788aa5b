#include "qt/step_list.h"

#include <QCompleter>
#include <QLineEdit>
#include <QWheelEvent>

#include "qt/item_list_model.h"
#include "qt/wheel_guard.h"

StepList::StepList(QWidget* parent) : QComboBox(parent) {
    setModel(new ItemListModel(this));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // The list's box is laid out by the design: its size needs no pass over every item.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setFocusPolicy(Qt::StrongFocus);  // the wheel alone does not take the focus
    // The toolkit turns Return, leaving the list and an accepted completion on a matching text into
    // a pick; none of them is one here.
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    if (QCompleter* completer = lineEdit()->completer())
        disconnect(completer, nullptr, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &StepList::typed);
    connect(this, &QComboBox::activated, this, [this](int index) {
        picking_ = true;
        emit picked(index);
    });
}

void StepList::keyPressEvent(QKeyEvent* event) {
    const QString before = lineEdit()->text();
    picking_ = false;
    QComboBox::keyPressEvent(event);
    // Inline completion writes the rest of an item into the field without an edit signal.
    if (!picking_ && lineEdit()->text() != before) emit typed(lineEdit()->text());
}

ItemListModel* StepList::items() const {
    return static_cast<ItemListModel*>(model());
}

void StepList::wheelEvent(QWheelEvent* event) {
    if (!passWheelToWindow(this, event)) QComboBox::wheelEvent(event);
}
