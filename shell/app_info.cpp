#include "shell/app_info.h"

#include <QFileInfo>

#include "engine/io/data_folders.h"

namespace corvane {

QString AppVersion() {
  return QStringLiteral("%1.%2").arg(CORVANE_VERSION_MAJOR).arg(CORVANE_VERSION_MINOR);
}

QString VersionLine() {
  QString line = QStringLiteral("Version ") + AppVersion();
  if (CORVANE_VERSION_PATCH != 0) line += QStringLiteral(".%1").arg(CORVANE_VERSION_PATCH);
  return line;
}

AppFolders AppFolders::ForProgram(const QString& programFolder) {
  const std::filesystem::path data =
      BundledDataFolder(std::filesystem::path(programFolder.toStdString()));
  return AppFolders(QString::fromStdString(data.string()),
                    QString::fromStdString(UserDataFolder().string()));
}

QString AppFolders::startFolder(const QString& bundled) const {
  return !user.isEmpty() && QFileInfo(user).isDir() ? user : bundled;
}

QString AppFolders::proposedFile(const QString& name) const {
  const QString folder = startFolder(QString());
  if (folder.isEmpty() || QFileInfo(name).isAbsolute()) return name;
  return name.isEmpty() ? folder : folder + QLatin1Char('/') + name;
}

}  // namespace corvane
