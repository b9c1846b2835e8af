// The expert inside the designer: its menu items, the Form command on a form, the Unit
// command on units of many shapes (whose results the Free Pascal compiler judges, when it
// is installed), and the questions on read-only language files and lost statements.
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "ComponentRes.h"
#include "DesignInterfaceTools.h"
#include "DesignPackageFixture.h"
#include "FpcCompiler.h"
#include "Platform.h"
#include "Resources.h"
#include "SourceParser.h"
#include "Streams.h"
#include "StringTools.h"

namespace xel::test {
namespace {

using namespace MsgBox;

const char* const kFormUnit =
    "unit Unit1;\r\n\r\ninterface\r\n\r\nuses Forms;\r\n\r\nimplementation\r\n\r\n{$R *.DFM}\r\n\r\nend.\r\n";
const char* const kForm =
    "object Form1: TForm\n  Left = 10\n  Top = 10\n  Width = 320\n  Height = 200\n  Caption = 'Form1'\n"
    "  object Label1: TLabel\n    Left = 8\n    Top = 8\n    Caption = 'Name'\n  end\nend\n";

// The translation editor as a user who adds a language and the string "Greeting".
bool AddGreeting(const String&, TGlotta* glotta) {
  TLanguageManager* m = glotta->LanguageManager();
  if (m->GetLangCount() == 0) {
    TLanguageEntry* l = m->Langs()->Add();
    l->SetName("English");
    l->SetSubIndex(0);
  }
  if (m->IsUniqueStringName("Greeting")) m->AddString("Greeting");
  glotta->InitLanguages();
  return true;
}

// The resource name of a language file and whether its component holds "Greeting".
struct TLangFileContent {
  String ResName;
  bool HasGreeting = false;
};
TLangFileContent ReadLangFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  TLangFileContent content;
  content.ResName = file.ReadResHeader();
  TComponent owner(nullptr);
  auto* glotta = new TGlotta(&owner);
  file.ReadComponent(glotta);
  content.HasGreeting = !glotta->LanguageManager()->IsUniqueStringName("Greeting");
  return content;
}

// The first argument of the InitGlotta call in source.
String ResIDOf(const String& source) {
  TSourceParser parser(source);
  parser.ParseLines(ctPascal);
  String resID;
  GetResIDFromSource(parser, resID);
  return resID;
}

// How often the code (not its comments and strings) names token.
int TokenCount(const String& source, const String& token) {
  TSourceParser parser(source);
  parser.ParseLines(ctPascal);
  const int last = static_cast<int>(source.size()) - 1;
  int count = 0, found, next = 0;
  while (next >= 0 && next <= last && parser.FindToken(next, last, token, found, next, {})) ++count;
  return count;
}

class GlottaExpertTest : public DesignPackageTest {
protected:
  TGlottaExpert* Expert() const { return GlottaExpert(); }
  // A unit without a form, opened as the current module.
  TDesignModule* OpenUnit(const String& name, const String& source) {
    WriteFileAtomically(Dir + name + ".pas", source);
    return Designer->Open(Dir + name + ".pas");
  }
  String LangFile(const String& name) const { return Dir + name + ".lng"; }
};

TEST_F(GlottaExpertTest, MenuItemsComeWithThePackageFollowTheToolsLanguageAndGo) {
  ASSERT_NE(Expert(), nullptr);
  EXPECT_EQ(Expert()->GetIDString(), "Xelworks.Glotta");
  EXPECT_EQ(Expert()->GetComment(), "Xel Extension for Delphi");
  EXPECT_EQ(Expert()->GetPage(), "Xel");
  EXPECT_EQ(Expert()->GetStyle(), esForm);
  EXPECT_EQ(Expert()->GetMenuText(), "Glotta");
  // The second top-level menu gets a separator and the four commands, in this order.
  TMenuItem* tools = Designer->MainMenu()->Items()->Items(1);
  ASSERT_EQ(tools->Count(), 5);
  const String names[] = {Expert()->FormItemName(), Expert()->UnitItemName(), Expert()->AutoItemName(),
                          Expert()->ReportItemName()};
  EXPECT_EQ(tools->Items(0)->GetCaption(), "-");
  EXPECT_EQ(Expert()->MenuItems()->Count(), 5);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(tools->Items(i + 1)->Name(), names[i]);
    EXPECT_TRUE(names[i].starts_with("xelworks_mi_")) << names[i];
    EXPECT_EQ(names[i].size(), 16u) << names[i];
  }
  EXPECT_EQ(tools->Items(2)->GetShortCut(), ShortCut(VK_F9, {ssShift}));
  EXPECT_EQ(tools->Items(3)->GetShortCut(), ShortCut(VK_F11, {ssShift}));
  auto captions = [&] {
    std::vector<String> c;
    for (int i = 1; i < 5; ++i) c.push_back(tools->Items(i)->GetCaption());
    return c;
  };
  EXPECT_EQ(captions(), (std::vector<String>{"Multilingual Form...", "Multilingual Unit...",
                                             "Multilingual Form/Unit...", "Glotta - Overview"}));
  GlottaModule->SetLanguage("Deutsch");
  EXPECT_EQ(captions()[0], "Mehrsprachiges Formular...");
  GlottaModule->SetLanguage("English");
  // Report runs what the package installs (the overview window), and nothing without it.
  static int reports = 0;
  const TGlottaReportRunner overview = SetGlottaReportRunner(nullptr);
  EXPECT_NE(overview, nullptr);
  Click(Expert()->ReportItemName());
  SetGlottaReportRunner([] { ++reports; });
  Click(Expert()->ReportItemName());
  SetGlottaReportRunner(overview);
  EXPECT_EQ(reports, 1);
  // A second registration makes no second expert.
  RegisterGlottaExpert();
  EXPECT_EQ(LibraryExperts().size(), 1u);
  EXPECT_EQ(tools->Count(), 5);

  Designer->Packages().UnloadAll();
  EXPECT_EQ(tools->Count(), 0);
  EXPECT_EQ(Expert(), nullptr);
  EXPECT_EQ(GlottaModule, nullptr);
}

