#pragma once

#include <QDialog>

namespace kalvex::app {

// "За..." : a borderless window that any click closes.
class AboutWindow final : public QDialog {
  public:
    explicit AboutWindow(QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace kalvex::app
