#include "app/about_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/artwork.h"

namespace kalvex::app {
namespace {

// Labels pass their clicks on to the window, so a click on any of them closes it.
QLabel* clickThrough(QLabel* label) {
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setStyleSheet("QDialog { background: white; border: 1px solid #808080; }");
    auto* picture = clickThrough(new QLabel(this));
    picture->setPixmap(decorativePicture(QSize(110, 160)));
    picture->setStyleSheet("border: 2px solid black;");

    auto* heading = clickThrough(new QLabel("За Автора", this));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    heading->setFont(headingFont);
    auto* text =
        clickThrough(new QLabel("Не е ли добре, че вече\n       не се работи така?", this));
    auto* maker = clickThrough(new QLabel("Януари 2005\nОрвано ООД", this));

    auto* column = new QVBoxLayout;
    column->addWidget(heading);
    column->addWidget(text);
    column->addStretch();
    column->addWidget(maker);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    row->addWidget(picture);
    row->addLayout(column);
}

void AboutWindow::mousePressEvent(QMouseEvent*) {
    accept();
}

}  // namespace kalvex::app
