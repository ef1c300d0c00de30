#include "app/kind_log_dialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvex::app {

KindLogDialog::KindLogDialog(const QString& caption, const QStringList& lines, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    resize(600, 280);
    mmoLines = new QPlainTextEdit(this);
    mmoLines->setReadOnly(true);
    mmoLines->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmoLines->setPlainText(lines.isEmpty()
                               ? QString("Дневникът на импорта няма редове за тези записи.")
                               : lines.join('\n'));
    btnClose = new QPushButton("Затвори", this);
    btnClose->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(mmoLines, 1);
    column->addLayout(buttons);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace kalvex::app
