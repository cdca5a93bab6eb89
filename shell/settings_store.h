// The per-user settings store: an INI file read once at start-up and written when the main
// window closes or the preferences are applied. On the first run of a newer version the defaults
// file shipped beside the program fills in what the store lacks.
#pragma once

#include <QString>

#include "engine/io/result.h"
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
// one, the defaults file first fills the keys the store lacks and appends the competitions it
// does not list yet, so a first run already lists the bundled competitions and an upgrade keeps
// the user's settings. A stored version newer than the running one is left as it is.
ShellSettings LoadSettings(const SettingsFiles& files, const QString& appVersion,
                           ScreenTwips screen);

// Replaces the whole store with the settings.
Status SaveSettings(const QString& storeFile, const ShellSettings& settings,
                    const QString& appVersion);

}  // namespace corvane