// The expert's glyph is the package's own icon group, and every image the group names is
// there, whole, in the classic layout: the colours with alpha, then the mask, both bottom up.
TEST_F(GlottaExpertTest, GlyphIsThePackagesIconGroupWithWholeImages) {
  const auto* group = reinterpret_cast<const TResourceEntry*>(Expert()->GetGlyph());
  ASSERT_NE(group, nullptr);
  // The package's module is the one with its palette pictures, not the designer's program.
  const void* package = nullptr;
  for (const void* m : ResourceModules())
    if (m != MainInstance() && FindResource(m, "TGLOTTA", RT_BITMAP)) package = m;
  ASSERT_NE(package, nullptr);
  EXPECT_EQ(group, FindResource(package, "#32512", RT_GROUP_ICON));

  auto u16 = [](const Byte* p) { return p[0] | p[1] << 8; };
  auto u32 = [&](const Byte* p) { return static_cast<std::uint32_t>(u16(p) | u16(p + 2) << 16); };
  const Byte* dir = group->Data;
  ASSERT_GE(group->Size, 6u);
  EXPECT_EQ(u16(dir), 0);
  EXPECT_EQ(u16(dir + 2), 1);  // icons, not cursors
  const int count = u16(dir + 4);
  ASSERT_EQ(group->Size, 6u + 14u * count);
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    const Byte* entry = dir + 6 + 14 * i;
    const int size = entry[0], bits = u16(entry + 6), id = u16(entry + 12);
    SCOPED_TRACE(size);
    EXPECT_EQ(entry[1], size);
    const TResourceEntry* image = FindResource(package, "#" + IntToStr(id), RT_ICON);
    ASSERT_NE(image, nullptr) << id;
    ASSERT_EQ(image->Size, u32(entry + 8));
    ASSERT_GE(image->Size, 40u);
    const Byte* header = image->Data;
    EXPECT_EQ(u32(header), 40u);
    EXPECT_EQ(static_cast<int>(u32(header + 4)), size);
    EXPECT_EQ(static_cast<int>(u32(header + 8)), 2 * size);  // the colours and the mask
    ASSERT_EQ(u16(header + 14), bits);
    ASSERT_EQ(bits, 32);
    const size_t maskStride = (size + 31) / 32 * 4;
    ASSERT_EQ(image->Size, 40 + size * (size * 4 + maskStride));
    // The corner lets the background through, the middle of the globe does not; alpha and
    // mask agree on both.
    const Byte* colours = header + 40;
    const Byte* mask = colours + size * size * 4;
    auto alpha = [&](int x, int y) { return colours[((size - 1 - y) * size + x) * 4 + 3]; };
    auto clear = [&](int x, int y) { return (mask[(size - 1 - y) * maskStride + x / 8] >> (7 - x % 8) & 1) != 0; };
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_TRUE(clear(0, 0));
    EXPECT_EQ(alpha(size / 2 - 2, size / 2 - 2), 255);
    EXPECT_FALSE(clear(size / 2 - 2, size / 2 - 2));
    sizes.push_back(size);
  }
  EXPECT_NE(std::find(sizes.begin(), sizes.end(), 32), sizes.end());
}

class tLowerExpert : public TCustomExpert {
  XEL_CLASS(tLowerExpert, TCustomExpert)
};
class PlainExpert : public TCustomExpert {
  XEL_CLASS(PlainExpert, TCustomExpert)
};

// A plain expert names itself after its class and has no glyph; without the designer it
// puts nothing into any menu.
TEST(CustomExpertTest, IdentityFollowsTheClassNameWithoutItsT) {
  TCustomExpert custom;
  tLowerExpert lower;
  PlainExpert plain;
  const std::pair<TCustomExpert*, const char*> cases[] = {
      {&custom, "CustomExpert"}, {&lower, "LowerExpert"}, {&plain, "PlainExpert"}};
  for (const auto& [expert, name] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(expert->GetName(), name);
    EXPECT_EQ(expert->GetIDString(), String("Xelworks.") + name);
    EXPECT_EQ(expert->GetMenuText(), name);
    EXPECT_EQ(expert->GetGlyph(), 0u);
    EXPECT_EQ(expert->GetStyle(), esStandard);
    String item = "x";
    expert->AddMenuItem(0, 0, "Item", "", 0, 0, 0, {mfEnabled, mfVisible}, {}, item);
    EXPECT_EQ(item, "");
    EXPECT_EQ(expert->MenuItems()->Count(), 0);
  }
}

// Indexes beyond either end land on the nearest place; a negative one counts from the end
// as Count - |index| + 1, so -1 means the place after the last item and, for the menus,
// both -1 and -2 mean the last menu.
TEST_F(GlottaExpertTest, MenuIndexesCountFromTheEndAndStayInsideTheMenu) {
  TMenuItem* top = Designer->MainMenu()->Items();
  const int menus = top->Count();
  ASSERT_GE(menus, 3);
  ASSERT_EQ(top->Items(1)->Count(), 5);
  constexpr int kAppend = 1000, kBeforeLast = 1001;
  struct TCase {
    int TopIndex, Index;
    int Menu;      // negative: from the end, -1 the last
    int Position;  // or kAppend, kBeforeLast
  };
  const TCase cases[] = {
      {0, 0, 0, 0},
      {1, 2, 1, 2},
      {-1, -1, -1, kAppend},
      {99, 99, -1, kAppend},
      {-99, -99, 0, 0},
      {1, -2, 1, kBeforeLast},
      {1, -6, 1, 0},
      {1, -7, 1, 0},
      {-2, 0, -1, 0},
      {-menus, -1, 1, kAppend},
      {-menus - 1, 0, 0, 0},
      {menus, 0, -1, 0},
      {menus - 1, 0, -1, 0},
  };
  auto expert = std::make_unique<TCustomExpert>();
  std::vector<String> names;
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.TopIndex << ", " << c.Index);
    TMenuItem* menu = top->Items(c.Menu < 0 ? menus + c.Menu : c.Menu);
    const int count = menu->Count();
    const int position = c.Position == kAppend ? count : c.Position == kBeforeLast ? count - 1 : c.Position;
    ASSERT_LE(position, count);
    String name;
    expert->AddMenuItem(c.TopIndex, c.Index, "Probe", "", 0, 0, 0, {mfEnabled, mfVisible}, {}, name);
    ASSERT_FALSE(name.empty());
    ASSERT_EQ(menu->Count(), count + 1);
    EXPECT_EQ(menu->Items(position)->Name(), name);
    EXPECT_EQ(top->Count(), menus);
    EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end()) << "names stay unique";
    names.push_back(name);
    // Taken away again at once, so that every case sees the menus as they were.
    expert->DelMenuItem(name);
    EXPECT_EQ(menu->Count(), count);
    EXPECT_EQ(MenuItem(name), nullptr);
    EXPECT_EQ(expert->MenuItems()->Count(), 0);
  }
  // What is left goes with the expert; a name it does not know changes nothing.
  String kept;
  expert->AddMenuItem(0, -1, "Kept", "", 0, 0, 0, {mfEnabled, mfVisible}, {}, kept);
  expert->DelMenuItem("xelworks_mi_FFFF");
  EXPECT_NE(MenuItem(kept), nullptr);
  EXPECT_EQ(expert->MenuItems()->Count(), 1);
  expert.reset();
  EXPECT_EQ(MenuItem(kept), nullptr);
  EXPECT_EQ(top->Items(1)->Count(), 5) << "the Glotta expert's items stay";
}

