#pragma once

#include <QFocusFrame>

namespace kalvex::app {

// A frame in the highlight colour around whatever control of a window has the
// keyboard focus. The platform styles mark a focused button by a faint tint of its
// border (Fusion), too little to find the focus at a glance.
class FocusMarker final : public QFocusFrame {
  public:
    explicit FocusMarker(QWidget* window);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kalvex::app
