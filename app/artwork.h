#pragma once

#include <QPixmap>
#include <QWidget>

class QTimer;

namespace kalvex::app {

// The wizard's decorative picture: a sheet of paper travelling into a database.
QPixmap decorativePicture(QSize size);

// The progress page's running copy animation: a sheet flying from a folder to a
// database drum while the import runs.
class CopyAnimation final : public QWidget {
  public:
    explicit CopyAnimation(QWidget* parent = nullptr);
    void start();
    void stop();
    bool isActive() const;
    QSize sizeHint() const override { return {272, 60}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QTimer* timer_;
    int frame_ = 0;
};

}  // namespace kalvex::app
