// The source scanner and its searches on arbitrary text. The first byte picks the code
// type and the options; the rest is the text. Besides crashes and reads outside the text
// (the library checks its string bounds in this build), it stops on a mask that differs
// from the text in length or from the blocks, and on token walks that do not advance.
#include <cstdlib>

#include "GlottaParser.h"

namespace {

using namespace xel;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Every character of a block is marked as string or comment (line breaks keep their own
// characters), and every such mark lies inside a block.
void CheckMask(const TSourceParser& p) {
  const String& text = p.Text();
  const String& mask = p.Mask();
  Require(mask.size() == text.size());
  std::vector<bool> covered(text.size());
  int previousEnd = 0;
  for (int i = 0; i < p.Blocks()->Count(); ++i) {
    const TSourceCodeBlock* b = p.Blocks()->Items(i);
    Require(b->Offset() >= previousEnd && b->Length() > 0);
    Require(static_cast<size_t>(b->Offset()) + static_cast<size_t>(b->Length()) <= text.size());
    Require(b->Column() >= 1 && b->Line() >= 0);
    char first = mask[static_cast<size_t>(b->Offset())];
    Require(b->BlockType() == btComment ? first == SourceMask::CommentFirst
                                         : (first == SourceMask::StringFirst || first == SourceMask::StringLast));
    previousEnd = b->Offset() + b->Length();
    for (int k = b->Offset(); k < previousEnd; ++k) covered[static_cast<size_t>(k)] = true;
  }
  for (size_t k = 0; k < text.size(); ++k) {
    bool lineBreak = text[k] == '\r' || text[k] == '\n';
    if (lineBreak) Require(mask[k] == text[k]);
    else Require((mask[k] != SourceMask::Code) == covered[k]);
  }
}

void WalkTokens(const TSourceParser& p, int from, int to) {
  String token;
  int pos, next, offset = from;
  const int size = static_cast<int>(p.Text().size());
  for (int steps = 0; steps <= size + 1; ++steps) {
    if (!p.FindNextToken(offset, to, token, pos, next)) return;
    Require(!token.empty() && pos >= 0 && pos + static_cast<int>(token.size()) <= size);
    Require(p.Text().compare(static_cast<size_t>(pos), token.size(), token) == 0);
    if (next < 0) return;
    Require(next >= 0 && next < size);
    offset = next;
  }
  std::abort();  // a walk that never ends
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t options = data[0];
  const String text(reinterpret_cast<const char*>(data + 1), size - 1);
  const int n = static_cast<int>(text.size());

  TSourceParser p(text);
  p.ParseLines(options & 1 ? ctC : ctPascal);
  CheckMask(p);
  p.SetStringTokens(options & 2);

  // Offsets from the text's own bytes, some of them negative or beyond the end.
  const int a = n > 0 ? static_cast<unsigned char>(text[0]) % (n + 2) - 1 : -1;
  const int b = n > 1 ? static_cast<unsigned char>(text[n - 1]) * 7 % (n + 2) - 1 : 0;
  WalkTokens(p, 0, -1);
  WalkTokens(p, -1, 0);
  WalkTokens(p, a, b);
  WalkTokens(p, b, a);

  int found, next;
  const String symbol = text.substr(static_cast<size_t>(std::max(a, 0)), 3);
  TFindSymbolOptions symbolOptions = TFindSymbolOptions::FromBits(options >> 3);
  if (p.FindSymbol(a, b, symbol, found, next, symbolOptions)) Require(found >= 0 && found + symbol.size() <= text.size());
  if (p.FindSymbol(b, a, symbol, found, next, symbolOptions)) Require(found >= 0 && found + symbol.size() <= text.size());
  p.FindTokenSequence(a, b, {"end", "."}, found, next, {});

  bool hasMain;
  int mainOffset;
  if (p.Pas_HasUnitMainProgram(hasMain, mainOffset) && hasMain) Require(mainOffset > 0 && mainOffset <= n);
  bool already;
  p.Pas_UseUnit("Fuzz", options & 4, already);
  // The text changed under the old mask: searches must still stay inside it.
  WalkTokens(p, 0, -1);
  p.FindSymbol(-1, 0, "uses", found, next, {});

  TGlottaParser check(nullptr, nullptr, text);
  if (check.Check(false))
    for (int i = 0; i < check.UsedNames()->Count(); ++i) {
      int offset = TGlottaParser::OffsetOf(check.UsedNames()->Objects(i));
      Require(offset >= 0 && offset < n && text[static_cast<size_t>(offset)] == '\'');
    }
  return 0;
}
