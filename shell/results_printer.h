// Printing the results text in the fixed-pitch font, once for each copy asked for.
#pragma once

#include <QString>

#include "engine/result.h"

class QPrinter;

namespace corvane {

inline constexpr qreal kPrintPointSize = 10;

Status PrintText(QPrinter& printer, const QString& text);

}  // namespace corvane
