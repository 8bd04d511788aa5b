#pragma once

#include <QGroupBox>

// A step's frame (« Etape 1 »): a group box whose title the style draws and whose frame is drawn
// here, with the same light rounded look, in a few lines. The style's own frame is a picture
// stretched over the whole box, the costliest thing of the window's first paint.
class StepFrame : public QGroupBox {
    Q_OBJECT
  public:
    using QGroupBox::QGroupBox;

    // Where the frame's border runs: the style's frame area below the title.
    QRect borderRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
