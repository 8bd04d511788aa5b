#include "qt/design/step_list_accessible.h"

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
