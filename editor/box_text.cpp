#include "editor/box_text.h"

#include <QLineEdit>
#include <QLocale>

#include "engine/io/text_encoding.h"

namespace corvane {

QString EditorDecimalSeparator() {
  const QString separator = QLocale().decimalPoint();
  const bool usable = separator.size() == 1 && !separator.front().isDigit();
  return usable ? separator : QStringLiteral(".");
}

FieldTextValidator::FieldTextValidator(bool refuseColon, int maxCharacters, QObject* parent)
    : QValidator(parent), refuseColon_(refuseColon), maxCharacters_(maxCharacters) {}

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
  // Beyond the room, the characters just before the caret (the end of what was typed or
  // pasted) go, as a box's maximum length cuts an insertion.
  const int caret = CharactersBefore(kept, keptPos);
  const int excess = CharactersBefore(kept, static_cast<int>(kept.size())) - maxCharacters_;
  if (excess > 0) {
    const int from = std::max(0, caret - excess);
    const int start = PlaceOfCharacter(kept, from);
    kept.remove(start, PlaceOfCharacter(kept, from + excess) - start);
    keptPos = start;
  }
  input = kept;
  pos = keptPos;
  return Acceptable;
}

void LimitToCharacters(QLineEdit* box, bool refuseColon, int maxCharacters) {
  box->setMaxLength(2 * maxCharacters);  // room for characters that take two UTF-16 units
  box->setValidator(new FieldTextValidator(refuseColon, maxCharacters, box));
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
