#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace kalvex::app {

// The log lines of one kind's skipped or failed rows, read-only, headed by the kind's
// caption; "Затвори" or Escape closes it.
class KindLogDialog final : public QDialog {
  public:
    KindLogDialog(const QString& caption, const QStringList& lines, QWidget* parent = nullptr);

    QPlainTextEdit* mmoLines = nullptr;
    QPushButton* btnClose = nullptr;
};

}  // namespace kalvex::app
