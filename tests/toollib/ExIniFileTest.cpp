#include <gtest/gtest.h>

#include "ExIniFile.h"
#include "Platform.h"
#include "TempFolder.h"

namespace xel::test {
namespace {

class ExIniFileTest : public TTempFolderTest {};

TEST_F(ExIniFileTest, HintsLineUpAtTheirColumnAndAreKeptOnRewrite) {
  {
    TExIniFile ini(Dir + "app.cfg");
    ini.SetHintsEnabled(true);
    ini.WriteStringEx("TMainForm", "Edit1.Tag", "Integer", "5");
    ini.WriteStringEx("TMainForm", "Edit1.Tag", "ignored, the stored one stays", "7");
    ini.WriteStringEx("TMainForm", "Plain", "", "x");
  }
  String text = Read("app.cfg");
  String line = "Edit1.Tag=7";
  line.append(49 - line.size(), ' ');
  EXPECT_NE(text.find(line + ";Integer\r\n"), String::npos) << text;
  EXPECT_NE(text.find("Plain=x\r\n"), String::npos);

  TExIniFile ini(Dir + "app.cfg");
  EXPECT_EQ(ini.ReadString("TMainForm", "Edit1.Tag", ""), line.substr(10) + ";Integer");
  ini.SetHintsEnabled(true);
  EXPECT_EQ(ini.ReadInteger("TMainForm", "Edit1.Tag", 0), 7);
  TStringList values;
  ini.ReadSectionValues("TMainForm", &values);
  EXPECT_EQ(values.GetText(), "Edit1.Tag=7\r\nPlain=x\r\n");
  EXPECT_EQ(ini.ExtractHint("a ; b;c"), "b;c");
  EXPECT_EQ(ini.RemoveHint("a ; b"), "a");
}

TEST_F(ExIniFileTest, WriteBackCreatesMissingEntriesWithTheirDefaults) {
  Write("app.cfg", "[S]\r\nName=given\r\n");
  {
    TExIniFile ini(Dir + "app.cfg");
    ini.SetWriteBack(true);
    EXPECT_EQ(ini.ReadString("S", "Name", "default"), "given");
    EXPECT_EQ(ini.ReadInteger("S", "Count", 4), 4);
    EXPECT_TRUE(ini.ReadBool("S", "On", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "Ratio", 0.5), 0.5);
  }
  EXPECT_EQ(Read("app.cfg"), "[S]\r\nName=given\r\nCount=4\r\nOn=1\r\nRatio=0.5\r\n");
}

TEST_F(ExIniFileTest, AnUpdateWritesTheFileOnceAtItsEndOrNotAtAll) {
  Write("app.cfg", "[S]\r\nA=1\r\n");
  {
    TExIniFile ini(Dir + "app.cfg");
    ini.BeginUpdate();
    ini.BeginUpdate();
    ini.WriteString("S", "A", "2");
    ini.DeleteKey("S", "Gone");
    ini.WriteString("T", "B", "3");
    ini.EndUpdate();
    EXPECT_EQ(Read("app.cfg"), "[S]\r\nA=1\r\n");  // still inside the outer update
    ini.EndUpdate();
    EXPECT_EQ(Read("app.cfg"), "[S]\r\nA=2\r\n\r\n[T]\r\nB=3\r\n");
    ini.EndUpdate();  // one too many changes nothing
    ini.WriteString("S", "A", "4");
    EXPECT_EQ(Read("app.cfg"), "[S]\r\nA=4\r\n\r\n[T]\r\nB=3\r\n");
  }
  {
    // An update that never ends writes nothing.
    TExIniFile ini(Dir + "app.cfg");
    ini.BeginUpdate();
    ini.EraseSection("T");
  }
  EXPECT_EQ(Read("app.cfg"), "[S]\r\nA=4\r\n\r\n[T]\r\nB=3\r\n");
}

TEST_F(ExIniFileTest, ReadOnlyFilesAreMadeWritableUnlessOpenedForReading) {
  Write("ro.cfg", "[S]\r\nA=1\r\n");
  FileSetReadOnly(Dir + "ro.cfg", true);
  {
    TExIniFile reader(Dir + "ro.cfg", true);
    EXPECT_EQ(reader.ReadString("S", "A", ""), "1");
    EXPECT_TRUE(FileIsReadOnly(Dir + "ro.cfg"));
    EXPECT_THROW(reader.WriteString("S", "A", "2"), Exception);
  }
  TExIniFile ini(Dir + "ro.cfg");
  EXPECT_FALSE(FileIsReadOnly(Dir + "ro.cfg"));
  ini.WriteString("S", "A", "2");
  EXPECT_EQ(Read("ro.cfg"), "[S]\r\nA=2\r\n");
}

TEST_F(ExIniFileTest, SectionLinesKeepLinesThatAreNoKeys) {
  Write("x.txt", "[T.English]\r\n  Button1.Caption = 'OK'\r\nbroken line\r\n; note\r\n\r\n[Other]\r\nA=1\r\n");
  TExIniFile ini(Dir + "x.txt", true);
  TStringList lines, sections;
  ini.ReadSectionLines("t.english", &lines);
  EXPECT_EQ(lines.GetText(), "Button1.Caption='OK'\r\nbroken line\r\n; note\r\n");
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.GetText(), "T.English\r\nOther\r\n");
}

TEST_F(ExIniFileTest, RegistryKeysHoldSectionAndIdentInOneValueName) {
  setenv("XEL_REGISTRY_DIR", Dir.c_str(), 1);
  {
    TExIniFile ini(rkCurrentUser, "Software\\Xel GbR\\Test", true);
    ini.SetHintsEnabled(true);
    ini.WriteStringEx("Main", "Width", "Integer", "640");
    ini.WriteString("", "Top", "3");
    EXPECT_EQ(ini.ReadInteger("Main", "Width", 0), 640);
    ini.SetHintsEnabled(false);
    EXPECT_EQ(ini.ReadString("Main", "Width", ""), "640 ;Integer");
    struct TCase {
      const char* Message;
      std::function<void()> Call;
    } cases[] = {
        {"TExIniFile.ReadSection not possible for registry database", [&] { TStringList l; ini.ReadSection("Main", &l); }},
        {"TExIniFile.ReadSections not possible for registry database", [&] { TStringList l; ini.ReadSections(&l); }},
        {"TExIniFile.ReadSectionValues not possible for registry database",
         [&] { TStringList l; ini.ReadSectionValues("Main", &l); }},
        {"TExIniFile.EraseSection not possible for registry database", [&] { ini.EraseSection("Main"); }},
    };
    for (const TCase& c : cases) {
      try {
        c.Call();
        ADD_FAILURE() << c.Message;
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), c.Message);
      }
    }
    ini.DeleteKey("Main", "Width");
    EXPECT_EQ(ini.ReadString("Main", "Width", "gone"), "gone");
  }
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey("Software\\Xel GbR\\Test", false));
  EXPECT_EQ(reg.ReadString("Top"), "3");
  // A key that cannot be opened leaves no storage: every call aborts silently.
  TExIniFile missing(rkCurrentUser, "Software\\Xel GbR\\Missing", false);
  EXPECT_THROW(missing.ReadString("A", "B", ""), EAbort);
  unsetenv("XEL_REGISTRY_DIR");
}

}  // namespace
}  // namespace xel::test
