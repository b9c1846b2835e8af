// A scanner for source text held in memory (Object Pascal, and C to a lesser degree). It
// builds no syntax tree: it marks every character as code, string or comment in a mask of
// the text's length, lists the strings and comments as blocks, searches the code while
// seeing past strings and comments, and makes a few Pascal-specific changes.
#pragma once

#include <vector>

#include "ClassList.h"

namespace xel {

XEL_ENUM(TCodeType, ctAutoDetect, ctPascal, ctC, ctUnknown)
XEL_ENUM(TBlockType, btString, btComment)
XEL_ENUM(TFindSymbolOption, fsCaseSensitive, fsControlCharBefore, fsControlCharAfter, fsNoIdentifierBefore,
         fsNoIdentifierAfter)
XEL_SET(TFindSymbolOptions, TFindSymbolOption)

XEL_EXCEPTION(ESourceParserError, Exception);

// The characters of the mask; a line break of the text keeps its own characters there.
namespace SourceMask {
inline constexpr char Code = ' ';
inline constexpr char StringFirst = '[';
inline constexpr char StringInside = 's';
inline constexpr char StringLast = ']';
inline constexpr char StringContinued = '\\';  // C: the backslash before a line break
inline constexpr char CommentFirst = '{';
inline constexpr char CommentInside = 'c';
inline constexpr char CommentLast = '}';
}  // namespace SourceMask

class TSourceParser;

// A string literal or comment; Offset and Line are 0-based, Column 1-based. Length counts
// the delimiters and, for blocks over several lines, the line breaks.
class TSourceCodeBlock : public TObject {
  XEL_CLASS(TSourceCodeBlock, TObject)
public:
  TSourceCodeBlock(TSourceParser* parser, TBlockType type, int length, int offset, int column, int line)
      : FParser(parser), FBlockType(type), FLength(length), FOffset(offset), FColumn(column), FLine(line) {}
  TSourceParser* Parser() const { return FParser; }
  TBlockType BlockType() const { return FBlockType; }
  int Length() const { return FLength; }
  int Offset() const { return FOffset; }
  int Column() const { return FColumn; }
  int Line() const { return FLine; }
  String BlockText() const;

private:
  TSourceParser* FParser;
  TBlockType FBlockType;
  int FLength, FOffset, FColumn, FLine;
};

// Owns its blocks; they stand in text order.
class TSourceCodeBlocks : public TClassList {
  XEL_CLASS(TSourceCodeBlocks, TClassList)
public:
  TSourceCodeBlocks() : TClassList(true) {}
  TSourceCodeBlock* Items(int index) const { return static_cast<TSourceCodeBlock*>(TClassList::Items(index)); }
};

class TSourceParser : public TObject {
  XEL_CLASS(TSourceParser, TObject)
public:
  // Keeps its own copy of text and detects the code type from its first word.
  explicit TSourceParser(const String& text);
  ~TSourceParser() override;

  const String& Text() const { return FText; }
  // Only stores the text: the mask and the blocks describe the old one until ParseLines.
  void SetText(const String& text) { FText = text; }
  const String& Mask() const { return FMask; }
  TSourceCodeBlocks* Blocks() const { return FBlocks; }
  TCodeType CodeType() const { return FCodeType; }
  bool StringTokens() const { return FStringTokens; }
  void SetStringTokens(bool value) { FStringTokens = value; }

  void InvalidateStatus();
  // Classifies every character of the text and lists its blocks anew; ctAutoDetect takes
  // the detected type. ESourceParserError for a type that is neither Pascal nor C.
  void ParseLines(TCodeType codeType);

  // The block that starts at offset, when it is of the given type.
  bool GetBlockIndex(TBlockType blockType, int offset, int& index) const;
  void ReplaceBlockText(int index, const String& newText);
  // Replaces the block's range in s; the mask and the other blocks are not moved.
  void ReplaceBlockTextEx(int index, const String& newText, String& s) const;
  // offset when it lies between a and b (in either order), else -1.
  static int GetNextOffset(int a, int b, int offset);

  // The searches see code only and never raise; a negative offset stands for the last
  // character, and a "to" before "from" searches backwards. On failure the outputs are -1.
  bool FindSymbol(int from, int to, const String& symbol, int& foundPos, int& nextPos,
                  TFindSymbolOptions options) const;
  bool FindNextToken(int offset, int toOffset, String& token, int& tokenPos, int& nextOffset) const;
  bool FindToken(int from, int to, const String& token, int& foundPos, int& nextPos,
                 TFindSymbolOptions options) const;
  // The tokens in the order of travel; a single token never matches.
  bool FindTokenSequence(int from, int to, const std::vector<String>& tokens, int& foundPos, int& nextPos,
                         TFindSymbolOptions options) const;

  // The final "end." of the module.
  bool FindModuleEnd(int& endPos) const;
  // Whether token opens a block that a later "end" closes; false when a class or interface
  // declaration could not be decided.
  bool Pas_IsBeginToken(const String& prevToken, const String& token, int offset, int toOffset,
                        bool& isBegin) const;
  // After "= class" or "= interface": whether a body follows.
  bool Pas_CheckClassOrInterfaceToken(int offset, int toOffset, bool& isBlock) const;
  // Whether the blocks before the final "end." balance; hasMain and mainOffset (just after
  // it) tell of a main "begin".
  bool Pas_HasUnitMainProgram(bool& hasMain, int& mainOffset) const;
  // Adds unitName to the right uses clause, or makes one; true also when it is used already.
  bool Pas_UseUnit(const String& unitName, bool inInterface, bool& alreadyUsed);

private:
  char MaskAt(int pos) const { return pos < static_cast<int>(FMask.size()) ? FMask[pos] : SourceMask::Code; }
  int Last() const { return static_cast<int>(FText.size()) - 1; }
  // The index of the first block that starts at or after offset (Count when none).
  int FirstBlockFrom(int offset) const;
  bool UsesClauseNames(int offset, int toOffset, const String& unitName) const;

  TCodeType FCodeType = ctUnknown;
  String FText;
  String FMask;
  TSourceCodeBlocks* FBlocks;
  bool FStringTokens = false;
};

// Every doubled quote becomes one, and the other way round.
String PascalStringToString(const String& s);
String StringToPascalString(const String& s);

}  // namespace xel
