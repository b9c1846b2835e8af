#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "Classes.h"
#include "Platform.h"

namespace xel {
namespace {

TEST(StreamsTest, MemoryAndStringStreams) {
  TMemoryStream m;
  m.WriteBuffer("hello world", 11);
  EXPECT_EQ(m.Size(), 11);
  EXPECT_EQ(m.Position(), 11);
  m.SetPosition(6);
  char buf[5];
  m.ReadBuffer(buf, 5);
  EXPECT_EQ(String(buf, 5), "world");
  EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
  m.SetPosition(20);  // beyond the end: the next write fills the gap
  m.WriteBuffer("!", 1);
  EXPECT_EQ(m.Size(), 21);
  EXPECT_EQ(m.Memory()[15], 0);
  m.SetSize(5);
  EXPECT_EQ(m.Position(), 5);
  TStringStream s("abc");
  TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(&s, 0), 3);
  EXPECT_EQ(String(reinterpret_cast<const char*>(copy.Memory()), 3), "abc");
  s.SetPosition(1);
  EXPECT_EQ(s.ReadString(10), "bc");
  EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
}

class FileStreamTest : public ::testing::Test {
protected:
  String Path = GetTempFileName("", "xel_stream_");
  void TearDown() override { DeleteFile(Path); }
};

TEST_F(FileStreamTest, ReadsWritesAndResizes) {
  {
    TFileStream f(Path, fmCreate);
    f.WriteBuffer("0123456789", 10);
    f.SetSize(4);
  }
  TFileStream f(Path, fmOpenRead);
  EXPECT_EQ(f.Size(), 4);
  char buf[4];
  f.ReadBuffer(buf, 4);
  EXPECT_EQ(String(buf, 4), "0123");
  EXPECT_THROW(TFileStream(Path + ".missing", fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream("/nonexistent-dir/x", fmCreate), EFCreateError);
}

TEST_F(FileStreamTest, ShareModesAreKeptBetweenStreams) {
  { TFileStream(Path, fmCreate).WriteBuffer("data", 4); }
  struct Case {
    Word held;
    Word wanted;
    bool opens;
  };
  const Case cases[] = {
      {fmOpenRead | fmShareDenyNone, fmOpenRead | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
      {fmOpenWrite | fmShareDenyNone, fmOpenRead | fmShareExclusive, false},
      {fmOpenWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},
      {fmOpenWrite | fmShareDenyNone, fmOpenRead | fmShareDenyNone, true},
      {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyRead, fmOpenWrite | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyRead, fmOpenRead | fmShareDenyNone, false},
  };
  for (const Case& c : cases) {
    TFileStream held(Path, c.held);
    bool opened = true;
    try {
      TFileStream second(Path, c.wanted);
    } catch (const EFOpenError&) {
      opened = false;
    }
    EXPECT_EQ(opened, c.opens) << std::hex << c.held << " then " << c.wanted;
  }
  TFileStream free(Path, fmOpenRead | fmShareExclusive);  // all closed: exclusive works again
}

TEST_F(FileStreamTest, AnotherProcessHoldingTheFileBlocksAnExclusiveOpen) {
  { TFileStream(Path, fmCreate).WriteBuffer("data", 4); }
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  pid_t child = fork();
  if (child == 0) {
    TFileStream writer(Path, fmOpenWrite | fmShareDenyNone);
    char c = 'r';
    (void)!write(ready[1], &c, 1);
    (void)!read(done[0], &c, 1);
    _exit(0);
  }
  char c;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  EXPECT_THROW(TFileStream(Path, fmOpenRead | fmShareExclusive), EFOpenError);
  EXPECT_NO_THROW(TFileStream(Path, fmOpenRead | fmShareDenyNone));
  // A refused fmCreate must not have emptied the file.
  EXPECT_THROW(TFileStream(Path, fmCreate), EFCreateError);
  EXPECT_EQ(TFileStream(Path, fmOpenRead).Size(), 4);
  (void)!write(done[1], "x", 1);
  int status;
  waitpid(child, &status, 0);
  EXPECT_NO_THROW(TFileStream(Path, fmOpenRead | fmShareExclusive));
}

}  // namespace
}  // namespace xel
