#include "qt/design/step_list.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "qt/design/item_list_model.h"
#include "qt/design/wheel_guard.h"

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
    // No completion: a text the pupil did not type would show an item the design lacks.
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &StepList::typed);
    lineEdit()->installEventFilter(this);
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { longestItem_ = -1; });
    connect(this, &QComboBox::activated, this, [this](int index) {
        picking_ = true;
        emit picked(index);
        if (hasFocus()) showStart();  // the item read from its start
    });
}

void StepList::keyPressEvent(QKeyEvent* event) {
    // Alt with a letter belongs to the menus, never to the text.
    if ((event->modifiers() & Qt::AltModifier) && !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    // Return and Escape end the typing: the list shows the chosen item again.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) &&
        !view()->isVisible()) {
        event->accept();
        emit left();
        return;
    }
    const QString before = lineEdit()->text();
    picking_ = false;
    QComboBox::keyPressEvent(event);
    // Inline completion writes the rest of an item into the field without an edit signal.
    if (!picking_ && lineEdit()->text() != before) emit typed(lineEdit()->text());
}

namespace {

// Undo and redo belong to the design, not to the text typed in a list: the list must not claim
// their keys before the window's shortcuts see them.
bool isDesignShortcut(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

}  // namespace

bool StepList::event(QEvent* event) {
    if (isDesignShortcut(event)) {
        event->ignore();
        return true;
    }
    return QComboBox::event(event);
}

bool StepList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && isDesignShortcut(event)) {
        event->ignore();
        return true;
    }

    return QComboBox::eventFilter(watched, event);
}

void StepList::showPopup() {
    if (longestItem_ < 0) {
        const QFontMetrics metrics(view()->font());
        longestItem_ = 0;
        for (int row = 0; row < count(); ++row)
            longestItem_ = std::max(longestItem_, metrics.horizontalAdvance(itemText(row)));
    }
    // Item margins, the frame and a scroll bar should the list be long.
    int wanted = longestItem_ + 24 + view()->verticalScrollBar()->sizeHint().width();
    if (const QScreen* shown = screen())
        wanted = std::min(wanted, shown->availableGeometry().width());
    view()->setMinimumWidth(std::max(wanted, width()));
    QComboBox::showPopup();
}

void StepList::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    // The toolkit selects the text with the cursor at its end: the start is what tells items apart.
    if (event->reason() != Qt::MouseFocusReason) showStart();
}

void StepList::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // The open list takes the focus for a moment; that is no leaving.
    if (event->reason() != Qt::PopupFocusReason && !view()->isVisible()) emit left();
}

void StepList::showStart() {
    QLineEdit* field = lineEdit();
    const int length = int(field->text().size());
    if (length > 0 && field->selectedText().size() == length) {
        field->setSelection(length, -length);  // all selected, the cursor at the start
    } else if (!field->hasSelectedText()) {
        field->setCursorPosition(0);
    }
}

ItemListModel* StepList::items() const {
    return static_cast<ItemListModel*>(model());
}

void StepList::wheelEvent(QWheelEvent* event) {
    if (!passWheelToWindow(this, event)) QComboBox::wheelEvent(event);
}
