// corvane-run: for now, reads a competition and prints its checked regulations and programme.
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/program_folder.h"
#include "engine/headless_host.h"
#include "engine/meeting_setup.h"
#include "engine/random_source.h"
#include "engine/regulations_text.h"
#include "engine/text_encoding.h"

int main(int argc, char** argv) {
  using namespace corvane;
  const std::string competition = argc > 1 ? argv[1] : "league-match.cfg";
  const std::filesystem::path scripts = ProgramFolder(argv[0]) / "Scripts";

  HeadlessHost host;
  Meeting meeting;
  Pcg32Random random(1);
  const CompetitionChoice choice{competition, Utf8ToCp1252(competition)};
  const SetupOutcome outcome = NewMeeting(meeting, choice, Preferences{}, scripts, host, random);
  for (const std::string& warning : host.warnings) std::cerr << Cp1252ToUtf8(warning) << '\n';
  if (outcome == SetupOutcome::NotStarted) return 1;
  std::cout << Cp1252ToUtf8(RegulationsText(meeting));
  return 0;
}
