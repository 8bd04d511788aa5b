#pragma once

#include <QDialog>

// The start window "Démarrage": fixed credits and picture; a click on any of its controls or a
// key that types a character closes it.
class StartWindow : public QDialog {
    Q_OBJECT
  public:
    explicit StartWindow(QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
