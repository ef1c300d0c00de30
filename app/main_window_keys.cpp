// The wizard's keyboard: Enter, the tab order of the file page, arrows on its radio buttons.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "app/focus_marker.h"
#include "app/main_window.h"

namespace kalvex::app {

void TfrmMain::setUpKeyboard() {
    // Each mode's radio button leads to its own field and chooser; the creation order
    // would put both radio buttons first.
    QWidget* const order[] = {rbFolder,        edtXMLDir,  btnSelectDir, rbFile,       edtXMLfile,
                              btnSelectDirUNC, edtGDBfile, Button1,      cbSalvixType, cbNRD};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    rbFolder->installEventFilter(this);
    rbFile->installEventFilter(this);
    new FocusMarker(this);
}

void TfrmMain::focusPage(QWidget* page) {
    // A page opens with its first control focused (the file page with the radio button
    // of its mode), or "Напред >" where it has none.
    // The progress page gives it to the tabs: its import disables every button but
    // "Отказ", which must never take the focus (and Enter) by itself. The welcome page
    // waits on "Напред >" (its one control takes a run back), the last page on "Край".
    QWidget* target = page == tshProgress ? static_cast<QWidget*>(tabs) : btnNext;
    if (page == tshChooseXMLandDB && rbFile->isChecked())
        target = rbFile;  // the mode in use
    else if (page != tshProgress && page != tshFinishUpdate && page != tshWelcome)
        for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain())
            if (page->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(page) &&
                (w->focusPolicy() & Qt::TabFocus) != 0) {
                target = w;
                break;
            }
    target->setFocus(Qt::OtherFocusReason);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    // The two radio buttons are not auto-exclusive (both may be unchecked), so Qt
    // would only move the focus on an arrow key; they behave as one group instead.
    if (event->type() != QEvent::KeyPress || (watched != rbFolder && watched != rbFile))
        return QWidget::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            rbFolder->setFocus(Qt::TabFocusReason);
            rbFolder->click();
            return true;
        case Qt::Key_Down:
        case Qt::Key_Right:
            rbFile->setFocus(Qt::TabFocusReason);
            rbFile->click();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Push buttons outside a dialog leave Enter to the window: a focused one is
    // pressed itself, so that Enter on "< Назад" never starts the import.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
        button->click();
        return;
    }
    // Anywhere else Enter acts as "Напред >" while that button is enabled; the
    // controls pass it on to the window since none of them takes it.
    if (btnNext->isEnabled())
        btnNext->click();
}

}  // namespace kalvex::app
