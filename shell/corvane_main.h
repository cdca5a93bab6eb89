// Start-up of the meeting simulator: settings, file types, the main window and the greeting.
#pragma once

class QApplication;

namespace corvane {

// Runs the program until its main window closes; returns the exit code.
int Main(QApplication& app);

}  // namespace corvane
