#include "seasonui/table_cells.h"

#include <QHeaderView>
#include <QTableWidget>

namespace corvane {

namespace {

constexpr int kValueRole = Qt::UserRole + 1;

class NumberItem final : public QTableWidgetItem {
 public:
  NumberItem(double value, int decimals) : QTableWidgetItem(QString::number(value, 'f', decimals)) {
    setData(kValueRole, value);
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant theirs = other.data(kValueRole);
    if (!theirs.isValid()) return QTableWidgetItem::operator<(other);
    return data(kValueRole).toDouble() < theirs.toDouble();
  }
};

}  // namespace

QTableWidget* NewTable(QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setAlternatingRowColors(true);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  return table;
}

QTableWidgetItem* TextCell(const QString& text) {
  return new QTableWidgetItem(text);
}

QTableWidgetItem* NumberCell(double value, int decimals) {
  return new NumberItem(value, decimals);
}

void StartRows(QTableWidget& table, const QStringList& headers, int rows) {
  table.setSortingEnabled(false);
  table.clearContents();
  table.setColumnCount(static_cast<int>(headers.size()));
  table.setHorizontalHeaderLabels(headers);
  table.setRowCount(rows);
}

void FinishRows(QTableWidget& table, bool sortable) {
  // Sorting first, so that the headings leave room for the sort arrow.
  table.setSortingEnabled(sortable);
  table.resizeColumnsToContents();
}

}  // namespace corvane
