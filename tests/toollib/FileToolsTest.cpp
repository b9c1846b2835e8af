#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "FileTools.h"
#include "LogFile.h"
#include "Streams.h"
#include "TempFolder.h"

namespace xel {
namespace {

using test::TTempFolderTest;

TEST(FileToolsTest, PathsAreCompletedOnThePlatformsDelimiter) {
  struct TCase {
    const char* S;
    const char* Append;
    const char* Remove;
    const char* Modify;
    bool Complete;
  } cases[] = {
      {" /a ", "/a/", "/a", "/a", true},
      {"/a/", "/a/", "/a", "/a", true},
      {"/a//", "/a//", "/a/", "/a/", true},  // one delimiter only
      {"/", "/", "/", "/", true},
      {"", "", "", "", false},
      {"   ", "", "", "", false},
      {"a/b", "a/b/", "a/b", "a/b", false},
      {"//server/share", "//server/share/", "//server/share", "//server/share", true},
      {"C:", "C:/", "C:", "C:/", false},  // a drive means nothing here but is kept whole
      {"C:/", "C:/", "C:", "C:/", false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(AppendBackslash(c.S), c.Append) << '"' << c.S << '"';
    EXPECT_EQ(RemoveBackslash(c.S), c.Remove) << '"' << c.S << '"';
    EXPECT_EQ(ModifyDirectory(c.S), c.Modify) << '"' << c.S << '"';
    EXPECT_EQ(IsDirNameComplete(c.S), c.Complete) << '"' << c.S << '"';
  }

  struct TExpand {
    const char* FileName;
    const char* Dir;
    const char* Expected;
  } expands[] = {
      {"log.txt", "/tmp/t", "/tmp/t/log.txt"},
      {" sub/a.txt ", "/tmp/t/", "/tmp/t/sub/a.txt"},
      {"/logs/a.txt", "/tmp/t", "/logs/a.txt"},
      {"D:/x/a.txt", "/tmp/t", "/tmp/t/D:/x/a.txt"},
      {"a.txt", "", "a.txt"},
  };
  for (const TExpand& e : expands) EXPECT_EQ(ExpandFileNameByDir(e.FileName, e.Dir), e.Expected) << e.FileName;

  EXPECT_EQ(GetWindowsDir(), "/etc/");
  EXPECT_EQ(GetSystemDir(), "/usr/lib/");
  EXPECT_EQ(GetApplicationDir(), ExtractFilePath(GetModuleFileName()));
  EXPECT_EQ(ExpandApplicationDir("x.ini"), GetApplicationDir() + "x.ini");
  EXPECT_EQ(ExtractFileName(GetModuleName()).rfind("libxel_toollib.so", 0), 0u);  // with its version behind
  EXPECT_EQ(GetModuleDir(), ExtractFilePath(GetModuleName()));
}

TEST(FileToolsTest, ValidFileNamesLoseTheNineReservedCharacters) {
  struct TCase {
    const char* Name;
    const char* Expected;
  } cases[] = {
      {"a:b?.txt", "a_b_.txt"}, {"", "noname"}, {"   ", "noname"}, {"<>:\"/\\|?*", "_________"},
      {" x y.txt ", "x y.txt"}, {"\xC3\xA4.lng", "\xC3\xA4.lng"},
  };
  for (const TCase& c : cases) EXPECT_EQ(MakeValidFileName(c.Name), c.Expected) << c.Name;
}

TEST(FileToolsTest, ShortPathPutsDotsInPlaceOfTheMiddleFolders) {
  struct TCase {
    const char* Path;
    int MaxLen;
    const char* Expected;
  } cases[] = {
      // "C:\a\b\c\d\file.txt" without its drive.
      {"/a/b/c/d/file.txt", 17, "/a/b/c/d/file.txt"},
      {"/a/b/c/d/file.txt", 15, "/.../d/file.txt"},
      {"/a/b/c/d/file.txt", 14, "/.../file.txt"},
      {"/home/user/projects/glotta/source/GlottaEditor.cpp", 35, "/home/.../source/GlottaEditor.cpp"},
      {"/home/user/projects/glotta/source/GlottaEditor.cpp", 45, "/home/user/.../source/GlottaEditor.cpp"},
      {"//server/share/a/b/file.txt", 20, "//.../b/file.txt"},
      {"/x/averyveryverylongfilename.txt", 12, "/.../aver..."},
      {"/verylongfolder/file.txt", 16, "/.../file.txt"},
      {"abcdefghijkl", 8, "abcde..."},
      {"  /a/b  ", 8, "/a/b"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ShortPath(c.Path, c.MaxLen), c.Expected) << c.Path << " " << c.MaxLen;

  for (const char* path : {"/home/user/projects/glotta/source/GlottaEditor.cpp", "//server/share/a/b/file.txt",
                           "/x/averyveryverylongfilename.txt", "relative/dir/and/a/name.txt"})
    for (int maxLen = 8; maxLen < 60; ++maxLen) {
      String s = ShortPath(path, maxLen);
      EXPECT_LE(static_cast<int>(s.size()), maxLen) << path << " " << maxLen;
      EXPECT_EQ(s == path, static_cast<int>(String(path).size()) <= maxLen) << path << " " << maxLen;
    }

  try {
    ShortPath("/a", 7);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "ShortPath failed. MaxLen must be larger than 7");
  }
}

using FileToolsFolderTest = TTempFolderTest;

TEST_F(FileToolsFolderTest, ExistenceAndContentTests) {
  Write("file.txt", "12345");
  ASSERT_TRUE(CreateDirRecurse(Dir + "empty"));
  ASSERT_TRUE(CreateDirRecurse(Dir + "sub/inner"));
  struct TCase {
    String Name;
    bool IsDir, File, Empty, HasFiles;
  } cases[] = {
      {Dir, true, true, false, true},
      {Dir + "file.txt", false, true, false, false},
      {Dir + "empty/", true, true, true, false},
      {Dir + "sub", true, true, false, false},  // a subfolder is no file
      {Dir + "missing", false, false, false, false},
      {"", false, false, false, false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(DirExist(c.Name), c.IsDir) << c.Name;
    EXPECT_EQ(FileExist(c.Name), c.File) << c.Name;
    EXPECT_EQ(IsDirEmpty(c.Name), c.Empty) << c.Name;
    EXPECT_EQ(HasDirFiles(c.Name), c.HasFiles) << c.Name;
  }

  EXPECT_EQ(GetFileSize(Dir + "file.txt"), 5);
  EXPECT_EQ(GetFileSize(Dir + "missing"), -1);
  EXPECT_EQ(GetFileSize(Dir + "sub"), -1);
  Write("sub/a", "123");
  Write("sub/inner/b", "1234567");  // not counted: only the files directly in the folder
  EXPECT_EQ(GetDirSize(Dir + "sub"), 3);
  EXPECT_EQ(GetDirSize(Dir + "missing"), 0);
  EXPECT_GT(GetFreeDriveSpace(Dir + "not/yet/there"), 0);  // the drive of a folder still to be made
}

TEST_F(FileToolsFolderTest, AnUnreadableFolderIsNeitherEmptyNorSized) {
  if (IsRoot()) GTEST_SKIP() << "root reads every folder";
  ASSERT_TRUE(CreateDirRecurse(Dir + "closed"));
  Write("closed/a", "123");
  chmod((Dir + "closed").c_str(), 0);
  EXPECT_TRUE(DirExist(Dir + "closed"));
  EXPECT_FALSE(IsDirEmpty(Dir + "closed"));
  EXPECT_FALSE(HasDirFiles(Dir + "closed"));
  EXPECT_EQ(GetDirSize(Dir + "closed"), 0);
}

TEST_F(FileToolsFolderTest, CreateDirRecurseLeavesNothingBehindWhenItFails) {
  EXPECT_TRUE(CreateDirRecurse(Dir + "a/b/c/"));
  EXPECT_TRUE(DirExist(Dir + "a/b/c"));
  EXPECT_TRUE(CreateDirRecurse(Dir + "a/b/c"));  // already there
  EXPECT_TRUE(CreateDirRecurse(Dir + "a/./b/../x"));  // normalised first
  EXPECT_TRUE(DirExist(Dir + "a/x"));
  EXPECT_FALSE(CreateDirRecurse(""));

  // Both fail for root as well: a file in the way, and a name longer than any file system takes.
  Write("file", "x");
  EXPECT_FALSE(CreateDirRecurse(Dir + "file/sub"));
  EXPECT_FALSE(CreateDirRecurse(Dir + "new/deeper/" + String(300, 'n') + "/last"));
  EXPECT_FALSE(Exists("new"));  // the parents it had made went again
}

TEST_F(FileToolsFolderTest, ClearDirectoryReachesTheStateOfItsMode) {
  auto makeTree = [&] {
    Write("t/f1", "1");
    Write("t/s/f2", "2");
    Write("outside/keep", "k");
    std::filesystem::create_directory_symlink(Dir + "outside", Dir + "t/link");
  };
  makeTree();
  EXPECT_TRUE(ClearDirectory(Dir + "t", cdFlat));
  EXPECT_FALSE(Exists("t/f1"));
  EXPECT_TRUE(Exists("t/s/f2"));
  EXPECT_TRUE(Exists("t/link"));  // a link to a folder is no file

  EXPECT_TRUE(ClearDirectory(Dir + "t/", cdClear));
  EXPECT_TRUE(DirExist(Dir + "t"));
  EXPECT_TRUE(IsDirEmpty(Dir + "t"));
  EXPECT_EQ(Read("outside/keep"), "k");  // links go, not what they point to

  makeTree();
  EXPECT_TRUE(ClearDirectory(" " + Dir + "t ", cdErase));
  EXPECT_FALSE(Exists("t"));
  EXPECT_EQ(Read("outside/keep"), "k");

  for (const char* bad : {"relative/t", "", "C:"}) {
    try {
      ClearDirectory(bad, cdErase);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "ClearDirectory failed. A complete folder location must be specified") << bad;
    }
  }
  EXPECT_THROW(ClearDirectory("/", cdFlat), Exception);
  EXPECT_THROW(ClearDirectory(Dir + "..//..//../..", cdClear), Exception);
}

TEST_F(FileToolsFolderTest, UniqueNamesCountUpFromTwo) {
  EXPECT_EQ(MakeUniqueFileName(Dir + "a.txt"), Dir + "a.txt");
  Write("a.txt", "");
  EXPECT_EQ(MakeUniqueFileName(Dir + "a.txt"), Dir + "a_2.txt");
  Write("a_2.txt", "");
  EXPECT_EQ(MakeUniqueFileName(Dir + "a.txt"), Dir + "a_3.txt");
  ASSERT_TRUE(CreateDirRecurse(Dir + "b.txt"));  // a folder takes the name too
  EXPECT_EQ(MakeUniqueFileName(Dir + "b.txt"), Dir + "b_2.txt");
  Write("noext", "");
  EXPECT_EQ(MakeUniqueFileName(Dir + "noext"), Dir + "noext_2");
}

TEST_F(FileToolsFolderTest, TemporaryFilesAreMadeByThePlatformOrReportItsError) {
  String a, b;
  CreateTempFile(a);
  CreateTempFile(b);
  EXPECT_NE(a, b);
  EXPECT_TRUE(a.starts_with(Dir + "Xel")) << a;
  EXPECT_EQ(GetFileSize(a), 0);
  Write("x/keep", "");
  CreateTempFileEx(Dir + "x", "pre", a);
  EXPECT_TRUE(a.starts_with(Dir + "x/pre")) << a;

  Write("file", "");
  struct TCase {
    String Dir;
    int Error;
  } cases[] = {{Dir + "missing", ENOENT}, {Dir + "file", ENOTDIR}};
  for (const TCase& c : cases) {
    String name = "unchanged";
    try {
      CreateTempFileEx(c.Dir, "pre", name);
      ADD_FAILURE() << c.Dir;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message(), "CreateTempFileEx failed. Windows error code: " + IntToStr(c.Error));
      EXPECT_EQ(e.ErrorCode, c.Error);
    }
    EXPECT_EQ(name, "unchanged");
  }
}

TEST_F(FileToolsFolderTest, CopyFileExKeepsTheReadOnlyBitAndNeverLeavesHalfACopy) {
  Write("src.txt", "content");
  CopyFileEx(Dir + "src.txt", Dir + "copy.txt");
  EXPECT_EQ(Read("copy.txt"), "content");
  EXPECT_FALSE(FileIsReadOnly(Dir + "copy.txt"));

  Write("dest.txt", "old");
  FileSetReadOnly(Dir + "src.txt", true);
  CopyFileEx(Dir + "src.txt", Dir + "dest.txt");  // replaces a writable file
  EXPECT_EQ(Read("dest.txt"), "content");
  EXPECT_TRUE(FileIsReadOnly(Dir + "dest.txt"));

  Write("other.txt", "other");
  EXPECT_THROW(CopyFileEx(Dir + "other.txt", Dir + "dest.txt"), EFCreateError);  // read-only now
  EXPECT_EQ(Read("dest.txt"), "content");
  EXPECT_THROW(CopyFileEx(Dir + "missing.txt", Dir + "copy.txt"), EFOpenError);
  EXPECT_EQ(Read("copy.txt"), "content");
  EXPECT_THROW(CopyFileEx(Dir + "other.txt", Dir + "no/such/folder.txt"), EFCreateError);

  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(Dir)) files += e.is_regular_file();
  EXPECT_EQ(files, 4);  // no temporary file left over
}

TEST_F(FileToolsFolderTest, LogToFileAppendsTimeStampedLines) {
  LogToFile(Dir + "log.txt", "first");
  LogToFile(Dir + "log.txt", "");
  String text = Read("log.txt");
  String stamp(test::kStampShape);
  EXPECT_TRUE(test::HasShape(text, stamp + " first\r\n" + stamp + "\r\n")) << text;
  EXPECT_THROW(LogToFile(Dir + "no/folder/log.txt", "x"), EFCreateError);
}

TEST_F(FileToolsFolderTest, KeepDirectoryRestoresTheCurrentFolder) {
  String before = GetCurrentDir();
  {
    TKeepDirectory keep(nullptr);
    ASSERT_EQ(chdir(Dir.c_str()), 0);
    EXPECT_EQ(IncludeTrailingPathDelimiter(GetCurrentDir()), Dir);
  }
  EXPECT_EQ(GetCurrentDir(), before);
}

}  // namespace
}  // namespace xel
