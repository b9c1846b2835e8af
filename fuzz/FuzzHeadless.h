// Shared by the fuzz targets that read forms with their language data: every class
// registered and the headless widget set, once per process; no report of exceptions.
#pragma once

#include "Application.h"
#include "Glotta.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"

namespace xel::fuzz {

inline void PrepareHeadlessGlotta() {
  static const bool ready = [] {
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    InstallHeadlessWidgetSet();
    Application->OnException = nullptr;
    return true;
  }();
  (void)ready;
}

}  // namespace xel::fuzz
