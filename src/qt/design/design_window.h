#pragma once

#include <QHash>
#include <QWidget>
#include <functional>
#include <memory>

#include "qt/print/qt_printer.h"
#include "qt/qt_platform.h"
#include "session/design_session.h"

class QAction;
class QScrollArea;
class QButtonGroup;
struct Control;

// The design window "Sélection": one widget per control of the DesignRecord, mirrored after
// every event; events go to the DesignSession. Building it runs the load handler.
class DesignWindow : public QWidget {
    Q_OBJECT
  public:
    // The pupil's start window first unless told to skip it (a teacher's class view).
    explicit DesignWindow(bool startWindow = true, QWidget* parent = nullptr);
    ~DesignWindow() override;

    // False when start-up failed on a data file: the window must not be used.
    bool isLoaded() const { return loaded_; }
    DesignSession& session() { return *session_; }
    QtPrinter& printer() { return printer_; }
    QtPlatform& platform() { return platform_; }
    // Brings every widget up to date with the record.
    void mirrorRecord();
    // The surface drawn at this scale (1: real size), every control working at it.
    void setScale(double scale);
    double scale() const { return scale_; }
    // Runs one event in the session, then mirrors the record.
    void forward(const std::function<void()>& toSession);
    // « Comparer les choix… » for a step list: every item with the design it would give; the one
    // chosen there is picked as in the list (one undo step).
    void compareChoices(const QString& list);
    // The action for the list that last had the keyboard focus (F8), for the Édition menu.
    QAction* compareAction() const { return compareAction_; }
    // « Que changer ? »: the changes that would make the design conform, in a dialog.
    void showFixes();

  signals:
    // The widgets show the record again: after every event.
    void mirrored();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWidgets();
    QWidget* createWidget(const Control& control, QWidget* parent);
    void mirror(const Control& control, QWidget* widget);
    void mirrorPicture(const Control& control, QWidget* widget);
    // What a control's tooltip shows: the described text, under the whole value or chosen item
    // when its box is too narrow for it.
    QString toolTipOf(const Control& control, QWidget* widget) const;
    void setTabOrderOfSteps();
    void fitWindowToSurface();
    QPixmap fitted(const QImage& image, const QWidget* label) const;
    // A picture built into the program, decoded and fitted once for each scale and density.
    QPixmap designPixmap(const QString& resource, const QWidget* label);
    void updateOptionTabStops();
    void showListMenu(const QString& list, QWidget* at, const QPoint& where);
    // Captions too long for their box at the design's font are set smaller (see fitCaption).
    void fitCaptions();

    QtPlatform platform_;
    QtPrinter printer_{this};
    std::unique_ptr<DesignSession> session_;
    QScrollArea* scrollArea_ = nullptr;
    QWidget* surface_ = nullptr;
    QHash<QString, QWidget*> widgets_;
    QHash<QString, QButtonGroup*> groups_;
    QHash<QString, QPixmap> designPixmaps_;
    class FocusRing* focusRing_ = nullptr;
    QMetaObject::Connection focusFollower_;
    double scale_ = 1.0;
    bool loaded_ = false;
    QAction* compareAction_ = nullptr;
    bool comparing_ = false;       // a comparison is asked for or open: F8 again opens no other
    QString lastList_ = "Combo1";  // the step list that last had the focus
    bool ending_ = false;
    bool standaloneShortcuts_ = false;
};
