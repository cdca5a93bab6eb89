// Toolbar images drawn for the rider editor where the style's stock icons would say something
// else (a new folder, a link): a line-up sheet with a plus, and two sheets one over the other.
#pragma once

#include <QIcon>

namespace corvane {

QIcon AddLineupIcon();
QIcon DuplicateLineupIcon();

}  // namespace corvane
