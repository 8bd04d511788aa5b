#include "qt/design/design_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "catalogue/data_error.h"
#include "check/catalogue_check.h"
#include "classroom/choice_alternatives.h"
#include "document/design_steps.h"
#include "qt/design/caption_fit.h"
#include "qt/design/choice_comparison_dialog.h"
#include "qt/design/clearance_bar.h"
#include "qt/design/fixes_dialog.h"
#include "qt/design/focus_ring.h"
#include "qt/design/item_list_model.h"
#include "qt/design/line_shape.h"
#include "qt/design/step_frame.h"
#include "qt/design/step_list.h"
#include "qt/design/step_list_accessible.h"
#include "qt/design/wrapping_button.h"
#include "qt/design_fonts.h"
#include "qt/system_number_format.h"
#include "window/twips.h"

// The design-time pictures live in a static library; their resource table must be pulled in.
static void initDesignResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

// Twips to pixels at a scale of the surface: at real size exactly as designed, smaller by the
// edges so that neighbours stay neighbours.
QRect pixels(const Geometry& g, double scale) {
    if (scale == 1.0)
        return QRect(toPixels(g.left), toPixels(g.top), toPixels(g.width), toPixels(g.height));
    auto at = [scale](int twips) { return qRound(toPixels(twips) * scale); };
    const int left = at(g.left), top = at(g.top);
    return QRect(left, top, std::max(1, at(g.left + g.width) - left),
                 std::max(1, at(g.top + g.height) - top));
}

QFont scaledDesignFont(double scale) {
    QFont font = designFont();
    font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

bool isLightweight(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::Label ||
           kind == ControlKind::ImageBox || kind == ControlKind::Line;
}

}  // namespace

DesignWindow::DesignWindow(bool startWindow, QWidget* parent) : QWidget(parent) {
    initDesignResources();
    installStepListAccessibility();
    setWindowTitle("VENTAKAR");
    platform_.setDialogParent(this);
    platform_.setEndProgramAction([this] {
        ending_ = true;
        close();
    });
    session_ = std::make_unique<DesignSession>(platform_);
    QString failure;
    try {
        session_->load(startWindow);
        loaded_ = true;
    } catch (const DataError& error) {
        failure = QString::fromStdString(error.what());
        // The check says why, where the reader only says where it stopped.
        std::string cause;
        try {
            cause = firstErrorOf("Data", error.file());
        } catch (const std::exception&) {
        }
        if (!cause.empty()) failure += "\n\nCause : " + QString::fromStdString(cause);
        failure += "\n\nPour la liste de tous les problèmes : ventakar --verifier";
    } catch (const std::bad_alloc&) {
        failure = "La mémoire de l'ordinateur ne suffit pas.";
    } catch (const std::exception& error) {
        failure = "Erreur interne : " + QString::fromStdString(error.what());
    }
    if (!loaded_) {
        platform_.releasePictures();
        QMessageBox::critical(nullptr, "VENTAKAR", "VENTAKAR ne peut pas démarrer.\n\n" + failure);
        return;
    }

    // « Comparer les choix… » for the step list that last had the focus, F8 from the keyboard.
    compareAction_ = new QAction("Comparer les &choix…", this);
    compareAction_->setObjectName("actionCompareChoices");
    compareAction_->setShortcut(QKeySequence(Qt::Key_F8));
    compareAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    // Queued: the dialog's own shortcuts must not run inside the dispatch of this one.
    // Pressed again before the dialog shows, it still opens one dialog.
    connect(compareAction_, &QAction::triggered, this, [this] {
        if (comparing_) return;
        comparing_ = true;
        QTimer::singleShot(0, this, [this] {
            comparing_ = false;
            compareChoices(lastList_);
        });
    });
    addAction(compareAction_);

    surface_ = new QWidget;
    surface_->setObjectName("Sélection");
    surface_->setFont(designFont());
    surface_->setFixedSize(toPixels(DesignRecord::kClientWidth),
                           toPixels(DesignRecord::kClientHeight));
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setFocusPolicy(Qt::NoFocus);  // the keyboard goes to the controls, not around
    scrollArea_->setWidget(surface_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);
    buildWidgets();
    setTabOrderOfSteps();
    focusRing_ = new FocusRing(surface_);
    focusFollower_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { focusRing_->follow(now); });
    mirrorRecord();
    fitCaptions();

    fitWindowToSurface();
}

