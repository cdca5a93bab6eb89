// File paths to and from the standard library's; engine text to and from the widgets' Unicode
// comes from the dialogs' header.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "heatcontrol/widget_text.h"

namespace corvane {

inline std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

inline QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace corvane
