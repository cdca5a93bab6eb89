// The per-user settings store: an INI file read once at start-up and written when the main
// window closes or the preferences are applied. On the first run of a newer version the store
// is replaced by the defaults file shipped beside the program.
#pragma once

#include <QString>

#include "engine/result.h"
#include "shell/settings_values.h"

class QSettings;

namespace corvane {

struct SettingsFiles {
  QString store;     // the user's settings file
  QString defaults;  // the shipped defaults, same layout
};

// The user's settings file in the configuration folder.
QString UserSettingsFile();

// The store's values, top-level keys first, then the MainWindow and Competitions groups.
SettingsValues ReadStoreValues(QSettings& store);

// Reads the settings, with the locale's formats. When the running version is newer than the stored
// one the store is emptied and the defaults file copied into it before reading, so a first run
// already lists the bundled competitions. A missing defaults file leaves the store empty.
ShellSettings LoadSettings(const SettingsFiles& files, const QString& appVersion,
                           ScreenTwips screen);

// Replaces the whole store with the settings.
Status SaveSettings(const QString& storeFile, const ShellSettings& settings,
                    const QString& appVersion);

}  // namespace corvane
