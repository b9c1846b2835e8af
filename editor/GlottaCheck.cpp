#include "GlottaCheck.h"

#include <algorithm>
#include <memory>

#include "Application.h"
#include "ExIniFile.h"
#include "Format.h"
#include "Glotta.h"
#include "GlottaEditor.h"
#include "GlottaModule.h"
#include "GlottaParser.h"
#include "GlottaSearch.h"
#include "MsgBox.h"
#include "RegisterControls.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /editor/GlottaCheck.cpp 1 11.12.26 4:05 XG $")

namespace xel {

namespace {

constexpr Integer kCheckHelpContext = 4000;
constexpr const char* kPascalHint = " (* ??? TGlotta *) ";
// "(*" is no comment in C++: the mark there is a comment the compiler skips too.
constexpr const char* kCHint = " /* ??? TGlotta */ ";

// ---- where the source comes from ----------------------------------------------------------------

// Outside the designer a unit is its file: the name as given, or with a source extension.
bool ReadUnitFile(bool isForm, const String& name, String& source) {
  if (isForm || name.empty()) return false;
  for (const char* extension : {"", ".pas", ".cpp"}) {
    const String file = name + extension;
    if (FileExists(file) && !DirectoryExists(file)) {
      source = ReadTextFile(file, true);
      return true;
    }
  }
  return false;
}

bool WriteUnitFile(bool isForm, const String& name, const String& source) {
  if (isForm || name.empty()) return false;
  for (const char* extension : {"", ".pas", ".cpp"}) {
    const String file = name + extension;
    if (FileExists(file) && !DirectoryExists(file)) {
      WriteFileAtomically(file, source);
      return true;
    }
  }
  return false;
}

TGlottaSourceReader gReader = nullptr;
TGlottaSourceWriter gWriter = nullptr;

// The length of the string literal that starts at offset (quotes included); 0 when none
// starts there or it does not end.
size_t LiteralLength(const String& source, size_t offset, TCodeType codeType) {
  const char quote = codeType == ctC ? '"' : '\'';
  if (offset >= source.size() || source[offset] != quote) return 0;
  for (size_t i = offset + 1; i < source.size(); ++i) {
    if (codeType == ctC && source[i] == '\\') {
      ++i;
    } else if (source[i] == quote) {
      if (codeType != ctC && i + 1 < source.size() && source[i + 1] == quote) ++i;
      else return i - offset + 1;
    }
  }
  return 0;
}

String Literal(const String& name, TCodeType codeType) {
  if (codeType != ctC) return "'" + StringToPascalString(name) + "'";
  String out = "\"";
  for (char c : name) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

void SetGlottaSourceAccess(TGlottaSourceReader reader, TGlottaSourceWriter writer) {
  gReader = reader;
  gWriter = writer;
}

bool ReadGlottaSource(bool isForm, const String& name, String& source) {
  return gReader ? gReader(isForm, name, source) : ReadUnitFile(isForm, name, source);
}

bool WriteGlottaSource(bool isForm, const String& name, const String& source) {
  return gWriter ? gWriter(isForm, name, source) : WriteUnitFile(isForm, name, source);
}

TCodeType GlottaSourceType(const String& name) {
  const String extension = LowerCase(ExtractFileExt(name));
  for (const char* c : {".cpp", ".cc", ".cxx", ".c", ".h", ".hpp", ".hxx"})
    if (extension == c) return ctC;
  return ctPascal;
}

// ---- the dialog ---------------------------------------------------------------------------------

TGlottaVerifyForm::~TGlottaVerifyForm() {
  if (FSaveConfig) {
    FSaveConfig = false;
    Config()->Save();
  }
}

TGlotta* TGlottaVerifyForm::Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }

void TGlottaVerifyForm::FormCreate(TObject*) {
  GetSizeMinTrack()->SetSizeX(640);
  GetSizeMinTrack()->SetSizeY(350);
  GetSizeMinTrack()->SetEnabled(true);
  const Integer buttons = OwnedComponent<TPanel>(this, "PanelButtons")->Width();
  PanelAvail()->SetWidth((GetClientWidth() - buttons) / 2);
  BtnUnused()->SetVisible(false);
  CheckButtons();
}

bool TGlottaVerifyForm::IsReference(const TListItem* item) const {
  return item && item->Data() && static_cast<const TErrRow*>(item->Data())->Reference;
}

int TGlottaVerifyForm::OffsetOf(const TListItem* item) const {
  return item && item->Data() ? static_cast<const TErrRow*>(item->Data())->Offset : -1;
}

void TGlottaVerifyForm::SelectErr(int index) {
  FSelecting = true;
  TFinally done([this] { FSelecting = false; });
  TListView* list = ListErr();
  list->SetSelected(index >= 0 && index < list->ItemCount() ? list->Item(index) : nullptr);
}

void TGlottaVerifyForm::Init(TLanguageManager* manager, TStrings* names, TGlottaParser* scanner, TFont* font,
                             TConfigFile* config) {
  FManager = manager;
  FCodeType = scanner->CodeType() == ctC ? ctC : ctPascal;
  FHint = FCodeType == ctC ? kCHint : kPascalHint;
  if (font) {
    ListErr()->SetFont(font);
    ListAvail()->SetFont(font);
  }
  if (config) {
    TConfigFile* own = Config();
    TakeConfigSettings(own, config);
    own->SetSaveSuperFormState(true);
    own->Load();
    FSaveConfig = true;
  }
  TListView* list = ListErr();
  list->ClearItems();
  FErrRows.clear();
  auto add = [&](const String& message, const String& text, bool reference, int offset) {
    FErrRows.push_back({reference, offset});
    TListItem* item = list->AddItem();
    item->SetCaption(message);
    item->SubItems()->Add(text);
    item->SubItems()->Add("");
    item->SetData(&FErrRows.back());
  };
  TStringList* unknown = scanner->UnknownNames();
  for (int i = 0; i < unknown->Count(); ++i)
    add(Glotta()->GetString("Error"), unknown->Strings(i), true, TGlottaParser::OffsetOf(unknown->Objects(i)));
  TStringList* invalid = scanner->InvalidCalls();
  for (int i = 0; i < invalid->Count(); ++i)
    add(Glotta()->GetString("Warning"), invalid->Strings(i), false, TGlottaParser::OffsetOf(invalid->Objects(i)));
  list->AlphaSort();
  SelectErr(0);
  FSelectedByHand = false;
  PanelTop()->SetText(Format(Glotta()->GetString("InvalidRefs"), {unknown->Count()}));
  TListView* avail = ListAvail();
  avail->ClearItems();
  for (int i = 0; names && i < names->Count(); ++i) avail->AddItem()->SetCaption(names->Strings(i));
  avail->AlphaSort();
  FSelecting = true;
  avail->SetSelected(avail->ItemCount() > 0 ? avail->Item(0) : nullptr);
  FSelecting = false;
  BtnUnused()->SetEnabled(scanner->UnusedNames()->Count() > 0);
  CheckButtons();
}

void TGlottaVerifyForm::CheckButtons() {
  TListItem* err = ListErr()->Selected();
  const bool reference = IsReference(err);
  BtnUse()->SetEnabled(reference && ListAvail()->Selected());
  BtnAdd()->SetEnabled(reference);
  BtnInsHint()->SetEnabled(err != nullptr);
}

void TGlottaVerifyForm::ListSelectItem(TObject* sender, TListItem*, bool) {
  if (!FSelecting && sender == ListErr()) FSelectedByHand = true;
  CheckButtons();
}

void TGlottaVerifyForm::ToggleAction(const String& action) {
  TListView* list = ListErr();
  TListItem* item = list->Selected();
  if (!item) return;
  while (item->SubItems()->Count() < 2) item->SubItems()->Add("");
  item->SubItems()->Put(1, item->SubItems()->Strings(1) == action ? String() : action);
  if (!FSelectedByHand && item->Index() + 1 < list->ItemCount()) SelectErr(item->Index() + 1);
  CheckButtons();
}

void TGlottaVerifyForm::BtnUseClick(TObject*) {
  TListItem* avail = ListAvail()->Selected();
  if (avail && IsReference(ListErr()->Selected())) ToggleAction(UseAction(avail->Caption()));
}

void TGlottaVerifyForm::BtnAddClick(TObject*) {
  if (IsReference(ListErr()->Selected())) ToggleAction(AddAction());
}

void TGlottaVerifyForm::BtnInsHintClick(TObject*) { ToggleAction(HintAction()); }

void TGlottaVerifyForm::HelpClick(TObject*) { ShowGlottaHelp(kCheckHelpContext); }

void TGlottaVerifyForm::Modify(String& source, bool& sourceModified, bool& namesAdded) {
  namesAdded = false;
  struct TSourceEdit {
    size_t Offset, Remove;
    String Insert;
  };
  std::vector<TSourceEdit> edits;
  TListView* list = ListErr();
  for (int i = 0; i < list->ItemCount(); ++i) {
    TListItem* item = list->Item(i);
    const String name = Trim(item->SubItems()->Count() > 0 ? item->SubItems()->Strings(0) : String());
    const String action = item->SubItems()->Count() > 1 ? item->SubItems()->Strings(1) : String();
    const String argument = action.size() >= 4 ? action.substr(3) : String();
    const int offset = OffsetOf(item);
    if (action.starts_with(AddAction())) {
      if (!name.empty() && FManager) FManager->AddString(name);
      namesAdded = true;
    } else if (offset < 0 || static_cast<size_t>(offset) > source.size()) {
      continue;
    } else if (argument == FHint) {
      edits.push_back({static_cast<size_t>(offset), 0, argument});
    } else if (IsReference(item) && !Trim(argument).empty()) {
      // The literal is measured in the source: the name in the list is trimmed and read,
      // so its length need not be the literal's.
      const size_t length = LiteralLength(source, static_cast<size_t>(offset), FCodeType);
      if (length > 0) edits.push_back({static_cast<size_t>(offset), length, Literal(Trim(argument), FCodeType)});
    }
  }
  // From the end, so that the offsets of the places before stay valid.
  std::stable_sort(edits.begin(), edits.end(), [](const TSourceEdit& a, const TSourceEdit& b) { return a.Offset > b.Offset; });
  for (const TSourceEdit& edit : edits) {
    source.replace(edit.Offset, edit.Remove, edit.Insert);
    sourceModified = true;
  }
}

void TGlottaVerifyForm::ConfigAfterSave(TObject*, TExIniFile* ini) {
  TListColumns* columns = ListErr()->GetColumns();
  for (int i = 0; i < columns->Count(); ++i)
    ini->WriteInteger("", "ListErr.Column" + IntToStr(i), columns->Items(i)->GetWidth());
  if (ListAvail()->GetColumns()->Count() > 0)
    ini->WriteInteger("", "ListAvail.Column0", ListAvail()->GetColumns()->Items(0)->GetWidth());
  ini->WriteInteger("", "PanelAvail.Width", PanelAvail()->Width());
}

void TGlottaVerifyForm::ConfigAfterLoad(TObject*, TExIniFile* ini) {
  try {
    TListColumns* columns = ListErr()->GetColumns();
    for (int i = 0; i < columns->Count(); ++i)
      columns->Items(i)->SetWidth(ini->ReadInteger("", "ListErr.Column" + IntToStr(i), columns->Items(i)->GetWidth()));
    if (ListAvail()->GetColumns()->Count() > 0) {
      TListColumn* column = ListAvail()->GetColumns()->Items(0);
      column->SetWidth(ini->ReadInteger("", "ListAvail.Column0", column->GetWidth()));
    }
    PanelAvail()->SetWidth(ini->ReadInteger("", "PanelAvail.Width", PanelAvail()->Width()));
  } catch (const std::exception&) {
  }
}

// ---- the editor's command -----------------------------------------------------------------------

void VerifyGlottaStrings(TGlottaEditorForm* editor, TObject* sender) {
  // The editor checks at every activation, and it is activated again when the check's own
  // dialog or message closes: without this guard that check would show them again and
  // again, and the user could never leave.
  static int running = 0;
  if (running > 0 || editor->Source().empty()) return;
  ++running;
  TFinally done([] { --running; });
  if (!editor->CellValid()) return;
  TLanguageManager* manager = editor->Manager();
  auto message = [editor](const char* name, MsgBox::TMsgBoxType type) {
    MsgBox::MsgEx(editor->Text(name), "", type, {MsgBox::mbOK, MsgBox::mbHelp}, kCheckHelpContext, PrivateXelDomain);
  };
  TGlottaParser scanner(editor->EditedGlotta(), manager->Names(), editor->Source());
  if (!scanner.Check(editor->HasComps(), GlottaSourceType(editor->SourceName()))) {
    message("ESyntaxError", MsgBox::mtError);
    return;
  }
  if (scanner.UnknownNames()->Count() + scanner.InvalidCalls()->Count() == 0) {
    if (sender != editor) message("NoWarningsOrErrors", MsgBox::mtInformation);
    return;
  }
  RegisterGlottaCheckClasses();
  std::unique_ptr<TGlottaVerifyForm> dialog(New<TGlottaVerifyForm>(Application));
  dialog->Init(manager, manager->Names(), &scanner, editor->Grid()->GetFont(), editor->Config());
  if (dialog->ShowModal() != mrOk) return;
  String source = editor->Source();
  bool sourceModified = false, namesAdded = false;
  dialog->Modify(source, sourceModified, namesAdded);
  if (sourceModified) editor->SetSource(source);
  if (namesAdded) editor->SetModified();
  if (namesAdded) {
    editor->RefreshGrid();
  } else {
    editor->CheckConditions();
    editor->WriteStatus();
  }
}

namespace {
[[maybe_unused]] const bool kHookInstalled = (TGlottaEditorForm::OnVerifyStrings = VerifyGlottaStrings, true);
}  // namespace

void RegisterGlottaCheckClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterButtonPanelClasses();
  RegisterConfigFileClasses();
  RegisterClasses({TGlottaVerifyForm::StaticClass()});
}

}  // namespace xel
