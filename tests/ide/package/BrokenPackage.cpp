// A design package whose registration fails half-way: what it registered is taken back.
#include "DsgnRegistry.h"
#include "StdCtrls.h"

using namespace xel;

extern "C" __attribute__((visibility("default"))) void XelRegisterDesignPackage() {
  RegisterComponents("Broken", {TMemo::StaticClass()});
  throw Exception("the package is broken");
}
