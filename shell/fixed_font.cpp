#include "shell/fixed_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>

namespace corvane {

bool HasFixedPitch(const QFont& font) {
  // Font databases do not always flag monospaced fonts, so the glyphs are measured.
  const QFontMetricsF metrics(font);
  const qreal width = metrics.horizontalAdvance(QLatin1Char('W'));
  return width > 0 && metrics.horizontalAdvance(QLatin1Char('i')) == width &&
         metrics.horizontalAdvance(QLatin1Char('.')) == width;
}

QFont ResultsFont(qreal pointSize) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (!HasFixedPitch(font)) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (pointSize > 0) font.setPointSizeF(pointSize);
  return font;
}

}  // namespace corvane
