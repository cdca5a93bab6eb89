// corvane-run as a user runs it: a process with arguments, its output, errors and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/records/characters.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class CorvaneRun : public ::testing::Test {
 protected:
  // Runs the program; arguments must not need quoting.
  Outcome Run(const std::string& args) {
    const fs::path out = folder_ / "stdout";
    const fs::path err = folder_ / "stderr";
    const std::string command =
        std::string(CORVANE_RUN_PROGRAM) + " " + args + " >" + out.string() + " 2>" + err.string();
    const int raw = std::system(command.c_str());
    return Outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, corvane::testing::FileText(out),
                   corvane::testing::FileText(err)};
  }

  const corvane::testing::TempFolder temp_{"run"};
  const std::filesystem::path& folder_ = temp_.path();
};

TEST_F(CorvaneRun, TheSameSeedGivesTheSameMeeting) {
  const Outcome first = Run("-s 99 --date 01/05/27 league-match.cfg");
  const Outcome second = Run("-s 99 --date 01/05/27 league-match.cfg");
  const Outcome other = Run("-s 98 --date 01/05/27 league-match.cfg");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_NE(first.err.find("seed 99"), std::string::npos);  // to race it again
  EXPECT_EQ(first.out, second.out);
  EXPECT_NE(first.out, other.out);

  const fs::path saved = folder_ / "report.txt";
  ASSERT_EQ(Run("-s 99 --date 01/05/27 -o " + saved.string() + " league-match.cfg").status, 0);
  std::string crlf;
  for (char c : first.out) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(corvane::testing::FileText(saved), crlf + "\r\n\r\n");  // as Save As writes it

  // The same meeting as a spreadsheet table: 15 heats, 14 riders.
  const fs::path csv = folder_ / "report.CSV";
  ASSERT_EQ(Run("-s 99 --date 01/05/27 -o " + csv.string() + " league-match.cfg").status, 0);
  const std::string table = corvane::testing::FileText(csv);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 14 + 1 + 1 + 15) << table;
}

TEST_F(CorvaneRun, SuspendedMeetingsResumeToTheEnd) {
  const fs::path file = folder_ / "m.mtg";
  const Outcome suspended =
      Run("-s 5 --date 01/05/27 --suspend-after 6 " + file.string() + " league-match.cfg");
  ASSERT_EQ(suspended.status, 0) << suspended.err;
  EXPECT_NE(suspended.out.find("  6: "), std::string::npos);
  EXPECT_EQ(suspended.out.find("  7: "), std::string::npos);
  const std::string bytes = corvane::testing::FileText(file);

  // A meeting that has its heats already is written again at once, unchanged.
  const fs::path again = folder_ / "again.mtg";
  ASSERT_EQ(Run("--resume " + file.string() + " --suspend-after 6 " + again.string()).status, 0);
  EXPECT_EQ(corvane::testing::FileText(again), bytes);

  const Outcome resumed = Run("-s 6 --resume " + file.string());
  ASSERT_EQ(resumed.status, 0) << resumed.err;
  EXPECT_NE(resumed.out.find(" 15: "), std::string::npos);
  // The heats run before the suspension stand in the resumed meeting's report as they were.
  // (Column widths follow the longest results and largest totals, so the blanks and dots that
  // pad them are not compared.)
  const auto firstHeats = [](const std::string& report) {
    std::string heats =
        report.substr(report.find("  1: "), report.find("  7: ") - report.find("  1: "));
    std::erase(heats, ' ');
    std::erase(heats, '.');
    return heats;
  };
  EXPECT_EQ(firstHeats(resumed.out), firstHeats(suspended.out + "  7: "));
}

