// Conversion between the binary form stream and the text form format.
#pragma once

#include "Filer.h"

namespace xel {

// Binary ("TPF0 ...") to text ("object Name: TClass ... end"), CR LF line ends.
void ObjectBinaryToText(TStream* input, TStream* output);
// Text to binary; errors raise EParserError with the line number.
void ObjectTextToBinary(TStream* input, TStream* output);
// The same with the 16-bit component resource header on the binary side; the resource is
// named by the root's class name, in upper case.
void ObjectResourceToText(TStream* input, TStream* output);
void ObjectTextToResource(TStream* input, TStream* output);

String ObjectBinaryToText(std::string_view binary);
String ObjectTextToBinary(std::string_view text);
// The same; when the binary cannot be read, errorPlace receives where reading stopped: the
// objects, property and collection item being converted and the offset where the innermost
// of them begins.
String ObjectBinaryToText(std::string_view binary, TReader::TReadPlace* errorPlace);

// Where the parts of a binary form made from a text came from: each object, property and
// collection item by its offset in the binary and the line and column of its text, so that
// an error found while reading the binary can point into the text.
class TTextSourceMap {
public:
  void Add(Int64 offset, int line, int column) { FMarks.push_back({offset, line, column}); }
  // The place of the last part that begins at or before offset; false before the first.
  bool Find(Int64 offset, int& line, int& column) const;

private:
  struct TMark {
    Int64 Offset;
    int Line, Column;
  };
  std::vector<TMark> FMarks;  // by offset, as the converter writes them
};
String ObjectTextToBinary(std::string_view text, TTextSourceMap* map);

// The class name of the root of a binary form ("TPF0" first).
String RootClassName(std::string_view binary);

enum TStreamOriginalFormat { sofUnknown, sofBinary, sofText, sofResource };
// Looks at the first bytes without moving the stream.
TStreamOriginalFormat TestStreamFormat(TStream* stream);

}  // namespace xel