TEST_F(GlottaExpertTest, FormDropsOneGlottaOnlyWhenAskedAndOpensTheEditor) {
  WriteFileAtomically(Dir + "Unit1.pas", kFormUnit);
  WriteFileAtomically(Dir + "Unit1.dfm", kForm);
  Designer->Open(Dir + "Unit1.pas");
  TEditorScript::Run = [](const String&, TGlotta*) { return true; };
  // No: nothing is dropped, the editor stays shut.
  AnswerWith({mbNo});
  Click(Expert()->FormItemName());
  EXPECT_EQ(Asked, std::vector<String>{"CreateMultilingualForm"});
  EXPECT_EQ(Designer->GetRoot()->FindComponent("Glotta"), nullptr);
  EXPECT_TRUE(TEditorScript::Titles.empty());
  EXPECT_FALSE(Designer->Current()->Modified());
  // Yes: one TGlotta at (32, 8), the editor on it with an empty title, the form changed.
  Asked.clear();
  AnswerWith({mbYes});
  Click(Expert()->AutoItemName());
  EXPECT_EQ(Asked, std::vector<String>{"CreateMultilingualForm"});
  auto* glotta = dynamic_cast<TGlotta*>(Designer->GetRoot()->FindComponent("Glotta"));
  ASSERT_NE(glotta, nullptr);
  EXPECT_EQ(glotta->DesignInfo(), (8 << 16) | 32);
  EXPECT_EQ(TEditorScript::Titles, std::vector<String>{""});
  EXPECT_TRUE(Designer->Current()->Modified());
  // Again: no question, the same component; a rejected edit changes nothing.
  Designer->Current()->Save();
  Asked.clear();
  TGlotta* edited = nullptr;
  TEditorScript::Run = [&](const String&, TGlotta* g) {
    edited = g;
    return false;
  };
  Click(Expert()->FormItemName());
  EXPECT_TRUE(Asked.empty());
  EXPECT_EQ(edited, glotta);
  EXPECT_FALSE(Designer->Current()->Modified());
}

TEST_F(GlottaExpertTest, CommandsSayWhyTheyCannotRun) {
  AnswerWith({mbOK});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(Asked, std::vector<String>{"ENoFileName"});
  // A language file that is no file cannot be handled.
  OpenUnit("Folder", "unit Folder;\r\ninterface\r\nimplementation\r\nend.\r\n");
  ASSERT_TRUE(std::filesystem::create_directory(LangFile("Folder")));
  Asked.clear();
  AnswerWith({mbOK});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(Asked, std::vector<String>{"ELangFileError"});
  // A unit without a form has no form interface.
  OpenUnit("Plain", "unit Plain;\r\ninterface\r\nimplementation\r\nend.\r\n");
  Asked.clear();
  AnswerWith({mbOK});
  Click(Expert()->FormItemName());
  EXPECT_EQ(Asked, std::vector<String>{"ENoFormInterface"});
}

// Units of many shapes: what the Unit command writes must compile, and a second run
// changes nothing.
struct TUnitShape {
  const char* Name;
  const char* Text;
};
const TUnitShape kShapes[] = {
    {"Bare", "unit Bare;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nend.\r\n"},
    {"BothUses",
     "unit BothUses;\r\n\r\ninterface\r\n\r\nuses SysUtils;\r\n\r\nfunction Twice(X: Integer): Integer;\r\n\r\n"
     "implementation\r\n\r\nuses\r\n  Classes, { initialization end. }\r\n  Math;\r\n\r\n"
     "function Twice(X: Integer): Integer;\r\nbegin\r\n  Result := X * 2;\r\nend;\r\n\r\nend.\r\n"},
    {"Initialized",
     "unit Initialized;\r\ninterface\r\nvar\r\n  Count: Integer;\r\nimplementation\r\ninitialization\r\n"
     "  Count := 1;\r\nfinalization\r\n  Count := 0;\r\nend.\r\n"},
    {"FinalizedOnly",
     "unit FinalizedOnly;\r\ninterface\r\nvar\r\n  Count: Integer;\r\nimplementation\r\nfinalization\r\n"
     "  Count := 0;\r\nend.\r\n"},
    {"InterfaceUses",
     "unit InterfaceUses;\r\n\r\ninterface\r\n\r\nuses\r\n  SysUtils, Classes;\r\n\r\ntype\r\n"
     "  TNames = TStringList;\r\n\r\nimplementation\r\n\r\nend.\r\n"},
    {"ImplementationUses",
     "unit ImplementationUses;\r\n\r\ninterface\r\n\r\nfunction Upper(const S: string): string;\r\n\r\n"
     "implementation\r\n\r\nuses SysUtils;\r\n\r\nfunction Upper(const S: string): string;\r\nbegin\r\n"
     "  Result := UpperCase(S);\r\nend;\r\n\r\nend.\r\n"},
    {"UsesGlotta",
     "unit UsesGlotta;\r\n\r\ninterface\r\n\r\nuses SysUtils, Glotta;\r\n\r\nvar\r\n  Reader: TGetString;\r\n\r\n"
     "implementation\r\n\r\nend.\r\n"},
    {"UsesGlottaLate",
     "unit UsesGlottaLate;\r\ninterface\r\nimplementation\r\nuses\r\n  SysUtils,\r\n  glotta;\r\nend.\r\n"},
    {"MainBlock",
     "unit MainBlock;\r\ninterface\r\nvar\r\n  Count: Integer;\r\nimplementation\r\nbegin\r\n  Count := 1;\r\nend.\r\n"},
    {"Camouflaged",
     "unit Camouflaged;\r\n{ implementation uses initialization InitGlotta( end. }\r\ninterface\r\n"
     "// uses Glotta; initialization\r\nconst\r\n  Words = 'implementation uses Glotta; initialization end.';\r\n"
     "(* InitGlotta('{Y}',LangChange,GetString); *)\r\nimplementation\r\n"
     "procedure Show(const S: string);\r\nbegin\r\n  if S = 'end.' then Exit;\r\nend;\r\n\r\nend."},
};

