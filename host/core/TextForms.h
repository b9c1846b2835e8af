// Conversion between the binary form stream and the text form format.
#pragma once

#include "Streams.h"

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

// The class name of the root of a binary form ("TPF0" first).
String RootClassName(std::string_view binary);

enum TStreamOriginalFormat { sofUnknown, sofBinary, sofText, sofResource };
// Looks at the first bytes without moving the stream.
TStreamOriginalFormat TestStreamFormat(TStream* stream);

}  // namespace xel
