#include "SourceParser.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "StringTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /design/SourceParser.cpp 1 10.12.26 9:20 XG $")

namespace xel {

namespace {

enum TCharClass : unsigned char { ccOther, ccDigit, ccLetter };

constexpr std::array<unsigned char, 256> kCharClass = [] {
  std::array<unsigned char, 256> t{};
  for (int c = '0'; c <= '9'; ++c) t[c] = ccDigit;
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = ccLetter;
  for (int c = 'a'; c <= 'z'; ++c) t[c] = ccLetter;
  t['_'] = ccLetter;
  return t;
}();

TCharClass ClassOf(char c) { return static_cast<TCharClass>(kCharClass[static_cast<unsigned char>(c)]); }
bool IsIdentChar(char c) { return ClassOf(c) != ccOther; }
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Positions a token search passes over: whitespace, and everything inside strings and
// comments. The quotes of a string stay visible as one-character tokens.
bool SkippedByTokens(char text, char mask) {
  using namespace SourceMask;
  return IsBlankOrControl(text) || mask == StringInside || mask == CommentInside || mask == StringContinued ||
         mask == CommentFirst || mask == CommentLast;
}

bool InCode(char mask) { return mask == SourceMask::Code || mask == '\r' || mask == '\n'; }

bool SameChars(const char* a, const char* b, size_t n, bool caseSensitive) {
  if (caseSensitive) return std::memcmp(a, b, n) == 0;
  for (size_t i = 0; i < n; ++i)
    if (UpCase(a[i]) != UpCase(b[i])) return false;
  return true;
}

bool SameToken(const String& a, const String& b, TFindSymbolOptions options) {
  return options.Contains(fsCaseSensitive) ? a == b : SameText(a, b);
}

// One pass over the text: a state per kind of place, each with a loop that runs over the
// characters that cannot end it. Offsets count the line breaks as they stand (CR LF, LF
// or CR), so blocks and mask match the text whatever its line breaks.
class TScanner {
public:
  TScanner(TSourceParser* parser, const String& text, String& mask, TSourceCodeBlocks* blocks, bool pascal)
      : FParser(parser),
        FText(text.data()),
        FMask(mask.data()),
        FCount(static_cast<int>(text.size())),
        FBlocks(blocks),
        FPascal(pascal),
        FOpener(pascal ? '(' : '/'),
        FCloser(pascal ? ')' : '/'),
        FQuote2(pascal ? '\'' : '"') {
    for (char c : {'\'', FQuote2, '/', FOpener, '\r', '\n'}) FCodeStops[static_cast<unsigned char>(c)] = true;
    if (pascal) FCodeStops['{'] = true;
  }

  void Run() {
    // A quote as the last character still opens (and at once ends) a string.
    while (FPos < FCount || FState == sString) {
      switch (FState) {
        case sCode: ScanCode(); break;
        case sString: FPascal ? ScanPascalString() : ScanCString(); break;
        case sBlockComment:
        case sBraceComment: ScanComment(); break;
      }
    }
    // A comment still open at the end of the text ends there; strings end with their line.
    if (FState == sBlockComment || FState == sBraceComment) Record(btComment, FCount);
  }

private:
  enum TState { sCode, sString, sBlockComment, sBraceComment };

  void LineBreak() {
    int len = FText[FPos] == '\r' && FPos + 1 < FCount && FText[FPos + 1] == '\n' ? 2 : 1;
    std::memcpy(FMask + FPos, FText + FPos, static_cast<size_t>(len));
    FPos += len;
    ++FLine;
    FLineStart = FPos;
  }
  bool AtLineEnd() const { return FPos >= FCount || IsLineBreak(FText[FPos]); }

  void Open(int offset, TState state) {
    FOpenOffset = offset;
    FOpenColumn = offset - FLineStart + 1;
    FOpenLine = FLine;
    FState = state;
  }
  // Ends the open block before offset end.
  void Record(TBlockType type, int end) {
    int length = end - FOpenOffset;
    if (FOpenOffset < 0 || length <= 0 || FOpenColumn < 1 || FOpenLine < 0)
      throw ESourceParserError("Internal parse engine error: Invalid block information");
    FBlocks->Add(new TSourceCodeBlock(FParser, type, length, FOpenOffset, FOpenColumn, FOpenLine));
    FOpenOffset = FOpenColumn = FOpenLine = -1;
    FState = sCode;
  }

