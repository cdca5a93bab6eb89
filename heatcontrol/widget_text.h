// Engine text (UTF-8) to and from the widgets' Unicode, for every window of both programs
// (header only: it needs Qt Core and nothing of the dialogs).
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "engine/io/text_encoding.h"

namespace corvane {

inline QString WidgetText(std::string_view engineText) {
  return QString::fromUtf8(engineText.data(), static_cast<qsizetype>(engineText.size()));
}

inline std::string EngineText(const QString& widgetText) {
  return widgetText.toStdString();
}

// Places in a widget's text count UTF-16 units, where a character beyond the Basic Multilingual
// Plane takes two; the engine counts characters.
inline int CharactersBefore(const QString& text, int place) {
  return static_cast<int>(QStringView(text).left(place).toUcs4().size());
}

inline int PlaceOfCharacter(const QString& text, int character) {
  int place = 0;
  for (int k = 0; k < character && place < text.size(); ++k) {
    place += text.at(place).isHighSurrogate() && place + 1 < text.size() ? 2 : 1;
  }
  return place;
}

}  // namespace corvane
