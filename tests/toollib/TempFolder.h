// A fresh folder per test that also serves as the temporary folder ($TMPDIR), removed with
// everything in it afterwards.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "SysUtils.h"

namespace xel::test {

// Whether text has the shape: "9" stands for a decimal digit, "X" for an upper-case
// hexadecimal one, every other character for itself.
inline bool HasShape(std::string_view text, std::string_view shape) {
  if (text.size() != shape.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    bool digit = c >= '0' && c <= '9';
    bool ok = shape[i] == '9' ? digit : shape[i] == 'X' ? digit || (c >= 'A' && c <= 'F') : c == shape[i];
    if (!ok) return false;
  }
  return true;
}
inline constexpr std::string_view kStampShape = "9999-99-99 99:99:99";

class TTempFolderTest : public ::testing::Test {
protected:
  void SetUp() override {
    String pattern = std::filesystem::temp_directory_path().string() + "/xel-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Dir = pattern + "/";
    if (const char* old = std::getenv("TMPDIR")) FOldTmp = old, FHadTmp = true;
    setenv("TMPDIR", Dir.c_str(), 1);
  }
  void TearDown() override {
    if (FHadTmp) setenv("TMPDIR", FOldTmp.c_str(), 1);
    else unsetenv("TMPDIR");
    std::error_code ec;
    for (auto& e : std::filesystem::recursive_directory_iterator(Dir, ec))  // read-only folders of a test
      if (e.is_directory()) chmod(e.path().c_str(), 0700);
    std::filesystem::remove_all(Dir, ec);
  }
  void Write(const String& name, const String& text) {
    ForceDirectories(ExtractFilePath(Dir + name));
    WriteFileAtomically(Dir + name, text);
  }
  String Read(const String& name) { return ReadTextFile(Dir + name, true); }
  bool Exists(const String& name) {
    struct stat st;
    return lstat((Dir + name).c_str(), &st) == 0;
  }
  // Permission tests mean nothing to root, who may write anywhere.
  static bool IsRoot() { return geteuid() == 0; }

  String Dir;

private:
  String FOldTmp;
  bool FHadTmp = false;
};

}  // namespace xel::test
