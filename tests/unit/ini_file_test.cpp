#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/client_files.h"
#include "app/ini_file.h"
#include "platform/virtual/virtual_host.h"

namespace app {
namespace {

constexpr const char* kPath = "/opt/qintara/info.vr";

class IniFile : public ::testing::Test {
 protected:
  vhost::MemoryFiles files;
  classIniFile ini{files};
  void SetUp() override { ini.INIFileName(kPath); }
  void Put(std::string_view bytes) { files.Put(kPath, bytes); }
  std::string Text() const { return files.Text(kPath); }
};

TEST_F(IniFile, ReadsValuesOfAHandWrittenFile) {
  Put("; comment\r\n"
      "top=before any section\r\n"
      "[juNum:1]\r\n"
      "  Name1 =  alice  bob  \r\n"
      "empty=\r\n"
      "eq=a=b\r\n"
      "[ JUNUM:2 ]\r\n"
      "name1=carol\r\n"
      "[juNum:1]\r\n"
      "name1=second copy\r\n"
      "[\xBA\xEC\xD6\xD0]\r\n"           // 红中
      "\xC3\xFB=\xD5\xC5\xC8\xFD\r\n");  // 名=张三
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"juNum:1", "Name1", "alice  bob"},  // blanks inside stay
      {"JUNUM:1", "NAME1", "alice  bob"},  // letter case of names does not matter
      {"juNum:2", "name1", "carol"},       // a header's own blanks do not count
      {"juNum:1", "empty", ""},
      {"juNum:1", "eq", "a=b"},  // the value runs to the end of its line
      {"juNum:1", "missing", ""},
      {"juNum:3", "name1", ""},
      {"", "top", ""},  // lines before the first section belong to none
      {"红中", "名", "张三"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.GetIniKey(c.section, c.key), c.value) << c.section << " / " << c.key;
  }
  ini.INIFileName("/opt/qintara/none.ini");
  EXPECT_EQ(ini.GetIniKey("juNum:1", "name1"), "") << "a missing file";
}