TEST_F(GlottaExpertTest, UnitWritesLanguageFileAndSourceThatCompileOnceForEveryShape) {
  TFpc* fpc = nullptr;
  std::unique_ptr<TFpc> compiler;
  if (TFpc::Installed()) {
    compiler = std::make_unique<TFpc>();
    fpc = compiler.get();
    fpc->AddStub("glotta.pas",
                 "unit Glotta;\r\ninterface\r\ntype\r\n  TGetString = function(const Name: string): string;\r\n"
                 "  TLangChangeProc = procedure(const Language: string);\r\n"
                 "procedure InitGlotta(const ResName: string; LangChange: TLangChangeProc;\r\n"
                 "  var GetString: TGetString);\r\nimplementation\r\n"
                 "procedure InitGlotta(const ResName: string; LangChange: TLangChangeProc;\r\n"
                 "  var GetString: TGetString);\r\nbegin\r\nend;\r\nend.\r\n");
  } else if (TFpc::InCI()) {
    FAIL() << "fpc is not installed in CI";
  }
  TEditorScript::Run = AddGreeting;
  for (const TUnitShape& shape : kShapes) {
    SCOPED_TRACE(shape.Name);
    TDesignModule* module = OpenUnit(shape.Name, shape.Text);
    Asked.clear();
    AnswerWith({mbYes});
    Click(Expert()->UnitItemName());
    EXPECT_EQ(Asked, std::vector<String>{"CreateMultilingualUnit"});
    const String source = module->Source();
    const String resID = ResIDOf(source);
    ASSERT_EQ(resID.size(), 38u) << source;
    EXPECT_NO_THROW(StringToGUID(resID));
    EXPECT_NE(source.find("{$R *.LNG}"), String::npos);
    EXPECT_NE(source.find("  InitGlotta('" + resID + "',LangChange,GetString);"), String::npos);
    // One uses clause names Glotta, whether the unit had it before or not.
    EXPECT_EQ(TokenCount(source, "Glotta"), 1) << source;
    ASSERT_TRUE(FileExists(LangFile(shape.Name)));
    const TLangFileContent content = ReadLangFile(LangFile(shape.Name));
    EXPECT_EQ(content.ResName, resID);
    EXPECT_TRUE(content.HasGreeting);
    // The original's strings and comments are all still there, unchanged.
    TSourceParser before(shape.Text), after(source);
    before.ParseLines(ctPascal);
    after.ParseLines(ctPascal);
    for (int i = 0; i < before.Blocks()->Count(); ++i)
      EXPECT_NE(source.find(before.Blocks()->Items(i)->BlockText()), String::npos) << i;
    if (fpc) {
      // The directive names the file with the extension as written.
      const String unitFile = String(shape.Name) + ".pas";
      String log;
      // With the stand-in units: some originals use Glotta already.
      ASSERT_TRUE(fpc->Compile(unitFile, shape.Text, true, log)) << "the original does not compile:\n" << log;
      EXPECT_TRUE(fpc->Compile(unitFile, source, true, log, {{String(shape.Name) + ".LNG", "resource"}}))
          << source << "\n" << log;
    }
    // Twice: the unit stays as it is, the file keeps its name and its strings.
    Asked.clear();
    TEditorScript::Run = [](const String&, TGlotta*) { return true; };
    Click(Expert()->UnitItemName());
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(module->Source(), source);
    EXPECT_EQ(ReadLangFile(LangFile(shape.Name)).ResName, resID);
    EXPECT_TRUE(ReadLangFile(LangFile(shape.Name)).HasGreeting);
    TEditorScript::Run = AddGreeting;
  }
  if (!fpc) GTEST_SKIP() << "fpc is not installed: the changed units were not compiled";
}

// The designer's services with one part failing, as another host's may: the module of the
// current file, the form's root component, or the reader or writer of the editor buffer.
enum class TFault { Module, FormComponent, Reader, Writer };

class TFaultyForm : public TIFormInterface {
public:
  TFaultyForm(TIFormInterface* inner, TFault fault) : FInner(inner), FFault(fault) {}
  String GetFormName() override { return FInner->GetFormName(); }
  TIComponentInterface* GetFormComponent() override {
    return FFault == TFault::FormComponent ? nullptr : FInner->GetFormComponent();
  }
  TIComponentInterface* FindComponent(const String& name) override { return FInner->FindComponent(name); }
  TIComponentInterface* CreateComponent(TIComponentInterface* container, const String& typeName, int x, int y, int w,
                                        int h) override {
    return FInner->CreateComponent(container, typeName, x, y, w, h);
  }
  bool MarkModified() override { return FInner->MarkModified(); }

private:
  TIntf<TIFormInterface> FInner;
  TFault FFault;
};

