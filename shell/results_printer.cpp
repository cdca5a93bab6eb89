#include "shell/results_printer.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <algorithm>

#include "shell/fixed_font.h"

namespace corvane {

qreal FittingPointSize(qreal widest, qreal pageWidth) {
  if (widest <= pageWidth || widest <= 0) return kPrintPointSize;
  // A little room for the rounding of glyph advances at the smaller size.
  const qreal fitting = kPrintPointSize * pageWidth / widest * 0.98;
  return std::max(kSmallestPrintPointSize, fitting);
}

Status PrintText(QPrinter& printer, const QString& text) {
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QFontMetricsF metrics(ResultsFont(kPrintPointSize), &printer);
  qreal widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    widest = std::max(widest, metrics.horizontalAdvance(line));
  }
  QTextDocument document;
  document.documentLayout()->setPaintDevice(&printer);  // measure in the printer's resolution
  document.setDefaultFont(ResultsFont(FittingPointSize(widest, page.width())));
  document.setDocumentMargin(0);
  document.setPlainText(text);
  document.setPageSize(page.size());

  QPainter painter;
  if (!painter.begin(&printer)) {
    const QString target = printer.outputFileName().isEmpty()
                               ? QStringLiteral("the printer \"%1\"").arg(printer.printerName())
                               : QStringLiteral("the file \"%1\"").arg(printer.outputFileName());
    return Error{"Cannot print: " + target.toStdString() + " could not be opened for printing."};
  }
  // Printers that make copies themselves get one; for the others each copy is printed here.
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  const int pages = std::max(1, document.pageCount());
  for (int copy = 0; copy < copies; ++copy) {
    for (int p = 0; p < pages; ++p) {
      if (copy > 0 || p > 0) printer.newPage();
      painter.save();
      painter.translate(0, -p * page.height());
      document.drawContents(&painter, QRectF(0, p * page.height(), page.width(), page.height()));
      painter.restore();
    }
  }
  if (!painter.end()) return Error{"Cannot print: the print job could not be finished."};
  return Done{};
}

}  // namespace corvane
