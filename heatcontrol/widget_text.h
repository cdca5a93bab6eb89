// Engine text (Windows-1252) to and from the widgets' Unicode, for every window of both
// programs (header only: it needs Qt Core and the core library, nothing of the dialogs).
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "engine/io/text_encoding.h"

namespace corvane {

inline QString WidgetText(std::string_view engineText) {
  return QString::fromStdString(Cp1252ToUtf8(engineText));
}

inline std::string EngineText(const QString& widgetText) {
  return Utf8ToCp1252(widgetText.toStdString());
}

}  // namespace corvane
