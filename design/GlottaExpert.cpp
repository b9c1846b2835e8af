#include "GlottaExpert.h"

#include <sys/stat.h>

#include <cctype>
#include <cstring>
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

// A unit of C++ keeps its own source file; any other is a Pascal unit.
bool IsCppUnit(const String& fileName) {
  const String ext = LowerCase(ExtractFileExt(fileName));
  return ext == ".cpp" || ext == ".cc" || ext == ".cxx";
}

String UnitSourceFile(const String& fileName) {
  return IsCppUnit(fileName) ? fileName : ChangeFileExt(fileName, ".pas");
}

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
      : FUnitFile(UnitSourceFile(fileName)), FLngFile(ChangeFileExt(fileName, ".lng")),
        FGlotta(new TGlotta(Application)) {
    if (source) {
      FParser = std::make_unique<TSourceParser>(*source);
      FParser->ParseLines(IsCppUnit(FUnitFile) ? ctC : ctPascal);
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
    } else if (!WriteSourceCode(false, FUnitFile, FParser->Text())) {
      if (!AskError("ESourceWriteError Continue")) return;
    }
    ExecuteGlottaEditor(FUnitFile, FGlotta);
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
            restored = ModifySourceCode(*FParser, FResID) && WriteSourceCode(false, FUnitFile, FParser->Text());
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
    if (ExecuteGlottaEditor(FUnitFile, FGlotta) || restored) Save();
  }

  void Save() {
    for (;;) {
      if (LangFileState(FLngFile) == TLangFile::ReadOnly) {
        if (AskError("ESaveError ReadOnly Reopen")) ExecuteGlottaEditor(FUnitFile, FGlotta);
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
        ExecuteGlottaEditor(FUnitFile, FGlotta);
      }
    }
  }

  String FUnitFile;
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
  module.Reset(services->GetModuleInterface(UnitSourceFile(fileName)));
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
  const bool read = ReadSourceCode(false, UnitSourceFile(fileName), source);
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
  const bool c = parser.CodeType() == ctC;
  // C has no final "end.": the whole file counts.
  int moduleEnd = static_cast<int>(parser.Text().size());
  if (!c && !parser.FindModuleEnd(moduleEnd)) return false;
  int found, next = 0;
  while (next >= 0 && parser.FindTokenSequence(next, moduleEnd - 1, {"InitGlotta", "("}, found, next, {})) {
    String token;
    int tokenPos, after, block;
    if (parser.FindNextToken(next, moduleEnd - 1, token, tokenPos, after) && token == (c ? "\"" : "'") &&
        parser.GetBlockIndex(btString, tokenPos, block)) {
      const String text = parser.Blocks()->Items(block)->BlockText();
      if (text.size() >= 3) resID = Trim(text.substr(1, text.size() - 2));
      return !resID.empty();
    }
  }
  return false;
}

namespace {

// The line break the text uses already.
String LineBreakOf(const String& text) { return text.find("\r\n") != String::npos ? "\r\n" : "\n"; }

bool IsDirective(const String& text, int at, int lineEnd, const char* name) {
  const size_t length = std::strlen(name);
  if (text.compare(static_cast<size_t>(at), length, name) != 0) return false;
  const int after = at + static_cast<int>(length);
  return after >= lineEnd || !std::isalnum(static_cast<unsigned char>(text[static_cast<size_t>(after)]));
}

// Where a C++ unit takes the new lines: after the last unconditional #include before the
// first line of code, else before that line (its leading comments stay on top).
int CppInsertionPoint(const TSourceParser& parser) {
  const String& text = parser.Text();
  const String& mask = parser.Mask();
  const int size = static_cast<int>(text.size());
  int insertAt = -1;
  int depth = 0;  // of #if blocks
  for (int lineStart = 0; lineStart < size;) {
    int lineEnd = static_cast<int>(text.find('\n', static_cast<size_t>(lineStart)));
    if (lineEnd < 0) lineEnd = size;
    int first = lineStart;
    while (first < lineEnd && (mask[static_cast<size_t>(first)] != SourceMask::Code ||
                               std::isspace(static_cast<unsigned char>(text[static_cast<size_t>(first)]))))
      ++first;
    if (first < lineEnd) {
      if (text[static_cast<size_t>(first)] != '#') return insertAt >= 0 ? insertAt : lineStart;
      int directive = first + 1;
      while (directive < lineEnd && std::isblank(static_cast<unsigned char>(text[static_cast<size_t>(directive)])))
        ++directive;
      if (IsDirective(text, directive, lineEnd, "if") || IsDirective(text, directive, lineEnd, "ifdef") ||
          IsDirective(text, directive, lineEnd, "ifndef"))
        ++depth;
      else if (IsDirective(text, directive, lineEnd, "endif"))
        --depth;
      else if (depth == 0 && IsDirective(text, directive, lineEnd, "include"))
        insertAt = lineEnd < size ? lineEnd + 1 : size;
    }
    lineStart = lineEnd + 1;
  }
  return insertAt >= 0 ? insertAt : size;
}

// The C++ form of what a Pascal unit gets: the unit's strings, a procedure that hears of
// switches, and the call that loads the language file, run when the program starts.
bool ModifyCppSourceCode(TSourceParser& parser, const String& resID) {
  const String& original = parser.Text();
  const String br = LineBreakOf(original);
  int at = CppInsertionPoint(parser);
  String block;
  // A file whose last line has no break gets one before the new lines.
  if (at > 0 && original[static_cast<size_t>(at - 1)] != '\n') block += br;
  block += "#include \"GlottaUnit.h\"" + br + br +
           "// The unit's translations: the language file beside it (.lng), linked into the program" + br +
           "// with xel_add_resources; they load when the program registers the package's classes." + br +
           "namespace {" + br + "xel::TGetString GetString;" + br +
           "void LangChange(const xel::String& /*Language*/) {}" + br +
           "const xel::TUnitInitialization GlottaInitialization([] { xel::InitGlotta(\"" + resID +
           "\", LangChange, GetString); });" + br + "}  // namespace" + br;
  if (at < static_cast<int>(original.size())) block += br;
  String text = original;
  text.insert(static_cast<size_t>(at), block);
  parser.SetText(text);
  parser.ParseLines(ctC);
  return true;
}

}  // namespace

bool ModifySourceCode(TSourceParser& parser, const String& resID) {
  if (parser.CodeType() == ctC) return ModifyCppSourceCode(parser, resID);
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
