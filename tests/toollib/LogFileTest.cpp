#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>

#include "../host/core/RegistryCheck.h"
#include "LogFile.h"
#include "TempFolder.h"

namespace xel {
namespace {

using test::TTempFolderTest;

// A reader of checked logs that knows only the line format: every line is the CRC-32 of its
// text in hexadecimal, a blank and the text with its CR LF. The register starts at the
// chain state plus the sum of byte times position; the next state follows from the CRC.
// An identifier line ("#" and eight base-17 digits, maybe behind a time stamp) may start a
// new chain; the first line must. Returns the 1-based number of the first bad line, 0 when
// the log is sound.
int FirstBadLine(const String& log) {
  const String stamped = String(test::kStampShape) + " #XXXXXXXX\r\n";
  auto next = [](std::uint32_t state, std::uint32_t crc, const String& text) -> std::optional<std::uint32_t> {
    std::uint32_t s = state;
    for (size_t i = 0; i < text.size(); ++i) s += static_cast<Byte>(text[i]) * static_cast<std::uint32_t>(i + 1);
    std::uint32_t reg = s ^ 0xFFFFFFFFu;  // zlib inverts on entry
    if (static_cast<std::uint32_t>(crc32(reg, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size()))) != crc)
      return std::nullopt;
    return ~(crc ^ s ^ 0x5D2B7A14u);
  };
  std::optional<std::uint32_t> state;
  size_t start = 0;
  for (int number = 1; start < log.size(); ++number) {
    size_t end = log.find("\r\n", start);
    if (end == String::npos) return number;
    String line = log.substr(start, end + 2 - start);
    start = end + 2;
    if (line.size() < 11 || !test::HasShape(line.substr(0, 9), "XXXXXXXX ")) return number;
    auto crc = static_cast<std::uint32_t>(std::strtoul(line.substr(0, 8).c_str(), nullptr, 16));
    String text = line.substr(9);
    if (state) {
      if (auto s = next(*state, crc, text)) {
        state = s;
        continue;
      }
    }
    if (!test::HasShape(text, "#XXXXXXXX\r\n") && !test::HasShape(text, stamped)) return number;
    String digits = text.substr(text.size() - 10, 8);
    state = next(static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 17)), crc, text);
    if (!state) return number;
  }
  return 0;
}

// A log whose identifiers are drawn from a list, so that its bytes are known in advance.
class TFixedLogFile : public TLogFile {
public:
  using TLogFile::TLogFile;
  std::deque<Integer> Draws;

protected:
  Integer RandomIdentifier() override {
    Integer n = Draws.front();
    Draws.pop_front();
    return n;
  }
};

using LogFileTest = TTempFolderTest;

TEST_F(LogFileTest, OpensOnTheFirstWriteRelativeToItsFolder) {
  TLogFile log(nullptr);
  log.SetDirectory(fdTemporary);
  log.SetFileName("sub/deeper/log.txt");
  EXPECT_FALSE(log.IsOpen());
  EXPECT_FALSE(Exists("sub"));
  log.WriteValue("hello");
  EXPECT_TRUE(log.IsOpen());
  EXPECT_EQ(log.GetFullFileName(), Dir + "sub/deeper/log.txt");
  log.WriteValue(42);
  log.WriteValue(Variant());
  // Others may read the open log but not write to it.
  EXPECT_NO_THROW(TFileStream(Dir + "sub/deeper/log.txt", fmOpenRead | fmShareDenyNone));
  EXPECT_THROW(TFileStream(Dir + "sub/deeper/log.txt", fmOpenWrite | fmShareDenyNone), EFOpenError);
  log.SetFileName("other.txt");  // no effect while open
  log.WriteValue("more");
  log.CloseFile();
  EXPECT_EQ(log.GetFullFileName(), "");
  EXPECT_EQ(Read("sub/deeper/log.txt"), "hello\r\n42\r\n\r\nmore\r\n");
  EXPECT_FALSE(Exists("other.txt"));

  TLogFile absolute(nullptr);
  absolute.SetDirectory(fdSystem);  // an absolute name ignores the base folder
  absolute.SetFileName(" " + Dir + "abs.txt ");
  EXPECT_TRUE(absolute.CreateFile());
  EXPECT_EQ(absolute.GetFullFileName(), Dir + "abs.txt");
  EXPECT_EQ(Read("abs.txt"), "");
}

TEST_F(LogFileTest, BaseFoldersFollowDirectory) {
  // Climbing from any base to the root and down into the test's folder writes nothing into
  // the system's folders, while the full name still shows the base.
  String climb;
  for (int i = 0; i < 32; ++i) climb += "../";
  String name = climb + Dir.substr(1) + "log.txt";
  struct TCase {
    TLogFileDir Directory;
    String Base;
  } cases[] = {{fdApplication, GetApplicationDir()}, {fdTemporary, Dir}, {fdWindows, "/etc/"}, {fdSystem, "/usr/lib/"}};
  for (const TCase& c : cases) {
    TLogFile log(nullptr);
    log.SetDirectory(c.Directory);
    log.SetFileName(name);
    log.WriteValue(IntToStr(c.Directory));
    EXPECT_EQ(log.GetFullFileName(), c.Base + name);
  }
  EXPECT_EQ(Read("log.txt"), "0\r\n1\r\n2\r\n3\r\n");
}

