// How soon the Forecast panel shows the chances once a heat has been reported: the bundled league
// match, stopped after each heat as a player's meeting stops, is handed to the panel as the
// main window hands it over, and the time until the panel shows that heat's forecast is taken on
// the event loop (wall time, every core, 10,000 runs each).
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "cli/command_line_host.h"
#include "cli/meeting_inputs.h"
#include "engine/programme/meeting_runner.h"
#include "shell/forecast_panel.h"
#include "shell/user_dialogs.h"

int main(int argc, char** argv) {
  using namespace corvane;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QtUserDialogs dialogs;  // never asked
  ForecastPanel panel(dialogs);

  RunOptions options;
  options.competition = std::string(CORVANE_SOURCE_DIR) + "/Scripts/league-match.cfg";
  options.date = "07/12/26";
  const auto inputs = ReadMeetingInputs(options, CORVANE_SOURCE_DIR);
  Pcg32Random random(7);
  auto setUp = inputs ? SetUpCommandLineMeeting(options, inputs.value(), random)
                      : Result<Meeting>(Error{inputs.error()});
  if (!setUp) {
    std::fprintf(stderr, "%s\n", setUp.error().c_str());
    return 2;
  }
  Meeting m = setUp.value();
  CommandLineHost host(m);
  panel.NewMeeting();
  std::vector<double> millis;
  for (int heat = 1; heat < 15; ++heat) {
    host.stopAfterHeats = heat;
    while (!host.StopReached()) RunProgramme(m, host, random);
    const auto start = std::chrono::steady_clock::now();
    panel.MeetingStopped(m);
    while (panel.shownHeat() != heat) app.processEvents(QEventLoop::WaitForMoreEvents);
    millis.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(millis.begin(), millis.end());
  std::printf("panel updated after heats 1 to 14: median %.1f ms, slowest %.1f ms\n",
              millis[millis.size() / 2], millis.back());
  return 0;
}
