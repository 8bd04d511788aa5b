#include "qt/design/step_list_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "qt/design/step_list.h"

namespace {

class StepListAccessible : public QAccessibleWidget {
  public:
    explicit StepListAccessible(StepList* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return list()->accessibleName();
            case QAccessible::Value:
                return list()->currentText();
            case QAccessible::Description:
                return list()->accessibleDescription().isEmpty() ? list()->toolTip()
                                                                 : list()->accessibleDescription();
            default:
                return QAccessibleWidget::text(t);
        }
    }

    // A list, not a text to edit: its field inside is no child of its own, so that a screen
    // reader announces the list once, with its item, and never the field's selection.
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = false;
        s.selectableText = false;
        return s;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() && list()->isEnabled()) list()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    StepList* list() const { return static_cast<StepList*>(widget()); }
};

}  // namespace

QAccessibleInterface* stepListAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("StepList") && object && object->isWidgetType())
        return new StepListAccessible(static_cast<StepList*>(object));
    return nullptr;
}

namespace {

QAccessible::UpdateHandler platformHandler = nullptr;

// The field inside a step list.
bool insideStepList(QObject* object) {
    return object && qobject_cast<StepList*>(object->parent()) &&
           static_cast<StepList*>(object->parent())->lineEdit() == object;
}

void stepListUpdates(QAccessibleEvent* event) {
    // The list itself tells its focus and its value when its item changes.
    if (insideStepList(event->object())) return;
    // Everything else goes where it went before.
    QAccessible::installUpdateHandler(platformHandler);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(stepListUpdates);
}

}  // namespace

void installStepListAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(stepListAccessible);
        platformHandler = QAccessible::installUpdateHandler(stepListUpdates);
        return true;
    }();
    (void)installed;
}
