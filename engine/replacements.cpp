#include "engine/replacements.h"

namespace corvane {

// Placeholders until the computer's decisions land.
void ChooseReplacement(Meeting& /*m*/) {}
void ConsiderRiderReplacement(Meeting& /*m*/) {}
void ChooseTacticalSubstitute(Meeting& /*m*/) {}

}  // namespace corvane
