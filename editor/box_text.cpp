#include "editor/box_text.h"

#include <QLocale>

#include "engine/io/text_encoding.h"

namespace corvane {

QString EditorDecimalSeparator() {
  const QString separator = QLocale().decimalPoint();
  const std::string inFile = EngineText(separator);
  const bool usable =
      inFile.size() == 1 && inFile != "?" && separator.size() == 1 && !separator.front().isDigit();
  return usable ? separator : QStringLiteral(".");
}

FieldTextValidator::FieldTextValidator(bool refuseColon, QObject* parent)
    : QValidator(parent), refuseColon_(refuseColon) {}

QValidator::State FieldTextValidator::validate(QString& input, int& pos) const {
  QString kept;
  kept.reserve(input.size());
  int keptPos = pos;
  for (qsizetype i = 0; i < input.size(); ++i) {
    const QChar c = input.at(i);
    const bool refused =
        c == u',' || (refuseColon_ && c == u':') || c.category() == QChar::Other_Control;
    if (!refused) {
      kept.append(c);
    } else if (i < pos) {
      --keptPos;
    }
  }
  input = kept;
  pos = keptPos;
  return Acceptable;
}

AverageTextValidator::AverageTextValidator(QString decimalSeparator, QObject* parent)
    : QValidator(parent), decimalSeparator_(std::move(decimalSeparator)) {}

QValidator::State AverageTextValidator::validate(QString& input, int&) const {
  bool separatorSeen = false;
  for (const QChar c : input) {
    if (c.isDigit() && c.unicode() < 128) continue;
    if (QString(c) == decimalSeparator_ && !separatorSeen) {
      separatorSeen = true;
      continue;
    }
    return Invalid;
  }
  return Acceptable;
}

QValidator::State MaxAverageValidator::validate(QString& input, int&) const {
  if (input.size() > 2) return Invalid;
  for (const QChar c : input) {
    if (!(c.isDigit() && c.unicode() < 128)) return Invalid;
  }
  return Acceptable;
}

}  // namespace corvane
