// A package folder with the files of the installer's groups, a prefix, a designer folder
// and a registry of their own for every test, and the means to drive the installer's
// window: its start, its choices and its procedure, with every message box answered.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

#include "../toollib/TempFolder.h"
#include "ButtonPanel.h"
#include "FileTools.h"
#include "GlottaInstallMain.h"
#include "HeadlessWidgetSet.h"
#include "InstallFiles.h"
#include "MsgBox.h"
#include "Registry.h"

namespace xel::test {

// What the installer's groups hold for the designer host of this platform.
inline const TInstallVersion& HostVersion() { return InstallVersions().back(); }

class InstallerTest : public TTempFolderTest {
protected:
  void SetUp() override {
    TTempFolderTest::SetUp();
    Package = Dir + "package";
    Target = Dir + "target";
    Library = Dir + "prefix/lib";
    Bin = Dir + "designer";
    for (const String& folder : {Package, Library, Bin}) ForceDirectories(folder);
    setenv("XEL_REGISTRY_DIR", (Dir + "registry").c_str(), 1);
    SetInstallerFolder(Package);
    SetInstallPrefix(Dir + "prefix");
  }
  void TearDown() override {
    SetInstallerFolder("");
    SetInstallPrefix("");
    unsetenv("XEL_REGISTRY_DIR");
    TTempFolderTest::TearDown();
  }

  // Every file of the groups, each holding its own name, but those left out; of the
  // framework's libraries only the first is there, as a package may bring some of them.
  void PutPackageFiles(std::initializer_list<const char*> leftOut = {}) {
    std::vector<String> files;
    const TInstallVersion& v = HostVersion();
    for (const auto* group : {&v.Runtime, &v.Design, &HelpFiles(), &OtherFiles()})
      files.insert(files.end(), group->begin(), group->end());
    files.push_back(v.HostLibrary.front());
    for (const String& f : files) {
      if (std::find(leftOut.begin(), leftOut.end(), f) == leftOut.end()) WriteFileAtomically(Package + "/" + f, f);
    }
  }
  // What the designer host records at its start: its program and its package list.
  void RecordDesigner(bool withPackageList = true) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(HostVersion().InstallKey, true));
    reg.WriteString(HostVersion().ProgramValue, Bin + "/xeldesigner");
    reg.CloseKey();
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (withPackageList) {
      ASSERT_TRUE(reg.OpenKey(HostVersion().KnownPackages, true));
    }
  }
  static std::vector<String> ValueNames(const char* key) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    TStringList names;
    if (reg.OpenKeyReadOnly(key)) reg.GetValueNames(&names);
    std::vector<String> result;
    for (int i = 0; i < names.Count(); ++i) result.push_back(names[i]);
    return result;
  }

  // The window as the program makes it; the texts of the message boxes it shows are kept.
  std::unique_ptr<TGlottaInstallForm> Open(const char* language = "English") {
    TModalScript answer([this](TCustomForm* f) { Answer(f); });
    std::unique_ptr<TGlottaInstallForm> form(New<TGlottaInstallForm>(nullptr));
    if (language) form->Glotta()->SetLanguage(language);
    return form;
  }
  // Presses Continue and gives the log.
  std::vector<String> Run(TGlottaInstallForm* form) {
    TModalScript answer([this](TCustomForm* f) { Answer(f); });
    form->ContinueButton()->Button()->Click();
    if (!form->Log()) return {};
    std::vector<String> lines;
    for (int i = 0; i < form->Log()->GetLines()->Count(); ++i) lines.push_back(form->Log()->GetLines()->Strings(i));
    return lines;
  }
  void Answer(TCustomForm* f) {
    if (auto* box = dynamic_cast<TMyMsgForm*>(f)) {
      for (const String& line : box->Lines()) Messages.push_back(line);
      Captions.push_back(box->GetText());
    }
    f->SetModalResult(mrOk);
  }

  // Every file below the folder with its content, and the registry as stored.
  std::map<String, String> Snapshot() const {
    std::map<String, String> files;
    for (auto& e : std::filesystem::recursive_directory_iterator(Dir)) {
      const String path = e.path().string().substr(Dir.size());
      files[path] = e.is_regular_file() ? ReadTextFile(e.path().string(), true) : String("<folder>");
    }
    return files;
  }

  String Package, Target, Library, Bin;
  std::vector<String> Messages, Captions;
};

}  // namespace xel::test
