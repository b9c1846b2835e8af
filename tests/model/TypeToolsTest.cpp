#include <gtest/gtest.h>

#include <cstring>

#include "ConvertTools.h"
#include "ModelFixtures.h"
#include "TypeTools.h"

namespace xel::test {
namespace {

TEST(TypeToolsTest, EnumerationsAndSetsAsText) {
  PTypeInfo mood = TypeInfo<TMood>(), moods = TypeInfo<TMoods>();
  EXPECT_EQ(EnumToStr(mood, mdBusy), "mdBusy");
  EXPECT_EQ(StrToEnum(mood, "MDGONE"), mdGone);
  EXPECT_EQ(EnumToStr(TypeInfo<bool>(), 1), "True");
  EXPECT_EQ(SetToStr(moods, 0b101), "[mdCalm,mdGone]");
  EXPECT_EQ(SetToStr(moods, 0), "[]");
  EXPECT_EQ(StrToSet(moods, "  [mdCalm,mdGone] "), 0b101u);
  EXPECT_EQ(StrToSet(moods, "[]"), 0u);
  EXPECT_EQ(EnumTypeDecl(mood), "mdCalm,mdBusy,mdGone");
  EXPECT_EQ(SetTypeDecl(moods), "mdCalm,mdBusy,mdGone");
  struct Case {
    std::function<void()> call;
    const char* message;
  };
  const Case cases[] = {
      {[&] { EnumToStr(TypeInfo<Integer>(), 0); }, "EnumToStr failed. Not an enumeration"},
      {[&] { EnumToStr(mood, 3); }, "EnumToStr failed. Invalid ordinal value"},
      {[&] { StrToEnum(moods, "x"); }, "StrToEnum failed. Not an enumeration"},
      {[&] { StrToEnum(mood, "mdHappy"); }, "StrToEnum failed. String value not found in enumeration type"},
      // The blanks are part of the member.
      {[&] { StrToSet(moods, "[ mdCalm ]"); }, "StrToEnum failed. String value not found in enumeration type"},
      {[&] { StrToSet(moods, "mdCalm]"); }, "StrToSet failed. Set text must begin with ["},
      {[&] { StrToSet(moods, "[mdCalm"); }, "StrToSet failed. Empty member or unexpected end of set text"},
      {[&] { StrToSet(moods, "[mdCalm,]"); }, "StrToSet failed. Empty member or unexpected end of set text"},
      {[&] { StrToSet(moods, "[mdCalm]x"); }, "StrToSet failed. Missing ] or misplaced separator"},
      {[&] { StrToSet(mood, "[]"); }, "StrToSet failed. Not a set"},
      {[&] { SetToStr(mood, 1); }, "SetToStr failed. Not a set"},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageOf(c.call), c.message);
}

std::vector<Byte> Le32(std::uint32_t v) {
  return {static_cast<Byte>(v), static_cast<Byte>(v >> 8), static_cast<Byte>(v >> 16), static_cast<Byte>(v >> 24)};
}

std::vector<Byte> Cat(std::vector<Byte> a, const std::vector<Byte>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ConvertToolsTest, ValueBuffersAreByteExact) {
  struct Case {
    Variant value;
    std::vector<Byte> bytes;
    TVarType readBack;
  };
  double d = 2.5;
  std::vector<Byte> dbl(8);
  std::memcpy(dbl.data(), &d, 8);
  float f = 1.5f;
  std::vector<Byte> sgl(4);
  std::memcpy(sgl.data(), &f, 4);
  const Case cases[] = {
      {Variant(), Le32(0), varEmpty},
      {Variant::Null(), Le32(1), varNull},
      {Variant(SmallInt(-2)), Cat(Le32(2), {0xFE, 0xFF}), varInteger},
      {Variant(Integer(0x01020304)), Cat(Le32(3), {4, 3, 2, 1}), varInteger},
      {Variant(1.5f), Cat(Le32(4), sgl), varDouble},
      {Variant(2.5), Cat(Le32(5), dbl), varDouble},
      {Variant(Currency::FromScaled(10000)), Cat(Le32(6), {0x10, 0x27, 0, 0, 0, 0, 0, 0}), varCurrency},
      {Variant(TDateTime(2.5)), Cat(Le32(7), dbl), varDate},
      {Variant(WideString(u"Ab")), Cat(Le32(8), {'A', 'b'}), varString},
      {Variant(true), Cat(Le32(11), {1}), varBoolean},
      {Variant(Byte(200)), Cat(Le32(17), {200}), varInteger},
      {Variant("Hi"), Cat(Le32(256), {'H', 'i'}), varString},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(VarTypeName(c.value.VarType()));
    EXPECT_EQ(VariantToBuffer(c.value), c.bytes);
    Variant back = BufferToVariant(c.bytes);
    EXPECT_EQ(back.VarType(), c.readBack);
    if (!c.value.IsNull()) {
      EXPECT_EQ(back, c.value);
    }
  }
  EXPECT_TRUE(BufferToVariant(Cat(Le32(11), {7})).AsBoolean());  // any non-zero is true
}

TEST(ConvertToolsTest, TheSlotBlockOfANamedStringWithTwoLanguages) {
  // Count 2: one stored slot, a 42-character English sentence as a byte string.
  String sentence = "The quick brown fox jumps over a lazy dog.";
  ASSERT_EQ(sentence.size(), 42u);
  std::vector<Byte> buffer = VariantToBuffer(Variant(sentence));
  std::vector<Byte> block = Cat(Le32(static_cast<std::uint32_t>(buffer.size())), buffer);
  ASSERT_EQ(block.size(), 50u);
  EXPECT_EQ(std::vector<Byte>(block.begin(), block.begin() + 8),
            (std::vector<Byte>{0x2E, 0, 0, 0, 0x00, 0x01, 0, 0}));
  EXPECT_EQ(String(block.begin() + 8, block.end()), sentence);
}

TEST(ConvertToolsTest, BadBuffersAndUnsupportedTypes) {
  EXPECT_EQ(MessageOf([] { VariantToBuffer(Variant::Error(5)); }), "Variant type not supported");
  EXPECT_EQ(MessageOf([] { BufferToVariant(std::vector<Byte>{3, 0, 0}); }), "Invalid buffer size");
  EXPECT_EQ(MessageOf([] { BufferToVariant(Cat(Le32(3), {1, 2})); }), "Invalid buffer");
  EXPECT_EQ(MessageOf([] { BufferToVariant(Cat(Le32(11), {})); }), "Invalid buffer");
  EXPECT_EQ(MessageOf([] { BufferToVariant(Le32(9)); }), "Invalid buffer entry");
}

TEST(ConvertToolsTest, NumberTexts) {
  EXPECT_EQ(IntToString(7, 3), "007");
  EXPECT_EQ(IntToString(1234, 2), "1234");
  EXPECT_EQ(IntToString(-5, 3), "-05");
  EXPECT_EQ(IntToSys(255, 2), "11111111");
  EXPECT_EQ(IntToSys(35, 36), "Z");
  EXPECT_EQ(SysToInt("zz", 36), 35u * 36 + 35);
  EXPECT_THROW(SysToInt("12", 2), EConvertError);
  EXPECT_EQ(HexToInt("00007F0012345678h"), 0x7F0012345678u);
  EXPECT_EQ(BoolToStr(false), "False");
  struct Case {
    const char* text;
    Int64 value;
  };
  const Case cases[] = {{"42", 42}, {"-42", -42}, {"$1F", 31}, {"1Fh", 31}, {"0FFH", 255},
                        {"0x10", 16}, {"0X10", 16}, {" 7 ", 7}, {"-$10", -16}};
  for (const Case& c : cases) EXPECT_EQ(StringToInt(c.text), c.value) << c.text;
  for (const char* bad : {"", "h", "0x", "12a", "$", "1.5"}) EXPECT_EQ(StringToIntDef(bad, -99), -99) << bad;
  EXPECT_EQ(MessageOf([] { StringToInt("x1"); }), "'x1' is not a valid integer value");
}

}  // namespace
}  // namespace xel::test
