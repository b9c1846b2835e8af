#include <gtest/gtest.h>

#include "IniFiles.h"
#include "Platform.h"

namespace xel {
namespace {

class IniFileTest : public ::testing::Test {
protected:
  String Path = GetTempFileName("", "xel_ini_");
  void TearDown() override { DeleteFile(Path); }
};

TEST_F(IniFileTest, SectionsAndKeysIgnoreCaseAndKeepTheirOrder) {
  WriteFileAtomically(Path,
                      "; exported by hand\n[English]\nButton1.Caption='OK'\n  Form.Hint = a hint  \n; note\n"
                      "[Deutsch]\nButton1.Caption=\"Gut\"\nEmpty=\n[english]\nLate=1\n");
  TIniFile ini(Path);
  EXPECT_EQ(ini.ReadString("ENGLISH", "button1.caption", "?"), "OK");  // quotes go
  EXPECT_EQ(ini.ReadString("Deutsch", "Button1.Caption", "?"), "Gut");
  EXPECT_EQ(ini.ReadString("English", "Form.Hint", "?"), "a hint");
  EXPECT_EQ(ini.ReadString("Deutsch", "Empty", "?"), "");
  EXPECT_EQ(ini.ReadString("Deutsch", "Missing", "?"), "?");
  EXPECT_EQ(ini.ReadString("English", "Late", "?"), "1");  // a repeated section joins the first
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(list.CommaText(), "English,Deutsch");
  ini.ReadSection("english", &list);
  EXPECT_EQ(list.CommaText(), "Button1.Caption,Form.Hint,Late");
  ini.ReadSectionValues("Deutsch", &list);
  EXPECT_EQ(list.Strings(0), "Button1.Caption=\"Gut\"");
  TMemIniFile raw(Path);
  EXPECT_EQ(raw.ReadString("English", "Button1.Caption", ""), "'OK'");  // the memory file keeps them
}

TEST_F(IniFileTest, WritesGoToTheFileAtOnceWithCrLf) {
  {
    TIniFile ini(Path);
    ini.WriteString("Main", "Title", "Hello");
    ini.WriteInteger("Main", "Width", 640);
    ini.WriteBool("Main", "Visible", false);
    ini.WriteString("Other", "Key", "v");
    ini.WriteString("MAIN", "title", "Hello again");
  }
  EXPECT_EQ(ReadTextFile(Path), "[Main]\r\nTitle=Hello again\r\nWidth=640\r\nVisible=0\r\n\r\n[Other]\r\nKey=v\r\n");
  TIniFile a(Path), b(Path);
  a.WriteString("Other", "Key", "changed");
  EXPECT_EQ(b.ReadString("Other", "Key", ""), "changed");  // another object sees it
  b.DeleteKey("Main", "Width");
  b.EraseSection("Other");
  EXPECT_EQ(ReadTextFile(Path), "[Main]\r\nTitle=Hello again\r\nVisible=0\r\n");
  EXPECT_EQ(a.ReadInteger("Main", "Visible", 7), 0);
  EXPECT_EQ(a.ReadInteger("Main", "Title", 7), 7);
  EXPECT_FALSE(a.ReadBool("Main", "Visible", true));
  a.WriteString("Main", "Hex", "0x1F");
  EXPECT_EQ(a.ReadInteger("Main", "Hex", 0), 31);
  EXPECT_TRUE(a.SectionExists("main"));
  EXPECT_FALSE(a.ValueExists("Main", "Width"));
}

TEST_F(IniFileTest, TheMemoryFileWritesOnlyOnUpdateAndKeepsComments) {
  WriteFileAtomically(Path, "[S]\r\n; keep me\r\nA=1\r\n");
  TMemIniFile ini(Path);
  ini.WriteString("S", "B", "2");
  EXPECT_EQ(ReadTextFile(Path), "[S]\r\n; keep me\r\nA=1\r\n");
  ini.UpdateFile();
  EXPECT_EQ(ReadTextFile(Path), "[S]\r\n; keep me\r\nA=1\r\nB=2\r\n");
  TMemIniFile bad("/nonexistent-dir/file.ini");
  bad.WriteString("S", "A", "1");
  EXPECT_THROW(bad.UpdateFile(), EIniFileException);
}

}  // namespace
}  // namespace xel
