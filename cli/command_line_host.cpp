#include "cli/command_line_host.h"

namespace corvane {

void CommandLineHost::SetStatusText(std::string_view text) {
  HeadlessHost::SetStatusText(text);
  // Every heat ends with its summary line: the heat in hand counts as decided, so the runner
  // reports it and waits at the next heat line.
  const bool running =
      meeting_.MeetingState == kRunOn || meeting_.MeetingState == kStartedFromEditor;
  if (!text.empty() && running && StopReached()) meeting_.MeetingState = kHeatDecided;
}

}  // namespace corvane
