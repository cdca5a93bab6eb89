// The host of meetings run from the command line: no windows, every team steered by the
// computer, and an optional stop once a number of heats has been run.
#pragma once

#include "engine/records/meeting.h"
#include "report/headless_host.h"

namespace corvane {

class CommandLineHost : public HeadlessHost {
 public:
  explicit CommandLineHost(Meeting& m) : meeting_(m) {}

  // Once the meeting has run this many heats the runner stops at the next heat line, as when
  // the user stops in the heat manager; negative: never.
  int stopAfterHeats = -1;

  bool StopReached() const { return stopAfterHeats >= 0 && meeting_.HeatCount >= stopAfterHeats; }

  void SetStatusText(std::string_view text) override;

 private:
  Meeting& meeting_;
};

}  // namespace corvane