TEST_F(LogFileTest, ADisabledLogNeverCreatesAFile) {
  TLogFile log(nullptr);
  log.SetDirectory(fdTemporary);
  log.SetFileName("log.txt");
  log.SetEnabled(false);
  log.SetChecksum(true);
  log.WriteValue("x");
  log.WriteTimeStamp();
  EXPECT_FALSE(log.CreateFile());
  EXPECT_FALSE(Exists("log.txt"));
  log.SetEnabled(true);
  log.SetFileName("  ");
  EXPECT_FALSE(log.CreateFile());
  log.WriteValue("x");
  EXPECT_FALSE(log.IsOpen());
}

TEST_F(LogFileTest, ModesAppendReplaceOrPickAFreeName) {
  Write("a.txt", "old\r\n");
  TLogFile log(nullptr);
  log.SetDirectory(fdTemporary);
  log.SetFileName("a.txt");
  log.WriteValue("appended");
  log.CloseFile();
  EXPECT_EQ(Read("a.txt"), "old\r\nappended\r\n");

  log.SetMode(fmCreateUniqueFile);
  log.WriteValue("second");
  EXPECT_EQ(log.GetFullFileName(), Dir + "a_2.txt");
  log.CloseFile();
  log.WriteValue("third");
  EXPECT_EQ(log.GetFullFileName(), Dir + "a_3.txt");
  log.CloseFile();
  EXPECT_EQ(Read("a_2.txt"), "second\r\n");

  log.SetMode(fmCreateFile);
  FileSetReadOnly(Dir + "a.txt", true);  // the attributes are reset first
  log.WriteValue("new");
  log.CloseFile();
  EXPECT_EQ(Read("a.txt"), "new\r\n");
  EXPECT_FALSE(FileIsReadOnly(Dir + "a.txt"));
}

TEST_F(LogFileTest, TimeStampsLeadTheLines) {
  TLogFile log(nullptr);
  log.SetDirectory(fdTemporary);
  log.SetFileName("log.txt");
  log.SetTimeStamp(true);
  log.WriteValue("text");
  log.WriteValue("");
  log.SetTimeStamp(false);
  log.WriteTimeStamp();
  log.CloseFile();
  String stamp(test::kStampShape);
  String text = Read("log.txt");
  EXPECT_TRUE(test::HasShape(text, stamp + " text\r\n" + stamp + "\r\n" + stamp + "\r\n")) << text;
}

// The bytes were computed apart from this code from the line format alone.
TEST_F(LogFileTest, ChecksummedLogsHaveTheirExactBytesAndRevealEveryChangedByte) {
  TFixedLogFile log(nullptr);
  log.SetDirectory(fdTemporary);
  log.SetFileName("checked.txt");
  log.SetChecksum(true);
  log.Draws = {16, 987654321, 0};  // 16 is "0000000G" in base 17: drawn again
  log.WriteValue("Export started");
  log.WriteValue(42);
  log.WriteValue("");
  log.WriteValue("\xC3\x9Cmlaut \xC3\xBC");  // bytes above 127 weigh as unsigned
  log.CloseFile();
  log.WriteValue("again");  // reopened: a new chain behind the old one
  log.CloseFile();
  const String first =
      "86B198C4 #26FA3D00\r\n"
      "D1D6F3F4 Export started\r\n"
      "4D92B518 42\r\n"
      "6D77F644 \r\n"
      "DDBC1F68 \xC3\x9Cmlaut \xC3\xBC\r\n";
  const String second =
      "B2C4074A #00000000\r\n"
      "82E2A553 again\r\n";
  String text = Read("checked.txt");
  ASSERT_EQ(text, first + second);
  EXPECT_EQ(FirstBadLine(text), 0);

  // The first byte of a line enters both the register (through the byte sum) and the first
  // step of the CRC, where some changes cancel out; the next line's state still differs, so
  // only the last line of a chain keeps that blind spot of the format.
  const size_t blind[] = {first.find("\xC3\x9Cmlaut"), first.size() + second.find("again")};
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == blind[0] || i == blind[1]) continue;
    String changed = text;
    changed[i] = static_cast<char>(changed[i] ^ 0x01);
    EXPECT_NE(FirstBadLine(changed), 0) << "byte " << i << " changed unnoticed";
  }
  String changed = text;
  changed[first.find("Export")] ^= 0x01;  // such a change inside a chain shows in the next line
  EXPECT_EQ(FirstBadLine(changed), 3);
  String lineGone = text;
  lineGone.erase(first.find("4D92B518"), 13);  // the line "42"
  EXPECT_EQ(FirstBadLine(lineGone), 3);
  String swapped = text;
  swapped.replace(first.find("4D92B518"), 24, "6D77F644 \r\n4D92B518 42\r\n");
  EXPECT_EQ(FirstBadLine(swapped), 3);
}

