// The Free Pascal compiler as a judge of changed units: texts are compiled in folders of
// their own below one temporary folder, beside stand-in units that declare what they use.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "SysUtils.h"

namespace xel::test {

// Skips the test when the compiler is missing on a developer's machine; in CI, where it is
// installed on purpose, its absence fails the test.
#define XEL_REQUIRE_FPC()                                                        \
  do {                                                                           \
    if (!::xel::test::TFpc::Installed()) {                                       \
      if (::xel::test::TFpc::InCI()) FAIL() << "fpc is not installed in CI";     \
      GTEST_SKIP() << "fpc is not installed";                                    \
    }                                                                            \
  } while (0)

class TFpc {
public:
  using TFiles = std::vector<std::pair<String, String>>;

  TFpc() {
    namespace fs = std::filesystem;
    String pattern = (fs::temp_directory_path() / "xel-fpc-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    FRoot = pattern;
    fs::create_directories(FRoot / "stub");
    AddStub("xelstub.pas", "unit XelStub;\r\ninterface\r\nimplementation\r\nend.\r\n");
  }
  ~TFpc() {
    std::error_code ec;
    std::filesystem::remove_all(FRoot, ec);
  }
  TFpc(const TFpc&) = delete;
  TFpc& operator=(const TFpc&) = delete;

  static bool Installed() { return std::system("command -v fpc >/dev/null 2>&1") == 0; }
  static bool InCI() {
    const char* ci = std::getenv("CI");
    return ci && String(ci) == "true";
  }

  // A stand-in unit that compiled texts find when asked for.
  void AddStub(const String& fileName, const String& text) { Write(FRoot / "stub" / fileName, text); }

  // Compiles text as fileName in delphi mode with files beside it; the stand-in units are
  // found when withStub. Nothing is linked.
  bool Compile(const String& fileName, const String& text, bool withStub, String& log, const TFiles& beside = {}) {
    namespace fs = std::filesystem;
    fs::path dir = FRoot / std::to_string(++FRuns);
    fs::create_directories(dir);
    Write(dir / fileName, text);
    for (const auto& [name, data] : beside) Write(dir / name, data);
    String command = "fpc -Mdelphi -Cn -FU" + dir.string() + " -FE" + dir.string();
    if (withStub) command += " -Fu" + (FRoot / "stub").string();
    command += " " + (dir / fileName).string() + " >" + (dir / "log").string() + " 2>&1";
    const bool ok = std::system(command.c_str()) == 0;
    std::ifstream in(dir / "log");
    std::stringstream s;
    s << in.rdbuf();
    log = s.str();
    return ok;
  }

private:
  static void Write(const std::filesystem::path& path, const String& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }
  std::filesystem::path FRoot;
  int FRuns = 0;
};

}  // namespace xel::test
