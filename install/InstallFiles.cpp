#include "InstallFiles.h"

#include <unistd.h>

#include <cstdlib>

#include "FileTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /install/InstallFiles.cpp 1 11.12.26 4:05 XG $")

namespace xel {

namespace {
String& InstallerFolderSetting() {
  static String folder;
  return folder;
}
String& PrefixSetting() {
  static String prefix;
  return prefix;
}
}  // namespace

// The versions 3 and 4 have no files on this platform; their rows stay so that their boxes
// behave as for any version that is not there.
const std::vector<TInstallVersion>& InstallVersions() {
  static const std::vector<TInstallVersion> versions = {
      {"Delphi 3",
       "Software\\Borland\\Delphi\\3.0",
       "Delphi 3",
       "Software\\Borland\\Delphi\\3.0\\Known Packages",
       "Software\\Borland\\Delphi\\3.0\\Disabled Packages",
       {"XelGlotta30.dpl", "XelGlotta30.dcp", "XelGlotta30.dcu"},
       {"XelGlotta30Design.dpl"},
       {"vcl30.dpl", "vcl30.de"}},
      {"Delphi 4",
       "Software\\Borland\\Delphi\\4.0",
       "Delphi 4",
       "Software\\Borland\\Delphi\\4.0\\Known Packages",
       "Software\\Borland\\Delphi\\4.0\\Disabled Packages",
       {"XelGlotta40.bpl", "XelGlotta40.dcp", "XelGlotta40.dcu"},
       {"XelGlotta40Design.bpl"},
       {"vcl40.bpl", "vcl40.de"}},
      // The designer host of this platform: the package's libraries go by the names the
      // programs ask the loader for.
      {"Delphi 5",
       "Software\\Borland\\Delphi\\5.0",
       "App",
       "Software\\Borland\\Delphi\\5.0\\Known Packages",
       "Software\\Borland\\Delphi\\5.0\\Disabled Packages",
       {"libxel_unitversions.so.5", "libxel_model.so.5", "libxel_toollib.so.5", "libxel_runtime.so.5",
        "libxel_toolforms.so.5", "libxel_modelforms.so.5", "libxel_design_parse.so.5", "libxel_exchange.so.5",
        "libxel_langforms.so.5", "libxel_exchangeforms.so.5", "libxel_editor.so.5", "XelGlotta50-include.tar.gz"},
       {"libxel_design.so.5"},
       {"libxel_core.so.5", "libxel_controls.so.5", "libxel_headless.so.5", "libxel_qt.so.5", "libxel_ide.so.5"}},
  };
  return versions;
}

const std::vector<String>& HelpFiles() {
  static const std::vector<String> files = {"XelGlottaEng.html", "XelGlottaGer.html"};
  return files;
}

const std::vector<String>& OtherFiles() {
  static const std::vector<String> files = {"CHANGES.md", "README.md", "xeldemo", "install"};
  return files;
}

String InstallerFolder() {
  const String& folder = InstallerFolderSetting();
  return folder.empty() ? GetApplicationDir() : AppendBackslash(folder);
}

void SetInstallerFolder(const String& folder) { InstallerFolderSetting() = folder; }

String LibraryFolder() {
  String prefix = PrefixSetting();
  if (prefix.empty()) prefix = geteuid() == 0 ? String("/usr/local") : ExpandHomeFolder("~/.local");
  return AppendBackslash(RemoveBackslash(prefix)) + "lib/";
}

void SetInstallPrefix(const String& prefix) { PrefixSetting() = prefix; }

String ExpandHomeFolder(const String& path) {
  if (path != "~" && !path.starts_with("~/")) return path;
  const char* home = std::getenv("HOME");
  return String(home ? home : "") + path.substr(1);
}

}  // namespace xel