class TFaultyEditor : public TIEditorInterface {
public:
  TFaultyEditor(TIEditorInterface* inner, TFault fault) : FInner(inner), FFault(fault) {}
  String FileName() override { return FInner->FileName(); }
  int LinesInBuffer() override { return FInner->LinesInBuffer(); }
  TIEditReader* CreateReader() override { return FFault == TFault::Reader ? nullptr : FInner->CreateReader(); }
  TIEditWriter* CreateWriter() override { return FFault == TFault::Writer ? nullptr : FInner->CreateWriter(); }

private:
  TIntf<TIEditorInterface> FInner;
  TFault FFault;
};

class TFaultyModule : public TIModuleInterface {
public:
  TFaultyModule(TIModuleInterface* inner, TFault fault) : FInner(inner), FFault(fault) {}
  String GetFileName() override { return FInner->GetFileName(); }
  TIFormInterface* GetFormInterface() override {
    TIFormInterface* form = FInner->GetFormInterface();
    return form ? new TFaultyForm(form, FFault) : nullptr;
  }
  TIEditorInterface* GetEditorInterface() override {
    TIEditorInterface* editor = FInner->GetEditorInterface();
    return editor ? new TFaultyEditor(editor, FFault) : nullptr;
  }
  bool ShowForm() override { return FInner->ShowForm(); }
  bool Save(bool forceSave) override { return FInner->Save(forceSave); }

private:
  TIntf<TIModuleInterface> FInner;
  TFault FFault;
};

class TFaultyServices : public TIToolServices {
public:
  TFaultyServices(TIToolServices* inner, TFault fault) : FInner(inner), FFault(fault) {}
  String GetCurrentFile() override { return FInner->GetCurrentFile(); }
  TIModuleInterface* GetModuleInterface(const String& fileName) override {
    if (FFault == TFault::Module) return nullptr;
    return Wrap(FInner->GetModuleInterface(fileName));
  }
  TIModuleInterface* GetFormModuleInterface(const String& formName) override {
    return Wrap(FInner->GetFormModuleInterface(formName));
  }
  TIMainMenuIntf* GetMainMenu() override { return FInner->GetMainMenu(); }
  bool OpenFile(const String& fileName) override { return FInner->OpenFile(fileName); }
  bool SaveFile(const String& fileName) override { return FInner->SaveFile(fileName); }

private:
  TIModuleInterface* Wrap(TIModuleInterface* module) { return module ? new TFaultyModule(module, FFault) : nullptr; }
  TIToolServices* FInner;  // the designer's own
  TFault FFault;
};

// Puts the faulty services in place of the designer's for its life.
class TFaultyServicesScope {
public:
  explicit TFaultyServicesScope(TFault fault) : FOriginal(ToolServices()), FFaulty(new TFaultyServices(FOriginal, fault)) {
    SetToolServices(FFaulty);
  }
  ~TFaultyServicesScope() {
    SetToolServices(FOriginal);
    FFaulty->Release();
  }
  TFaultyServicesScope(const TFaultyServicesScope&) = delete;
  TFaultyServicesScope& operator=(const TFaultyServicesScope&) = delete;

private:
  TIToolServices* FOriginal;
  TIToolServices* FFaulty;
};

// Whatever fails, the unit stays as it was; the language file is written only where the
// user chose to go on, and an existing one keeps its resource name.
TEST_F(GlottaExpertTest, FailuresOfTheDesignerLeaveTheUnitAsItWas) {
  enum class TSetup { NewUnit, LostStatement, Form };
  struct TCase {
    const char* Name;
    TFault Fault;
    TSetup Setup;
    std::vector<TMsgBoxButton> Answers;
    std::vector<String> Asked;
    bool Saved;  // the editor ran and its work is in the language file
  };
  const TCase cases[] = {
      {"no module", TFault::Module, TSetup::NewUnit, {mbOK}, {"ENoModuleInterface"}, false},
      {"no form component", TFault::FormComponent, TSetup::Form, {mbOK}, {"ENoFormComponent"}, false},
      {"unreadable source, stop", TFault::Reader, TSetup::NewUnit, {mbNo}, {"ESourceReadError"}, false},
      {"unreadable source, go on",
       TFault::Reader,
       TSetup::NewUnit,
       {mbYes, mbYes, mbYes},
       {"ESourceReadError", "CreateMultilingualUnit", "ESyntaxError Continue"},
       true},
      {"unwritable source, stop",
       TFault::Writer,
       TSetup::NewUnit,
       {mbYes, mbNo},
       {"CreateMultilingualUnit", "ESourceWriteError Continue"},
       false},
      {"unwritable source, go on",
       TFault::Writer,
       TSetup::NewUnit,
       {mbYes, mbYes},
       {"CreateMultilingualUnit", "ESourceWriteError Continue"},
       true},
      {"restore fails, stop",
       TFault::Writer,
       TSetup::LostStatement,
       {mbYes, mbNo},
       {"EStatementNotFound Restore", "ERestoreError Continue"},
       false},
      {"restore fails, go on",
       TFault::Writer,
       TSetup::LostStatement,
       {mbYes, mbYes},
       {"EStatementNotFound Restore", "ERestoreError Continue"},
       true},
  };
  int n = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const String name = "Case" + IntToStr(++n);
    TDesignModule* module;
    String firstID;
    if (c.Setup == TSetup::Form) {
      WriteFileAtomically(Dir + name + ".dfm", kForm);
      module = OpenUnit(name, StringReplace(kFormUnit, "Unit1", name, rfReplaceAll));
    } else {
      module = OpenUnit(name, kShapes[0].Text);
    }
    if (c.Setup == TSetup::LostStatement) {
      // A language file from an earlier run, whose statement the user then deleted.
      TEditorScript::Run = [](const String&, TGlotta*) { return true; };
      AnswerWith({mbYes});
      Click(Expert()->UnitItemName());
      firstID = ReadLangFile(LangFile(name)).ResName;
      ASSERT_EQ(firstID.size(), 38u);
      module->SetSource(kShapes[0].Text);
    }
    const String source = module->Source();
    Asked.clear();
    TEditorScript::Titles.clear();
    TEditorScript::Run = AddGreeting;
    Answers.assign(c.Answers.begin(), c.Answers.end());
    {
      TFaultyServicesScope faulty(c.Fault);
      Click(c.Setup == TSetup::Form ? Expert()->FormItemName() : Expert()->UnitItemName());
    }
    EXPECT_EQ(Asked, c.Asked);
    EXPECT_EQ(module->Source(), source);
    EXPECT_EQ(TEditorScript::Titles.size(), c.Saved ? 1u : 0u);
    if (c.Setup == TSetup::Form) {
      EXPECT_EQ(Designer->GetRoot()->FindComponent("Glotta"), nullptr);
    } else if (c.Setup == TSetup::LostStatement) {
      const TLangFileContent content = ReadLangFile(LangFile(name));
      EXPECT_EQ(content.ResName, firstID);
      EXPECT_EQ(content.HasGreeting, c.Saved);
    } else {
      ASSERT_EQ(FileExists(LangFile(name)), c.Saved);
      if (c.Saved) {
        EXPECT_TRUE(ReadLangFile(LangFile(name)).HasGreeting);
      }
    }
  }
}

