// The configuration file component: every kind of property through an INI file and a
// registry key, the hint comments, the window state and the extra object, the selection in
// the form stream with auto-load, and what damaged or missing entries do.
#include <gtest/gtest.h>

#include <memory>

#include "ConfigFile.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"
#include "StdCtrls.h"
#include "SuperForm.h"
#include "TempFolder.h"
#include "TextForms.h"

namespace xel {

XEL_ENUM(TProbeShade, psLight, psMedium, psDark)
XEL_ENUM(TProbeStyle, pyBold, pyItalic, pyUnderline)
XEL_SET(TProbeStyles, TProbeStyle)

// One published property of every kind a configuration keeps, and one it must not.
class TConfigProbe : public TComponent {
  XEL_CLASS(TConfigProbe, TComponent)
public:
  explicit TConfigProbe(TComponent* owner) : TComponent(owner), FLines(std::make_unique<TStringList>()) {
    FLines->SetText("one\r\ntwo\r\n");
  }
  TStrings* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* v) { FLines->Assign(v); }
  TComponent* GetBuddy() const { return FBuddy; }
  void SetBuddy(TComponent* v) { FBuddy = v; }

  Integer FCount = 0;
  char FLetter = 'a';
  TProbeShade FShade = psMedium;
  bool FActive = false;
  double FRatio = 0.5;
  float FScale = 1;
  Extended FPrecise = 2;
  String FTitle = "plain";
  TProbeStyles FStyles;

  static auto Published() {
    using C = TConfigProbe;
    return PropTable<C>(Prop("Count", &C::FCount, &C::FCount), Prop("Letter", &C::FLetter, &C::FLetter),
                        Prop("Shade", &C::FShade, &C::FShade), Prop("Active", &C::FActive, &C::FActive),
                        Prop("Ratio", &C::FRatio, &C::FRatio), Prop("Scale", &C::FScale, &C::FScale),
                        Prop("Precise", &C::FPrecise, &C::FPrecise),
                        Prop("Title", &C::FTitle, &C::FTitle), Prop("Styles", &C::FStyles, &C::FStyles),
                        Prop("Lines", &C::GetLines, &C::SetLines), Prop("Buddy", &C::GetBuddy, &C::SetBuddy));
  }

private:
  std::unique_ptr<TStringList> FLines;
  TComponent* FBuddy = nullptr;
};

// The extra object: General and Limits are not stored and name the sections of the stored
// properties with their index; Plain has no partner.
class TConfigOptions : public TPersistent {
  XEL_CLASS(TConfigOptions, TPersistent)
public:
  Integer Get(Integer index) const { return FValues[index]; }
  void Set(Integer index, Integer v) { FValues[index] = v; }
  String GetPath() const { return FPath; }
  void SetPath(const String& v) { FPath = v; }

  Integer FValues[4] = {0, 0, 0, 0};
  String FPath = "/tmp";
  Integer FPlain = 3;

  static auto Published() {
    using C = TConfigOptions;
    return PropTable<C>(IndexedProp("General", 1, &C::Get, &C::Set).Stored(false),
                        IndexedProp("Limits", 2, &C::Get, &C::Set).Stored(false),
                        IndexedProp("Width", 1, &C::Get, &C::Set), IndexedProp("Depth", 2, &C::Get, &C::Set),
                        Prop("Path", &C::GetPath, &C::SetPath), Prop("Plain", &C::FPlain, &C::FPlain));
  }
};

class TConfigTestForm : public TSuperForm {
  XEL_CLASS(TConfigTestForm, TSuperForm)
public:
  explicit TConfigTestForm(TComponent* owner) : TSuperForm(owner, TCreateNew{}) {}
};

