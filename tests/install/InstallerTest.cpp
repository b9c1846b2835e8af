// The installer's window headless: what its start offers, how its boxes depend on each
// other, the procedure's log in both languages, what installing puts where and what
// uninstalling takes away again, and the failures that are logged without stopping it.
#include <gtest/gtest.h>

#include <functional>

#include "../UnitVersionsCheck.h"
#include "Dialogs.h"
#include "Glotta.h"
#include "HeadlessWidgetSet.h"
#include "InstallerFixture.h"
#include "MRUComboBox.h"
#include "RegisterControls.h"

namespace xel::test {
namespace {

struct TInstallerEnvironment : testing::Environment {
  void SetUp() override {
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterInstallClasses();
    InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TInstallerEnvironment);

// The log's texts, as a reader of each language sees them.
struct TTexts {
  const char* Language;
  const char* InstStatus;
  const char* UninstStatus;
  const char* DirCreated;
  const char* DirDeleted;
  const char* FileCopied;
  const char* FileDeleted;
  const char* Registered;
  const char* Finished;
  const char* Completed;
  const char* Removed;
  const char* EDirCreate;
  const char* EDirDelete;
  const char* EFileDelete;
  const char* EPackageRegister;
};
const TTexts kTexts[] = {
    {"English", "Status of installation:", "Status of uninstallation:", "Directory '%s' created.",
     "Directory '%s' deleted.", "File '%s' copied to '%s'.", "File '%s' deleted.", "Package '%s' registered to Delphi.",
     "Finished.", "Installation completed.", "Deinstallation completed.",
     "Error: Directory '%s' could not be created.", "Error: Directory '%s' could not be deleted.",
     "Error: File '%s' could not be deleted.", "Package '%s' could not be registered to Delphi."},
    {"Deutsch", "Status der Installation:", "Status der Deinstallation:", "Verzeichnis '%s' erstellt.",
     "Verzeichnis '%s' gel\xC3\xB6scht.", "Datei '%s' nach '%s' kopiert.", "Datei '%s' gel\xC3\xB6scht.",
     "Package '%s' bei Delphi registriert.", "Abgeschlossen.", "Installation abgeschlossen.",
     "Deinstallation abgeschlossen.", "Fehler: Verzeichnis '%s' konnte nicht erstellt werden.",
     "Fehler: Verzeichnis '%s' konnte nicht gel\xC3\xB6scht werden.", "Fehler: Datei '%s' konnte nicht gel\xC3\xB6scht werden.",
     "Package '%s' konnte nicht bei Delphi registriert werden."},
};

std::vector<String> Concat(std::initializer_list<const std::vector<String>*> groups) {
  std::vector<String> all;
  for (const auto* g : groups) all.insert(all.end(), g->begin(), g->end());
  return all;
}

bool Mentions(const std::vector<String>& log, const String& text) {
  return std::any_of(log.begin(), log.end(), [&](const String& l) { return l.find(text) != String::npos; });
}

TEST_F(InstallerTest, UnitsRegisterTheirVersionHeaders) {
  for (const char* unit : {"/install/InstallFiles.cpp", "/install/FileSelect.cpp", "/install/GlottaInstallMain.cpp"})
    EXPECT_TRUE(UnitVersionRegistered(unit)) << unit;
}

// The groups name the files of this platform: every one is a file of the package folder
// that the package target makes, and no name is in two groups.
TEST_F(InstallerTest, FileGroupsNameEachFileOnce) {
  const TInstallVersion& v = HostVersion();
  std::vector<String> all = Concat({&v.Runtime, &v.Design, &HelpFiles(), &OtherFiles(), &v.HostLibrary});
  std::vector<String> sorted = all;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
  EXPECT_EQ(v.Design, std::vector<String>{"libxel_design.so.5"});
  EXPECT_NE(std::find(v.Runtime.begin(), v.Runtime.end(), "libxel_runtime.so.5"), v.Runtime.end());
  EXPECT_NE(std::find(v.HostLibrary.begin(), v.HostLibrary.end(), "libxel_core.so.5"), v.HostLibrary.end());
  EXPECT_NE(std::find(OtherFiles().begin(), OtherFiles().end(), "install"), OtherFiles().end());
  EXPECT_STREQ(v.KnownPackages, "Software\\Borland\\Delphi\\5.0\\Known Packages");
}

TEST_F(InstallerTest, StartOffersTheDesignerOnlyWhereItWasFound) {
  struct {
    const char* Name;
    bool Designer;
  } cases[] = {{"designer recorded", true}, {"no designer", false}};
  for (const auto& c : cases) {
    PutPackageFiles();
    if (c.Designer) RecordDesigner();
    auto form = Open();
    ASSERT_TRUE(form->Accepted()) << c.Name;
    EXPECT_EQ(Messages, std::vector<String>{}) << c.Name;
    // Versions without their design package beside the installer stay off.
    for (int v = 0; v < 2; ++v) {
      EXPECT_FALSE(form->Has(v));
      EXPECT_FALSE(form->BtnDir(v)->GetEnabled());
      EXPECT_FALSE(form->BtnReg(v)->GetEnabled());
    }
    EXPECT_TRUE(form->Has(2));
    EXPECT_EQ(form->BtnDir(2)->GetEnabled(), c.Designer) << c.Name;
    EXPECT_EQ(form->BtnDir(2)->GetChecked(), c.Designer) << c.Name;
    EXPECT_EQ(form->BtnReg(2)->GetEnabled(), c.Designer) << c.Name;
    EXPECT_EQ(form->BtnReg(2)->GetChecked(), c.Designer) << c.Name;
    if (c.Designer) {
      EXPECT_EQ(form->BtnDir(2)->GetHint(), Bin);
      EXPECT_EQ(form->BtnDir(2)->GetText(), ShortPath(Bin, 35));
    } else {
      EXPECT_EQ(form->BtnDir(2)->GetText(), ".../Delphi 5/Bin");
    }
    EXPECT_EQ(form->BtnWindows()->GetHint(), Library);
    EXPECT_TRUE(form->ContinueButton()->GetEnabled());
    form.reset();
    TearDown();
    SetUp();
  }
}

TEST_F(InstallerTest, WithoutFilesTheWindowIsNotOffered) {
  auto form = Open();
  EXPECT_FALSE(form->Accepted());
  EXPECT_EQ(Messages, std::vector<String>{"No files to install found."});
}

TEST_F(InstallerTest, TheLanguageSwitchRelabelsTheLibraryFolder) {
  PutPackageFiles();
  auto form = Open();
  EXPECT_EQ(form->BtnWindows()->GetText(), Library + " (Runtime packages only)");
  form->Glotta()->SetLanguage("Deutsch");
  EXPECT_EQ(form->BtnWindows()->GetText(), Library + " (nur Laufzeit-Packages)");
  EXPECT_EQ(form->GroupReg()->GetText(), "Packages registrieren bei");
  EXPECT_EQ(form->ContinueButton()->GetCaption(), "&Weiter");
}

TEST_F(InstallerTest, BoxesFollowTheModeAndTheChoices) {
  PutPackageFiles();
  RecordDesigner();
  auto form = Open();
  TCheckBox* reg = form->BtnReg(2);
  // Uninstalling registers nothing: the box goes off and keeps its choice for later.
  form->BtnUninstall()->SetChecked(true);
  EXPECT_FALSE(form->GroupReg()->GetEnabled());
  EXPECT_FALSE(reg->GetEnabled());
  EXPECT_FALSE(reg->GetChecked());
  form->BtnInstall()->SetChecked(true);
  EXPECT_TRUE(reg->GetEnabled());
  EXPECT_TRUE(reg->GetChecked());
  // An unchecked choice comes back unchecked; the designer's folder box governs the box too.
  reg->SetChecked(false);
  form->BtnDir(2)->SetChecked(false);
  EXPECT_FALSE(reg->GetEnabled());
  form->BtnDir(2)->SetChecked(true);
  EXPECT_TRUE(reg->GetEnabled());
  EXPECT_FALSE(reg->GetChecked());
  // Continue needs somewhere to go.
  form->BtnFolder()->SetChecked(false);
  EXPECT_FALSE(form->FolderSelect()->GetEnabled());
  form->BtnWindows()->SetChecked(false);
  EXPECT_TRUE(form->ContinueButton()->GetEnabled());
  form->BtnDir(2)->SetChecked(false);
  EXPECT_FALSE(form->ContinueButton()->GetEnabled());
  form->BtnFolder()->SetChecked(true);
  EXPECT_TRUE(form->ContinueButton()->GetEnabled());
  EXPECT_TRUE(form->FolderSelect()->GetEnabled());
}

TEST_F(InstallerTest, TheFolderButtonChoosesFromTheBoxsFolder) {
  PutPackageFiles();
  auto form = Open();
  form->FolderSelect()->SetFieldText("~/xel-glotta");
  String shown;
  {
    TDialogScript choose([&](TCommonDialog* d) {
      auto* dialog = dynamic_cast<TSelectDirectoryDialog*>(d);
      if (!dialog) return false;
      shown = dialog->GetDirectory();
      dialog->SetDirectory(Target + "/");
      return true;
    });
    form->FolderSelect()->Button()->Click();
  }
  EXPECT_EQ(shown, ExpandHomeFolder("~/xel-glotta"));
  EXPECT_EQ(form->FolderSelect()->GetFieldText(), Target);
}

// Installing puts every file where the boxes say and registers the design package;
// uninstalling takes exactly that away again. Both logs, word for word, in each language.
TEST_F(InstallerTest, InstallAndUninstallLogEveryStepAndLeaveNothingBehind) {
  for (const TTexts& t : kTexts) {
    PutPackageFiles();
    RecordDesigner();
    // The settings that every run of the window writes, once before.
    auto form = Open(t.Language);
    form->FolderSelect()->SetFieldText(Target);
    form.reset();
    const auto before = Snapshot();

    form = Open(t.Language);
    EXPECT_EQ(form->FolderSelect()->GetFieldText(), Target) << "the history keeps the folder";
    const std::vector<String> installed = Run(form.get());
    const TInstallVersion& v = HostVersion();
    auto copied = [&](const std::vector<String>& files, const String& folder) {
      std::vector<String> lines;
      for (const String& f : files) lines.push_back(Format(t.FileCopied, {f, folder}));
      return lines;
    };
    std::vector<String> expected = {t.InstStatus, "", Format(t.DirCreated, {Target})};
    for (const auto& part : {copied(v.Runtime, Target), copied(v.Design, Target), copied(HelpFiles(), Target),
                             copied(OtherFiles(), Target), copied({v.HostLibrary.front()}, Target),
                             copied(v.Runtime, Library), copied(v.Runtime, Bin), copied(v.Design, Bin),
                             copied(HelpFiles(), Bin)})
      expected.insert(expected.end(), part.begin(), part.end());
    expected.insert(expected.end(), {Format(t.Registered, {String("libxel_design.so.5")}), "", t.Finished});
    EXPECT_EQ(installed, expected) << t.Language;
    EXPECT_EQ(Messages, std::vector<String>{t.Completed});
    EXPECT_EQ(Read("target/README.md"), "README.md");
    EXPECT_EQ(Read("designer/libxel_design.so.5"), "libxel_design.so.5");
    EXPECT_EQ(ValueNames(v.KnownPackages), std::vector<String>{Bin + "/libxel_design.so.5"});
    // Once per start: Continue does not come back, Close does.
    EXPECT_FALSE(form->ContinueButton()->GetVisible());
    EXPECT_TRUE(form->CloseButton()->GetEnabled());
    EXPECT_TRUE(form->GetEnabled());
    EXPECT_FALSE(form->PanelMain()->GetVisible());
    form.reset();

    Messages.clear();
    form = Open(t.Language);
    form->BtnUninstall()->SetChecked(true);
    const std::vector<String> removed = Run(form.get());
    auto deleted = [&](const std::vector<String>& files, const String& folder) {
      std::vector<String> lines;
      for (const String& f : files) lines.push_back(Format(t.FileDeleted, {folder + "/" + f}));
      return lines;
    };
    expected = {t.UninstStatus, ""};
    for (const auto& part : {deleted(v.Runtime, Target), deleted(v.Design, Target), deleted(HelpFiles(), Target),
                             deleted(OtherFiles(), Target), deleted({v.HostLibrary.front()}, Target),
                             std::vector<String>{Format(t.DirDeleted, {Target})}, deleted(v.Runtime, Library),
                             deleted(v.Runtime, Bin), deleted(v.Design, Bin), deleted(HelpFiles(), Bin)})
      expected.insert(expected.end(), part.begin(), part.end());
    expected.insert(expected.end(), {"", t.Finished});
    EXPECT_EQ(removed, expected) << t.Language;
    EXPECT_EQ(Messages, std::vector<String>{t.Removed});
    form.reset();
    EXPECT_EQ(Snapshot(), before) << t.Language;

    Messages.clear();
    TearDown();
    SetUp();
  }
}

// Failures of single files, folders and registrations are logged and the rest goes on.
TEST_F(InstallerTest, FailuresAreLoggedAndTheRestGoesOn) {
  struct TCase {
    const char* Name;
    std::function<void()> Prepare;
    std::vector<String> Logged;     // lines the log has
    std::vector<String> NotLogged;  // texts no line mentions
    bool Registered;
  };
  const TCase cases[] = {
      {"a file of a group is missing",
       [this] { PutPackageFiles({"libxel_editor.so.5"}); },
       {"Error: File 'libxel_editor.so.5' could not be copied to '%T'.",
        "Error: File 'libxel_editor.so.5' could not be copied to '%B'."},
       {},
       true},
      {"a library of the framework is missing", [this] { PutPackageFiles(); }, {}, {"libxel_qt"}, true},
      {"the folder exists and a file there is read-only",
       [this] {
         PutPackageFiles();
         Write("target/README.md", "mine");
         FileSetReadOnly(Target + "/README.md", true);
       },
       {"Directory '%T' already exists.", "Error: File 'README.md' could not be copied to '%T'.",
        "File 'CHANGES.md' copied to '%T'."},
       {},
       true},
      {"the designer has no package list",
       [this] {
         PutPackageFiles();
         TRegistry reg;
         reg.SetRootKey(HKEY_CURRENT_USER);
         reg.DeleteKey(String("\\") + HostVersion().KnownPackages);
       },
       {},
       {"registered", "could not be registered"},
       false},
      {"the folder is the installer's own",
       [this] {
         PutPackageFiles();
         Target = Package + "/";
       },
       {"File 'libxel_design.so.5' copied to '%B'."},
       {"%P"},
       true},
  };
  for (const TCase& c : cases) {
    RecordDesigner();
    c.Prepare();
    auto form = Open();
    form->FolderSelect()->SetFieldText(Target);
    const std::vector<String> log = Run(form.get());
    auto place = [&](String text) {
      for (const auto& [mark, folder] : {std::pair<const char*, String>{"%T", Target}, {"%B", Bin}, {"%P", Package}})
        if (auto at = text.find(mark); at != String::npos) text.replace(at, 2, RemoveBackslash(folder));
      return text;
    };
    for (const String& line : c.Logged)
      EXPECT_NE(std::find(log.begin(), log.end(), place(line)), log.end()) << c.Name << ": " << place(line);
    for (const String& text : c.NotLogged) EXPECT_FALSE(Mentions(log, place(text))) << c.Name << ": " << text;
    EXPECT_EQ(Mentions(log, "registered to Delphi."), c.Registered) << c.Name;
    EXPECT_EQ(ValueNames(HostVersion().KnownPackages).size(), c.Registered ? 1u : 0u) << c.Name;
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.back(), "Finished.") << c.Name;
    EXPECT_EQ(Messages, std::vector<String>{"Installation completed."}) << c.Name;
    form.reset();
    Messages.clear();
    TearDown();
    SetUp();
  }
}

// What cannot be done to a folder, a file or a registration is logged in the window's
// language with the name it concerns, and the rest of the procedure still happens.
TEST_F(InstallerTest, FailedStepsAreLoggedInEachLanguage) {
  const String runtime = HostVersion().Runtime.front(), package = HostVersion().Design.front();
  struct TCase {
    const char* Name;
    bool Uninstall;
    std::function<void()> Prepare;
    const char* TTexts::*Failure;
    std::function<String()> Subject;  // what the failure line names
    const char* TTexts::*Done;
    std::function<std::vector<String>()> DoneArgs;  // a step after the failure that still happened
  };
  const TCase cases[] = {
      {"a file stands where the folder's parent should be", false,
       [this] {
         Write("blocker", "a file");
         Target = Dir + "blocker/target";
       },
       &TTexts::EDirCreate, [this] { return Target; }, &TTexts::FileCopied,
       [&, this] { return std::vector<String>{runtime, Library}; }},
      {"the folder holds a file of the user's", true, [this] { Write("target/mine.txt", "mine"); },
       &TTexts::EDirDelete, [this] { return Target; }, &TTexts::FileDeleted,
       [&, this] { return std::vector<String>{Library + "/" + runtime}; }},
      {"a folder stands where an installed file was", true,
       [this] {
         std::filesystem::remove(Target + "/README.md");
         Write("target/README.md/inside", "inside");
       },
       &TTexts::EFileDelete, [this] { return Target + "/README.md"; }, &TTexts::FileDeleted,
       [this] { return std::vector<String>{Target + "/CHANGES.md"}; }},
      {"the designer's folder is gone", false, [this] { std::filesystem::remove_all(Bin); },
       &TTexts::EPackageRegister, [&] { return package; }, &TTexts::FileCopied,
       [&, this] { return std::vector<String>{runtime, Library}; }},
      {"a folder stands where the design package goes", false, [&, this] { Write("designer/" + package + "/x", "x"); },
       &TTexts::EPackageRegister, [&] { return package; }, &TTexts::FileCopied,
       [&, this] { return std::vector<String>{runtime, Bin}; }},
  };
  for (const TTexts& t : kTexts) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(testing::Message() << t.Language << ": " << c.Name);
      PutPackageFiles();
      RecordDesigner();
      if (c.Uninstall) {
        auto form = Open();
        form->FolderSelect()->SetFieldText(Target);
        Run(form.get());
        Messages.clear();
      }
      c.Prepare();
      auto form = Open(t.Language);
      form->FolderSelect()->SetFieldText(Target);
      form->BtnUninstall()->SetChecked(c.Uninstall);
      const std::vector<String> log = Run(form.get());
      const std::vector<String> doneArgs = c.DoneArgs();
      const String done = doneArgs.size() == 1 ? Format(t.*c.Done, {doneArgs[0]})
                                               : Format(t.*c.Done, {doneArgs[0], doneArgs[1]});
      const String failure = Format(t.*c.Failure, {c.Subject()});
      EXPECT_TRUE(std::find(log.begin(), log.end(), failure) != log.end()) << failure;
      EXPECT_TRUE(std::find(log.begin(), log.end(), done) != log.end()) << done;
      ASSERT_FALSE(log.empty());
      EXPECT_EQ(log.back(), t.Finished);
      EXPECT_EQ(Messages, std::vector<String>{c.Uninstall ? t.Removed : t.Completed});
      if (c.Failure == &TTexts::EPackageRegister) {
        // Reported as a failure only, and nothing that the designer would try to load.
        EXPECT_FALSE(Mentions(log, Format(t.Registered, {package})));
        EXPECT_TRUE(ValueNames(HostVersion().KnownPackages).empty());
      }
      form.reset();
      Messages.clear();
      TearDown();
      SetUp();
    }
  }
}

