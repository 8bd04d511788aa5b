#pragma once

#include <QWidget>

// A straight line shape between two points given in twips of its container.
class LineShape : public QWidget {
  public:
    explicit LineShape(QWidget* parent);
    void setLine(int x1, int y1, int x2, int y2, int penWidth, double scale = 1.0);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPoint from_;
    QPoint to_;
    int penWidth_ = 1;
};
