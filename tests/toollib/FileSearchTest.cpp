// The file search and file deletion components: masks and recursion, links that must not be
// followed, stopping, the age filter, the folders that deletion refuses, and errors that do
// not stop a deletion run.
#include <filesystem>

#include "FileDelete.h"
#include "TempFolder.h"

namespace xel::test {
namespace {

namespace fs = std::filesystem;

struct TFileLog : TObject {
  std::vector<String> Found, Asked, Failed;
  size_t StopAfter = 0;
  std::vector<String> Keep;
  bool RemoveFirst = false;
  void FileFound(TObject*, const String& name, bool& cancel) {
    Found.push_back(name);
    cancel = StopAfter != 0 && Found.size() >= StopAfter;
  }
  void DeleteQuery(TObject*, const String& name, bool& doDelete) {
    Asked.push_back(name);
    doDelete = std::find(Keep.begin(), Keep.end(), ExtractFileName(name)) == Keep.end();
    // Somebody else deletes it first.
    if (RemoveFirst) std::remove(name.c_str());
  }
  void DeleteError(TObject*, const String& name, const String& message) {
    EXPECT_FALSE(message.empty());
    Failed.push_back(name);
  }
};

// a.txt b.cfg z.TXT sub/c.txt sub/deep/d.ini, a link back to the folder itself and a link
// to a file outside it.
class FileSearchTest : public TTempFolderTest {
protected:
  void SetUp() override {
    TTempFolderTest::SetUp();
    Root = Dir + "tree";
    for (const char* name : {"a.txt", "b.cfg", "z.TXT", "sub/c.txt", "sub/deep/d.ini"}) Write(String("tree/") + name, "x");
    Write("outside.txt", "keep me");
    fs::create_directory_symlink(Root, Root + "/loop");
    fs::create_symlink(Dir + "outside.txt", Root + "/sub/outside-link.txt");
  }
  // The names found, relative to the searched folder.
  std::vector<String> Relative(TStrings* files) const {
    std::vector<String> names;
    for (int i = 0; i < files->Count(); ++i) names.push_back(files->Strings(i).substr(Root.size() + 1));
    return names;
  }
  String Root;
  TFileLog Log;
};

TEST_F(FileSearchTest, MasksAndRecursionFindFilesFolderByFolderWithoutFollowingLinks) {
  struct TCase {
    const char* Mask;
    bool Recursive;
    std::vector<String> Expected;
  };
  const TCase cases[] = {
      {"*.txt", true, {"a.txt", "sub/c.txt", "sub/outside-link.txt"}},
      {"*.cfg; *.ini", true, {"b.cfg", "sub/deep/d.ini"}},
      {"", false, {"a.txt", "b.cfg", "z.TXT"}},
      {"?.TXT", false, {"z.TXT"}},
      {"*.none", true, {}},
  };
  TFileSearch search(nullptr);
  search.SetDirectory(Root + "/");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mask);
    search.SetMask(c.Mask);
    search.SetRecursive(c.Recursive);
    EXPECT_EQ(search.Execute(), static_cast<Integer>(c.Expected.size()));
    EXPECT_EQ(Relative(search.Files()), c.Expected);
    EXPECT_FALSE(search.Cancelled());
  }
}

TEST_F(FileSearchTest, TheHandlerSeesEveryFindAndMayStop) {
  TFileSearch search(nullptr);
  search.SetDirectory(Root);
  search.SetMask("*.txt;*.ini");
  search.OnFileFound = MakeMethod<&TFileLog::FileFound>(&Log);
  Log.StopAfter = 2;
  EXPECT_EQ(search.Execute(), 2);
  EXPECT_TRUE(search.Cancelled());
  EXPECT_EQ(Log.Found, (std::vector<String>{Root + "/a.txt", Root + "/sub/c.txt"}));
  // A new search starts afresh.
  Log.Found.clear();
  Log.StopAfter = 0;
  EXPECT_EQ(search.Execute(), 4);
  EXPECT_FALSE(search.Cancelled());
}

