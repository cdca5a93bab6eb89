// Engine text (Windows-1252) to and from the widgets' Unicode, and file paths to and from
// the standard library's.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/text_encoding.h"

namespace corvane {

inline QString FromCp1252(std::string_view text) {
  return QString::fromStdString(Cp1252ToUtf8(text));
}

inline std::string ToCp1252(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

inline std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

inline QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace corvane
