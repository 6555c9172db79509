#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

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

// Chinese names on disk, made and checked through std::filesystem's own UTF-8 paths, so the
// client's UTF-8 strings are shown to reach the real names (not the ANSI code page's reading).
TEST_F(DiskFilesTest, ChineseFolderAndFileNamesAreTheRealNames) {
  const fs::path program = root / fs::path(u8"程序 目录");
  fs::create_directories(program);
  std::ofstream(program / fs::path(u8"规则.ini")) << "rules";
  const std::string programUtf8 = Utf8Path(program);
  DiskFiles files(programUtf8, Utf8Path(root / fs::path(u8"用户")));

  EXPECT_TRUE(files.FolderWritable(programUtf8));
  EXPECT_EQ(files.ListFolder(programUtf8), std::vector<std::string>{"规则.ini"});
  EXPECT_EQ(files.ReadFile(JoinPath(programUtf8, "规则.ini"), 100), B("rules"));
  EXPECT_TRUE(files.FileExists(JoinPath(programUtf8, "规则.ini")));

  ASSERT_TRUE(files.WriteFile(JoinPath(files.UserDataFolder(), "记录/info.vr"), B("x")));
  EXPECT_TRUE(fs::is_regular_file(root / fs::path(u8"用户") / fs::path(u8"记录") / "info.vr"));
  ASSERT_TRUE(files.WriteFile(JoinPath(programUtf8, "规则.ini"), B("new")))
      << "replaces a file that exists";
  EXPECT_EQ(files.ReadFile(JoinPath(programUtf8, "规则.ini"), 100), B("new"));
  EXPECT_TRUE(files.RemoveFile(JoinPath(programUtf8, "规则.ini")));
  EXPECT_FALSE(fs::exists(program / fs::path(u8"规则.ini")));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
  const std::string folder = ProgramFolderOfThisProcess();
  ASSERT_FALSE(folder.empty());
  DiskFiles files(folder, "");
  const std::vector<std::string> names = files.ListFolder(folder);
#ifdef _WIN32
  const std::string self = "qintara_tests.exe";
#else
  const std::string self = "qintara_tests";
#endif
  EXPECT_NE(std::find(names.begin(), names.end(), self), names.end()) << folder;
}

TEST(UserDataFolder, FollowsTheBaseDirectoryRules) {
  EXPECT_EQ(DefaultUserDataFolder("/x/data", "/home/p"), "/x/data/qintara");
  EXPECT_EQ(DefaultUserDataFolder(nullptr, "/home/p"), "/home/p/.local/share/qintara");
  EXPECT_EQ(DefaultUserDataFolder("relative", "/home/p"), "/home/p/.local/share/qintara");
}

// Restores an environment variable when the test ends.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& utf8) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(utf8);
  }
  ~ScopedEnv() { old_ ? Set(*old_) : Unset(); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
#ifdef _WIN32
  // The wide environment: the narrow one holds only what the ANSI code page can spell.
  void Set(const std::string& utf8) {
    _wputenv_s(NativePath(name_).wstring().c_str(), NativePath(utf8).wstring().c_str());
  }
  void Unset() {
    _wputenv_s(NativePath(name_).wstring().c_str(), L"");
  }
#else
  void Set(const std::string& utf8) {
    setenv(name_.c_str(), utf8.c_str(), 1);
  }
  void Unset() {
    unsetenv(name_.c_str());
  }
#endif
  std::string name_;
  std::optional<std::string> old_;
};

TEST(UserDataFolder, ComesFromTheEnvironmentInTheUsersOwnName) {
#ifdef _WIN32
  ScopedEnv appData("APPDATA", "C:\\Users\\张三\\AppData\\Roaming");
  EXPECT_EQ(UserDataFolderOfThisUser(), "C:\\Users\\张三\\AppData\\Roaming\\qintara");
#else
  ScopedEnv xdg("XDG_DATA_HOME", "/home/张三/data");
  EXPECT_EQ(UserDataFolderOfThisUser(), "/home/张三/data/qintara");
#endif
}

}  // namespace
}  // namespace platform
