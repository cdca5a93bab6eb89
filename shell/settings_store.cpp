#include "shell/settings_store.h"

#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace corvane {

namespace {

const QString kStoreFileName = QStringLiteral("Corvane Meeting.ini");
const QString kCompetitionsGroup = QStringLiteral("Competitions");

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

// The file name of a New Meeting item's text "caption, file".
QString CompetitionFile(const QString& text) {
  const qsizetype comma = text.indexOf(QLatin1Char(','));
  return comma < 0 ? QString() : text.mid(comma + 1).trimmed();
}

// The Competitions group's texts in menu order.
QStringList CompetitionTexts(QSettings& settings) {
  QStringList texts;
  settings.beginGroup(kCompetitionsGroup);
  for (const QString& key : settings.childKeys()) {
    texts.append(QString::fromStdString(TextOf(settings.value(key))));
  }
  settings.endGroup();
  return texts;
}

// A newer version's first run: everything the user set stays. The shipped defaults fill only
// the keys the store lacks, and their competitions not yet in the menu are appended to it.
void MergeDefaults(QSettings& store, const QString& defaultsFile, const QString& appVersion) {
  if (QFileInfo::exists(defaultsFile)) {
    QSettings defaults(defaultsFile, QSettings::IniFormat);
    const QString competitionsPrefix = kCompetitionsGroup + QLatin1Char('/');
    for (const QString& key : defaults.allKeys()) {
      if (!key.startsWith(competitionsPrefix) && !store.contains(key)) {
        store.setValue(key, defaults.value(key));
      }
    }
    QStringList menu = CompetitionTexts(store);
    QStringList listedFiles;
    for (const QString& text : menu) listedFiles.append(CompetitionFile(text));
    for (const QString& text : CompetitionTexts(defaults)) {
      const QString file = CompetitionFile(text);
      if (file.isEmpty() || listedFiles.contains(file)) continue;
      menu.append(text);
      listedFiles.append(file);
    }
    // Numbered afresh, so the appended items follow the user's whatever their keys were.
    store.remove(kCompetitionsGroup);
    store.beginGroup(kCompetitionsGroup);
    for (qsizetype i = 0; i < menu.size() && i < kMaxCompetitions; ++i) {
      store.setValue(QStringLiteral("MenuPos%1").arg(i + 1, 2, 10, QLatin1Char('0')), menu[i]);
    }
    store.endGroup();
  }
  store.setValue(QStringLiteral("Version"), appVersion);
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
  AppendGroup(store, kCompetitionsGroup, values);
  return values;
}

ShellSettings LoadSettings(const SettingsFiles& files, const QString& appVersion,
                           ScreenTwips screen) {
  QSettings store(files.store, QSettings::IniFormat);
  if (NeedsImport(appVersion.toStdString(), TextOf(store.value(QStringLiteral("Version"))))) {
    MergeDefaults(store, files.defaults, appVersion);
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
