// Design packages: shared libraries with one registration entry point that calls each of
// the package's units' Register. The designer loads those its registry key lists and those
// named on its command line; a package that fails is reported and left out.
#pragma once

#include <vector>

#include "StringList.h"

namespace xel {

// The entry point a design package exports (extern "C").
inline constexpr const char* DesignPackageEntry = "XelRegisterDesignPackage";
using TDesignPackageEntry = void (*)();
// Optional: called after the package's registrations and experts are gone, before its
// library is unloaded, to free what the registration made.
inline constexpr const char* DesignPackageFinalization = "XelFinalizeDesignPackage";

// The designer's registry key (under the current user) with its "Known Packages" list, and
// under the machine key its program, where the installer looks for it.
inline constexpr const char* DesignerRegistryKey = "Software\\Borland\\Delphi\\5.0";
inline constexpr const char* DesignerProgramValue = "App";

class TDesignPackages {
public:
  struct TPackage {
    String FileName;
    void* Handle;
    int Tag;
  };

  TDesignPackages() = default;
  TDesignPackages(const TDesignPackages&) = delete;
  TDesignPackages& operator=(const TDesignPackages&) = delete;
  ~TDesignPackages();

  // Loads the library and runs its registration. On failure the library is unloaded, what
  // it registered so far is taken back, and error says why.
  bool Load(const String& fileName, String& error);
  // Newest first: each package's experts are freed before its code goes.
  void UnloadAll();
  const std::vector<TPackage>& Packages() const { return FPackages; }

private:
  std::vector<TPackage> FPackages;
};

// The file names listed under "Known Packages" of the designer's key and not under
// "Disabled Packages".
std::vector<String> KnownDesignPackages();
// Records the designer's program so that the installer finds the installation.
void RecordDesignerInstallation(const String& programFile);

}  // namespace xel