// Installing takes the package off the designer's disabled list where it registers it;
// uninstalling takes it out of the known ones whatever the boxes said, and leaves the
// disabled list to the designer.
TEST_F(InstallerTest, RegistrationFollowsTheModeNotTheBoxesWhenUninstalling) {
  const TInstallVersion& v = HostVersion();
  const String other = "/elsewhere/libother.so", package = "<package>";
  struct {
    bool Uninstall;
    bool RegBox;
    std::vector<String> Known, Disabled;
  } cases[] = {
      {false, true, {other, package}, {other}},
      {false, false, {other}, {other, package}},
      {true, true, {other}, {other, package}},
  };
  for (auto c : cases) {
    const String package = Bin + "/libxel_design.so.5";
    for (auto* names : {&c.Known, &c.Disabled}) std::replace(names->begin(), names->end(), String("<package>"), package);
    PutPackageFiles();
    RecordDesigner();
    WriteFileAtomically(package, "registered before");
    for (const char* key : {v.KnownPackages, v.DisabledPackages}) {
      TRegistry reg;
      ASSERT_TRUE(reg.OpenKey(key, true));
      reg.WriteString("/elsewhere/libother.so", "Other");
      if (key == v.KnownPackages && !c.RegBox) continue;
      reg.WriteString(package, "Xel Glotta");
    }
    auto form = Open();
    form->BtnReg(2)->SetChecked(c.RegBox);
    form->BtnUninstall()->SetChecked(c.Uninstall);
    form->BtnFolder()->SetChecked(false);
    Run(form.get());
    auto sorted = [](std::vector<String> names) {
      std::sort(names.begin(), names.end());
      return names;
    };
    EXPECT_EQ(sorted(ValueNames(v.KnownPackages)), sorted(c.Known)) << c.Uninstall << c.RegBox;
    EXPECT_EQ(sorted(ValueNames(v.DisabledPackages)), sorted(c.Disabled)) << c.Uninstall << c.RegBox;
    form.reset();
    Messages.clear();
    TearDown();
    SetUp();
  }
}

TEST_F(InstallerTest, UninstallingAMissingFolderSaysSo) {
  PutPackageFiles();
  auto form = Open("Deutsch");
  form->FolderSelect()->SetFieldText(Target);
  form->BtnUninstall()->SetChecked(true);
  form->BtnWindows()->SetChecked(false);
  const std::vector<String> log = Run(form.get());
  EXPECT_EQ(log, (std::vector<String>{"Status der Deinstallation:", "",
                                      "Fehler: Verzeichnis '" + Target + "' nicht gefunden.", "", "Abgeschlossen."}));
}

TEST_F(InstallerTest, TheLanguageAndTheFolderHistoryLastToTheNextStart) {
  PutPackageFiles();
  auto form = Open("Deutsch");
  form->FolderSelect()->SetFieldText(Target);
  form.reset();
  form = Open(nullptr);
  EXPECT_EQ(form->Glotta()->GetLanguage(), "Deutsch");
  EXPECT_EQ(form->FolderSelect()->GetHistoryList()->Strings(0), Target);
  form->Glotta()->SetLanguage("English");
}

}  // namespace
}  // namespace xel::test
