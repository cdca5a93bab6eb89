#include "editor/editor_settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include "editor/average_scale.h"

namespace corvane {

QString SharedSettingsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

int ReadDefaultMaxAverage(const QString& settingsFolder) {
  const QSettings settings(QDir(settingsFolder).filePath(QStringLiteral("Corvane Meeting.ini")),
                           QSettings::IniFormat);
  // An INI value with a comma in it comes back as a list; put it together again.
  const QString text = settings.value(QStringLiteral("DefMaxAvge")).toStringList().join(',');
  return MaxAverageSetting(text.toStdString());
}

}  // namespace corvane
