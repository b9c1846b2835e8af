// Component helpers of the tool library (so far: whether code runs inside the designer),
// and the optional debug trace.
#pragma once

#include "SysUtils.h"

namespace xel {

// True only when the code runs inside the designer; the designer host switches it on.
bool IsDesigning();
void SetDesigningHost(bool designing);

// The diagnostic channel: when $XEL_DEBUG_TRACE names a file, each line is appended to it;
// otherwise the lines go nowhere. Nothing in the system reads them.
void DebugTrace(std::string_view line);

}  // namespace xel
