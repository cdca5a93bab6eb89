// Saves land in the user's file: through symbolic links, and in folders that take no new file.
#include "engine/io/file_io.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct Folder {
  testing::TempFolder temp{"file-io"};
  const fs::path& path = temp.path();
  ~Folder() {
    std::error_code ec;
    fs::permissions(path / "shared", fs::perms::owner_all, ec);
  }
};

TEST(FileIo, SavesThroughALinkUpdateTheFileBehindItAndKeepTheLink) {
  Folder folder;
  fs::create_directories(folder.path / "real");
  fs::create_directories(folder.path / "data");
  std::ofstream(folder.path / "real" / "m.mtg") << "old";
  // A relative link to a relative link: each is read from its own folder.
  fs::create_symlink("../real/m.mtg", folder.path / "data" / "first.mtg");
  fs::create_symlink("first.mtg", folder.path / "data" / "link.mtg");
  fs::create_symlink(folder.path / "real" / "new.rdb", folder.path / "data" / "dangling.rdb");
  fs::create_symlink("loop", folder.path / "data" / "loop");

  ASSERT_TRUE(WriteFileAtomically(folder.path / "data" / "link.mtg", "new").ok());
  EXPECT_TRUE(fs::is_symlink(folder.path / "data" / "link.mtg"));
  EXPECT_TRUE(fs::is_symlink(folder.path / "data" / "first.mtg"));
  EXPECT_EQ(testing::FileText(folder.path / "real" / "m.mtg"), "new");

  ASSERT_TRUE(WriteFileAtomically(folder.path / "data" / "dangling.rdb", "made").ok());
  EXPECT_TRUE(fs::is_symlink(folder.path / "data" / "dangling.rdb"));
  EXPECT_EQ(testing::FileText(folder.path / "real" / "new.rdb"), "made");

  const Status loop = WriteFileAtomically(folder.path / "data" / "loop", "x");
  ASSERT_FALSE(loop.ok());
  EXPECT_NE(loop.error().find("Cannot save"), std::string::npos);
  EXPECT_TRUE(fs::is_symlink(folder.path / "data" / "loop"));
  // No temporary is left behind anywhere.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path / "real"), {}), 2);
}

TEST(FileIo, AFolderThatTakesNoNewFileStillSavesAWritableFileInPlace) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "running as root, whom folder permissions do not stop";
  }
  Folder folder;
  const fs::path shared = folder.path / "shared";
  fs::create_directories(shared);
  std::ofstream(shared / "lineups.rdb") << "a much longer old text";
  fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_exec);

  ASSERT_TRUE(WriteFileAtomically(shared / "lineups.rdb", "new").ok());
  EXPECT_EQ(testing::FileText(shared / "lineups.rdb"), "new");
  EXPECT_FALSE(WriteFileAtomically(shared / "other.rdb", "x").ok());  // no file to rewrite
}

}  // namespace
}  // namespace corvane
