#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/disk_files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class DiskFilesTest : public ::testing::Test {
 protected:
  fs::path root;
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("qintara-disk-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "prog");
  }
  void TearDown() override { fs::remove_all(root); }
  DiskFiles Files() {
    return DiskFiles((root / "prog").string(), (root / "data/qintara").string());
  }
  static std::vector<std::uint8_t> B(std::string_view s) { return {s.begin(), s.end()}; }
};

TEST_F(DiskFilesTest, WritesWholeFilesAndReadsThemBackWithinALimit) {
  DiskFiles files = Files();
  const std::string path = (root / "data/qintara/replays/a.txt").string();
  EXPECT_FALSE(files.ReadFile(path, 100));
  ASSERT_TRUE(files.WriteFile(path, B("hello"))) << "missing folders are made";
  EXPECT_EQ(files.ReadFile(path, 100), B("hello"));
  EXPECT_FALSE(files.ReadFile(path, 4)) << "longer than the limit";
  ASSERT_TRUE(files.WriteFile(path, B("hi")));
  EXPECT_EQ(files.ReadFile(path, 100), B("hi"));
  EXPECT_EQ(files.ListFolder((root / "data/qintara/replays").string()),
            std::vector<std::string>{"a.txt"})
      << "no temporary file is left behind";
  EXPECT_TRUE(files.RemoveFile(path));
  EXPECT_FALSE(files.FileExists(path));
  EXPECT_FALSE(files.ReadFile(root.string(), 100)) << "a folder is not a file";
}

TEST_F(DiskFilesTest, AFolderUnderAFileIsNotWritableAndAFailedWriteKeepsNothing) {
  DiskFiles files = Files();
  std::ofstream(root / "blocker") << "x";
  const std::string folder = (root / "blocker/sub").string();
  EXPECT_TRUE(files.FolderWritable((root / "prog").string()));
  EXPECT_FALSE(files.FolderWritable(folder));
  EXPECT_FALSE(files.WriteFile(folder + "/f", B("x")));
  EXPECT_TRUE(files.ListFolder(folder).empty());
}

TEST(UserDataFolder, FollowsTheBaseDirectoryRules) {
  EXPECT_EQ(DefaultUserDataFolder("/x/data", "/home/p"), "/x/data/qintara");
  EXPECT_EQ(DefaultUserDataFolder(nullptr, "/home/p"), "/home/p/.local/share/qintara");
  EXPECT_EQ(DefaultUserDataFolder("relative", "/home/p"), "/home/p/.local/share/qintara");
}

}  // namespace
}  // namespace platform
