// The fixed-pitch font of the results text: "Courier New", or the system's fixed-pitch font
// where that is not installed.
#pragma once

#include <QFont>

namespace corvane {

// True when every character of the font is as wide as every other.
bool HasFixedPitch(const QFont& font);

QFont ResultsFont(qreal pointSize = 0);

}  // namespace corvane
