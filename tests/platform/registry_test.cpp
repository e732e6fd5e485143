#include "platform/registry.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

std::string Cp(const char* utf8) {
  return *Utf8ToCp1251(utf8);
}

const std::string kBookKey = "SOFTWARE\\Brevandor\\" + Cp("Руководство");

class RegistryTest : public test::IsolatedTest {
 protected:
  fs::path Folder() const { return Dir() / "XDG_CONFIG_HOME" / "shelf"; }
  fs::path UserFile() const { return Folder() / "HKEY_CURRENT_USER.ini"; }
};

TEST_F(RegistryTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kBookKey, true));
    reg.WriteBool("SwOne010", true);
    reg.WriteBool("SWONE010", false);
    reg.WriteString(Cp("Ёлка"), "x");
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\software\\BREVANDOR\\" + Cp("рУКОВОДСТВО"), false));
  EXPECT_EQ(reg.ReadBool("swone010"), false);
  EXPECT_EQ(reg.ReadString(Cp("ёЛКА")), "x");
  EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"SwOne010", Cp("Ёлка")}));
  reg.WriteInteger("swONE010", 3);
  ASSERT_TRUE(reg.CloseKey());

  const std::string file = test::ReadFile(UserFile());
  EXPECT_NE(file.find("[SOFTWARE\\Brevandor\\Руководство]"), std::string::npos) << file;
  EXPECT_NE(file.find("\"SwOne010\"=dword:00000003"), std::string::npos) << file;
  EXPECT_EQ(file.find("swONE010"), std::string::npos) << file;
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndReadsOfAnotherTypeFail) {
  struct Case {
    const char* name;
    std::optional<std::string> text;
    std::optional<int32_t> number;
    std::optional<bool> flag;
    std::optional<std::string> bytes;
  } cases[] = {
      {"Text", "5", {}, {}, {}},      {"", "default", {}, {}, {}},
      {"Number", {}, 5, true, {}},    {"Off", {}, 0, false, {}},
      {"Negative", {}, -1, true, {}}, {"Bytes", {}, {}, {}, std::string(4, '\0')},
      {"Missing", {}, {}, {}, {}},
  };
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kBookKey, true));
  reg.WriteString("Text", "5");
  reg.WriteString("", "default");
  reg.WriteInteger("Number", 5);
  reg.WriteBool("Off", false);
  reg.WriteInteger("Negative", -1);
  reg.WriteBinaryData("Bytes", std::string(4, '\0'));
  for (const char* phase : {"as written", "after reopening"}) {
    if (std::string(phase) == "after reopening") ASSERT_TRUE(reg.OpenKey(kBookKey, false));
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(phase) + ": " + c.name);
      EXPECT_EQ(reg.ValueExists(c.name), c.text || c.number || c.bytes);
      EXPECT_EQ(reg.ReadString(c.name), c.text);
      EXPECT_EQ(reg.ReadInteger(c.name), c.number);
      EXPECT_EQ(reg.ReadBool(c.name), c.flag);
      EXPECT_EQ(reg.ReadBinaryData(c.name), c.bytes);
    }
  }
}

TEST_F(RegistryTest, ChangesReachTheFileOnceWhenTheKeyCloses) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kBookKey, true));
    for (int i = 0; i < 300; ++i) reg.WriteInteger("SwGrp" + std::to_string(i), i);
    EXPECT_FALSE(fs::exists(UserFile()));
  }  // the destructor saves
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kBookKey, false));
  EXPECT_EQ(reg.GetValueNames().size(), 300u);
  EXPECT_EQ(reg.ReadInteger("SwGrp299"), 299);
}

TEST_F(RegistryTest, SeparateInstancesShareKeysAndMergeTheirChanges) {
  {
    TRegistry seed;
    ASSERT_TRUE(seed.OpenKey(kBookKey, true));
    for (int i = 0; i <= 16; ++i) seed.WriteString("Favorite" + std::to_string(i), "f");
  }
  TRegistry first, second;
  ASSERT_TRUE(first.OpenKey(kBookKey, false));
  ASSERT_TRUE(second.OpenKey(kBookKey, false));
  first.WriteString("FontName", "Arial");
  for (int i = 3; i <= 16; ++i) first.DeleteValue("Favorite" + std::to_string(i));
  EXPECT_FALSE(first.DeleteValue("Favorite16"));
  second.WriteInteger("FontSize", 10);
  second.WriteString("Favorite0", "g");
  ASSERT_TRUE(first.CloseKey());
  ASSERT_TRUE(second.CloseKey());

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kBookKey, false));
  EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"Favorite0", "Favorite1", "Favorite2",
                                                           "FontName", "FontSize"}));
  EXPECT_EQ(reg.ReadString("Favorite0"), "g");

  // A key made without values still exists afterwards; a missing one is not made on request.
  EXPECT_FALSE(reg.OpenKey("SOFTWARE\\Brevandor\\Other", false));
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Brevandor\\Other", true));
  ASSERT_TRUE(reg.CloseKey());
  EXPECT_TRUE(reg.OpenKey("SOFTWARE\\Brevandor\\Other", false));

  // Hives are apart.
  TRegistry machine(THive::LocalMachine);
  EXPECT_FALSE(machine.OpenKey(kBookKey, false));
  ASSERT_TRUE(machine.OpenKey(kBookKey, true));
  EXPECT_FALSE(machine.ValueExists("FontName"));
}