// Names from the languages the sport is raced in go through racing, the report, suspending and
// resuming unchanged, and the report's columns line up on screen whatever the letters.
TEST_F(CorvaneRun, NamesInEveryLanguageSurviveAndLineUp) {
  const std::string first[] = {"Bart\u0142omiej",
                               "Ale\u0161",
                               "Zolt\u00E1n",
                               "S\u00F8ren",
                               "\u0410\u0440\u0442\u0451\u043C",
                               "Ji\u0159\u00ED",
                               "\u0141ukasz"};
  const std::string last[] = {" Wo\u017Aniak \u0150ri",
                              " \u041B\u0430\u0433\u0443\u0442\u0430 \u00C6rlund"};
  std::vector<std::string> names;
  std::string db;
  for (int team = 0; team < 2; ++team) {
    db += team == 0 ? "Gda\u0144sk Wybrze\u017Ce,LGE:7" : "\u0160pindler\u016Fv Ml\u00FDn,LGE:7";
    for (const std::string& name : first) {
      names.push_back(name + last[team]);
      db += "," + names.back() + ",7.00";
    }
    db += "\r\n";
  }
  std::ofstream(folder_ / "names.rdb", std::ios::binary) << db;
  const fs::path file = folder_ / "m.mtg";
  const std::string lineups = "-l " + (folder_ / "names.rdb").string() + " -s 4 --date 01/05/27 ";
  const Outcome suspended =
      Run(lineups + "--suspend-after 6 " + file.string() + " league-match.cfg");
  ASSERT_EQ(suspended.status, 0) << suspended.err;
  const Outcome resumed = Run("-s 4 --resume " + file.string());
  ASSERT_EQ(resumed.status, 0) << resumed.err;
  EXPECT_NE(resumed.out.find("GDA\u0143SK WYBRZE\u017BE"), std::string::npos) << resumed.out;
  EXPECT_NE(resumed.out.find("\u0160PINDLER\u016EV ML\u00DDN"), std::string::npos);
  // Columns count characters as they show, not their bytes: every rider line has its dots end
  // in the same column, and every heat line is as wide as the others.
  std::istringstream lines(resumed.out);
  std::set<int> dotsEnd, heatWidth;
  int named = 0;
  for (std::string line; std::getline(lines, line);) {
    for (const std::string& name : names) {
      if (line.find(". " + name + ".") == std::string::npos) continue;
      ++named;
      dotsEnd.insert(corvane::DisplayWidth(line.substr(0, line.find_last_of('.') + 1)));
    }
    if (line.size() > 4 && line[3] == ':' && line.find(", ") != std::string::npos) {
      heatWidth.insert(corvane::DisplayWidth(line));
    }
  }
  EXPECT_EQ(named, 14) << resumed.out;
  EXPECT_EQ(dotsEnd.size(), 1u) << resumed.out;
  EXPECT_EQ(heatWidth.size(), 1u) << resumed.out;
}

TEST_F(CorvaneRun, StatisticsDoNotDependOnThreads) {
  const Outcome one = Run("-s 3 -n 300 -j 1 --format csv league-match.cfg");
  const Outcome two = Run("-s 3 -n 300 -j 2 --format csv league-match.cfg");
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, two.out);
  EXPECT_NE(one.out.find("team,"), std::string::npos);
}

