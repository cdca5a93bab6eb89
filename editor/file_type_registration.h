// The desktop's file type for rider databases, so that opening a .rdb file starts the editor.
#pragma once

#include <QString>

namespace corvane {

inline constexpr const char* kRiderDatabaseTypeDescription = "Rider Database";

// Registers the editor at `programPath` as the program that opens .rdb files.
void RegisterRiderDatabaseType(const QString& programPath);

}  // namespace corvane