void DesignWindow::fitWindowToSurface() {
    // The client area is fixed; at real size on a smaller screen the surface scrolls inside.
    QSize size = surface_->size();
    setMaximumSize(size);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
    }
    resize(size);
}

void DesignWindow::setScale(double scale) {
    if (!surface_ || scale <= 0 || scale == scale_) return;
    scale_ = scale;
    surface_->setFont(scaledDesignFont(scale));
    surface_->setFixedSize(qRound(toPixels(DesignRecord::kClientWidth) * scale),
                           qRound(toPixels(DesignRecord::kClientHeight) * scale));
    for (const Control& control : session_->record().controls()) {
        QWidget* widget = widgets_.value(qs(control.name));
        if (!widget) continue;
        if (control.kind == ControlKind::TextField && control.bold) {
            QFont font = scaledDesignFont(scale);
            font.setBold(true);
            widget->setFont(font);
        } else if (control.kind == ControlKind::PictureBox ||
                   control.kind == ControlKind::ImageBox) {
            widget->setProperty("fileName", QVariant());  // drawn again at the new scale
        } else if (control.kind == ControlKind::Label ||
                   control.kind == ControlKind::OptionButton ||
                   control.kind == ControlKind::CheckBox) {
            widget->setFont(surface_->font());
        }
    }
    mirrorRecord();
    fitCaptions();
    fitWindowToSurface();
    if (focusRing_) focusRing_->follow(QApplication::focusWidget());
}

DesignWindow::~DesignWindow() {
    // The controls give up the focus as they are destroyed, after this window has stopped being
    // one: the ring must not follow them.
    disconnect(focusFollower_);
}

void DesignWindow::buildWidgets() {
    // Lightweight controls (frames, labels, images, lines) are drawn under the others.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Control& control : session_->record().controls()) {
            if (isLightweight(control.kind) != (pass == 0)) continue;
            QWidget* parent =
                control.parent.empty() ? surface_ : widgets_.value(qs(control.parent));
            QWidget* widget = createWidget(control, parent);
            widget->setObjectName(qs(control.name));
            widgets_.insert(qs(control.name), widget);
        }
    }
}