  void ScanCode() {
    while (FPos < FCount && !FCodeStops[static_cast<unsigned char>(FText[FPos])]) ++FPos;
    if (FPos >= FCount) return;
    char ch = FText[FPos];
    char next = FPos + 1 < FCount ? FText[FPos + 1] : '\0';
    if (IsLineBreak(ch)) {
      LineBreak();
    } else if (ch == '\'' || ch == FQuote2) {
      FQuote = ch;
      FMask[FPos] = SourceMask::StringFirst;
      Open(FPos++, sString);
    } else if (ch == '/' && next == '/') {
      int end = FPos + 2;
      while (end < FCount && !IsLineBreak(FText[end])) ++end;
      std::memset(FMask + FPos, SourceMask::CommentInside, static_cast<size_t>(end - FPos));
      FMask[FPos] = SourceMask::CommentFirst;
      FMask[end - 1] = SourceMask::CommentLast;
      Open(FPos, sCode);
      Record(btComment, end);
      FPos = end;
    } else if (ch == FOpener && next == '*') {
      FMask[FPos] = SourceMask::CommentFirst;
      FMask[FPos + 1] = SourceMask::CommentInside;
      Open(FPos, sBlockComment);
      FPos += 2;
    } else if (ch == '{' && FPascal) {
      FMask[FPos] = SourceMask::CommentFirst;
      Open(FPos++, sBraceComment);
    } else {
      ++FPos;
    }
  }

  // A Pascal string ends at the quote that is not doubled, or at the end of its line.
  void ScanPascalString() {
    for (;;) {
      while (FPos < FCount && FText[FPos] != FQuote && !IsLineBreak(FText[FPos]))
        FMask[FPos++] = SourceMask::StringInside;
      if (AtLineEnd()) {
        FMask[FPos - 1] = SourceMask::StringLast;  // the opening quote stands on this line
        Record(btString, FPos);
        return;
      }
      if (FPos + 1 < FCount && FText[FPos + 1] == FQuote) {
        FMask[FPos] = FMask[FPos + 1] = SourceMask::StringInside;
        FPos += 2;
        continue;
      }
      FMask[FPos++] = SourceMask::StringLast;
      Record(btString, FPos);
      return;
    }
  }

  // A C string or character literal: a backslash escapes the next character, and before
  // a line break it carries the literal over to the next line.
  void ScanCString() {
    for (;;) {
      while (FPos < FCount && FText[FPos] != FQuote && FText[FPos] != '\\' && !IsLineBreak(FText[FPos]))
        FMask[FPos++] = SourceMask::StringInside;
      if (AtLineEnd()) {
        // An empty line after a continuation has no character to mark.
        if (FPos > FLineStart) FMask[FPos - 1] = SourceMask::StringLast;
        Record(btString, FPos);
        return;
      }
      if (FText[FPos] == FQuote) {
        FMask[FPos++] = SourceMask::StringLast;
        Record(btString, FPos);
        return;
      }
      FMask[FPos++] = SourceMask::StringInside;
      if (AtLineEnd()) {
        FMask[FPos - 1] = SourceMask::StringContinued;
        if (FPos >= FCount) {
          Record(btString, FPos);
          return;
        }
        LineBreak();
      } else {
        FMask[FPos++] = SourceMask::StringInside;
      }
    }
  }

  // A block comment ends at a star followed by the closer, a brace comment at "}"; both
  // run over line breaks.
  void ScanComment() {
    const bool brace = FState == sBraceComment;
    const char stop = brace ? '}' : '*';
    for (;;) {
      while (FPos < FCount && FText[FPos] != stop && !IsLineBreak(FText[FPos]))
        FMask[FPos++] = SourceMask::CommentInside;
      if (FPos >= FCount) return;
      if (IsLineBreak(FText[FPos])) {
        LineBreak();
      } else if (brace) {
        FMask[FPos++] = SourceMask::CommentLast;
        Record(btComment, FPos);
        return;
      } else {
        FMask[FPos++] = SourceMask::CommentInside;
        if (FPos < FCount && FText[FPos] == FCloser) {
          FMask[FPos++] = SourceMask::CommentLast;
          Record(btComment, FPos);
          return;
        }
      }
    }
  }

