// The editor's boxes: the filters that keep out what the file cannot hold; text converts to and
// from the engine's UTF-8 with EngineText and WidgetText.
#pragma once

#include <QString>
#include <QValidator>

#include "heatcontrol/widget_text.h"  // EngineText and WidgetText

class QLineEdit;

namespace corvane {

// The user's decimal separator when the file's code page can hold it as one character,
// otherwise ".".
QString EditorDecimalSeparator();

// Takes the commas (and, for a competition ID, the colons) out of what is typed or pasted: in
// the file they end a field, so every later field of the line would shift. Line breaks and
// other control characters go too. The box holds at most maxCharacters characters, counted as
// the file counts them (a box's own maximum length counts UTF-16 units): what is typed or pasted
// beyond is cut, as a full box does.
class FieldTextValidator : public QValidator {
 public:
  FieldTextValidator(bool refuseColon, int maxCharacters, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  bool refuseColon_;
  int maxCharacters_;
};

// A box for text of at most maxCharacters characters, as the validator above keeps it.
void LimitToCharacters(QLineEdit* box, bool refuseColon, int maxCharacters);

// Digits and at most one decimal separator, as an average box takes them.
class AverageTextValidator : public QValidator {
 public:
  AverageTextValidator(QString decimalSeparator, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  QString decimalSeparator_;
};

// Up to two digits, as the maximum average box takes them.
class MaxAverageValidator : public QValidator {
 public:
  explicit MaxAverageValidator(QObject* parent) : QValidator(parent) {}
  State validate(QString& input, int& pos) const override;
};

}  // namespace corvane
