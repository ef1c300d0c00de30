#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace kalvex::app {
namespace {

void drawSheet(QPainter& p, QRectF r) {
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 140, 190), 1));
    // Text lines from a quarter down, as many as fit above the sheet's bottom edge.
    for (int line = 0;; ++line) {
        const qreal y = r.top() + r.height() * (0.25 + 0.18 * line);
        if (y >= r.bottom() - 2)
            break;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void drawDrum(QPainter& p, QRectF r) {
    const qreal lid = r.height() * 0.25;
    p.setPen(QPen(QColor(40, 60, 110), 1));
    p.setBrush(QColor(90, 120, 190));
    p.drawRect(QRectF(r.left(), r.top() + lid / 2, r.width(), r.height() - lid));
    p.drawEllipse(QRectF(r.left(), r.bottom() - lid, r.width(), lid));
    p.setBrush(QColor(140, 170, 230));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), lid));
}

void drawFolder(QPainter& p, QRectF r) {
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(r.left(), r.top() + r.height() * 0.2, r.width(), r.height() * 0.8));
    p.drawRect(QRectF(r.left(), r.top(), r.width() * 0.4, r.height() * 0.2));
}

}  // namespace

QPixmap decorativePicture(QSize size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(30, 70, 140));
    sky.setColorAt(1, QColor(150, 190, 240));
    p.fillRect(pixmap.rect(), sky);
    const qreal w = size.width();
    const qreal h = size.height();
    drawSheet(p, QRectF(w * 0.2, h * 0.12, w * 0.45, h * 0.22));
    drawSheet(p, QRectF(w * 0.3, h * 0.18, w * 0.45, h * 0.22));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(w * 0.5, h * 0.45), QPointF(w * 0.5, h * 0.6));
    p.drawLine(QPointF(w * 0.42, h * 0.54), QPointF(w * 0.5, h * 0.6));
    p.drawLine(QPointF(w * 0.58, h * 0.54), QPointF(w * 0.5, h * 0.6));
    drawDrum(p, QRectF(w * 0.22, h * 0.66, w * 0.56, h * 0.24));
    return pixmap;
}

CopyAnimation::CopyAnimation(QWidget* parent) : QWidget(parent), timer_(new QTimer(this)) {
    timer_->setInterval(60);
    QObject::connect(timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % 24;
        update();
    });
    setFixedSize(sizeHint());
}

void CopyAnimation::start() {
    timer_->start();
}

void CopyAnimation::stop() {
    timer_->stop();
    frame_ = 0;
    update();
}

bool CopyAnimation::isActive() const {
    return timer_->isActive();
}

void CopyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    drawFolder(p, QRectF(4, 14, 48, 40));
    drawDrum(p, QRectF(224, 8, 44, 48));
    if (!timer_->isActive())
        return;
    const qreal t = frame_ / 23.0;
    const qreal x = 40 + t * 176;
    const qreal y = 24 - 18 * (1 - (2 * t - 1) * (2 * t - 1));
    drawSheet(p, QRectF(x, y, 18, 24));
}

}  // namespace kalvex::app
