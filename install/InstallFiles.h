// What the installer knows of the package and of the designer hosts: the file groups it
// copies and removes, the registry places of each host version, and the folders it uses.
#pragma once

#include <vector>

#include "SysUtils.h"

namespace xel {

// One version of the designer host. Versions whose design package is not beside the
// installer are not offered.
struct TInstallVersion {
  const char* Name;
  // Under HKEY_LOCAL_MACHINE: the key and value that hold the host's program.
  const char* InstallKey;
  const char* ProgramValue;
  // Under HKEY_CURRENT_USER: the package lists.
  const char* KnownPackages;
  const char* DisabledPackages;
  std::vector<String> Runtime;      // the package's libraries and their headers
  std::vector<String> Design;       // the design package; its first file tells the version is present
  std::vector<String> HostLibrary;  // the framework's libraries, copied when present
};

// The versions in the order the installer handles them.
const std::vector<TInstallVersion>& InstallVersions();
const std::vector<String>& HelpFiles();
// The read-me, the change log, the demo program and the installer itself.
const std::vector<String>& OtherFiles();

// The data of a registered package's value in "Known Packages".
inline constexpr const char* PackageDescription = "Xel Glotta";

// The folder the installer takes its files from: its own, unless set (tests set it).
String InstallerFolder();
void SetInstallerFolder(const String& folder);
// The system-wide library folder of the prefix the package goes to, with a trailing
// delimiter: /usr/local/lib/ for root, ~/.local/lib/ for anyone else, unless a prefix is set.
String LibraryFolder();
void SetInstallPrefix(const String& prefix);
// A leading "~/" stands for the home folder, as in a shell.
String ExpandHomeFolder(const String& path);

}  // namespace xel
