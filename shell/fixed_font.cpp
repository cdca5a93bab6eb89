#include "shell/fixed_font.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace corvane {

QFont ResultsFont(qreal pointSize) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (pointSize > 0) font.setPointSizeF(pointSize);
  return font;
}

}  // namespace corvane
