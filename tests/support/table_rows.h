#pragma once

#include <QStringList>
#include <QTableWidget>

// A table widget's rows as the user reads them: each row's cells joined by "|"; a row
// whose first cell spans the table (a heading) is that cell's text alone.
namespace kalvex::testing {

inline QStringList rowsOf(const QTableWidget& table) {
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.columnSpan(row, 0) == table.columnCount() && table.columnCount() > 1) {
            rows.push_back(table.item(row, 0)->text());
            continue;
        }
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            cells.push_back(item == nullptr ? QString() : item->text());
        }
        rows.push_back(cells.join('|'));
    }
    return rows;
}

}  // namespace kalvex::testing