// The text the platform's own profile functions read: quoted values, a UTF-8 file with its
// byte-order mark, and lines ended by CR alone.
TEST_F(IniFile, ReadsTheTextFormatOfThePlatformsProfileFunctions) {
  struct Case {
    const char* name;
    std::string_view file;
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"double quotes", "[s]\nk=\"two  words\"\n", "s", "k", "two  words"},
      {"single quotes", "[s]\nk='two  words'\n", "s", "k", "two  words"},
      {"quotes after blanks", "[s]\nk =  \"x\"  \n", "s", "k", "x"},
      // The value in quotes is then trimmed like any other value.
      {"blanks inside quotes", "[s]\nk=\"  a  b  \"\n", "s", "k", "a  b"},
      {"empty quotes", "[s]\nk=\"\"\n", "s", "k", ""},
      {"only one pair", "[s]\nk=\"\"x\"\"\n", "s", "k", "\"x\""},
      {"quotes that differ", "[s]\nk=\"x'\n", "s", "k", "\"x'"},
      {"an opening quote alone", "[s]\nk=\"x\n", "s", "k", "\"x"},
      {"a quote alone", "[s]\nk=\"\n", "s", "k", "\""},
      {"quotes inside", "[s]\nk=a \"b\" c\n", "s", "k", "a \"b\" c"},
      {"quotes after GBK", "[s]\nk=\"\xBA\xEC\xD6\xD0\"\n", "s", "k", "红中"},
      {"byte-order mark", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
      {"UTF-8 text after the mark", "\xEF\xBB\xBF[红中]\n名=张三\n", "红中", "名", "张三"},
      {"a mark not at the start is text", "[s]\n\xEF\xBB\xBFk=v\nk=w\n", "s", "k", "w"},
      {"lone CR", "[s]\rk=v\rj=w\r", "s", "j", "w"},
      {"lone CR, first key", "[s]\rk=v\rj=w", "s", "k", "v"},
      {"lone CR before a section", "[s]\rk=v\r[t]\rk=w\r", "t", "k", "w"},
      {"CR, LF and CRLF mixed", "[s]\r\na=1\rb=2\nc=3\r\n", "s", "b", "2"},
      {"CR then LF is one line end", "[s]\r\nk=v\r\n", "s", "k", "v"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    Put(k.file);
    EXPECT_EQ(ini.GetIniKey(k.section, k.key), k.value);
  }
}

TEST_F(IniFile, WritesKeepTheFilesMarkAndLoneCrLineEnds) {
  Put("\xEF\xBB\xBF[红中]\n名=张三\n");
  ini.WriteIniKey("红中", "名", "李四");
  EXPECT_EQ(Text(), "\xEF\xBB\xBF[红中]\n名=李四\n") << "still UTF-8, mark first";
  Put("[s]\rk=v");
  ini.WriteIniKey("s", "j", "w");
  ini.WriteIniKey("t", "k", "x");
  EXPECT_EQ(Text(), "[s]\rk=v\rj=w\r[t]\rk=x\r");
  EXPECT_EQ(ini.GetIniKey("s", "k"), "v");
}

TEST_F(IniFile, GbkSecondBytesAreNotLettersOrBrackets) {
  // 丄 is 81 41 and 乤 is 81 61: they differ only in a second byte that looks like 'A' / 'a'.
  // 乚 is 81 5D: its second byte looks like ']'.
  ini.WriteIniKey("丄", "k", "upper");
  ini.WriteIniKey("乤", "k", "lower");
  ini.WriteIniKey("乚x", "乚", "bracket");
  EXPECT_EQ(ini.GetIniKey("丄", "k"), "upper");
  EXPECT_EQ(ini.GetIniKey("乤", "k"), "lower");
  EXPECT_EQ(ini.GetIniKey("乚x", "乚"), "bracket");
}

TEST_F(IniFile, WritesCreateReplaceInPlaceAndDelete) {
  ini.WriteIniKey("s1", "a", "1");  // creates the file
  ini.WriteIniKey("s1", "b", "2");
  ini.WriteIniKey("s2", "a", "x");
  ini.WriteIniKey("S1", "A", "one");  // replaces in place, other keys stay
  EXPECT_EQ(Text(), "[s1]\na=one\nb=2\n[s2]\na=x\n");
  ini.DelIniKey("s1", "B");
  EXPECT_EQ(Text(), "[s1]\na=one\n[s2]\na=x\n");
  ini.DelIniSec("S1");
  EXPECT_EQ(Text(), "[s2]\na=x\n");
  EXPECT_EQ(ini.GetIniKey("s1", "a"), "");
}

TEST_F(IniFile, ManyKeysOfASectionInOneRewrite) {
  Put("[a]\nx=1\n\n[b]\ny=2\n");
  const std::vector<std::pair<std::string, std::string>> keys = {
      {"X", "10"}, {"z", "3"}, {"bad=key", "v"}, {"z", "4"}};
  ini.WriteIniKeys("A", keys);
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(Text(), "[a]\nx=10\nz=4\n\n[b]\ny=2\n") << "the later of two equal keys wins";
  EXPECT_EQ(ini.GetIniSection("A"),
            (std::vector<std::pair<std::string, std::string>>{{"x", "10"}, {"z", "4"}}));
  EXPECT_TRUE(ini.GetIniSection("c").empty());
}

TEST_F(IniFile, KeepsTheFilesLineEndsAndAMissingFinalNewline) {
  Put("[s]\r\nb=2\r\n\r\n[t]\r\nc=3");
  ini.WriteIniKey("s", "a", "1");  // goes after the last non-blank line of its section
  ini.WriteIniKey("t", "d", "4");
  EXPECT_EQ(Text(), "[s]\r\nb=2\r\na=1\r\n\r\n[t]\r\nc=3\r\nd=4\r\n");
  EXPECT_EQ(ini.GetIniKey("t", "c"), "3");
}

TEST_F(IniFile, LongValuesReadBackCutAtWholeCharacters) {
  ini.WriteIniKey("s", "ascii", std::string(1500, 'x'));
  EXPECT_EQ(ini.GetIniKey("s", "ascii"), std::string(1023, 'x'));
  // 1022 single bytes then a double-byte character: the cut falls inside it, so it goes.
  ini.WriteIniKey("s", "gbk", std::string(1022, 'y') + "红中");
  EXPECT_EQ(ini.GetIniKey("s", "gbk"), std::string(1022, 'y'));
}

TEST_F(IniFile, AValueCannotAddLinesAndBadNamesWriteNothing) {
  ini.WriteIniKey("s", "name", "evil\r\n[s]\nname=forged");
  EXPECT_EQ(ini.GetIniKey("s", "name"), "evil  [s] name=forged");
  const std::string before = Text();
  for (const auto& [sec, key] :
       {std::pair{"s", "a=b"}, {"s]x", "k"}, {"s", "k\ny"}, {"", "k"}, {"s", "  "}}) {
    ini.WriteIniKey(sec, key, "v");
  }
  EXPECT_EQ(Text(), before);
}

TEST_F(IniFile, HostileFilesReadSafely) {
  std::string huge = "[s]\nk=";
  huge += std::string(200000, 'v');
  huge += "\n[\n]\n=\n[[x]]\n\x81";  // stray brackets and a lone lead byte at the very end
  huge += std::string("\0\xFF\x80z=1\nz=\0two\0\n", 16);
  Put(huge);
  EXPECT_EQ(ini.GetIniKey("s", "k").size(), 1023u);
  EXPECT_EQ(ini.GetIniKey("[x", "z"), "two") << "zero bytes are dropped";
  ini.WriteIniKey("s", "k", "short");
  EXPECT_EQ(ini.GetIniKey("s", "k"), "short");
  EXPECT_EQ(ini.GetIniKey("[x", "z"), "two") << "the rest of the file is kept as it was";
}

TEST_F(IniFile, AFileTooLargeOrVanishedIsLeftAlone) {
  files.Put(kPath, std::string(classIniFile::kMaxFileBytes + 1, '\n'));
  EXPECT_EQ(ini.GetIniKey("s", "k"), "");
  ini.WriteIniKey("s", "k", "v");
  EXPECT_EQ(files.files.at(kPath).size(), classIniFile::kMaxFileBytes + 1);

  files.files.erase(kPath);  // gone between two calls: the next write starts a new file
  ini.WriteIniKey("s", "k", "v");
  EXPECT_EQ(Text(), "[s]\nk=v\n");

  files.readOnlyFolders.insert("/opt/qintara");
  ini.WriteIniKey("s", "k", "w");
  EXPECT_EQ(ini.GetIniKey("s", "k"), "v") << "a failed write leaves the file as it was";
}

TEST(ClientFiles, WritableBesideTheProgramElsePerUser) {
  vhost::MemoryFiles files;
  EXPECT_EQ(WritableFilePath(files, kRecordFile), "/opt/qintara/info.vr");
  EXPECT_EQ(ReadOnlyFilePath(files, kPhraseFile), "/opt/qintara/chat.ini");

  files.readOnlyFolders.insert("/opt/qintara");  // an installed client
  EXPECT_EQ(WritableFilePath(files, kRecordFile), "/home/player/.local/share/qintara/info.vr");
  files.Put("/home/player/.local/share/qintara/chat.ini", "[Phrase1]\n");
  EXPECT_EQ(ReadOnlyFilePath(files, kPhraseFile), "/home/player/.local/share/qintara/chat.ini")
      << "the user's own copy comes first";
}

}  // namespace
}  // namespace app
