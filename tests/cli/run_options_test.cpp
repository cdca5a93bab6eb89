#include "cli/run_options.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace corvane {
namespace {

Result<RunOptions> Parse(std::vector<std::string> args) {
  return ParseRunOptions(args);
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

TEST(RunOptions, ReadsEveryOption) {
  const auto parsed = Parse(
      Words("-l db.rdb -t Reds --team Blues --date 01/02/27 --venue Oak_Park --title Cup -s 42 "
            "--support Juniors -o out.txt --home-advantage --team-scoring --start-grid outside "
            "league-match.cfg"));
  ASSERT_TRUE(parsed.ok()) << parsed.error();
  const RunOptions& o = parsed.value();
  EXPECT_EQ(std::vector({o.competition, o.lineupsFile, o.support, o.outputFile}),
            std::vector<std::string>({"league-match.cfg", "db.rdb", "Juniors", "out.txt"}));
  EXPECT_EQ(std::vector({o.date, o.venue, o.title}),
            std::vector<std::optional<std::string>>({"01/02/27", "Oak_Park", "Cup"}));
  EXPECT_EQ(o.teams, (std::vector<std::string>{"Reds", "Blues"}));
  EXPECT_EQ(o.seed, 42u);
  EXPECT_EQ(std::vector<Integer>(
                {o.prefs.PrefHomeAdvantage, o.prefs.PrefTeamScoring, o.prefs.PrefStartGrid}),
            std::vector<Integer>({1, 1, 2}));

  const auto stats = Parse(Words("-n 1000 -j 2 --format csv x.cfg"));
  ASSERT_TRUE(stats.ok());
  EXPECT_TRUE(stats.value().runs == 1000 && stats.value().threads == 2 &&
              stats.value().format == StatisticsFormat::Csv);

  const auto suspend = Parse({"--suspend-after", "5", "m.mtg", "x.cfg"});
  ASSERT_TRUE(suspend.ok());
  EXPECT_TRUE(suspend.value().suspendAfter == 5 && suspend.value().suspendFile == "m.mtg");

  const auto resume = Parse({"--resume", "m.mtg"});
  ASSERT_TRUE(resume.ok());  // a resumed meeting needs no competition
  EXPECT_EQ(resume.value().resumeFile, "m.mtg");
}

TEST(RunOptions, ReadsOptionsAsPeopleTypeThem) {
  const auto parsed = Parse({"--seed=5", "-n100", "--format=csv", "-j2", "-t", "Reds",
                             "--team=Blues", "-o", "-", "--", "-odd-name.cfg"});
  ASSERT_TRUE(parsed.ok()) << parsed.error();
  const RunOptions& o = parsed.value();
  EXPECT_TRUE(o.seed == 5u && o.runs == 100 && o.format == StatisticsFormat::Csv && o.threads == 2);
  EXPECT_EQ(o.teams, (std::vector<std::string>{"Reds", "Blues"}));
  EXPECT_EQ(o.outputFile, "");  // "-": standard output
  EXPECT_EQ(o.competition, "-odd-name.cfg");
  EXPECT_EQ(Parse({"-s5", "x.cfg"}).value().seed, 5u);
  EXPECT_EQ(Parse({"--date=1/2/27", "x.cfg"}).value().date, "1/2/27");
}

TEST(RunOptions, RejectsBadInputWithAMessage) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--bogus", "x.cfg"}, "unknown option --bogus"},
      {{"-s", "12x", "x.cfg"}, "bad number for -s: \"12x\""},
      {{"-s", "-1", "x.cfg"}, "bad number for -s: \"-1\""},
      {{"-n", "0", "x.cfg"}, "bad number for -n: \"0\""},
      {{"-j", "abc", "x.cfg"}, "bad number for -j: \"abc\""},
      {{"--suspend-after", "41", "f", "x.cfg"}, "bad number for --suspend-after: \"41\""},
      {{"x.cfg", "-t"}, "option -t needs a value"},
      {{"--format", "xml", "x.cfg"}, "unknown format \"xml\" (text, json or csv)"},
      {{"--start-grid", "middle", "x.cfg"},
       "unknown starting grid \"middle\" (random, inside, outside or equal)"},
      {{}, "no competition given (see --help)"},
      {{"a.cfg", "b.cfg"}, "more than one competition given: \"a.cfg\" and \"b.cfg\""},
      {{"a.cfg", "--", "b.cfg"}, "more than one competition given: \"a.cfg\" and \"b.cfg\""},
      {{"--format=csv", "x.cfg"},
       "--format is the format of the statistics: give --runs N as well"},
      {{"--home-advantage=yes", "x.cfg"}, "option --home-advantage takes no value"},
      {{"--seed=", "x.cfg"}, "bad number for --seed: \"\""},
      {{"-n", "5", "--suspend-after", "3", "m.mtg", "x.cfg"},
       "--runs and --forecast-each-heat cannot be combined with --suspend-after"},
  };
  for (const auto& [args, message] : cases) {
    const auto parsed = Parse(args);
    ASSERT_FALSE(parsed.ok()) << message;
    EXPECT_EQ(parsed.error(), message);
  }
  EXPECT_TRUE(Parse({"--help"}).value().help);
  EXPECT_TRUE(Parse({"--version"}).value().version);
}

}  // namespace
}  // namespace corvane
