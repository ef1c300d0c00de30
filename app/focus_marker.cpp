#include "app/focus_marker.h"

#include <QApplication>
#include <QPainter>

namespace kalvex::app {

FocusMarker::FocusMarker(QWidget* window) : QFocusFrame(window) {
    // Follows the focus inside its window only: an opened list or a message box
    // draws its own.
    connect(qApp, &QApplication::focusChanged, this, [this, window](QWidget*, QWidget* now) {
        setWidget(now != nullptr && now->window() == window ? now : nullptr);
    });
}

void FocusMarker::paintEvent(QPaintEvent*) {
    // The frame stands in the margin that the focus frame keeps around its widget.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}

}  // namespace kalvex::app
