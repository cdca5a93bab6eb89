// What a person would see wrong in a window as it is laid out now: a caption wider than its
// label, button or option, a widget outside the window, one access key for two controls, and
// commands hidden behind a toolbar's or menu bar's overflow button.
#pragma once

#include <QStringList>

class QWidget;

namespace corvane::testing {

// Shows `window` (or brings its layout up to date) and lists its faults, one line each.
QStringList LayoutFaults(QWidget* window);

}  // namespace corvane::testing