TEST_F(CorvaneRun, ForecastsFromAMeetingFileAndAfterEveryHeat) {
  const fs::path file = folder_ / "m.mtg";
  ASSERT_EQ(Run("-s 5 --suspend-after 7 " + file.string() + " league-match.cfg").status, 0);
  const Outcome rest = Run("-s 2 -n 200 --format csv --resume " + file.string());
  ASSERT_EQ(rest.status, 0) << rest.err;
  EXPECT_NE(rest.out.find("team,"), std::string::npos);

  // Before the first heat and after each of the 15, one row a team; the meeting raced is the
  // one raced with the same seed, and its last rows are its final scores.
  const Outcome each = Run("-s 5 -n 200 --forecast-each-heat --date 01/05/27 league-match.cfg");
  ASSERT_EQ(each.status, 0) << each.err;
  std::istringstream rows(each.out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(rows, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 1u + 16 * 2);
  EXPECT_EQ(lines[0], "heat,team,win_chance,expected_points");
  const std::string report = Run("-s 5 --date 01/05/27 league-match.cfg").out;
  for (const std::string& last : {lines[31], lines[32]}) {
    ASSERT_EQ(last.rfind("15,", 0), 0u) << last;
    const std::string name = last.substr(3, last.find(',', 3) - 3);
    const std::string points = last.substr(last.rfind(',') + 1);
    EXPECT_NE(report.find(" " + name + " " + points.substr(0, points.find('.')) + "\n"),
              std::string::npos)
        << last;
  }
}

TEST_F(CorvaneRun, CheckListsWhatTheReaderDidAndWhetherTheProgrammeIsFair) {
  for (const auto& file : fs::directory_iterator(fs::path(CORVANE_SOURCE_DIR) / "Scripts")) {
    const std::string name = file.path().filename().string();
    const Outcome run = Run("--check " + name + " -n 20000");
    EXPECT_EQ(run.status, 0) << name << ": " << run.out;
    EXPECT_NE(run.out.find(name + ": no problems found\n"), std::string::npos) << run.out;
  }
  const Outcome league = Run("--check league-match.cfg -n 20000");
  EXPECT_NE(league.out.find("A   4  4  4  4  4  3  3  0"), std::string::npos) << league.out;
  EXPECT_NE(league.out.find(": level within the noise"), std::string::npos) << league.out;

  // Mistakes are listed under the file's name with their lines (the findings are the engine's
  // tests).
  std::string text = corvane::testing::ScriptText("league-match.cfg");
  for (const auto& [from, to] : {std::pair{"\nNUMTEAMS=2\n", "\nNUMTEAMS=banana\n"},
                                 {"\n5:A2,B2,A4,B4\n", "\n5:A2,B1,A9,Z4\n"}}) {
    ASSERT_NE(text.find(from), std::string::npos) << from;
    text.replace(text.find(from), std::string(from).size(), to);
  }
  const fs::path broken = folder_ / "broken.cfg";
  std::ofstream(broken, std::ios::binary) << text;
  const Outcome found = Run("--check " + broken.string());
  EXPECT_EQ(found.status, 1);
  for (const char* line : {": NUMTEAMS=banana\n", ": 5:A2,B1,A9,Z4\n"}) {
    EXPECT_NE(found.out.find(line), std::string::npos) << line << found.out;
  }
  EXPECT_NE(found.out.find(broken.string() + ": "), std::string::npos);

  const fs::path empty = folder_ / "empty.cfg";
  std::ofstream(empty, std::ios::binary).flush();
  EXPECT_EQ(Run("--check " + empty.string()).status, 2);
  EXPECT_EQ(Run("--check " + (folder_ / "none.cfg").string()).status, 2);
}

TEST_F(CorvaneRun, BadInputGetsAMessageAndStatusTwo) {
  const fs::path garbage = folder_ / "garbage.mtg";
  std::ofstream(garbage, std::ios::binary) << "not a meeting";
  const fs::path empty = folder_ / "empty.cfg";
  std::ofstream(empty, std::ios::binary).flush();
  const fs::path comments = folder_ / "comments.cfg";
  std::ofstream(comments, std::ios::binary) << "# nothing\n";
  const fs::path output = folder_ / "keep.txt";
  std::ofstream(output, std::ios::binary) << "previous";
  const std::pair<std::string, std::string> cases[] = {
      {"--bogus league-match.cfg", "unknown option --bogus"},
      {"-s x league-match.cfg", "bad number for -s"},
      {"no-such-competition.cfg", "Configuration file not found"},
      {empty.string(), "the file is empty, so a meeting cannot read it"},
      {comments.string(), "the file holds no competition"},
      {"-l " + comments.string() + " league-match.cfg", "is not a rider database"},
      {"--suspend-after 20 " + (folder_ / "x.mtg").string() + " league-match.cfg",
       "the meeting was over after 15 heats"},
      {"--support Juniors league-match.cfg", "this competition has no support competition"},
      {"-t 'Ravensmoor Rooks' four-team-tournament.cfg", "has 7 riders, but a team"},
      {"-l " + (folder_ / "none.rdb").string() + " league-match.cfg", "Rider Database not found"},
      {"-t Nobody league-match.cfg", "no line-up \"Nobody\""},
      {"--resume " + garbage.string(), "garbage.mtg"},
      {"--resume " + (folder_ / "none.mtg").string(), "Meeting file not found"},
      {"-o " + output.string() + " -t Nobody league-match.cfg", "no line-up"},
  };
  for (const auto& [args, message] : cases) {
    const Outcome run = Run(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.err.find(message), std::string::npos) << args << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << args;
  }
  EXPECT_EQ(corvane::testing::FileText(output),
            "previous");  // a failed run writes nothing over a file
}

}  // namespace