// C++ units: the same command writes C++ lines that the compiler takes, and the program then
// finds the unit's strings in its language file.
const TUnitShape kCppShapes[] = {
    {"Plain", "#include <string>\n\nstd::string Hello() { return \"hello\"; }\n"},
    {"NoIncludes", "// A unit without includes.\nint Twice(int x) { return 2 * x; }\n"},
    {"Camouflaged",
     "/* #include \"x.h\" InitGlotta(\"{Y}\") */\n#include <string>\n#if 0\n#include \"missing.h\"\n#endif\n"
     "const char* Words = \"InitGlotta(\\\"{Z}\\\", a, b) #include\";\nint F() { return 1; }"},
    {"Crlf", "#include <cstdio>\r\n\r\nvoid Print() { std::puts(\"x\"); }\r\n"},
};

// The lines of a text that hold something, each ended by "\n": the command may add blank
// lines around what it inserts and gives a last line its break.
String WithoutBlankLines(const String& text) {
  const String plain = ReplaceAll(text, "\r\n", "\n");
  String lines;
  for (size_t start = 0; start < plain.size();) {
    const size_t end = std::min(plain.find('\n', start), plain.size());
    const String line = plain.substr(start, end - start);
    if (!Trim(line).empty()) lines += line + "\n";
    start = end + 1;
  }
  return lines;
}

