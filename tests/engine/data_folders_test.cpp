#include "engine/io/data_folders.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class DataFolders : public ::testing::Test {
 protected:
  void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
  }
  const testing::TempFolder folder_{"data-folders"};
  const fs::path& root_ = folder_.path();
};

TEST_F(DataFolders, BuildTreeKeepsItsFilesBesideTheProgramInstalledUnderShare) {
  fs::create_directories(root_ / "build/bin/Scripts");
  EXPECT_EQ(BundledDataFolder(root_ / "build/bin"), root_ / "build/bin");

  // An installed program has no Scripts beside it; a Scripts *file* does not count either.
  fs::create_directories(root_ / "usr/bin");
  EXPECT_EQ(BundledDataFolder(root_ / "usr/bin"), root_ / "usr/share/corvane");
  Touch(root_ / "opt/bin/Scripts");
  EXPECT_EQ(BundledDataFolder(root_ / "opt/bin"), root_ / "opt/share/corvane");
}

TEST(UserDataFolder, FollowsTheBaseDirectoryRules) {
  EXPECT_EQ(UserDataFolder("/x/data", "/home/ann"), fs::path("/x/data/corvane"));
  // Unset, empty or relative XDG_DATA_HOME falls back to the home folder.
  EXPECT_EQ(UserDataFolder(nullptr, "/home/ann"), fs::path("/home/ann/.local/share/corvane"));
  EXPECT_EQ(UserDataFolder("", "/home/ann"), fs::path("/home/ann/.local/share/corvane"));
  EXPECT_EQ(UserDataFolder("data", "/home/ann"), fs::path("/home/ann/.local/share/corvane"));
  // Nowhere to keep the user's files: no folder, rather than one relative to wherever we are.
  EXPECT_EQ(UserDataFolder(nullptr, nullptr), fs::path());
  EXPECT_EQ(UserDataFolder("rel", "also-rel"), fs::path());
}

TEST_F(DataFolders, PlainNamesPreferTheUsersFileFullPathsStayAsTheyAre) {
  const fs::path user = root_ / "user";
  const fs::path bundled = root_ / "Scripts";
  Touch(user / "mine.cfg");
  Touch(bundled / "mine.cfg");
  Touch(bundled / "league.cfg");
  EXPECT_EQ(LocateDataFile("mine.cfg", user, bundled), user / "mine.cfg");
  EXPECT_EQ(LocateDataFile("league.cfg", user, bundled), bundled / "league.cfg");
  EXPECT_EQ(LocateDataFile("missing.cfg", user, bundled), bundled / "missing.cfg");
  EXPECT_EQ(LocateDataFile("league.cfg", fs::path(), bundled), bundled / "league.cfg");
  EXPECT_EQ(LocateDataFile("/elsewhere/x.cfg", user, bundled), fs::path("/elsewhere/x.cfg"));
  // A name that is the user's folder itself (a folder, not a file) is not taken from there.
  fs::create_directories(user / "sub");
  EXPECT_EQ(LocateDataFile("sub", user, bundled), bundled / "sub");
}

TEST(FileNames, TheTypesExtensionIsAddedOnlyWhenTheNameHasNone) {
  const std::pair<const char*, const char*> cases[] = {
      {"/m/cup", "/m/cup.mtg"},     {"/m/cup.", "/m/cup.mtg"},    {"/m/cup.mtg", "/m/cup.mtg"},
      {"/m/cup.MTG", "/m/cup.MTG"}, {"/m/cup.bak", "/m/cup.bak"}, {"/m.d/cup", "/m.d/cup.mtg"},
      {"/m/7 Dec", "/m/7 Dec.mtg"}};
  for (const auto& [typed, file] : cases) {
    EXPECT_EQ(WithDefaultExtension(typed, ".mtg"), fs::path(file)) << typed;
  }
}

}  // namespace
}  // namespace corvane