TEST_F(RegistryTest, OddTitlesStayInsideTheSettingsFolder) {
  const std::string titles[] = {"a/b", "../../escape", "..",      "x]",
                                "[y",  " spaced ",     "c:\\sub", "tab\there"};
  for (const std::string& title : titles) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Brevandor\\" + title, true)) << title;
    reg.WriteString("Title", title);
  }
  for (const std::string& title : titles) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Brevandor\\" + title, false)) << title;
    EXPECT_EQ(reg.ReadString("Title"), title);
  }
  for (const auto& entry : fs::recursive_directory_iterator(Dir()))
    if (!entry.is_directory()) EXPECT_EQ(entry.path(), UserFile());

  const std::string badPaths[] = {
      "", "\\", "a\\\\b", "a\\\\", "a\nb", "a\rb", std::string("a\0b", 3)};
  for (const std::string& bad : badPaths) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(bad, true)) << bad;
    EXPECT_FALSE(reg.WriteString("x", "y"));
  }
}

// A book without a title keeps its settings under "SOFTWARE\Brevandor\": one trailing
// backslash names the key without it, as the registry reads it.
TEST_F(RegistryTest, TrailingBackslashNamesTheKeyWithoutIt) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Brevandor\\", true));
    reg.WriteBool("SwOne010", true);
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Brevandor", false));
  EXPECT_EQ(reg.ReadBool("SwOne010"), true);
}

TEST_F(RegistryTest, EveryByteRoundTripsAndCyrillicIsReadableInTheFile) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  const std::string name = Cp("Имя \"ёЁ\" \\ ") + allBytes.substr(1, 31);
  const std::string text = Cp("Руководство по ремонту ") + allBytes;
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kBookKey, true));
    reg.WriteString(name, text);
  }
  EXPECT_NE(test::ReadFile(UserFile()).find("Руководство по ремонту"), std::string::npos);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kBookKey, false));
  EXPECT_EQ(reg.ReadString(name), text);
  EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{name});
}

TEST_F(RegistryTest, DamagedLinesReadAsMissingAndTheRestStillWorks) {
  const std::string section = "\n[SOFTWARE\\Brevandor\\Book]\n\"Good\"=dword:00000007\n";
  const std::string damage[] = {
      std::string("\0\xff\xfe\x01[\x80]\n\"Bad\"\0=\n\x1b[1m", 16),
      "\"Bad\"=dword:",
      "\"Bad\"=dword:123456789",
      "\"Bad\"=dword:-1",
      "\"Bad\"=\"unterminated",
      "\"Bad\"=\"a\"b\"",
      "\"Bad\"=qword:1",
      "\"Bad\"=hex:0g,00",
      "\"Bad\"=hex:00,",
      "\"Bad\"=\"\\q\"",
      "\"Bad\"=\"\\x4\"",
      "\"Bad\"=\"\xC0\xC1\"",          // not UTF-8
      "\"Bad\"=\"\xF0\x9F\x98\x80\"",  // no Windows-1251 form
      "Bad=1",
      "\"Bad\"",
      "[a\\\\b]\n\"Bad\"=dword:00000001",
      "[]\n\"Bad\"=dword:00000001",
      "[unterminated\n\"Bad\"=dword:00000001",
  };
  for (const std::string& junk : damage) {
    SCOPED_TRACE(junk);
    test::WriteTree(Folder(), {{"HKEY_CURRENT_USER.ini", junk + section + junk + "\n"}});
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("software\\brevandor\\book", true));
    EXPECT_EQ(reg.ReadInteger("Good"), 7);
    EXPECT_FALSE(reg.ValueExists("Bad"));
    reg.WriteInteger("New", 8);
    ASSERT_TRUE(reg.CloseKey());
    ASSERT_TRUE(reg.OpenKey("software\\brevandor\\book", false));
    EXPECT_EQ(reg.ReadInteger("Good"), 7);
    EXPECT_EQ(reg.ReadInteger("New"), 8);
  }
}

}  // namespace
}  // namespace shelf
