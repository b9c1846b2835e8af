// The installer as it ships: the package target's tarball unpacked into a temporary
// folder, the installer run from there headless into a chosen folder, a prefix and the
// designer's folder of a scratch registry, the designer started with the package, and
// everything taken away again.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "Designer.h"
#include "DsgnRegistry.h"
#include "FileTools.h"
#include "Glotta.h"
#include "HeadlessWidgetSet.h"
#include "InstallFiles.h"
#include "Registry.h"
#include "RegisterControls.h"

namespace xel {
namespace {

namespace fs = std::filesystem;

struct TPackageEnvironment : testing::Environment {
  void SetUp() override {
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TPackageEnvironment);

struct TRun {
  int Code;
  String Out;
};

// Runs a shell command; its standard output comes back, its errors go to the test's.
TRun Shell(const String& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, ""};
  String out;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

String Quote(const String& s) { return "'" + s + "'"; }

std::vector<String> Lines(const String& text) {
  std::vector<String> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == String::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool Has(const std::vector<String>& lines, const String& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class InstallerPackageTest : public testing::Test {
protected:
  void SetUp() override {
    String pattern = fs::temp_directory_path().string() + "/xel-install-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Dir = pattern + "/";
    for (const char* folder : {"home", "prefix/lib", "designer"}) ForceDirectories(Dir + folder);
    setenv("XEL_REGISTRY_DIR", (Dir + "registry").c_str(), 1);
    setenv("HOME", (Dir + "home").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XEL_REGISTRY_DIR");
    fs::remove_all(Dir);
  }

  // The folders the installer writes into, and the registry without the installer's own
  // settings (its folder history and language).
  std::map<String, String> Snapshot() const {
    std::map<String, String> state;
    for (const char* folder : {"prefix", "designer", "target"}) {
      if (!fs::exists(Dir + folder)) continue;
      for (auto& e : fs::recursive_directory_iterator(Dir + folder))
        state[e.path().string()] = e.is_regular_file() ? ReadTextFile(e.path().string(), true) : String("<folder>");
    }
    for (const char* root : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"}) {
      const String file = Dir + "registry/" + root + ".reg";
      if (!fs::exists(file)) continue;
      TRegistryStore store;
      store.Parse(ReadTextFile(file, true), root, file);
      for (const TRegKey& key : store.Keys) {
        if (key.Path.starts_with("Software\\Xel GbR")) continue;
        String values;
        for (const TRegValue& v : key.Values) values += v.Name + "=" + v.Text + ";";
        state[String(root) + "\\" + key.Path] = values;
      }
    }
    return state;
  }

  String Dir;
};

TEST_F(InstallerPackageTest, InstallsRegistersAndRemovesFromThePackageFolder) {
  // The package target's work, into a folder of the test's own.
  TRun made = Shell("cd " + Quote(Dir) + " && cpack --config " + Quote(XEL_CPACK_CONFIG) + " -B " +
                  Quote(Dir + "cpack") + " >/dev/null && tar xzf cpack/xel-glotta-*.tar.gz");
  ASSERT_EQ(made.Code, 0) << made.Out;
  const String package = Dir + "xel-glotta-5.0.0/";
  ASSERT_TRUE(DirExist(package));

  // The folder holds the installer and every file of its groups, and nothing else.
  const TInstallVersion& v = InstallVersions().back();
  std::set<String> expected;
  for (const auto* group : {&v.Runtime, &v.Design, &HelpFiles(), &OtherFiles(), &v.HostLibrary})
    expected.insert(group->begin(), group->end());
  std::set<String> found;
  for (auto& e : fs::directory_iterator(package)) found.insert(e.path().filename().string());
  EXPECT_EQ(found, expected);

  // The designer's first start records it where the installer looks.
  const String designer = Dir + "designer/";
  fs::copy_file(XEL_DESIGNER_PROGRAM, designer + "xeldesigner");
  TRun first = Shell("QT_QPA_PLATFORM=offscreen " + Quote(designer + "xeldesigner") + " --picture " +
                   Quote(Dir + "first.png") + " 2>&1");
  ASSERT_EQ(first.Code, 0) << first.Out;
  const auto before = Snapshot();

  const String target = Dir + "target";
  const String installer = Quote(package + "install") + " --widgetset=headless --prefix " + Quote(Dir + "prefix");
  TRun installed = Shell(installer + " --run install --folder " + Quote(target));
  ASSERT_EQ(installed.Code, 0) << installed.Out;
  const std::vector<String> log = Lines(installed.Out);
  EXPECT_EQ(log.front(), "Status of installation:");
  EXPECT_TRUE(Has(log, "Directory '" + target + "' created.")) << installed.Out;
  EXPECT_TRUE(Has(log, "File 'libxel_design.so.5' copied to '" + RemoveBackslash(designer) + "'.")) << installed.Out;
  EXPECT_TRUE(Has(log, "Package 'libxel_design.so.5' registered to Delphi.")) << installed.Out;
  EXPECT_EQ(log.back(), "Finished.");
  for (const String& line : log) EXPECT_FALSE(line.starts_with("Error")) << line;
  for (const String& file : expected) EXPECT_TRUE(FileExist(target + "/" + file)) << file;
  for (const String& file : v.Runtime) EXPECT_TRUE(FileExist(Dir + "prefix/lib/" + file)) << file;

  // The installed copy of the installer runs from where it went: its libraries are beside it.
  TRun copy = Shell(Quote(target + "/install") + " --widgetset=headless --prefix " + Quote(Dir + "prefix") +
                  " --run install --no-folder --no-library");
  EXPECT_EQ(copy.Code, 0) << copy.Out;

  // The designer's next start loads the package: its palette shows the package's classes.
  {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKeyReadOnly(v.KnownPackages));
    EXPECT_EQ(reg.ReadString(designer + "libxel_design.so.5"), PackageDescription);
  }
  {
    TDesigner host;
    host.LoadPackages({});
    EXPECT_EQ(host.Messages(), std::vector<String>{});
    std::set<String> classes;
    for (const TPaletteEntry& e : PaletteClasses()) classes.insert(e.Class->ClassName());
    for (const char* name : {"TGlotta", "TLangComboBox", "TConfigFile", "TSortGrid"})
      EXPECT_TRUE(classes.count(name)) << name;
  }
  TRun next = Shell("QT_QPA_PLATFORM=offscreen " + Quote(designer + "xeldesigner") + " --picture " +
                  Quote(Dir + "next.png") + " 2>&1");
  EXPECT_EQ(next.Code, 0) << next.Out;
  EXPECT_EQ(next.Out.find("xeldesigner:"), String::npos) << next.Out;

  // Uninstalling, in German, takes away every file and the registration, and nothing else.
  TRun removed = Shell(installer + " --run uninstall --language Deutsch --folder " + Quote(target));
  ASSERT_EQ(removed.Code, 0) << removed.Out;
  const std::vector<String> unlog = Lines(removed.Out);
  EXPECT_EQ(unlog.front(), "Status der Deinstallation:");
  EXPECT_TRUE(Has(unlog, "Datei '" + designer + "libxel_design.so.5' gel\xC3\xB6scht.")) << removed.Out;
  EXPECT_TRUE(Has(unlog, "Verzeichnis '" + target + "' gel\xC3\xB6scht.")) << removed.Out;
  EXPECT_EQ(unlog.back(), "Abgeschlossen.");
  EXPECT_FALSE(DirExist(target));
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace xel
