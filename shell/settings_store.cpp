#include "shell/settings_store.h"

#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace corvane {

namespace {

const QString kStoreFileName = QStringLiteral("Corvane Meeting.ini");

// An unquoted value holding commas reads back as a list; its text is the items rejoined.
std::string TextOf(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(QLatin1Char(',')).toStdString();
  }
  return value.toString().toStdString();
}

void AppendGroup(QSettings& store, const QString& group, SettingsValues& values) {
  store.beginGroup(group);
  for (const QString& key : store.childKeys()) {
    values.emplace_back((group + QLatin1Char('/') + key).toStdString(), TextOf(store.value(key)));
  }
  store.endGroup();
}

void ImportDefaults(QSettings& store, const QString& defaultsFile) {
  store.clear();
  if (!QFileInfo::exists(defaultsFile)) return;
  QSettings defaults(defaultsFile, QSettings::IniFormat);
  for (const QString& key : defaults.allKeys()) store.setValue(key, defaults.value(key));
  store.sync();
}

}  // namespace

QString UserSettingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QLatin1Char('/') + kStoreFileName;
}

SettingsValues ReadStoreValues(QSettings& store) {
  SettingsValues values;
  for (const QString& key : store.childKeys()) {
    values.emplace_back(key.toStdString(), TextOf(store.value(key)));
  }
  AppendGroup(store, QStringLiteral("MainWindow"), values);
  AppendGroup(store, QStringLiteral("Competitions"), values);
  return values;
}

ShellSettings LoadSettings(const SettingsFiles& files, const QString& appVersion,
                           ScreenTwips screen) {
  QSettings store(files.store, QSettings::IniFormat);
  if (NeedsImport(appVersion.toStdString(), TextOf(store.value(QStringLiteral("Version"))))) {
    ImportDefaults(store, files.defaults);
  }
  ShellSettings settings = ReadShellSettings(ReadStoreValues(store), screen);
  const QLocale locale;
  settings.localeDecimal = QString(locale.decimalPoint()).toStdString();
  settings.localeShortDate = locale.dateFormat(QLocale::ShortFormat).toLower().toStdString();
  return settings;
}

Status SaveSettings(const QString& storeFile, const ShellSettings& settings,
                    const QString& appVersion) {
  QSettings store(storeFile, QSettings::IniFormat);
  store.clear();
  for (const auto& [key, text] : WriteShellSettings(settings, appVersion.toStdString())) {
    store.setValue(QString::fromStdString(key), QString::fromStdString(text));
  }
  store.sync();
  switch (store.status()) {
    case QSettings::NoError:
      return Done{};
    case QSettings::AccessError:
      return Error{"The settings could not be saved to \"" + storeFile.toStdString() +
                   "\": the file or its folder cannot be written."};
    case QSettings::FormatError:
      break;
  }
  return Error{"The settings could not be saved to \"" + storeFile.toStdString() + "\"."};
}

}  // namespace corvane