TEST_F(LogFileTest, ChecksumsCoverTimeStampsAndLateSwitching) {
  TLogFile log(nullptr);
  log.SetDirectory(fdTemporary);
  log.SetFileName("checked.txt");
  log.SetTimeStamp(true);
  log.SetChecksum(true);
  log.WriteValue("one");
  log.WriteTimeStamp();
  log.SetChecksum(false);
  log.SetTimeStamp(false);
  log.CloseFile();
  String checked = Read("checked.txt");
  EXPECT_EQ(FirstBadLine(checked), 0) << checked;
  String stamp(test::kStampShape);
  EXPECT_TRUE(test::HasShape(checked, "XXXXXXXX " + stamp + " #XXXXXXXX\r\nXXXXXXXX " + stamp + " one\r\nXXXXXXXX " +
                                          stamp + "\r\n"))
      << checked;

  log.SetFileName("late.txt");
  log.WriteValue("unchecked");
  log.SetChecksum(true);  // switched on while open: a chain starts at the next line
  log.WriteValue("checked");
  log.CloseFile();
  String late = Read("late.txt");
  ASSERT_TRUE(late.starts_with("unchecked\r\n"));
  EXPECT_EQ(FirstBadLine(late.substr(11)), 0) << late;
  EXPECT_EQ(std::count(late.begin(), late.end(), '#'), 1);
}

TEST_F(LogFileTest, OpeningFailuresAreSilentOnlyWhenAskedTo) {
  Write("file", "x");
  TLogFile log(nullptr);
  log.SetDirectory(fdTemporary);
  log.SetFileName("file/sub/log.txt");  // a folder that cannot be made, root or not
  EXPECT_NO_THROW(log.WriteValue("dropped"));
  EXPECT_FALSE(log.IsOpen());

  auto expectError = [&](const std::function<void()>& f, const String& message) {
    try {
      f();
      ADD_FAILURE() << message;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  };
  expectError([&] { log.CreateFile(); }, "Directory structure could not be created");
  log.SetIgnoreErrors(false);
  expectError([&] { log.WriteValue("x"); }, "Directory structure could not be created");

  ASSERT_TRUE(CreateDirRecurse(Dir + "folder"));
  log.SetFileName("folder");  // names a folder, which no file can replace
  expectError([&] { log.WriteValue("x"); }, "Error creating log file");
  log.SetFileName(String(300, 'n') + ".txt");
  expectError([&] { log.CreateFile(); }, "Error creating log file");
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(Read("file"), "x");

  log.SetFileName("good.txt");  // a failure leaves the component usable
  log.WriteValue("ok");
  EXPECT_TRUE(log.IsOpen());
}

TEST_F(LogFileTest, AnUnwritableFolderGivesTheErrorAndNoFile) {
  if (IsRoot()) GTEST_SKIP() << "root writes into every folder";
  ASSERT_TRUE(CreateDirRecurse(Dir + "closed"));
  chmod((Dir + "closed").c_str(), 0500);
  TLogFile log(nullptr);
  log.SetDirectory(fdTemporary);
  log.SetFileName("closed/log.txt");
  log.SetChecksum(true);
  try {
    log.CreateFile();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Error creating log file");
  }
  EXPECT_FALSE(Exists("closed/log.txt"));
}

TEST(LogFileClassTest, PublishedPropertiesAndTheirDefaults) {
  RegisterLogFileClasses();
  for (const char* name : {"TLogFile", "TKeepDirectory"}) {
    TClass cls = FindClass(name);
    ASSERT_NE(cls, nullptr) << name;
    test::TInstance inst = test::Make(cls);
    for (PPropInfo p : cls->Props()) test::CheckProperty(inst.Obj, p);
  }
  TComponent owner(nullptr);
  auto* log = static_cast<TLogFile*>(CreateComponent(FindClass("TLogFile"), &owner));
  EXPECT_EQ(GetEnumProp(log, "Directory"), "fdApplication");
  EXPECT_EQ(GetEnumProp(log, "Mode"), "fmOpenFile");
  EXPECT_EQ(GetOrdProp(log, "Enabled"), 1);
  EXPECT_EQ(GetOrdProp(log, "IgnoreErrors"), 1);
  EXPECT_EQ(GetOrdProp(log, "TimeStamp"), 0);
  EXPECT_EQ(log->ClassType()->FindProp("Checksum"), nullptr);  // a run-time switch only
  SetEnumProp(log, "Directory", "fdTemporary");
  EXPECT_EQ(log->GetDirectory(), fdTemporary);
}

}  // namespace
}  // namespace xel