QWidget* DesignWindow::createWidget(const Control& control, QWidget* parent) {
    const QString name = qs(control.name);
    switch (control.kind) {
        case ControlKind::Frame:
            return new StepFrame(qs(control.text), parent);
        case ControlKind::Label: {
            auto* label = new QLabel(qs(control.text), parent);
            label->setWordWrap(true);
            label->setAlignment(control.centred ? Qt::AlignHCenter | Qt::AlignTop
                                                : Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::TextField: {
            auto* field = new QLineEdit(parent);
            // Values are read, not typed: selectable with the mouse, no Tab stop.
            field->setFocusPolicy(Qt::ClickFocus);
            field->setAlignment(control.centred ? Qt::AlignCenter : Qt::AlignLeft);
            if (control.bold) {
                QFont font = field->font();
                if (control.background == Background::LightYellow) font = designFont();
                font.setBold(true);
                field->setFont(font);
            }
            return field;
        }
        case ControlKind::List: {
            auto* list = new StepList(parent);
            list->installEventFilter(this);  // its remark shows on focus
            if (list->lineEdit()) list->lineEdit()->installEventFilter(this);
            if (offersAlternatives(name.toStdString())) {
                for (QWidget* w :
                     {static_cast<QWidget*>(list), static_cast<QWidget*>(list->lineEdit())}) {
                    if (!w) continue;
                    w->setContextMenuPolicy(Qt::CustomContextMenu);
                    connect(w, &QWidget::customContextMenuRequested, this,
                            [this, name, w](const QPoint& where) { showListMenu(name, w, where); });
                }
            }
            connect(list, &StepList::typed, this, [this, name](const QString& text) {
                // Mirrored: a text naming an item has picked it.
                forward([this, name, text] {
                    session_->listTyped(name.toStdString(), text.toStdString());
                });
            });
            connect(list, &StepList::picked, this, [this, name](int index) {
                forward([this, name, index] { session_->listChosen(name.toStdString(), index); });
            });
            connect(list, &StepList::left, this, [this, name] {
                // Queued: the focus is still moving, and mirroring is no part of leaving.
                QTimer::singleShot(0, this, [this, name] {
                    forward([this, name] { session_->listLeft(name.toStdString()); });
                });
            });
            return list;
        }
        case ControlKind::OptionButton: {
            auto* option = new WrappingRadioButton(qs(control.text), parent);
            QButtonGroup*& group = groups_[qs(control.group)];
            if (!group) group = new QButtonGroup(this);
            group->addButton(option);
            connect(option, &QRadioButton::clicked, this, [this, name] {
                forward([this, name] { session_->optionSelected(name.toStdString()); });
            });
            return option;
        }
        case ControlKind::CheckBox: {
            auto* check = new WrappingCheckBox(qs(control.text), parent);
            connect(check, &QCheckBox::clicked, this, [this, name](bool ticked) {
                forward([this, name, ticked] {
                    session_->checkClicked(name.toStdString(), ticked ? 1 : 0);
                });
            });
            return check;
        }
        case ControlKind::PictureBox: {
            auto* picture = new QLabel(parent);
            if (control.name == "Picture9") {
                // The verdict's explanation is reached with Tab too: its tooltip shows on focus.
                picture->setFocusPolicy(Qt::StrongFocus);
                picture->installEventFilter(this);
            }
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            picture->setLineWidth(2);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return picture;
        }
        case ControlKind::ImageBox: {
            auto* image = new QLabel(parent);
            image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            image->setScaledContents(control.stretch);
            return image;
        }
        case ControlKind::Line:
            return new LineShape(parent);
        case ControlKind::ScrollBar: {
            auto* bar = new ClearanceBar(parent);
            bar->setFocusPolicy(Qt::StrongFocus);
            bar->setTracking(false);
            connect(bar, &QScrollBar::valueChanged, this, [this](int value) {
                forward([this, value] { session_->clearanceChanged(value); });
            });
            return bar;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(qs(control.text), parent);
            if (control.name == "Command3") {
                connect(button, &QPushButton::clicked, this,
                        [this] { forward([this] { session_->aboutClicked(); }); });
            } else if (control.name == "Command1") {
                connect(button, &QPushButton::clicked, this,
                        [this] { forward([this] { session_->printClicked(printer_); }); });
            } else if (control.name == "queChanger") {
                connect(button, &QPushButton::clicked, this, &DesignWindow::showFixes);
            } else if (control.name == "quitter") {
                connect(button, &QPushButton::clicked, this,
                        [this] { forward([this] { session_->quitClicked(); }); });
            }
            return button;
        }
    }
    return new QWidget(parent);
}

void DesignWindow::mirrorRecord() {
    if (!surface_) return;
    for (auto* group : std::as_const(groups_)) group->setExclusive(false);
    for (const Control& control : session_->record().controls()) {
        if (QWidget* widget = widgets_.value(qs(control.name))) mirror(control, widget);
    }
    for (auto* group : std::as_const(groups_)) group->setExclusive(true);
    updateOptionTabStops();
    // A tooltip shown for the focused control says what it says now, not before the change.
    if (QToolTip::isVisible()) {
        QWidget* focused = QApplication::focusWidget();
        if (focused && focused->objectName().isEmpty() &&
            qobject_cast<QComboBox*>(focused->parentWidget()))
            focused = focused->parentWidget();
        if (focused && widgets_.value(focused->objectName()) == focused) {
            if (focused->toolTip().isEmpty()) {
                QToolTip::hideText();
            } else if (QToolTip::text() != focused->toolTip()) {
                QToolTip::showText(focused->mapToGlobal(QPoint(0, focused->height())),
                                   focused->toolTip(), focused);
            }
        }
    }
    platform_.releasePictures();  // the labels now hold what is shown; nothing else stays decoded
    emit mirrored();
}

void DesignWindow::mirror(const Control& control, QWidget* widget) {
    const QSignalBlocker blocker(widget);
    if (control.kind != ControlKind::Line) widget->setGeometry(pixels(control.geometry, scale_));
    widget->setVisible(control.visible);
    widget->setEnabled(control.enabled);
    const QString toolTip = toolTipOf(control, widget);
    if (widget->toolTip() != toolTip) widget->setToolTip(toolTip);
    if (widget->accessibleName() != qs(control.accessibleName))
        widget->setAccessibleName(qs(control.accessibleName));
    if (widget->accessibleDescription() != qs(control.accessibleDescription))
        widget->setAccessibleDescription(qs(control.accessibleDescription));
    switch (control.kind) {
        case ControlKind::TextField: {
            auto* field = static_cast<QLineEdit*>(widget);
            if (field->text() != qs(control.text)) {
                field->setText(qs(control.text));
                field->setCursorPosition(0);  // a long value shows its beginning
            }
            field->setReadOnly(control.readOnly);
            const QPalette defaults = QApplication::palette(field);
            const QColor text = control.foreground
                                    ? QColor(control.foreground->red, control.foreground->green,
                                             control.foreground->blue)
                                    : defaults.color(QPalette::Text);
            QColor base = defaults.color(QPalette::Base);
            if (control.background == Background::LightYellow)
                base = QColor(kLightYellow.red, kLightYellow.green, kLightYellow.blue);
            if (control.background == Background::ButtonFace)
                base = defaults.color(QPalette::Button);
            // A palette set is passed down and repainted: only when a colour changes.
            if (field->palette().color(QPalette::Text) != text ||
                field->palette().color(QPalette::Base) != base) {
                QPalette palette = field->palette();
                palette.setColor(QPalette::Text, text);
                palette.setColor(QPalette::Base, base);
                field->setPalette(palette);
            }
            break;
        }
        case ControlKind::List: {
            auto* list = static_cast<StepList*>(widget);
            list->items()->setItems(control.items.shared());
            // The list's own current item is the design's, so that the arrows move from the item
            // shown; none before the first pick.
            const int chosen = hasChoice(control) ? control.chosenItem : -1;
            if (list->currentIndex() != chosen) list->setCurrentIndex(chosen);
            const bool newText = list->currentText() != qs(control.text);
            if (newText) list->setEditText(qs(control.text));
            const int length = std::min<int>(control.selectionLength,
                                             list->currentText().size() - control.selectionStart);
            if (length > 0) {
                list->lineEdit()->setSelection(control.selectionStart, length);
            } else if (newText && !list->lineEdit()->hasFocus()) {
                list->lineEdit()->setCursorPosition(0);
            }
            break;
        }
        case ControlKind::OptionButton:
            static_cast<QRadioButton*>(widget)->setChecked(control.selected);
            break;
        case ControlKind::CheckBox:
            static_cast<QCheckBox*>(widget)->setChecked(control.checkValue == 1);
            break;
        case ControlKind::PictureBox:
        case ControlKind::ImageBox:
            mirrorPicture(control, widget);
            break;
        case ControlKind::Line: {
            auto* line = static_cast<LineShape*>(widget);
            line->setLine(control.x1, control.y1, control.x2, control.y2, control.lineWidth,
                          scale_);
            break;
        }
        case ControlKind::ScrollBar: {
            auto* bar = static_cast<QScrollBar*>(widget);
            bar->setRange(control.minimum, control.maximum);
            bar->setSingleStep(control.smallChange);
            bar->setPageStep(control.largeChange);
            bar->setValue(control.value);
            break;
        }
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::Button:
            break;
    }
}

QPixmap DesignWindow::fitted(const QImage& image, const QWidget* label) const {
    if (scale_ == 1.0 || image.isNull()) return QPixmap::fromImage(image);
    // Scaled from the source at the screen's own density, so that nothing is blurred twice.
    const double density = label->devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(image.scaled(
        image.size() * scale_ * density, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(density);
    return pixmap;
}

QPixmap DesignWindow::designPixmap(const QString& resource, const QWidget* label) {
    const QString key =
        QString("%1@%2x%3").arg(resource).arg(scale_).arg(label->devicePixelRatioF());
    auto it = designPixmaps_.constFind(key);
    if (it == designPixmaps_.constEnd())
        it = designPixmaps_.insert(key, fitted(QImage(resource), label));
    return *it;
}

QString DesignWindow::toolTipOf(const Control& control, QWidget* widget) const {
    const QString described = qs(control.toolTip);
    if (!control.visible) return described;
    const QString text = qs(control.text);
    auto above = [&](const QString& first) {
        return described.isEmpty() ? first : first + "\n" + described;
    };
    switch (control.kind) {
        case ControlKind::List: {
            // The chosen item in full, should the closed box cut it, then what to check.
            const QString tip =
                control.chosenItem >= 0 && !text.isEmpty() ? above(text) : described;
            if (control.remark.empty()) return tip;
            return tip.isEmpty() ? qs(control.remark) : tip + "\n" + qs(control.remark);
        }
        case ControlKind::TextField: {
            if (text.isEmpty()) return described;
            const auto* field = static_cast<const QLineEdit*>(widget);
            const int room = field->contentsRect().width() - 6;  // the field's text margins
            return QFontMetrics(field->font()).horizontalAdvance(text) > room ? above(text)
                                                                              : described;
        }
        default:
            return described;
    }
}

void DesignWindow::setTabOrderOfSteps() {
    // The controls a pupil acts on, in the order of the design's choices, then the verdict and
    // the buttons.
    QStringList order;
    for (const ChoiceSlot& slot : choiceSlots()) {
        if (slot.kind == ChoiceKind::OptionPair)
            order << slot.first << slot.second;
        else
            order << slot.control;
    }
    order << "Picture9"
          << "queChanger"
          << "Command3"
          << "Command1"
          << "quitter";
    QWidget* previous = nullptr;
    for (const QString& name : std::as_const(order)) {
        QWidget* next = widgets_.value(name);
        if (!next) continue;
        if (previous) QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void DesignWindow::updateOptionTabStops() {
    // One Tab stop a group of options: the selected one, or the first; arrows move inside.
    for (QButtonGroup* group : std::as_const(groups_)) {
        const QList<QAbstractButton*> buttons = group->buttons();
        QAbstractButton* stop = group->checkedButton();
        if (!stop && !buttons.isEmpty()) stop = buttons.first();
        for (QAbstractButton* button : buttons)
            button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

bool DesignWindow::eventFilter(QObject* watched, QEvent* event) {
    // The verdict's explanation shows when it takes the focus. The toolkit hides a tooltip at
    // the next key release, which for a real Tab arrives once the focus is here: shown again then.
    const bool tabReleased = event->type() == QEvent::KeyRelease &&
                             (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab ||
                              static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backtab);
    // A list with a remark tells it the same way, so that the keyboard meets it while choosing.
    if (event->type() == QEvent::FocusIn || tabReleased) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // The field inside an editable list stands for its list.
        if (widget && widget->objectName().isEmpty() &&
            qobject_cast<QComboBox*>(widget->parentWidget()))
            widget = widget->parentWidget();
        const Control* control =
            widget ? session_->record().find(widget->objectName().toStdString()) : nullptr;
        if (compareAction_ && control && control->kind == ControlKind::List &&
            offersAlternatives(control->name)) {
            lastList_ = widget->objectName();
            compareAction_->setEnabled(control->enabled);
        }
        const bool tells =
            widget == widgets_.value("Picture9") ||
            (control && control->kind == ControlKind::List && !control->remark.empty());
        // Shown once the focus has settled: a tooltip hides at any focus change, and the field
        // inside a list takes the focus right after its list.
        if (tells && !widget->toolTip().isEmpty()) {
            QPointer<QWidget> shown = widget;
            QTimer::singleShot(0, this, [shown] {
                if (shown && shown->isVisible())
                    QToolTip::showText(shown->mapToGlobal(QPoint(0, shown->height())),
                                       shown->toolTip(), shown);
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DesignWindow::fitCaptions() {
    const QFont font = surface_->font();
    for (const Control& control : session_->record().controls()) {
        QWidget* widget = widgets_.value(qs(control.name));
        if (!widget) continue;
        if (control.kind == ControlKind::Label) {
            auto* label = static_cast<QLabel*>(widget);
            fitCaption(label, font, label->contentsRect(), int(label->alignment()), label->text());
        } else if (control.kind == ControlKind::OptionButton) {
            auto* option = static_cast<WrappingRadioButton*>(widget);
            fitCaption(option, font, option->captionRect(), WrappingRadioButton::kCaptionFlags,
                       option->text());
        } else if (control.kind == ControlKind::CheckBox) {
            auto* check = static_cast<WrappingCheckBox*>(widget);
            fitCaption(check, font, check->captionRect(), WrappingCheckBox::kCaptionFlags,
                       check->text());
        }
    }
}

void DesignWindow::mirrorPicture(const Control& control, QWidget* widget) {
    auto* label = static_cast<QLabel*>(widget);
    const QString file = qs(control.pictureFile);
    const bool unchanged =
        label->property("fileName").toString() == file && !label->pixmap().isNull();
    label->setProperty("fileName", file);
    if (unchanged && !file.isEmpty()) return;
    if (!file.isEmpty()) {
        label->setPixmap(fitted(platform_.takeImage(control.pictureFile), label));
    } else if (!control.designPicture.empty()) {
        // A hidden drawing is decoded when it is first shown (the sketch, once the design is
        // complete).
        if (control.visible) label->setPixmap(designPixmap(qs(control.designPicture), label));
    } else {
        label->clear();
    }
}

void DesignWindow::showFixes() {
    FixesDialog dialog(this);
    dialog.exec();
}

void DesignWindow::forward(const std::function<void()>& toSession) {
    toSession();
    mirrorRecord();
}

void DesignWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown as its own window, it has the program's shortcuts itself; inside the main window its
    // menus hold them (the same keys twice would silence both).
    if (!loaded_ || window() != this || standaloneShortcuts_) return;
    standaloneShortcuts_ = true;
    const struct {
        QKeySequence keys;
        std::function<void()> run;
    } shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_P), [this] { session_->printClicked(printer_); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { session_->quitClicked(); }},
        {QKeySequence(Qt::Key_F1), [this] { session_->aboutClicked(); }},
    };
    for (const auto& s : shortcuts) {
        auto* shortcut = new QShortcut(s.keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, run = s.run] { forward(run); });
    }
}

void DesignWindow::closeEvent(QCloseEvent* event) {
    if (ending_ || !loaded_) {
        event->accept();
        return;
    }
    forward([this] { session_->quitClicked(); });
    // On Yes the window closes with this very event: a close asked from inside it is refused.
    event->setAccepted(ending_);
}

void DesignWindow::showListMenu(const QString& list, QWidget* at, const QPoint& where) {
    lastList_ = list;
    QMenu menu(at);
    QAction* compare = menu.addAction("Comparer les &choix…");
    compare->setShortcut(compareAction_->shortcut());
    compare->setEnabled(session_->record()[list.toStdString()].enabled);
    if (menu.exec(at->mapToGlobal(where)) == compare) compareChoices(list);
}

void DesignWindow::compareChoices(const QString& list) {
    const std::string name = list.toStdString();
    if (comparing_ || !offersAlternatives(name) || !session_->record()[name].enabled) return;
    comparing_ = true;
    ChoiceComparisonDialog dialog(session_->record(), name, this);
    const int answer = dialog.exec();
    comparing_ = false;
    if (answer != QDialog::Accepted || dialog.chosenItem() < 0) return;
    // The same handler as a pick in the list: its failure rules, one undo step.
    const int item = dialog.chosenItem();
    const std::shared_ptr<const CatalogueSnapshot> reading = dialog.reading();
    forward([this, name, item, reading] { session_->listChosen(name, item, reading.get()); });
}
