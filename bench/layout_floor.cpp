// The floor of the start-up bench: the window as its layout describes it, in plain toolkit widgets
// (frames, labels, value fields, editable lists, options, check boxes, pictures, lines, the bar,
// the buttons) at their design-time places and captions, shown on the same platform, then the
// process ends. No catalogue, picture, menu, translation, accessible name, colour or check: what
// any program showing this window with these widgets pays before it does its own work.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "window/design_record.h"
#include "window/twips.h"

namespace {

QRect placeOf(const Geometry& g) {
    return QRect(toPixels(g.left), toPixels(g.top), std::max(1, toPixels(g.width)),
                 std::max(1, toPixels(g.height)));
}

QWidget* plainWidget(const Control& control, QWidget* parent) {
    const QString text = QString::fromStdString(control.text);
    switch (control.kind) {
        case ControlKind::Frame:
            return new QGroupBox(text, parent);
        case ControlKind::Label: {
            auto* label = new QLabel(text, parent);
            label->setWordWrap(true);
            return label;
        }
        case ControlKind::TextField: {
            auto* field = new QLineEdit(text, parent);
            field->setFocusPolicy(Qt::ClickFocus);
            return field;
        }
        case ControlKind::List: {
            auto* list = new QComboBox(parent);
            list->setEditable(true);
            return list;
        }
        case ControlKind::OptionButton:
            return new QRadioButton(text, parent);
        case ControlKind::CheckBox:
            return new QCheckBox(text, parent);
        case ControlKind::PictureBox:
        case ControlKind::ImageBox: {
            auto* picture = new QLabel(parent);
            if (control.sunkenBorder) picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            return picture;
        }
        case ControlKind::Line: {
            auto* line = new QFrame(parent);
            line->setFrameShape(QFrame::HLine);
            return line;
        }
        case ControlKind::ScrollBar:
            return new QScrollBar(Qt::Vertical, parent);
        case ControlKind::Button:
            return new QPushButton(text, parent);
    }
    return new QWidget(parent);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(toPixels(DesignRecord::kClientWidth), toPixels(DesignRecord::kClientHeight));
    const DesignRecord layout;
    QHash<QString, QWidget*> widgets;
    for (const Control& control : layout.controls()) {
        QWidget* parent = control.parent.empty()
                              ? &window
                              : widgets.value(QString::fromStdString(control.parent), &window);
        QWidget* widget = plainWidget(control, parent);
        widget->setGeometry(placeOf(control.geometry));
        widget->setVisible(control.visible);
        widgets.insert(QString::fromStdString(control.name), widget);
    }
    window.show();
    QApplication::processEvents();
    return 0;
}
