// Printing the results text in the fixed-pitch font, once for each copy asked for.
#pragma once

#include <QString>

#include "engine/io/result.h"

class QPrinter;

namespace corvane {

inline constexpr qreal kPrintPointSize = 10;
inline constexpr qreal kSmallestPrintPointSize = 6;

// The print size for text whose widest line is `widest` wide at kPrintPointSize on a page
// `pageWidth` wide: that size when it fits, smaller so the line is not wrapped, but never below
// the smallest size, where lines wrap instead.
qreal FittingPointSize(qreal widest, qreal pageWidth);

Status PrintText(QPrinter& printer, const QString& text);

}  // namespace corvane
