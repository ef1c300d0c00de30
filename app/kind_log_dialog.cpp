#include "app/kind_log_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvex::app {

KindLogDialog::KindLogDialog(const QString& caption, const QStringList& lines, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    resize(600, 280);
    auto* heading = new QLabel(caption, this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    mmoLines = new QPlainTextEdit(this);
    mmoLines->setReadOnly(true);
    // Wrapped, long lines and all: the reason is at their end.
    mmoLines->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmoLines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmoLines->setPlainText(lines.isEmpty()
                               ? QString("Дневникът на импорта няма редове за тези записи.")
                               : lines.join('\n'));
    btnClose = new QPushButton("Затвори", this);
    btnClose->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(heading);
    column->addWidget(mmoLines, 1);
    column->addLayout(buttons);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace kalvex::app