namespace test {
namespace {

// What the component's events saw, in order.
struct TEventLog : TObject {
  std::vector<String> Calls;
  TPersistent* Instance = nullptr;
  bool ValuesOk = true;
  TComponent* Skip = nullptr;
  void Defaults(TObject*) { Calls.push_back("defaults"); }
  void GetInstance(TObject*, TPersistent*& instance) { instance = Instance; }
  void Check(TObject*, bool& ok) {
    Calls.push_back("check");
    ok = ValuesOk;
  }
  void Before(TObject*, TExIniFile* ini) { Calls.push_back(ini ? "before" : "before without file"); }
  void After(TObject*, TExIniFile*) { Calls.push_back("after"); }
  void Query(TObject*, TComponent* component, bool& handle) { handle = component != Skip; }
  void LoadError(TObject*) { Calls.push_back("load error"); }
  void SaveError(TObject*) { Calls.push_back("save error"); }
};

std::vector<String> GBoxes;
void RecordBox(const String& text, const String& caption) { GBoxes.push_back(caption + ": " + text); }

class ConfigFileTest : public TTempFolderTest {
protected:
  static void SetUpTestSuite() {
    RegisterControlClasses();
    RegisterSuperFormClasses();
    RegisterConfigFileClasses();
    RegisterClasses({TConfigProbe::StaticClass(), TConfigTestForm::StaticClass()});
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
  void SetUp() override {
    TTempFolderTest::SetUp();
    setenv("XEL_REGISTRY_DIR", Dir.c_str(), 1);
    GBoxes.clear();
    SetConfigErrorBox(&RecordBox);
    MakeForm();
  }
  void TearDown() override {
    Form.reset();
    SetConfigErrorBox(nullptr);
    unsetenv("XEL_REGISTRY_DIR");
    TTempFolderTest::TearDown();
  }

  // A form with an edit and a probe, and a configuration that keeps the edit's text, every
  // property of the probe, its second line, and the form's caption.
  void MakeForm() {
    Form.reset(New<TConfigTestForm>(nullptr));
    Form->SetBorderStyle(bsSizeable);
    Edit = New<TEdit>(Form.get());
    Edit->SetName("Edit1");
    Edit->SetParent(Form.get());
    Probe = New<TConfigProbe>(Form.get());
    Probe->SetName("Probe");
    Config = New<TConfigFile>(Form.get());
    Config->SetName("Config");
    Config->SetFileNameProp(Dir + "app.cfg");
    Config->SetRegistryRoot(rkCurrentUser);
    Config->SetRegistryPath("Software\\Xel GbR\\ConfigTest");
    Select(Edit, {"Text", "Tag"});
    Select(Probe, {"Count", "Letter", "Shade", "Active", "Ratio", "Scale", "Precise", "Title", "Styles", "Buddy"});
    TComponentEntry* probe = Config->Entries()->Items(1);
    TMainEntry* lines = TMainEntry::Create(probe->GetItems(), nullptr, "Lines", "", {stTStringsObject});
    TPropertyEntry::Create(lines, "Strings[1]", "", tkLString);
    Select(Form.get(), {"Caption"});
    Config->RefreshEntries();
    Log = std::make_unique<TEventLog>();
    Config->OnGetDefaults = MakeMethod<&TEventLog::Defaults>(Log.get());
    Config->OnGetInstance = MakeMethod<&TEventLog::GetInstance>(Log.get());
    Config->OnCheckValues = MakeMethod<&TEventLog::Check>(Log.get());
    Config->BeforeLoad = MakeMethod<&TEventLog::Before>(Log.get());
    Config->AfterLoad = MakeMethod<&TEventLog::After>(Log.get());
    Config->OnLoadComponentQuery = MakeMethod<&TEventLog::Query>(Log.get());
    Config->OnSaveComponentQuery = MakeMethod<&TEventLog::Query>(Log.get());
    Config->OnLoadError = MakeMethod<&TEventLog::LoadError>(Log.get());
    Config->OnSaveError = MakeMethod<&TEventLog::SaveError>(Log.get());
  }

  void Select(TComponent* component, std::initializer_list<const char*> names) {
    auto* entry = static_cast<TComponentEntry*>(Config->Entries()->Add());
    entry->SetRef(component);
    entry->SetSubType({stPubPropObject});
    for (const char* name : names) {
      PPropInfo prop = GetPropInfo(component, name);
      ASSERT_NE(prop, nullptr) << name;
      TPropertyEntry::Create(entry, name, "", prop->Kind());
    }
  }

  // Values far from the defaults, with the texts that storage would change if it could.
  void SetValues() {
    Edit->SetText("  padded;text  ");
    Edit->SetTag(5);
    Probe->FCount = -42;
    Probe->FLetter = 7;
    Probe->FShade = psDark;
    Probe->FActive = true;
    Probe->FRatio = 0.1 + 0.2;
    Probe->FScale = 0.1f;
    Probe->FPrecise = 1.0L / 3;  // more digits than a double holds
    Probe->FTitle = "first\r\nsecond 'quoted'";
    Probe->FStyles = {pyBold, pyUnderline};
    Probe->GetLines()->SetStrings(1, "'two' = 2");
    Probe->SetBuddy(Edit);
    Form->SetText("Configured");
  }

  void ExpectValues() {
    EXPECT_EQ(Edit->GetText(), "  padded;text  ");
    EXPECT_EQ(Edit->Tag(), 5);
    EXPECT_EQ(Probe->FCount, -42);
    EXPECT_EQ(Probe->FLetter, 7);
    EXPECT_EQ(Probe->FShade, psDark);
    EXPECT_TRUE(Probe->FActive);
    EXPECT_EQ(Probe->FRatio, 0.1 + 0.2);
    EXPECT_EQ(Probe->FScale, 0.1f);
    EXPECT_EQ(Probe->FPrecise, 1.0L / 3);
    EXPECT_EQ(Probe->FTitle, "first\r\nsecond 'quoted'");
    EXPECT_EQ(Probe->FStyles, (TProbeStyles{pyBold, pyUnderline}));
    EXPECT_EQ(Probe->GetLines()->Strings(1), "'two' = 2");
    EXPECT_EQ(Probe->GetBuddy(), nullptr);  // an address means nothing in the next run
    EXPECT_EQ(Form->Caption(), "Configured");
  }

  // "ident=value" padded so that the hint starts at column 49.
  static String Hinted(const String& ident, const String& value, const String& hint) {
    String line = ident + "=" + value;
    if (line.size() < 49) line.append(49 - line.size(), ' ');
    return line + ";" + hint;
  }

  std::unique_ptr<TConfigTestForm> Form;
  TEdit* Edit = nullptr;
  TConfigProbe* Probe = nullptr;
  TConfigFile* Config = nullptr;
  std::unique_ptr<TEventLog> Log;
};

TEST_F(ConfigFileTest, EveryKindComesBackFromAFileAndFromTheRegistry) {
  for (TConfigMode mode : {cmFile, cmRegistry}) {
    SCOPED_TRACE(mode == cmFile ? "file" : "registry");
    MakeForm();
    Config->SetMode(mode);
    SetValues();
    ASSERT_TRUE(Config->Save());
    MakeForm();
    Config->SetMode(mode);
    ASSERT_TRUE(Config->Load());
    ExpectValues();
    EXPECT_TRUE(GBoxes.empty());
  }
}

TEST_F(ConfigFileTest, TheFileHoldsOneHintedLinePerProperty) {
  SetValues();
  ASSERT_TRUE(Config->Save());
  const String text = Read("app.cfg");
  for (const String& line : {
           String("[TConfigTestForm]"),
           Hinted("Edit1.Text", "'  padded'#59'text  '", "String"),
           Hinted("Edit1.Tag", "5", "Integer"),
           Hinted("Probe.Count", "-42", "Integer"),
           Hinted("Probe.Letter", "7", "Char"),
           Hinted("Probe.Shade", "psDark", "(psLight,psMedium,psDark)"),
           Hinted("Probe.Active", "True", "(False,True)"),
           Hinted("Probe.Ratio", "0.30000000000000004", "Double"),
           Hinted("Probe.Scale", "0.1", "Single"),
           Hinted("Probe.Precise", "0.33333333333333333334", "Extended"),
           Hinted("Probe.Title", "'first'#13#10'second ''quoted'''", "String"),
           Hinted("Probe.Styles", "[pyBold,pyUnderline]", "[pyBold,pyItalic,pyUnderline]"),
           Hinted("Probe.Lines.Strings[1]", "'''two'' = 2'", "String"),
           Hinted("ConfigTestForm.Caption", "Configured", "String"),
       })
    EXPECT_NE(text.find(line + "\r\n"), String::npos) << line << "\n" << text;
  EXPECT_EQ(text.find("Buddy"), String::npos) << text;
}

TEST_F(ConfigFileTest, AHandEditedFileIsReadAndMissingEntriesAreWrittenBack) {
  Write("app.cfg",
        "; kept\r\n[TConfigTestForm]\r\nProbe.Count = 12   ; my note\r\nprobe.shade=psLight\r\n"
        "Probe.Title=a 'b' c\r\nProbe.Styles=[]\r\n[Other]\r\nX=1\r\n");
  ASSERT_TRUE(Config->Load());
  EXPECT_EQ(Probe->FCount, 12);
  EXPECT_EQ(Probe->FShade, psLight);
  EXPECT_EQ(Probe->FTitle, "a 'b' c");
  EXPECT_EQ(Probe->FStyles, TProbeStyles{});
  EXPECT_EQ(Probe->FRatio, 0.5);
  const String text = Read("app.cfg");
  EXPECT_NE(text.find(Hinted("Probe.Count", "12", "my note") + "\r\n"), String::npos) << text;
  EXPECT_NE(text.find(Hinted("Probe.Ratio", "0.5", "Double") + "\r\n"), String::npos) << text;
  EXPECT_NE(text.find(Hinted("Edit1.Text", "Edit1", "String") + "\r\n"), String::npos) << text;
  EXPECT_EQ(text.rfind("; kept\r\n", 0), 0u);
  EXPECT_NE(text.find("[Other]\r\nX=1\r\n"), String::npos);
  EXPECT_EQ(Log->Calls, (std::vector<String>{"defaults", "before", "after"}));
}

TEST_F(ConfigFileTest, ADamagedEntryFailsTheLoadAndChangesNothingElse) {
  struct TCase {
    const char* name;
    const char* entry;
  };
  for (const TCase& c : {TCase{"unknown enumeration value", "Probe.Shade=psPurple"},
                         TCase{"not a number", "Probe.Count=many"},
                         TCase{"not a float", "Probe.Ratio=1,5"},
                         TCase{"not an extended float", "Probe.Precise=1/3"},
                         TCase{"broken set", "Probe.Styles=[pyBold"},
                         TCase{"unknown set member", "Probe.Styles=[pyBold, pyItalic]"}}) {
    SCOPED_TRACE(c.name);
    MakeForm();
    Config->SetShowLoadError(true);
    Config->SetLoadErrorCaption("Options");
    GBoxes.clear();
    const String file = String("[TConfigTestForm]\r\nEdit1.Text=changed\r\nProbe.Active=True\r\n") + c.entry +
                        "\r\nProbe.Title=also changed\r\n";
    Write("app.cfg", file);
    const String text = Edit->GetText();
    EXPECT_FALSE(Config->Load());
    // Whatever the load had set is put back; the entries that follow are not applied.
    EXPECT_EQ(Edit->GetText(), text);
    EXPECT_FALSE(Probe->FActive);
    EXPECT_EQ(Probe->FTitle, "plain");
    EXPECT_EQ(GBoxes, (std::vector<String>{"Options: Configuration file could not be loaded."}));
    EXPECT_EQ(Log->Calls, (std::vector<String>{"defaults", "before", "load error", "after", "defaults"}));
    // The damaged text stays for the user to see, and so does every other entry.
    const String stored = Read("app.cfg");
    EXPECT_NE(stored.find(String(c.entry).substr(String(c.entry).find('='))), String::npos) << stored;
    EXPECT_NE(stored.find("also changed"), String::npos) << stored;
    EXPECT_EQ(Config->InternalStatus(), isNone);
  }
}

TEST_F(ConfigFileTest, AMissingStoreFailsTheLoadQuietlyAndRestoresDefaults) {
  for (TConfigMode mode : {cmFile, cmRegistry}) {
    SCOPED_TRACE(mode == cmFile ? "file" : "registry");
    MakeForm();
    Config->SetMode(mode);
    Probe->FCount = 9;
    EXPECT_FALSE(Config->Load());
    EXPECT_EQ(Probe->FCount, 9);
    EXPECT_TRUE(GBoxes.empty());  // ShowLoadError is off by default
    EXPECT_EQ(Log->Calls, (std::vector<String>{"defaults", "load error", "after", "defaults"}));
    EXPECT_FALSE(Exists("app.cfg"));
  }
}

TEST_F(ConfigFileTest, AFailedSaveIsShownAndReported) {
  // A file in place of the folder: not even root can write there.
  Write("locked", "");
  Config->SetFileNameProp(Dir + "locked/app.cfg");
  Config->SetSaveErrorCaption("Options");
  EXPECT_FALSE(Config->Save());
  EXPECT_EQ(GBoxes, (std::vector<String>{"Options: Configuration file could not be saved."}));
  EXPECT_EQ(Log->Calls, (std::vector<String>{"save error"}));

  // A save that fails half-way leaves the file as it was, not half old and half new.
  struct TFailing : TObject {
    void Query(TObject*, TComponent* component, bool&) {
      if (component->GetName() == "Probe") throw Exception("refused");
    }
  } failing;
  Config->SetFileNameProp(Dir + "app.cfg");
  ASSERT_TRUE(Config->Save());
  const String before = Read("app.cfg");
  Edit->SetText("changed");
  Config->OnSaveComponentQuery = MakeMethod<&TFailing::Query>(&failing);
  EXPECT_FALSE(Config->Save());
  EXPECT_EQ(Read("app.cfg"), before);
}

TEST_F(ConfigFileTest, OneComponentAloneAndTheComponentQueries) {
  SetValues();
  ASSERT_TRUE(Config->Save());
  MakeForm();
  EXPECT_TRUE(Config->LoadComponentState(nullptr));
  EXPECT_TRUE(Config->SaveComponentState(nullptr));
  EXPECT_TRUE(Log->Calls.empty());
  ASSERT_TRUE(Config->LoadComponentState(Edit));
  EXPECT_EQ(Edit->GetText(), "  padded;text  ");
  EXPECT_EQ(Probe->FCount, 0);
  EXPECT_EQ(Form->Caption(), "");
  // No defaults for a single component.
  EXPECT_EQ(Log->Calls, (std::vector<String>{"before", "after"}));

  Log->Skip = Probe;
  ASSERT_TRUE(Config->Load());
  EXPECT_EQ(Probe->FCount, 0);
  EXPECT_EQ(Form->Caption(), "Configured");
  Probe->FCount = 77;
  Edit->SetText("new");
  ASSERT_TRUE(Config->Save());
  Log->Skip = nullptr;
  MakeForm();
  ASSERT_TRUE(Config->Load());
  EXPECT_EQ(Probe->FCount, -42);
  EXPECT_EQ(Edit->GetText(), "new");
}

TEST_F(ConfigFileTest, ALoadOrSaveInsideAnotherIsACriticalError) {
  struct TNested : TObject {
    TConfigFile* Config = nullptr;
    bool Load = true;
    String Message;
    void Run(TObject*, TExIniFile*) {
      try {
        Load ? Config->Load() : Config->Save();
      } catch (const ECriticalError& e) {
        Message = e.Message();
      }
    }
  } nested;
  nested.Config = Config;
  Config->BeforeSave = MakeMethod<&TNested::Run>(&nested);
  EXPECT_TRUE(Config->Save());
  EXPECT_EQ(nested.Message,
            "TConfigFile: Invalid reentrance. Load request while saving not possible. Change your conception");
  nested.Load = false;
  Config->BeforeLoad = MakeMethod<&TNested::Run>(&nested);
  EXPECT_TRUE(Config->Load());
  EXPECT_EQ(nested.Message,
            "TConfigFile: Invalid reentrance. Save request while loading not possible. Change your conception");
  EXPECT_EQ(Config->InternalStatus(), isNone);
}

TEST_F(ConfigFileTest, WindowStateAndTheExtraObjectInTheirSections) {
  for (TConfigMode mode : {cmFile, cmRegistry}) {
    SCOPED_TRACE(mode == cmFile ? "file" : "registry");
    MakeForm();
    Config->SetMode(mode);
    Config->SetSaveSuperFormState(true);
    TConfigOptions options;
    options.Set(1, 640);
    options.Set(2, 7);
    options.SetPath("/srv/data;old");
    options.FPlain = 11;
    Log->Instance = &options;
    Form->SetBounds(120, 80, 640, 480);
    ASSERT_TRUE(Config->Save());
    if (mode == cmFile) {
      const String text = Read("app.cfg");
      EXPECT_NE(text.find("[TConfigTestForm]\r\nConfigTestForm=(120 80 640 480 0)\r\n"), String::npos) << text;
      EXPECT_NE(text.find("[General]\r\n" + Hinted("Width", "640", "Integer") + "\r\n"), String::npos) << text;
      EXPECT_NE(text.find("[Limits]\r\n" + Hinted("Depth", "7", "Integer") + "\r\n"), String::npos) << text;
      EXPECT_NE(text.find("[Default Section]\r\n" + Hinted("Path", "'/srv/data'#59'old'", "String") + "\r\n" +
                          Hinted("Plain", "11", "Integer") + "\r\n"),
                String::npos)
          << text;
    }

    MakeForm();
    Config->SetMode(mode);
    Config->SetSaveSuperFormState(true);
    TConfigOptions fresh;
    Log->Instance = &fresh;
    ASSERT_TRUE(Config->Load());
    EXPECT_EQ(Form->BoundsRect(), Bounds(120, 80, 640, 480));
    EXPECT_EQ(Form->GetPosition(), poDesigned);
    EXPECT_EQ(fresh.Get(1), 640);
    EXPECT_EQ(fresh.Get(2), 7);
    EXPECT_EQ(fresh.GetPath(), "/srv/data;old");
    EXPECT_EQ(fresh.FPlain, 11);
    EXPECT_EQ(Log->Calls, (std::vector<String>{"defaults", "before", "check", "after"}));

    // Values the application refuses fail the load and bring the defaults back.
    Log->Calls.clear();
    Log->ValuesOk = false;
    EXPECT_FALSE(Config->Load());
    EXPECT_EQ(Log->Calls, (std::vector<String>{"defaults", "before", "check", "load error", "after", "defaults"}));
  }
}

TEST_F(ConfigFileTest, WindowStateNeedsASuperForm) {
  EXPECT_NO_THROW(Config->SetSaveSuperFormState(true));
  TComponent owner(nullptr);
  auto* other = New<TConfigFile>(&owner);
  try {
    other->SetSaveSuperFormState(true);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TConfigFile.SaveSuperFormState property not changable: Owner form is not a TSuperForm");
  }
  EXPECT_FALSE(other->GetSaveSuperFormState());
}

TEST_F(ConfigFileTest, FileNameAndSectionDefaults) {
  TConfigFile loose(nullptr);
  EXPECT_EQ(loose.GetFileName(), ChangeFileExt(GetExeName(), ".cfg"));
  loose.SetFileNameProp("sub/my.ini");
  EXPECT_EQ(loose.GetFileName(), ExtractFilePath(GetExeName()) + "sub/my.ini");
  EXPECT_EQ(Config->GetFileName(), Dir + "app.cfg");
  EXPECT_EQ(Config->GetSection(), "TConfigTestForm");
  Config->SetSectionProp("Options");
  EXPECT_EQ(Config->GetSection(), "Options");
  EXPECT_EQ(loose.GetRegistryPath(), "Software\\Xel GbR\\MyApplication");
  EXPECT_EQ(loose.GetRegistryRoot(), rkLocalMachine);
  EXPECT_TRUE(loose.GetHintsEnabled());
  EXPECT_EQ(loose.GetHintPosition(), 49);
  EXPECT_EQ(loose.GetIniFile(), nullptr);
}

TEST_F(ConfigFileTest, TheSelectionTravelsInTheFormStreamAndLoadsItself) {
  Write("app.cfg", "[TConfigTestForm]\r\nEdit1.Text=from file\r\nProbe.Lines.Strings[1]=line from file\r\n"
                   "ConfigTestForm=(10 20 300 200 0)\r\n");
  // The form as stored, with the selection made above, AutoLoad and the window state.
  Config->SetAutoLoad(true);
  Config->SetSaveSuperFormState(true);
  // The handlers of the test are no published methods of the form: a stream cannot name them.
  Config->OnGetDefaults = nullptr;
  Config->OnGetInstance = nullptr;
  Config->OnCheckValues = nullptr;
  Config->BeforeLoad = Config->AfterLoad = nullptr;
  Config->OnLoadComponentQuery = Config->OnSaveComponentQuery = nullptr;
  TStringStream binary;
  binary.WriteComponent(Form.get());
  const String text = ObjectBinaryToText(binary.DataString());
  EXPECT_NE(text.find("Entries = <"), String::npos) << text;
  EXPECT_EQ(text.find("LoadErrorText"), String::npos) << text;  // defaults are not stored

  // Read back as a new form: the selection is bound to the new components and loads at once.
  TStringStream in(ObjectTextToBinary(text));
  std::unique_ptr<TComponent> root(in.ReadComponent(nullptr));
  auto* form = ClassCast<TConfigTestForm>(root.get());
  ASSERT_NE(form, nullptr);
  auto* edit = static_cast<TEdit*>(form->FindComponent("Edit1"));
  auto* probe = static_cast<TConfigProbe*>(form->FindComponent("Probe"));
  auto* config = static_cast<TConfigFile*>(form->FindComponent("Config"));
  ASSERT_TRUE(edit && probe && config);
  EXPECT_EQ(edit->GetText(), "from file");
  EXPECT_EQ(probe->GetLines()->Strings(1), "line from file");
  EXPECT_EQ(form->BoundsRect(), Bounds(10, 20, 300, 200));
  EXPECT_TRUE(config->GetSaveSuperFormState());
  TStringList items;
  config->Entries()->MoveSubItemsToStrings(mmNameOnly, &items);
  EXPECT_EQ(items.Count(), 14);
  // An entry whose component is gone is dropped, the rest still works.
  delete probe;
  EXPECT_EQ(config->Entries()->Count(), 2);
  edit->SetText("saved again");
  EXPECT_TRUE(config->Save());
  EXPECT_NE(Read("app.cfg").find(Hinted("Edit1.Text", "saved again", "String")), String::npos);
}

TEST_F(ConfigFileTest, AnOwnerThatIsNoSuperFormLosesTheWindowStateWhenLoaded) {
  const String text =
      "object Holder: TDataModule\n  object Config: TConfigFile\n    SaveSuperFormState = True\n  end\nend\n";
  TStringStream in(ObjectTextToBinary(text));
  std::unique_ptr<TComponent> root(in.ReadComponent(nullptr));
  auto* config = static_cast<TConfigFile*>(root->FindComponent("Config"));
  ASSERT_NE(config, nullptr);
  EXPECT_FALSE(config->GetSaveSuperFormState());
}

}  // namespace
}  // namespace test
}  // namespace xel
