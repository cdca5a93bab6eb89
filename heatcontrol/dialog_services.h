// What the meeting dialogs ask of the program around them: help pages and warnings. The
// program passes its help window and message boxes; tests pass recorders.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace corvane {

// Help contexts of the dialogs' Help buttons.
inline constexpr int kRegulationsHelpContext = 110;
inline constexpr int kControlModeHelpContext = 130;

// Opens the help at a context, for a dialog that stays modal meanwhile.
using HelpOpener = std::function<void(QWidget* owner, int context)>;

// A warning message box (exclamation icon, OK button).
using WarningShower =
    std::function<void(QWidget* parent, const QString& title, const QString& text)>;

}  // namespace corvane