TEST_F(FileSearchTest, AFolderThatIsNoneIsAnError) {
  TFileSearch search(nullptr);
  for (const String& dir : {String(), String("  "), Dir + "missing", Root + "/a.txt"}) {
    search.SetDirectory(dir);
    EXPECT_THROW(search.Execute(), EFileSearchError) << dir;
  }
}

TEST_F(FileSearchTest, DeletionRemovesMatchesAndLinksButNeverWhatLinksPointTo) {
  TFileDelete del(nullptr);
  EXPECT_FALSE(del.GetRecursive());
  del.SetDirectory(Root);
  del.SetMask("*.txt");
  del.SetRecursive(true);
  del.SetDeleteEmptyFolders(true);
  del.OnDeleteQuery = MakeMethod<&TFileLog::DeleteQuery>(&Log);
  Log.Keep = {"a.txt"};
  EXPECT_EQ(del.Execute(), 2);
  EXPECT_EQ(Relative(del.Files()), (std::vector<String>{"sub/c.txt", "sub/outside-link.txt"}));
  EXPECT_EQ(Log.Asked.size(), 3u);
  EXPECT_TRUE(fs::exists(Root + "/a.txt"));
  EXPECT_TRUE(fs::exists(Root + "/b.cfg"));
  EXPECT_FALSE(fs::exists(Root + "/sub/c.txt"));
  EXPECT_EQ(ReadTextFile(Dir + "outside.txt"), "keep me");
  // Folders still holding files stay; the searched folder itself always does.
  EXPECT_TRUE(fs::exists(Root + "/sub/deep/d.ini"));
  del.SetMask("*");
  Log.Keep.clear();
  del.Execute();
  EXPECT_FALSE(fs::exists(Root + "/sub"));
  EXPECT_TRUE(fs::is_directory(Root));
  EXPECT_TRUE(fs::is_symlink(Root + "/loop"));
}

TEST_F(FileSearchTest, DeletionTakesOnlyOldFilesWhenAsked) {
  fs::last_write_time(Root + "/a.txt", fs::file_time_type::clock::now() - std::chrono::hours(24 * 10));
  TFileDelete del(nullptr);
  del.SetDirectory(Root);
  del.SetMask("*.txt;*.cfg");
  del.SetOlderThan(5);
  EXPECT_EQ(del.Execute(), 1);
  EXPECT_FALSE(fs::exists(Root + "/a.txt"));
  EXPECT_TRUE(fs::exists(Root + "/b.cfg"));
  del.SetOlderThan(-3);
  EXPECT_EQ(del.GetOlderThan(), 0);
}

TEST_F(FileSearchTest, DeletionRefusesFoldersThatAreNotPlainlyMeant) {
  TFileDelete del(nullptr);
  del.SetMask("*");
  // Relative names would follow the current folder; the root is never meant.
  for (const String& dir : {String(), String("tree"), String("./"), String("/"), String("//"), Dir + "missing"}) {
    del.SetDirectory(dir);
    EXPECT_THROW(del.Execute(), EFileSearchError) << dir;
  }
  EXPECT_TRUE(fs::exists(Root + "/a.txt"));
}

TEST_F(FileSearchTest, AFileThatCannotBeDeletedIsReportedAndTheRunGoesOn) {
  TFileDelete del(nullptr);
  del.SetDirectory(Root);
  del.SetMask("*");
  del.OnDeleteQuery = MakeMethod<&TFileLog::DeleteQuery>(&Log);
  del.OnDeleteError = MakeMethod<&TFileLog::DeleteError>(&Log);
  Log.RemoveFirst = true;
  EXPECT_EQ(del.Execute(), 0);
  EXPECT_EQ(del.ErrorCount(), 3);
  EXPECT_EQ(Log.Failed, (std::vector<String>{Root + "/a.txt", Root + "/b.cfg", Root + "/z.TXT"}));
}

}  // namespace
}  // namespace xel::test