std::vector<String> SplitBars(const String& text) {
  std::vector<String> parts;
  for (size_t start = 0; start <= text.size();) {
    const size_t bar = std::min(text.find('|', start), text.size());
    if (bar > start) parts.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  return parts;
}

// The test's compiler, with the flags and paths of the package as built.
String CompileCommand(const String& mode) {
  String command = String(XEL_CXX) + " -std=c++20 " + XEL_CXX_FLAGS + " " + mode;
  for (const String& dir : SplitBars(XEL_CXX_INCLUDES))
    if (!dir.empty()) command += " -I" + QuotedStr(dir);
  return command;
}

bool RunCommand(const String& command, String& log) {
  const String out = command + " >" + QuotedStr(log) + " 2>&1";
  const int status = std::system(out.c_str());
  log = FileExists(log) ? ReadTextFile(log, false) : String();
  return status == 0;
}

// The editor as a user who gives the unit the string "Greeting" in English.
bool AddEnglishGreeting(const String& title, TGlotta* glotta) {
  TLanguageManager* m = glotta->LanguageManager();
  if (m->GetLangCount() == 0) {
    TLanguageEntry* l = m->Langs()->Add();
    l->SetName("English");
    l->SetSubIndex(0);
  }
  if (m->IsUniqueStringName("Greeting")) m->AddString("Greeting")->SetLangValue(0, Variant("Hello from the unit"));
  return AddGreeting(title, glotta);
}

TEST_F(GlottaExpertTest, UnitOnCppSourcesCompilesOnceAndFindsItsStringsAtRunTime) {
  TEditorScript::Run = AddEnglishGreeting;
  for (const TUnitShape& shape : kCppShapes) {
    SCOPED_TRACE(shape.Name);
    const String unitFile = Dir + shape.Name + ".cpp";
    WriteFileAtomically(unitFile, shape.Text);
    TDesignModule* module = Designer->Open(unitFile);
    Asked.clear();
    AnswerWith({mbYes});
    Click(Expert()->UnitItemName());
    EXPECT_EQ(Asked, std::vector<String>{"CreateMultilingualUnit"});
    const String source = module->Source();
    TSourceParser parser(source);
    parser.ParseLines(ctC);
    String resID;
    ASSERT_TRUE(GetResIDFromSource(parser, resID)) << source;
    EXPECT_NO_THROW(StringToGUID(resID));
    EXPECT_EQ(ReadLangFile(LangFile(shape.Name)).ResName, resID);
    // What the unit had is still there, in its order and with its own line breaks.
    String rest = source;
    const size_t from = rest.find("#include \"GlottaUnit.h\"");
    const size_t to = rest.find("}  // namespace", from);
    ASSERT_NE(to, String::npos) << source;
    rest.erase(from, rest.find('\n', to) + 1 - from);
    EXPECT_EQ(WithoutBlankLines(rest), WithoutBlankLines(String(shape.Text) + "\n"));
    EXPECT_EQ(source.find("\r\n") != String::npos, String(shape.Text).find("\r\n") != String::npos);
    // The command changed the designer's buffer; the compiler reads the file.
    WriteFileAtomically(unitFile, source);
    String log = Dir + shape.Name + ".log";
    EXPECT_TRUE(RunCommand(CompileCommand("-fsyntax-only -Wall -Werror") + " -x c++ " + QuotedStr(unitFile), log))
        << source << "\n" << log;
    // Twice: nothing changes.
    Asked.clear();
    TEditorScript::Run = [](const String&, TGlotta*) { return true; };
    Click(Expert()->UnitItemName());
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(module->Source(), source);
    TEditorScript::Run = AddEnglishGreeting;
  }

  // The first unit in a program: its language file linked as a resource, the string read
  // through the unit's GetString once the program has registered the package's classes.
  const String unitFile = Dir + "Plain.cpp";
  WriteFileAtomically(unitFile, ReadTextFile(unitFile, false) +
                                    "xel::String UnitGreeting() { return GetString(\"Greeting\"); }\n");
  WriteFileAtomically(Dir + "main.cpp",
                      "#include <cstdio>\n#include \"Glotta.h\"\nxel::String UnitGreeting();\n"
                      "int main() {\n  xel::RegisterGlottaClasses();\n"
                      "  std::printf(\"%s\\n\", UnitGreeting().c_str());\n  return 0;\n}\n");
  String log = Dir + "embed.log";
  ASSERT_TRUE(RunCommand(String(XEL_CMAKE) + " -DINPUT=" + QuotedStr(LangFile("Plain")) + " -DOUTPUT=" +
                             QuotedStr(Dir + "PlainLng.cpp") + " -DNAME=Plain.lng -P " +
                             QuotedStr(XEL_EMBED_SCRIPT),
                         log))
      << log;
  String link = CompileCommand("-o " + QuotedStr(Dir + "program")) + " " + QuotedStr(unitFile) + " " +
                QuotedStr(Dir + "main.cpp") + " " + QuotedStr(Dir + "PlainLng.cpp");
  for (const String& lib : SplitBars(XEL_CXX_LIBS))
    link += " " + QuotedStr(lib) + " -Wl,-rpath," + QuotedStr(ExtractFileDir(lib));
  log = Dir + "link.log";
  ASSERT_TRUE(RunCommand(link, log)) << log;
  log = Dir + "run.log";
  ASSERT_TRUE(RunCommand("ASAN_OPTIONS=detect_leaks=0 " + QuotedStr(Dir + "program"), log)) << log;
  EXPECT_EQ(log, "Hello from the unit\n");
}

TEST_F(GlottaExpertTest, UnitWithoutTheShapeItNeedsIsLeftAsItWas) {
  const String text = "unit NoImpl;\r\ninterface\r\nend.\r\n";
  TDesignModule* module = OpenUnit("NoImpl", text);
  TEditorScript::Run = AddGreeting;
  AnswerWith({mbYes, mbNo});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(Asked, (std::vector<String>{"CreateMultilingualUnit", "ESyntaxError Continue"}));
  EXPECT_EQ(module->Source(), text);
  EXPECT_FALSE(FileExists(LangFile("NoImpl")));
  EXPECT_TRUE(TEditorScript::Titles.empty());
  // Going on without the code still keeps the translations.
  Asked.clear();
  AnswerWith({mbYes, mbYes});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(module->Source(), text);
  EXPECT_EQ(TEditorScript::Titles, std::vector<String>{Dir + "NoImpl.pas"});
  EXPECT_TRUE(ReadLangFile(LangFile("NoImpl")).HasGreeting);
}

TEST_F(GlottaExpertTest, ReadOnlyLanguageFileOpensTheEditorButSavesNothing) {
  TEditorScript::Run = AddGreeting;
  TDesignModule* module = OpenUnit("Locked", kShapes[0].Text);
  AnswerWith({mbYes});
  Click(Expert()->UnitItemName());
  const String source = module->Source();
  const String saved = ReadTextFile(LangFile("Locked"));
  ASSERT_TRUE(FileSetReadOnly(LangFile("Locked"), true));

  struct TCase {
    std::vector<TMsgBoxButton> Answers;
    std::vector<String> Asked;
    size_t EditorRuns;
  };
  const TCase cases[] = {
      {{mbNo}, {"ELangFileError ReadOnly Continue"}, 0},
      {{mbYes, mbNo}, {"ELangFileError ReadOnly Continue", "ESaveError ReadOnly Reopen"}, 1},
      {{mbYes, mbYes}, {"ELangFileError ReadOnly Continue", "ESaveError ReadOnly Reopen"}, 2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Answers.size());
    Asked.clear();
    TEditorScript::Titles.clear();
    Answers.assign(c.Answers.begin(), c.Answers.end());
    Click(Expert()->UnitItemName());
    EXPECT_EQ(Asked, c.Asked);
    EXPECT_EQ(TEditorScript::Titles.size(), c.EditorRuns);
    EXPECT_EQ(ReadTextFile(LangFile("Locked")), saved);
    EXPECT_EQ(module->Source(), source);
  }
  // Without its statement the source can only be given up on, not restored.
  const String lost = kShapes[0].Text;
  module->SetSource(lost);
  Asked.clear();
  AnswerWith({mbYes, mbYes, mbNo});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(Asked, (std::vector<String>{"ELangFileError ReadOnly Continue", "EStatementNotFound Restore",
                                        "ERestoreError ReadOnly Continue"}));
  EXPECT_EQ(module->Source(), lost);
  FileSetReadOnly(LangFile("Locked"), false);
}

// A language file that cannot be written (a folder stands in its place, which no rename
// replaces, for root too): the editor may be opened again, and once the way is free the
// file is written.
TEST_F(GlottaExpertTest, LanguageFileThatCannotBeWrittenOffersTheEditorAgain) {
  const String blocker = LangFile("Blocked");
  int runs = 0;
  TEditorScript::Run = [&](const String& title, TGlotta* glotta) {
    ++runs;
    if (runs == 1) {
      std::filesystem::create_directories(blocker + "/inside");
    } else {
      std::filesystem::remove_all(blocker);
    }
    return AddGreeting(title, glotta);
  };
  TDesignModule* module = OpenUnit("Blocked", kShapes[0].Text);
  AnswerWith({mbYes, mbNo});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(Asked, (std::vector<String>{"CreateMultilingualUnit", "EWriteError Reopen"}));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(std::filesystem::is_directory(blocker));
  const String resID = ResIDOf(module->Source());
  ASSERT_EQ(resID.size(), 38u);

  // Yes: the editor opens again on what the user did, and the file is written this time.
  std::filesystem::remove_all(blocker);
  module->SetSource(kShapes[0].Text);
  runs = 0;
  Asked.clear();
  AnswerWith({mbYes, mbYes});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(Asked, (std::vector<String>{"CreateMultilingualUnit", "EWriteError Reopen"}));
  EXPECT_EQ(runs, 2);
  ASSERT_TRUE(FileExists(blocker));
  const TLangFileContent content = ReadLangFile(blocker);
  EXPECT_EQ(content.ResName, ResIDOf(module->Source()));
  EXPECT_TRUE(content.HasGreeting);
}

TEST_F(GlottaExpertTest, LostStatementIsRestoredOrTheFileKeepsItsOwnName) {
  TEditorScript::Run = AddGreeting;
  TDesignModule* module = OpenUnit("Lost", kShapes[1].Text);
  AnswerWith({mbYes});
  Click(Expert()->UnitItemName());
  const String firstID = ReadLangFile(LangFile("Lost")).ResName;
  const String saved = ReadTextFile(LangFile("Lost"));
  TEditorScript::Run = [](const String&, TGlotta*) { return true; };

  // Cancel: nothing happens.
  module->SetSource(kShapes[1].Text);
  AnswerWith({mbCancel});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(module->Source(), kShapes[1].Text);
  EXPECT_EQ(ReadTextFile(LangFile("Lost")), saved);
  EXPECT_TRUE(TEditorScript::Titles.size() == 1);
  // No: the source stays without the call; what the editor saves keeps the file's name.
  AnswerWith({mbNo});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(module->Source(), kShapes[1].Text);
  EXPECT_EQ(ReadLangFile(LangFile("Lost")).ResName, firstID);
  // Yes: the code comes back with a new identifier, and the file is saved under it even
  // when the editor is left without accepting.
  TEditorScript::Run = [](const String&, TGlotta*) { return false; };
  Asked.clear();
  AnswerWith({mbYes});
  Click(Expert()->UnitItemName());
  EXPECT_EQ(Asked, std::vector<String>{"EStatementNotFound Restore"});
  const String newID = ResIDOf(module->Source());
  EXPECT_EQ(newID.size(), 38u);
  EXPECT_NE(newID, firstID);
  const TLangFileContent content = ReadLangFile(LangFile("Lost"));
  EXPECT_EQ(content.ResName, newID);
  EXPECT_TRUE(content.HasGreeting);
}

// The first literal of an InitGlotta call before the final "end." names the resource.
TEST(GlottaExpertSourceTest, ResourceIdentifierIsTheFirstLiteralArgument) {
  struct TCase {
    const char* Text;
    bool Found;
    const char* ResID;
  };
  const TCase cases[] = {
      {"unit A; implementation initialization InitGlotta(' {A} ',X,Y); InitGlotta('{B}',X,Y); end.", true, "{A}"},
      {"unit A; implementation initialization InitGlotta(Name,X,Y); initglotta ( '{B}',X,Y); end.", true, "{B}"},
      {"unit A; implementation initialization InitGlotta('',X,Y); end.", false, ""},
      {"unit A; implementation { InitGlotta('{C}') } const S = 'InitGlotta(''{D}'')'; end.", false, ""},
      {"unit A; implementation end. InitGlotta('{E}',X,Y);", false, ""},
      {"unit A; implementation initialization InitGlotta('{F}',X,Y);", false, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TSourceParser parser(c.Text);
    parser.ParseLines(ctPascal);
    String resID = "x";
    EXPECT_EQ(GetResIDFromSource(parser, resID), c.Found);
    EXPECT_EQ(resID, c.ResID);
  }
}

TEST(GlottaExpertSourceTest, EditorBuffersNeedTheDesigner) {
  String source = "x";
  EXPECT_FALSE(ReadSourceCode(false, "Unit1.pas", source));
  EXPECT_EQ(source, "");
  EXPECT_FALSE(WriteSourceCode(true, "Form1", "unit A;"));
}

TEST(GlottaExpertSourceTest, UnitsWithoutTheNeededShapeAreNotModified) {
  const char* const texts[] = {
      "unit A;\r\ninterface\r\nend.\r\n",                                     // no implementation
      "unit A;\r\ninterface\r\nimplementation\r\n",                           // no final end.
      "unit A;\r\ninterface\r\nimplementation\r\nprocedure P;\r\nbegin\r\n  try\r\nend.\r\n",  // blocks do not balance
      "unit A;\r\ninterface\r\nimplementation\r\nuses SysUtils\r\nend.\r\n",   // the uses clause never ends
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    TSourceParser parser(text);
    parser.ParseLines(ctPascal);
    EXPECT_FALSE(ModifySourceCode(parser, "{ID}"));
    EXPECT_EQ(parser.Text(), text);
  }
}

TEST(GlottaExpertSourceTest, InsertedCodeStandsWhereTheCompilerWantsIt) {
  TSourceParser parser(
      "unit A;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nuses SysUtils;\r\n\r\nvar X: Integer;\r\n\r\nend.");
  parser.ParseLines(ctPascal);
  ASSERT_TRUE(ModifySourceCode(parser, "{ID}"));
  EXPECT_EQ(parser.Text(),
            "unit A;\r\n\r\ninterface\r\n\r\nuses\r\n  Glotta;\r\n\r\nimplementation\r\n\r\nuses SysUtils;\r\n\r\n"
            "{$R *.LNG}\r\n\r\nvar\r\n  GetString:TGetString;\r\n\r\n"
            "procedure LangChange(const Language:string);\r\nbegin\r\nend;\r\n\r\n"
            "var X: Integer;\r\n\r\ninitialization\r\n  InitGlotta('{ID}',LangChange,GetString);\r\n\r\nend.");
}

}  // namespace
}  // namespace xel::test
