// Engine text (Windows-1252) to and from the widgets' Unicode, for the meeting dialogs.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "engine/text_encoding.h"

namespace corvane {

inline QString WidgetText(std::string_view engineText) {
  return QString::fromStdString(Cp1252ToUtf8(engineText));
}

inline std::string EngineText(const QString& widgetText) {
  return Utf8ToCp1252(widgetText.toStdString());
}

}  // namespace corvane
