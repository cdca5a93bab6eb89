#include "engine/race/result_text.h"

namespace corvane {

std::string ResultBracket(const Meeting& m, int code, int metres) {
  if (code >= kRacing) return metres > 0 ? " (" + Dec(metres) + ")" : std::string();
  const std::string& mark =
      m.ProgMarks[static_cast<std::size_t>(code >= 0 && code <= kMarkCount ? code : 0)];
  return metres > 0 ? " (" + Dec(metres) + "/" + mark + ")" : " (" + mark + ")";
}

}  // namespace corvane
