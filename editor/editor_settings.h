// What the editor takes from the settings it shares with the meeting program: only the maximum
// average, read once at start-up and never written back.
#pragma once

#include <QString>

namespace corvane {

// The folder of the shared settings file, "Corvane Meeting.ini".
QString SharedSettingsFolder();

// DefMaxAvge of the shared settings: 1 to 99, 12 when it is missing or out of range.
int ReadDefaultMaxAverage(const QString& settingsFolder);

}  // namespace corvane
