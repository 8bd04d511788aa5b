#pragma once

#include <QComboBox>

class ItemListModel;
class QFocusEvent;
class QKeyEvent;
class QWheelEvent;

// An editable step list on which only a real pick chooses: an item taken from the open list, the
// arrow keys, the wheel once the list has the focus, or a typed text naming an item (the session
// decides). Return, Escape and leaving the list end the typing; there is no completion.
class StepList : public QComboBox {
    Q_OBJECT
  public:
    explicit StepList(QWidget* parent = nullptr);

    ItemListModel* items() const;
    // Opens the list as wide as its longest item, up to the screen's width.
    void showPopup() override;
    // Its text shown from its start, not scrolled to its end (the selection kept).
    void showStart();

  signals:
    void typed(const QString& text);
    void picked(int index);
    // The focus left the list, or Return or Escape ended the typing.
    void left();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool picking_ = false;
    int longestItem_ = -1;  // pixel width of the longest item, -1 until measured
};