  TSourceParser* FParser;
  const char* FText;
  char* FMask;
  const int FCount;
  TSourceCodeBlocks* FBlocks;
  const bool FPascal;
  const char FOpener, FCloser, FQuote2;
  char FQuote = '\'';
  std::array<bool, 256> FCodeStops{};
  TState FState = sCode;
  int FPos = 0, FLine = 0, FLineStart = 0;
  int FOpenOffset = -1, FOpenColumn = -1, FOpenLine = -1;
};

TCodeType DetectCodeType(const String& text) {
  size_t start = 0;
  while (start < text.size() && IsBlankOrControl(text[start])) ++start;
  String head = UpperCase(std::string_view(text).substr(start, 7));
  auto starts = [&](std::string_view prefix) { return head.compare(0, prefix.size(), prefix) == 0; };
  if (starts("UNIT") || starts("PROGRAM")) return ctPascal;
  if (starts("#") || starts("INT") || starts("VOID")) return ctC;
  return ctUnknown;
}

}  // namespace

String TSourceCodeBlock::BlockText() const { return Copy(FParser->Text(), FOffset + 1, FLength); }

TSourceParser::TSourceParser(const String& text)
    : FCodeType(DetectCodeType(text)), FText(text), FBlocks(new TSourceCodeBlocks()) {}

TSourceParser::~TSourceParser() { delete FBlocks; }

void TSourceParser::InvalidateStatus() {
  FBlocks->Clear();
  FCodeType = ctUnknown;
  FMask.clear();
}

void TSourceParser::ParseLines(TCodeType codeType) {
  if (codeType == ctAutoDetect) codeType = FCodeType;
  if (codeType != ctPascal && codeType != ctC)
    throw ESourceParserError(ClassName() + ".ParseLines: Invalid CodeType");
  // What the text was scanned as is what its blocks and mask mean from now on.
  FCodeType = codeType;
  // Blocks of an earlier scan would stand out of order before the new ones.
  FBlocks->Clear();
  FMask.assign(FText.size(), SourceMask::Code);
  TScanner(this, FText, FMask, FBlocks, codeType == ctPascal).Run();
}

int TSourceParser::FirstBlockFrom(int offset) const {
  int lo = 0, hi = FBlocks->Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (FBlocks->Items(mid)->Offset() < offset)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

bool TSourceParser::GetBlockIndex(TBlockType blockType, int offset, int& index) const {
  index = -1;
  int i = FirstBlockFrom(offset);
  if (i >= FBlocks->Count()) return false;
  const TSourceCodeBlock* block = FBlocks->Items(i);
  if (block->Offset() != offset || block->BlockType() != blockType) return false;
  index = i;
  return true;
}

void TSourceParser::ReplaceBlockText(int index, const String& newText) { ReplaceBlockTextEx(index, newText, FText); }

void TSourceParser::ReplaceBlockTextEx(int index, const String& newText, String& s) const {
  const TSourceCodeBlock* block = FBlocks->Items(index);
  size_t offset = std::min(static_cast<size_t>(block->Offset()), s.size());
  s.replace(offset, std::min(static_cast<size_t>(block->Length()), s.size() - offset), newText);
}

int TSourceParser::GetNextOffset(int a, int b, int offset) {
  if (a > b) std::swap(a, b);
  return a <= offset && offset <= b ? offset : -1;
}

bool TSourceParser::FindSymbol(int from, int to, const String& symbol, int& foundPos, int& nextPos,
                               TFindSymbolOptions options) const {
  foundPos = nextPos = -1;
  if (symbol.empty()) return false;
  const int last = Last();
  const int len = static_cast<int>(symbol.size());
  if (from < 0) from = last;
  if (to < 0) to = last;
  const bool forward = to >= from;
  // Candidates are the starts of matches that lie wholly between the two offsets.
  int first, stop;
  if (forward) {
    first = from;
    stop = to - len + 1;
  } else {
    first = from - len + 1;
    stop = to;
  }
  if (first < 0 || stop < 0 || (first > last && stop > last)) return false;
  first = std::min(first, last);
  stop = std::min(stop, last);
  const int clipFrom = std::min(from, last), clipTo = std::min(to, last);
  const bool checkBefore = options.Contains(fsControlCharBefore) || options.Contains(fsNoIdentifierBefore);
  const bool checkAfter = options.Contains(fsControlCharAfter) || options.Contains(fsNoIdentifierAfter);
  const bool caseSensitive = options.Contains(fsCaseSensitive);
  auto boundaryOk = [&](int pos, bool controlChar) {
    if (pos < 0 || pos > last) return true;
    return controlChar ? IsBlankOrControl(FText[pos]) : !IsIdentChar(FText[pos]);
  };
  const int step = forward ? 1 : -1;
  for (int pos = first; forward ? pos <= stop : pos >= stop; pos += step) {
    if (pos + len > last + 1 || !InCode(MaskAt(pos))) continue;
    if (checkBefore && !boundaryOk(pos - 1, options.Contains(fsControlCharBefore))) continue;
    if (checkAfter && !boundaryOk(pos + len, options.Contains(fsControlCharAfter))) continue;
    if (!SameChars(FText.data() + pos, symbol.data(), symbol.size(), caseSensitive)) continue;
    foundPos = pos;
    nextPos = GetNextOffset(clipFrom, clipTo, forward ? pos + len : pos - 1);
    return true;
  }
  return false;
}

bool TSourceParser::FindNextToken(int offset, int toOffset, String& token, int& tokenPos, int& nextOffset) const {
  token.clear();
  tokenPos = nextOffset = -1;
  const int last = Last();
  if (offset < 0) offset = last;
  if (toOffset < 0) toOffset = last;
  if (offset < 0 || toOffset < 0 || (offset > last && toOffset > last)) return false;
  const int dir = toOffset >= offset ? 1 : -1;
  offset = std::min(offset, last);
  toOffset = std::min(toOffset, last);
  auto inRange = [&](int p) { return dir > 0 ? p <= toOffset : p >= toOffset; };

  int pos = offset;
  while (inRange(pos) && SkippedByTokens(FText[pos], MaskAt(pos))) pos += dir;
  if (!inRange(pos)) return false;

  int start, end;  // the token in text order, end exclusive
  const char ch = FText[pos];
  if (ClassOf(ch) == ccOther) {
    start = pos;
    end = pos + 1;
    int index;
    const char mask = MaskAt(pos);
    if (FStringTokens && dir > 0 && mask == SourceMask::StringFirst && GetBlockIndex(btString, pos, index)) {
      end = pos + FBlocks->Items(index)->Length();
    } else if (FStringTokens && dir < 0 && mask == SourceMask::StringLast) {
      // Read backwards, the closing quote stands for the string that ends there.
      int before = FirstBlockFrom(pos + 1) - 1;
      if (before >= 0) {
        const TSourceCodeBlock* b = FBlocks->Items(before);
        if (b->BlockType() == btString && b->Offset() + b->Length() - 1 == pos) start = b->Offset();
      }
    }
  } else if (dir > 0) {
    start = pos;
    end = pos + 1;
    const bool digits = ClassOf(ch) == ccDigit;
    while (end <= toOffset && InCode(MaskAt(end))) {
      TCharClass c = ClassOf(FText[end]);
      if (c == ccOther || (digits && c != ccDigit)) break;
      ++end;
    }
  } else {
    end = pos + 1;
    start = pos;
    while (start - 1 >= toOffset && InCode(MaskAt(start - 1)) && IsIdentChar(FText[start - 1])) --start;
    // A word read backwards keeps its letters after the last digit when it begins with a
    // digit ("123abc" gives "abc").
    if (ClassOf(FText[end - 1]) == ccLetter && ClassOf(FText[start]) == ccDigit) {
      int cut = end - 1;
      while (ClassOf(FText[cut - 1]) != ccDigit) --cut;
      start = cut;
    }
  }
  tokenPos = start;
  token.assign(FText, static_cast<size_t>(start), static_cast<size_t>(end - start));
  int next = dir > 0 ? (end > last ? -1 : end) : start - 1;
  nextOffset = GetNextOffset(offset, toOffset, next);
  return true;
}

bool TSourceParser::FindToken(int from, int to, const String& token, int& foundPos, int& nextPos,
                              TFindSymbolOptions options) const {
  foundPos = nextPos = -1;
  String t;
  int pos, next;
  int offset = from;
  while (FindNextToken(offset, to, t, pos, next)) {
    if (SameToken(t, token, options)) {
      foundPos = pos;
      nextPos = next;
      return true;
    }
    if (next < 0) break;
    offset = next;
  }
  return false;
}

bool TSourceParser::FindTokenSequence(int from, int to, const std::vector<String>& tokens, int& foundPos,
                                      int& nextPos, TFindSymbolOptions options) const {
  foundPos = nextPos = -1;
  if (tokens.size() < 2) return false;
  int offset = from;
  String t;
  int first, next;
  while (FindToken(offset, to, tokens[0], first, next, options)) {
    int pos, after = next;
    size_t matched = 1;
    while (matched < tokens.size() && after >= 0 && FindNextToken(after, to, t, pos, after) &&
           SameToken(t, tokens[matched], options))
      ++matched;
    if (matched == tokens.size()) {
      foundPos = first;
      nextPos = after;
      return true;
    }
    if (next < 0) break;
    offset = next;
  }
  return false;
}

bool TSourceParser::Pas_IsBeginToken(const String& prevToken, const String& token, int offset, int toOffset,
                                     bool& isBegin) const {
  isBegin = false;
  // A quick test before the list: its words have 3 to 9 letters ("interface").
  if (token.size() < 3 || token.size() > 9) return true;
  static const char* const kOpeners[] = {"begin", "asm", "try", "case", "record", "object", "class", "interface"};
  if (std::none_of(std::begin(kOpeners), std::end(kOpeners), [&](const char* o) { return SameText(token, o); }))
    return true;
  if (SameText(token, "object") && SameText(prevToken, "of")) return true;
  if (SameText(token, "class") || SameText(token, "interface")) {
    if (prevToken != "=") return true;
    return Pas_CheckClassOrInterfaceToken(offset, toOffset, isBegin);
  }
  isBegin = true;
  return true;
}

bool TSourceParser::Pas_CheckClassOrInterfaceToken(int offset, int toOffset, bool& isBlock) const {
  isBlock = false;
  String t;
  int pos, next;
  if (offset < 0 || !FindNextToken(offset, toOffset, t, pos, next)) return false;
  if (t == "(") {
    if (next < 0 || !FindToken(next, toOffset, ")", pos, next, {})) return false;
    if (next < 0 || !FindNextToken(next, toOffset, t, pos, next)) return false;
    isBlock = t != ";";
    return true;
  }
  isBlock = t != ";" && !SameText(t, "of");
  return true;
}

bool TSourceParser::Pas_HasUnitMainProgram(bool& hasMain, int& mainOffset) const {
  hasMain = false;
  mainOffset = -1;
  int finalEnd, next;
  if (!FindModuleEnd(finalEnd)) return false;
  const int to = finalEnd - 1;
  // Kinds of the open blocks: the "case" of a variant record has no "end" of its own.
  std::vector<bool> recordLike;
  int depth = 0;
  String prev, t;
  int pos, offset = 0;
  while (to >= 0 && offset >= 0 && FindNextToken(offset, to, t, pos, next)) {
    if (SameText(t, "end")) {
      --depth;
      if (!recordLike.empty()) recordLike.pop_back();
    } else {
      bool isBegin;
      if (!Pas_IsBeginToken(prev, t, next, to, isBegin)) return false;
      if (isBegin && SameText(t, "case") && !recordLike.empty() && recordLike.back()) isBegin = false;
      if (isBegin) {
        if (depth == 0) mainOffset = pos + static_cast<int>(t.size());
        ++depth;
        recordLike.push_back(SameText(t, "record") || SameText(t, "object") || SameText(t, "class"));
      }
    }
    prev = std::move(t);
    offset = next;
  }
  if (depth < 0 || depth > 1) {
    mainOffset = -1;
    return false;
  }
  hasMain = depth == 1;
  if (!hasMain) mainOffset = -1;
  return true;
}

// Whether a uses clause from offset up to its ";" names unitName. An entry's name is
// everything before "in", "," or ";", so that a dotted name counts as one.
bool TSourceParser::UsesClauseNames(int offset, int toOffset, const String& unitName) const {
  String t, name;
  int pos, next;
  bool inName = true;
  while (offset >= 0 && FindNextToken(offset, toOffset, t, pos, next)) {
    if (t == "," || t == ";") {
      if (SameText(name, unitName)) return true;
      if (t == ";") return false;
      name.clear();
      inName = true;
    } else if (inName && SameText(t, "in")) {
      inName = false;
    } else if (inName) {
      name += t;
    }
    offset = next;
  }
  return false;
}

bool TSourceParser::FindModuleEnd(int& endPos) const {
  int next;
  return FindTokenSequence(0, -1, {"end", "."}, endPos, next, {});
}

bool TSourceParser::Pas_UseUnit(const String& unitName, bool inInterface, bool& alreadyUsed) {
  alreadyUsed = false;
  int moduleEnd, pos, next;
  if (!FindModuleEnd(moduleEnd)) return false;

  int interfacePos = -1, interfaceEnd = -1;
  FindSymbol(0, moduleEnd, "interface", interfacePos, interfaceEnd, {fsControlCharBefore, fsControlCharAfter});
  const bool isUnit = interfacePos >= 0;
  int headerEnd = 0;
  bool headerValid = true;
  if (!isUnit) {
    // A library has the header of a program ("library" is also a hint directive, so only
    // as the first word).
    int keyPos = -1, keyNext = -1;
    String first;
    if (!FindToken(0, moduleEnd, "program", keyPos, keyNext, {}) &&
        !(FindNextToken(0, moduleEnd, first, keyPos, keyNext) && SameText(first, "library")))
      keyPos = -1;
    if (keyPos >= 0) {
      String name, semicolon;
      int namePos, afterName, semicolonPos, afterSemicolon = -1;
      headerValid = keyNext >= 0 && FindNextToken(keyNext, moduleEnd, name, namePos, afterName) &&
                    IsIdentChar(name[0]) && afterName >= 0 &&
                    FindNextToken(afterName, moduleEnd, semicolon, semicolonPos, afterSemicolon) &&
                    semicolon == ";";
      headerEnd = headerValid ? semicolonPos + 1 : -1;
    }
  }
  int implementationPos = -1, implementationEnd = -1;
  FindToken(0, moduleEnd, "implementation", implementationPos, implementationEnd, {});
  if ((implementationPos >= 0) != isUnit) return false;
  if (isUnit && interfacePos >= implementationPos) return false;
  if (!isUnit && !headerValid) return false;

  int clauseEnd = -1;  // the offset after the "uses" to extend
  int offset = 0;
  while (offset >= 0 && FindToken(offset, moduleEnd, "uses", pos, next, {})) {
    bool wanted = !isUnit || (inInterface ? pos < implementationPos : pos > implementationPos);
    if (wanted && clauseEnd < 0) clauseEnd = next;
    if (UsesClauseNames(next, moduleEnd, unitName)) {
      alreadyUsed = true;
      return true;
    }
    offset = next;
  }
  if (clauseEnd >= 0) {
    TrimInsert("\r\n  " + unitName + ", ", FText, clauseEnd + 1);
  } else {
    int at = !isUnit ? headerEnd : inInterface ? interfaceEnd : implementationEnd;
    TrimInsert("\r\n\r\nuses\r\n  " + unitName + ";\r\n\r\n", FText, at + 1);
  }
  return true;
}

String PascalStringToString(const String& s) { return StringReplace(s, "''", "'", rfReplaceAll); }

String StringToPascalString(const String& s) { return StringReplace(s, "'", "''", rfReplaceAll); }

}  // namespace xel
