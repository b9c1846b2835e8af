// Adding a unit to a uses clause: the exact text for every shape of clause, and the
// compiler's verdict on the changed units, written for the test and taken from the Free
// Pascal sources, when the compiler is installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FpcCompiler.h"
#include "SourceParser.h"

namespace xel {
namespace {

namespace fs = std::filesystem;
using test::TFpc;

struct TUseCase {
  const char* Name;
  String Text;
  bool InInterface;
  bool Result, AlreadyUsed;
  String Expected;  // empty: the text stays as it was
  bool Compiles = true;  // whether the compiler can take the text (its other units exist)
};

const String kUnitHead = "unit Shape;\r\n\r\n";

std::vector<TUseCase> UseCases() {
  return {
      {"interface clause extended", kUnitHead + "interface\r\n\r\nuses\r\n  SysUtils;\r\n\r\nimplementation\r\n\r\nend.\r\n",
       true, true, false,
       kUnitHead + "interface\r\n\r\nuses\r\n  XelStub, SysUtils;\r\n\r\nimplementation\r\n\r\nend.\r\n"},
      {"implementation clause made", kUnitHead + "interface\r\n\r\nuses\r\n  SysUtils;\r\n\r\nimplementation\r\n\r\nend.\r\n",
       false, true, false,
       kUnitHead +
           "interface\r\n\r\nuses\r\n  SysUtils;\r\n\r\nimplementation\r\n\r\nuses\r\n  XelStub;\r\n\r\nend.\r\n"},
      {"interface clause made", kUnitHead + "interface\r\nimplementation\r\nend.", true, true, false,
       kUnitHead + "interface\r\n\r\nuses\r\n  XelStub;\r\n\r\nimplementation\r\nend."},
      {"implementation clause extended", kUnitHead + "interface\r\nimplementation\r\nuses Classes;\r\nend.", false,
       true, false, kUnitHead + "interface\r\nimplementation\r\nuses\r\n  XelStub, Classes;\r\nend."},
      {"interface clause made beside an implementation clause",
       kUnitHead + "interface\r\nimplementation\r\nuses Classes;\r\nend.", true, true, false,
       kUnitHead + "interface\r\n\r\nuses\r\n  XelStub;\r\n\r\nimplementation\r\nuses Classes;\r\nend."},
      {"used in the other part", kUnitHead + "interface\r\nuses XelStub;\r\nimplementation\r\nend.", false, true,
       true, ""},
      {"used in another case", kUnitHead + "interface\r\nimplementation\r\nuses SysUtils,\r\n  XELSTUB;\r\nend.",
       true, true, true, ""},
      {"used with a file name", kUnitHead + "interface\r\nuses XelStub in 'xelstub.pas';\r\nimplementation\r\nend.",
       true, true, true, "", false},
      {"a file name is not a unit name",
       kUnitHead + "interface\r\nuses Other in 'XelStub.pas';\r\nimplementation\r\nend.", true, true, false,
       kUnitHead + "interface\r\nuses\r\n  XelStub, Other in 'XelStub.pas';\r\nimplementation\r\nend.", false},
      {"a dotted name is another unit", kUnitHead + "interface\r\nuses Sys.XelStub;\r\nimplementation\r\nend.", true,
       true, false, kUnitHead + "interface\r\nuses\r\n  XelStub, Sys.XelStub;\r\nimplementation\r\nend.", false},
      {"comments and directives in the clause",
       kUnitHead + "interface\r\nuses {$IFDEF UNIX} BaseUnix, {$ENDIF} SysUtils { XelStub };\r\nimplementation\r\nend.",
       true, true, false,
       kUnitHead +
           "interface\r\nuses\r\n  XelStub, {$IFDEF UNIX} BaseUnix, {$ENDIF} SysUtils { XelStub };\r\nimplementation\r\nend."},
      {"uses in a comment", kUnitHead + "interface\r\n{ uses XelStub; }\r\nimplementation\r\nend.", true, true, false,
       kUnitHead + "interface\r\n\r\nuses\r\n  XelStub;\r\n\r\n{ uses XelStub; }\r\nimplementation\r\nend."},
      {"upper-case keywords", "UNIT Shape; INTERFACE USES SysUtils; IMPLEMENTATION END.", true, true, false,
       "UNIT Shape; INTERFACE USES\r\n  XelStub, SysUtils; IMPLEMENTATION END."},
      {"line feeds only", "unit Shape;\ninterface\n\nimplementation\n\nend.\n", false, true, false,
       "unit Shape;\ninterface\n\nimplementation\r\n\r\nuses\r\n  XelStub;\r\n\r\nend.\n"},
      {"program clause extended", "program Shape;\r\nuses SysUtils;\r\nbegin\r\nend.", true, true, false,
       "program Shape;\r\nuses\r\n  XelStub, SysUtils;\r\nbegin\r\nend."},
      {"program clause made", "program Shape;\r\n\r\nbegin\r\nend.", false, true, false,
       "program Shape;\r\n\r\nuses\r\n  XelStub;\r\n\r\nbegin\r\nend."},
      {"program without header", "begin\r\nend.", true, true, false, "\r\n\r\nuses\r\n  XelStub;\r\n\r\nbegin\r\nend."},
      {"library clause made", "library Shape;\r\n\r\nprocedure P; begin end;\r\n\r\nexports P;\r\n\r\nbegin\r\nend.", true,
       true, false,
       "library Shape;\r\n\r\nuses\r\n  XelStub;\r\n\r\nprocedure P; begin end;\r\n\r\nexports P;\r\n\r\nbegin\r\nend."},
      // Texts the function cannot place the unit in stay as they were.
      {"program header with parameters", "program Shape(input, output);\r\nuses SysUtils;\r\nbegin\r\nend.", true,
       false, false, ""},
      {"no final end", kUnitHead + "interface\r\nimplementation\r\n", true, false, false, ""},
      {"interface without implementation", kUnitHead + "interface\r\nend.", true, false, false, ""},
      {"implementation without interface", "program Shape;\r\nimplementation\r\nend.", true, false, false, ""},
  };
}

TEST(UseUnitTest, EveryShapeOfUsesClause) {
  for (const TUseCase& c : UseCases()) {
    SCOPED_TRACE(c.Name);
    TSourceParser p(c.Text);
    p.ParseLines(ctPascal);
    bool already = !c.AlreadyUsed;
    EXPECT_EQ(p.Pas_UseUnit("XelStub", c.InInterface, already), c.Result);
    EXPECT_EQ(already, c.AlreadyUsed);
    EXPECT_EQ(p.Text(), c.Expected.empty() ? c.Text : c.Expected);
    if (!c.Result || c.AlreadyUsed) continue;
    // Scanned again, the unit is found in a clause and nothing changes.
    TSourceParser again(p.Text());
    again.ParseLines(ctPascal);
    EXPECT_TRUE(again.Pas_UseUnit("XelStub", c.InInterface, already));
    EXPECT_TRUE(already);
    EXPECT_EQ(again.Text(), p.Text());
  }
}

// Adds XelStub to text and checks that the compiler accepts the result with the
// stand-in unit and, when it was added, refuses it without (so the name stands in a
// real uses clause, not in a comment).
void ExpectCompilesWithUnit(TFpc& fpc, const String& fileName, const String& text, bool inInterface) {
  SCOPED_TRACE(fileName + (inInterface ? " (interface)" : " (implementation)"));
  String log;
  ASSERT_TRUE(fpc.Compile(fileName, text, true, log)) << "the original does not compile:\n" << log;
  TSourceParser p(text);
  p.ParseLines(ctPascal);
  bool already;
  ASSERT_TRUE(p.Pas_UseUnit("XelStub", inInterface, already));
  EXPECT_TRUE(fpc.Compile(fileName, p.Text(), true, log)) << p.Text() << "\n" << log;
  if (!already) {
    EXPECT_FALSE(fpc.Compile(fileName, p.Text(), false, log)) << p.Text();
  }
}

TEST(UseUnitTest, ChangedShapesStillCompile) {
  XEL_REQUIRE_FPC();
  TFpc fpc;
  for (const TUseCase& c : UseCases())
    if (c.Result && c.Compiles) ExpectCompilesWithUnit(fpc, "shape.pas", c.Text, c.InInterface);
}

TEST(UseUnitTest, ChangedFreePascalUnitsStillCompile) {
  XEL_REQUIRE_FPC();
  fs::path packages;
  std::error_code ec;
  for (const auto& version : fs::directory_iterator("/usr/share/fpcsrc", ec))
    if (fs::exists(version.path() / "packages")) packages = version.path() / "packages";
  if (packages.empty()) GTEST_SKIP() << "the Free Pascal sources are not installed";
  // Units that need nothing beyond the compiler's own run-time library, in several shapes:
  // one-line clauses, directives inside a clause, clauses in both parts or in one only.
  const char* units[] = {"fcl-base/src/ascii85.pp",  "fcl-base/src/avl_tree.pp",  "fcl-base/src/base64.pp",
                         "fcl-base/src/contnrs.pp",  "fcl-base/src/maskutils.pp", "fcl-base/src/uriparser.pp",
                         "fcl-base/src/streamex.pp", "fcl-image/src/fpqrcodegen.pp"};
  TFpc fpc;
  for (const char* unit : units) {
    std::ifstream in(packages / unit, std::ios::binary);
    ASSERT_TRUE(in) << unit;
    std::stringstream s;
    s << in.rdbuf();
    for (bool inInterface : {true, false})
      ExpectCompilesWithUnit(fpc, fs::path(unit).filename().string(), s.str(), inInterface);
  }
}

}  // namespace
}  // namespace xel
