// The marks inside a translatable text that a translation must carry over: the
// placeholders that Format reads ("%s", "%d", "%1:s", "%-8.2f", "%*d") and the accelerator
// of a caption ("&File"; "&&" is a plain ampersand).
#pragma once

#include <vector>

#include "Classes.h"

namespace xel {

struct TTextMark {
  size_t Pos;
  size_t Length;
};

// The placeholders of a text in order; "%%" is none. A "%" that starts no complete
// placeholder is none either (Format would raise on it; the value check reports that).
std::vector<TTextMark> FormatPlaceholders(std::string_view text);
// The placeholders as a sorted list of their canonical forms ("0:s" for "%s" as the first
// argument), so that texts which reorder their arguments with indexes compare equal.
std::vector<String> PlaceholderSignature(std::string_view text);

// The positions of the single "&" that mark an accelerator ("&&" excluded).
std::vector<size_t> Accelerators(std::string_view text);

}  // namespace xel
