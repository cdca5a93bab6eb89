// The program's version and the folders of its bundled files.
#pragma once

#include <QString>

namespace corvane {

// "major.minor": the version the settings store compares and keeps.
QString AppVersion();

// "Version major.minor", with ".revision" when the revision is not zero.
QString VersionLine();

// The bundled files beside the program.
struct AppFolders {
  QString program;

  QString scripts() const { return program + QStringLiteral("/Scripts"); }
  QString lineups() const { return program + QStringLiteral("/Lineups"); }
  QString help() const { return program + QStringLiteral("/help"); }
  QString defaultsFile() const { return program + QStringLiteral("/corvane-defaults.ini"); }
};

}  // namespace corvane
