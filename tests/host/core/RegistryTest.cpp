#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Classes.h"
#include "IniFiles.h"
#include "Platform.h"
#include "Registry.h"

namespace xel {
namespace {

class RegistryTest : public ::testing::Test {
protected:
  String Dir;
  void SetUp() override {
    String t = GetTempFileName("", "xel_reg_");
    DeleteFile(t);
    Dir = t;
    ForceDirectories(Dir);
    setenv("XEL_REGISTRY_DIR", Dir.c_str(), 1);
  }
  void TearDown() override { unsetenv("XEL_REGISTRY_DIR"); }
  String StoreText() { return ReadTextFile(Dir + "/HKEY_CURRENT_USER.reg"); }
};

TEST_F(RegistryTest, ValuesOfEveryTypeRoundTripThroughTheFile) {
  {
    TRegistry reg;
    ASSERT_FALSE(reg.OpenKey("Software\\Xel GbR\\Designers", false));
    ASSERT_TRUE(reg.OpenKey("Software\\Xel GbR\\Designers", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Xel GbR\\Designers");
    reg.WriteString("Language", "Deutsch \"quoted\" C:\\path");
    reg.WriteInteger("Count", -5);
    reg.WriteBool("Enabled", true);
    reg.WriteFloat("Ratio", 0.25);
    reg.WriteBinaryData("Blob", {0x00, 0xAB, 0xFF});
    ASSERT_TRUE(reg.OpenKey("Glotta\\Editor", true));  // relative to the open key
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\xel gbr\\DESIGNERS"));
  EXPECT_EQ(reg.ReadString("language"), "Deutsch \"quoted\" C:\\path");
  EXPECT_EQ(reg.ReadInteger("Count"), -5);
  EXPECT_TRUE(reg.ReadBool("Enabled"));
  EXPECT_EQ(reg.ReadFloat("Ratio"), 0.25);
  EXPECT_EQ(reg.ReadBinaryData("Blob"), (std::vector<Byte>{0x00, 0xAB, 0xFF}));
  EXPECT_EQ(reg.GetDataType("Count"), rdInteger);
  EXPECT_EQ(reg.ReadString("Missing"), "");
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(names.CommaText(), "Language,Count,Enabled,Ratio,Blob");
  reg.GetKeyNames(&names);
  EXPECT_EQ(names.CommaText(), "Glotta");
  EXPECT_TRUE(reg.KeyExists("Glotta\\Editor"));
  EXPECT_THROW(reg.WriteString("X", "y"), ERegistryException);  // opened read-only
  String text = StoreText();
  EXPECT_EQ(text.substr(0, 10), "REGEDIT4\r\n");
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Xel GbR\\Designers]\r\n"
                      "\"Language\"=\"Deutsch \\\"quoted\\\" C:\\\\path\"\r\n"
                      "\"Count\"=dword:fffffffb\r\n"),
            String::npos);
}

TEST_F(RegistryTest, MissingAndMistypedValuesAndDeletion) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
  reg.WriteString("Name", "x");
  try {
    reg.ReadInteger("Nope");
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to get data for 'Nope'");
  }
  try {
    reg.ReadInteger("Name");
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Name'");
  }
  EXPECT_TRUE(reg.DeleteValue("NAME"));
  EXPECT_FALSE(reg.ValueExists("Name"));
  ASSERT_TRUE(reg.OpenKey("Sub\\Deeper", true));
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey("Software\\Test"));
  EXPECT_FALSE(reg.KeyExists("Software\\Test\\Sub\\Deeper"));
  EXPECT_TRUE(reg.KeyExists("Software"));
}

TEST_F(RegistryTest, ADamagedStoreIsReportedAndNeverOverwritten) {
  String file = Dir + "/HKEY_CURRENT_USER.reg";
  String damaged = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\"A\"=dword:xyz\r\n";
  WriteFileAtomically(file, damaged);
  TRegistry reg;
  try {
    reg.OpenKey("Software", true);
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_NE(String(e.what()).find("is damaged (line 4: bad dword)"), String::npos) << e.what();
  }
  EXPECT_THROW(reg.CreateKey("Other"), ERegistryException);
  EXPECT_EQ(StoreText(), damaged);
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
  const int n = 40;
  auto writeMany = [&](const char* prefix) {
    TRegistry reg;
    reg.OpenKey("Software\\Shared", true);
    for (int i = 0; i < n; ++i) reg.WriteInteger(String(prefix) + IntToStr(i), i);
  };
  pid_t child = fork();
  if (child == 0) {
    try {
      writeMany("Child");
    } catch (...) {
      _exit(1);
    }
    _exit(0);
  }
  writeMany("Parent");
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Shared"));
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(names.Count(), 2 * n);
  EXPECT_EQ(reg.ReadInteger("Child39"), 39);
  EXPECT_EQ(reg.ReadInteger("Parent0"), 0);
}

}  // namespace
}  // namespace xel
