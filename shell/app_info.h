// The program's version and the folders of its files.
#pragma once

#include <QString>
#include <utility>

namespace corvane {

// "major.minor": the version the settings store compares and keeps.
QString AppVersion();

// "Version major.minor", with ".revision" when the revision is not zero.
QString VersionLine();

// The bundled files (beside the program in a build tree, under share/corvane when installed)
// and the user's own folder for rider databases, competitions, meeting and results files.
struct AppFolders {
  AppFolders() = default;
  explicit AppFolders(QString dataFolder, QString userFolder = QString())
      : data(std::move(dataFolder)), user(std::move(userFolder)) {}

  QString data;
  QString user;  // empty when the environment names none

  // The folders of the program at `programFolder`, for the user of this process.
  static AppFolders ForProgram(const QString& programFolder);

  QString scripts() const { return data + QStringLiteral("/Scripts"); }
  QString lineups() const { return data + QStringLiteral("/Lineups"); }
  QString help() const { return data + QStringLiteral("/help"); }
  QString defaultsFile() const { return data + QStringLiteral("/corvane-defaults.ini"); }

  // Where file dialogs for the user's own files start: the user's folder when it exists,
  // otherwise `bundled`.
  QString startFolder(const QString& bundled) const;

  // What a save dialog proposes for a new file of the user's: `name` in the user's folder when
  // that exists, otherwise `name` alone (the dialog's own folder). An empty name proposes the
  // folder.
  QString proposedFile(const QString& name) const;
};

}  // namespace corvane
