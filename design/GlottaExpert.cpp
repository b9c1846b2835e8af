#include "GlottaExpert.h"

#include <sys/stat.h>

#include <utility>

#include "Application.h"
#include "DesignInterfaceTools.h"
#include "DsgnRegistry.h"
#include "GlottaModule.h"
#include "Platform.h"
#include "Resources.h"
#include "SourceParser.h"
#include "StringTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /design/GlottaExpert.cpp 1 11.12.26 0:20 XG $")

namespace xel {

namespace {

using namespace MsgBox;

TGlottaExpert* Expert = nullptr;
TGlottaReportRunner ReportRunner = nullptr;

// The package's globe, drawn by palette/MakePaletteBitmaps.py.
constexpr int kIconResource = 32512;

Integer ErrorMessage(const String& name) { return ServiceMessage(name, mtError, {}); }
bool AskYesNo(const String& name, TMsgBoxType type) { return ServiceMessage(name, type, {mbYes, mbNo}) == mrYes; }
bool AskError(const String& name) { return AskYesNo(name, mtError); }

String NewResID() { return GUIDToString(CreateGUID()); }

// The declarations that go after "implementation" or its uses clause.
const char* const kDeclarations =
    "\r\n\r\n{$R *.LNG}\r\n\r\nvar\r\n  GetString:TGetString;\r\n\r\n"
    "procedure LangChange(const Language:string);\r\nbegin\r\nend;\r\n\r\n";

// The state of the language file beside a unit.
enum class TLangFile { Missing, Writable, ReadOnly, Unreadable };

TLangFile LangFileState(const String& fileName) {
  struct stat st {};
  if (stat(fileName.c_str(), &st) != 0) return FileExists(fileName) ? TLangFile::Unreadable : TLangFile::Missing;
  if (!S_ISREG(st.st_mode)) return TLangFile::Unreadable;
  return FileIsReadOnly(fileName) ? TLangFile::ReadOnly : TLangFile::Writable;
}

// One run of the Unit command on a unit without a form.
class TUnitCommand {
public:
  TUnitCommand(const String& fileName, const String* source)
      : FPasFile(ChangeFileExt(fileName, ".pas")), FLngFile(ChangeFileExt(fileName, ".lng")),
        FGlotta(new TGlotta(Application)) {
    if (source) {
      FParser = std::make_unique<TSourceParser>(*source);
      FParser->ParseLines(ctPascal);
    }
  }
  ~TUnitCommand() { delete FGlotta; }
  TUnitCommand(const TUnitCommand&) = delete;
  TUnitCommand& operator=(const TUnitCommand&) = delete;

  void Run() {
    if (LangFileState(FLngFile) == TLangFile::Missing) CreateNew();
    else OpenExisting();
  }

private:
  void CreateNew() {
    if (!AskYesNo("CreateMultilingualUnit", mtConfirmation)) return;
    FResID = NewResID();
    const bool ok = FParser && ModifySourceCode(*FParser, FResID);
    if (!ok) {
      if (!AskError("ESyntaxError Continue")) return;
    } else if (!WriteSourceCode(false, FPasFile, FParser->Text())) {
      if (!AskError("ESourceWriteError Continue")) return;
    }
    ExecuteGlottaEditor(FPasFile, FGlotta);
    Save();
  }

  void OpenExisting() {
    const TLangFile state = LangFileState(FLngFile);
    if (state == TLangFile::Unreadable) {
      ErrorMessage("ELangFileError");
      return;
    }
    const bool readOnly = state == TLangFile::ReadOnly;
    if (readOnly && !AskError("ELangFileError ReadOnly Continue")) return;
    bool restored = false;
    if (FParser && !GetResIDFromSource(*FParser, FResID)) {
      switch (ServiceMessage("EStatementNotFound Restore", mtError, {mbYes, mbNo, mbCancel})) {
        case mrYes:
          if (readOnly) {
            if (!AskError("ERestoreError ReadOnly Continue")) return;
          } else {
            FResID = NewResID();
            restored = ModifySourceCode(*FParser, FResID) && WriteSourceCode(false, FPasFile, FParser->Text());
            if (!restored && !AskError("ERestoreError Continue")) return;
            if (!restored) FResID.clear();
          }
          break;
        case mrNo:
          break;
        default:
          return;
      }
    }
    // Damaged files raise from the reader, to the designer.
    String stored;
    {
      TFileStream file(FLngFile, fmOpenRead | fmShareDenyWrite);
      stored = file.ReadResHeader();
      file.ReadComponent(FGlotta);
    }
    // Without the identifier of the source the file keeps its own, so that saving never
    // leaves the unit's InitGlotta call without its resource.
    if (FResID.empty()) FResID = stored;
    if (ExecuteGlottaEditor(FPasFile, FGlotta) || restored) Save();
  }

