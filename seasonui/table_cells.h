// Cells of the Season window's tables: text, and numbers that sort as numbers.
#pragma once

#include <QString>
#include <QStringList>

class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace corvane {

// A read-only table of whole rows, rows as high as a line of text, in no order until the user
// clicks a heading.
QTableWidget* NewTable(QWidget* parent);

QTableWidgetItem* TextCell(const QString& text);
// A number shown with `decimals` places, sorted by its value.
QTableWidgetItem* NumberCell(double value, int decimals = 0);

// Empties the table and gives it these columns and `rows` empty rows; sorting stays off until
// FinishRows, so rows filled one by one stay where they are put.
void StartRows(QTableWidget& table, const QStringList& headers, int rows);
// Sizes the columns to their contents and turns sorting back on when `sortable`.
void FinishRows(QTableWidget& table, bool sortable);

}  // namespace corvane
