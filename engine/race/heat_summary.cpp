#include "engine/race/heat_summary.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "engine/host/meeting_host.h"
#include "engine/race/result_text.h"

namespace corvane {

namespace {

// A fixed buffer that notes when the text does not fit.
class FixedText {
 public:
  void append(std::string_view text) {
    if (text.size() > buffer_.size() - size_) {
      overflow_ = true;
      return;
    }
    std::memcpy(buffer_.data() + size_, text.data(), text.size());
    size_ += text.size();
  }
  bool overflowed() const { return overflow_; }
  std::string_view view() const { return {buffer_.data(), size_}; }

 private:
  std::array<char, 192> buffer_{};
  std::size_t size_ = 0;
  bool overflow_ = false;
};

template <class Text>
void BuildSummary(const Meeting& m, int heat, Text& line) {
  line.append("Heat ");
  line.append(Dec(heat));
  line.append(":  ");
  if (heat < 0 || heat > kMaxHeats || m.HeatResults[static_cast<std::size_t>(heat)][0][1] == 0) {
    line.append("Race not held");
    return;
  }
  const HeatRecord& record = m.HeatResults[static_cast<std::size_t>(heat)];
  for (int entry = 1; entry <= kMaxEntries; ++entry) {
    const auto& result = record[static_cast<std::size_t>(entry)];
    const int rider = result[1];
    if (!IsSlot(rider)) continue;
    const std::string& name = m.RiderName[static_cast<std::size_t>(rider)];
    if (name.empty()) continue;
    if (entry > 1) line.append(", ");
    line.append(name);
    if (result[2] < kRacing || result[3] > 0) line.append(ResultBracket(m, result[2], result[3]));
  }
}

}  // namespace

std::string HeatSummaryLine(const Meeting& m, int heat) {
  std::string line;
  if (heat >= 0 && heat <= kMaxHeats) {
    // The recorded length is the length of the results text plus 2.
    line.reserve(16 + static_cast<std::size_t>(
                          std::max<int>(m.HeatResults[static_cast<std::size_t>(heat)][0][1], 13)));
  }
  BuildSummary(m, heat, line);
  return line;
}

void ShowHeatSummary(const Meeting& m, int heat, MeetingHost& host) {
  if (!host.WantsHeatSummary()) return;
  FixedText line;
  BuildSummary(m, heat, line);
  if (line.overflowed()) {
    host.SetStatusText(HeatSummaryLine(m, heat));
  } else {
    host.SetStatusText(line.view());
  }
}

}  // namespace corvane