  void Save() {
    for (;;) {
      if (LangFileState(FLngFile) == TLangFile::ReadOnly) {
        if (AskError("ESaveError ReadOnly Reopen")) ExecuteGlottaEditor(FPasFile, FGlotta);
        return;
      }
      try {
        TMemoryStream data;
        data.WriteComponentRes(FResID, FGlotta);
        WriteFileAtomically(FLngFile, std::string_view(reinterpret_cast<const char*>(data.Memory()),
                                                       static_cast<size_t>(data.Size())));
        return;
      } catch (const std::exception&) {
        if (!AskError("EWriteError Reopen")) return;
        ExecuteGlottaEditor(FPasFile, FGlotta);
      }
    }
  }

  String FPasFile;
  String FLngFile;
  String FResID;
  std::unique_ptr<TSourceParser> FParser;
  TGlotta* FGlotta;
};

// The module of the designer's current file; messages tell why there is none.
bool GetModuleInterface(String& fileName, TIntf<TIModuleInterface>& module) {
  fileName.clear();
  module.Reset();
  if (!GlottaModule) return false;
  TIToolServices* services = ToolServices();
  if (!services) {
    ErrorMessage("ENoDesignInterface");
    return false;
  }
  fileName = Trim(services->GetCurrentFile());
  if (fileName.empty()) {
    ErrorMessage("ENoFileName");
    return false;
  }
  module.Reset(services->GetModuleInterface(ChangeFileExt(fileName, ".pas")));
  if (!module) {
    ErrorMessage("ENoModuleInterface");
    return false;
  }
  return true;
}

}  // namespace

TGlottaExpert::TGlottaExpert() {
  const TIMenuFlags flags{mfEnabled, mfVisible};
  String separator;
  AddMenuItem(1, -1, "-", "", 0, 0, 0, flags, MakeMethod<&TCustomExpert::ExecuteHandler>(this), separator);
  AddMenuItem(1, -1, "Form", "", 0, 0, 0, flags, MakeMethod<&TGlottaExpert::ExecuteForm>(this), FFormItem);
  AddMenuItem(1, -1, "Unit", "", ShortCut(VK_F9, {ssShift}), 0, 0, flags,
              MakeMethod<&TGlottaExpert::ExecuteUnit>(this), FUnitItem);
  AddMenuItem(1, -1, "Auto", "", ShortCut(VK_F11, {ssShift}), 0, 0, flags,
              MakeMethod<&TGlottaExpert::ExecuteAuto>(this), FAutoItem);
  AddMenuItem(1, -1, "Report", "", 0, 0, 0, flags, MakeMethod<&TGlottaExpert::ExecuteReport>(this), FReportItem);
  LangChange(nullptr);
  if (GlottaModule) GlottaModule->OnChange = MakeMethod<&TGlottaExpert::LangChange>(this);
}

TGlottaExpert::~TGlottaExpert() {
  if (GlottaModule && GlottaModule->OnChange == MakeMethod<&TGlottaExpert::LangChange>(this))
    GlottaModule->OnChange = {};
  if (Expert == this) Expert = nullptr;
}

std::uintptr_t TGlottaExpert::GetGlyph() {
  return reinterpret_cast<std::uintptr_t>(FindResource(HInstance(), "#" + IntToStr(kIconResource), RT_GROUP_ICON));
}

void TGlottaExpert::LangChange(TObject*) {
  if (!GlottaModule) return;
  const std::pair<const String*, const char*> captions[] = {{&FFormItem, "Multilingual Form"},
                                                            {&FUnitItem, "Multilingual Unit"},
                                                            {&FAutoItem, "Multilingual Form Unit"},
                                                            {&FReportItem, "Glotta Report"}};
  for (const auto& [item, name] : captions) {
    TIntf<TIMenuItemIntf> menuItem(GetMenuItem(*item));
    if (!menuItem) continue;
    String caption;
    try {
      caption = GlottaModule->GetString(name);
    } catch (const EStringNotFound&) {
    }
    if (!caption.empty()) menuItem->SetCaption(caption);
  }
}

void TGlottaExpert::ExecuteForm(TIMenuItemIntf*) {
  String fileName;
  TIntf<TIModuleInterface> module;
  if (!GetModuleInterface(fileName, module)) return;
  TIntf<TIFormInterface> form(module->GetFormInterface());
  if (!form) {
    ErrorMessage("ENoFormInterface");
    return;
  }
  module->ShowForm();
  Application->ProcessMessages();
  TIntf<TIComponentInterface> root(form->GetFormComponent());
  if (!root) {
    ErrorMessage("ENoFormComponent");
    return;
  }
  TIntf<TIComponentInterface> glotta;
  for (int i = 0; i < root->GetComponentCount() && !glotta; ++i) {
    TIntf<TIComponentInterface> child(root->GetComponent(i));
    if (child && child->GetComponentType() == "TGlotta") glotta = std::move(child);
  }
  if (!glotta) {
    if (!AskYesNo("CreateMultilingualForm", mtConfirmation)) return;
    glotta.Reset(form->CreateComponent(root.Get(), "TGlotta", 32, 8, 8, 8));
    if (!glotta) {
      ErrorMessage("EAddComponentFailed");
      return;
    }
  }
  if (ExecuteGlottaEditor("", dynamic_cast<TGlotta*>(glotta->GetComponentHandle()))) form->MarkModified();
}

void TGlottaExpert::ExecuteUnit(TIMenuItemIntf*) {
  String fileName;
  TIntf<TIModuleInterface> module;
  if (!GetModuleInterface(fileName, module)) return;
  String source;
  const bool read = ReadSourceCode(false, ChangeFileExt(fileName, ".pas"), source);
  if (!read && !AskError("ESourceReadError")) return;
  TUnitCommand command(fileName, read ? &source : nullptr);
  command.Run();
}

void TGlottaExpert::ExecuteAuto(TIMenuItemIntf* menuItem) {
  String fileName;
  TIntf<TIModuleInterface> module;
  if (!GetModuleInterface(fileName, module)) return;
  TIntf<TIFormInterface> form(module->GetFormInterface());
  module.Reset();
  if (form) ExecuteForm(menuItem);
  else ExecuteUnit(menuItem);
}

void TGlottaExpert::ExecuteReport(TIMenuItemIntf*) {
  if (ReportRunner) ReportRunner();
}

bool GetResIDFromSource(const TSourceParser& parser, String& resID) {
  resID.clear();
  int moduleEnd;
  if (!parser.FindModuleEnd(moduleEnd)) return false;
  int found, next = 0;
  while (next >= 0 && parser.FindTokenSequence(next, moduleEnd - 1, {"InitGlotta", "("}, found, next, {})) {
    String token;
    int tokenPos, after, block;
    if (parser.FindNextToken(next, moduleEnd - 1, token, tokenPos, after) && token == "'" &&
        parser.GetBlockIndex(btString, tokenPos, block)) {
      const String text = parser.Blocks()->Items(block)->BlockText();
      if (text.size() >= 3) resID = Trim(text.substr(1, text.size() - 2));
      return !resID.empty();
    }
  }
  return false;
}

bool ModifySourceCode(TSourceParser& parser, const String& resID) {
  int moduleEnd, found, next;
  if (!parser.FindModuleEnd(moduleEnd)) return false;
  if (!parser.FindToken(0, moduleEnd - 1, "implementation", found, next, {}))
    return false;
  int declarationsAt = next;
  String token;
  int tokenPos, after;
  if (parser.FindNextToken(next, moduleEnd - 1, token, tokenPos, after) && SameText(token, "uses")) {
    if (!parser.FindSymbol(after, moduleEnd - 1, ";", found, declarationsAt, {})) declarationsAt = -1;
  }
  bool hasMain;
  int mainOffset;
  if (declarationsAt < 0 || !parser.Pas_HasUnitMainProgram(hasMain, mainOffset)) return false;
  if (hasMain && mainOffset <= declarationsAt) return false;

  const String statement = "  InitGlotta('" + resID + "',LangChange,GetString);";
  int callAt;
  String block;
  if (hasMain) {
    callAt = mainOffset;
    block = "\r\n" + statement + "\r\n";
  } else if (parser.FindToken(declarationsAt, moduleEnd - 1, "initialization", found, next, {})) {
    callAt = next;
    block = "\r\n" + statement + "\r\n" + "  ";
  } else {
    // A new section goes before "finalization" when the unit has one: the compiler takes
    // the two sections only in this order.
    callAt = parser.FindToken(declarationsAt, moduleEnd - 1, "finalization", found, next, {}) ? found : moduleEnd;
    block = "\r\n\r\ninitialization\r\n" + statement + "\r\n" + "\r\n";
  }
  String text = parser.Text();
  // TrimInsert counts from 1.
  TrimInsert(block, text, callAt + 1);
  TrimInsert(kDeclarations, text, declarationsAt + 1);

  const String original = parser.Text();
  parser.SetText(text);
  parser.ParseLines(ctPascal);
  bool alreadyUsed;
  const bool used = parser.Pas_UseUnit("Glotta", true, alreadyUsed);
  if (!used) parser.SetText(original);
  parser.ParseLines(ctPascal);
  return used;
}

TGlottaReportRunner SetGlottaReportRunner(TGlottaReportRunner runner) { return std::exchange(ReportRunner, runner); }

void RegisterGlottaExpert() {
  if (Expert || !GlottaModule) return;
  Expert = new TGlottaExpert;
  RegisterLibraryExpert(Expert);
}

TGlottaExpert* GlottaExpert() { return Expert; }

}  // namespace xel
