// Whether a designer's tool services exist in this process: code that behaves differently
// at design time asks this. The designer host sets it while its services live.
#pragma once

namespace xel {

bool DesignHostActive();
void SetDesignHostActive(bool active);

}  // namespace xel
