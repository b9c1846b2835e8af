#include "VersionInfo.h"

#include "Glotta.h"
#include "SysUtils.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/VersionInfo.cpp 1 10.12.26 19:50 XG $")

namespace xel {

TVersionInfoForm::TVersionInfoForm(TComponent* owner) : TSuperForm(owner) {}

TListView* TVersionInfoForm::List() const { return OwnedComponent<TListView>(this, "List"); }
TStatusBar* TVersionInfoForm::StatusBar() const { return OwnedComponent<TStatusBar>(this, "StatusBar"); }
TSaveDialog* TVersionInfoForm::SaveDialog() const { return OwnedComponent<TSaveDialog>(this, "SaveDialog"); }
TGlotta* TVersionInfoForm::Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }

void TVersionInfoForm::FormCreate(TObject*) { Fill(); }

void TVersionInfoForm::Fill() {
  TListView* list = List();
  list->ClearItems();
  FInvalid = 0;
  TStringList headers;
  GetUnitVersions(&headers);
  for (int i = 0; i < headers.Count(); ++i) {
    TUnitHeader h;
    if (!ExtractHeader(headers[i], h)) {
      ++FInvalid;
      continue;
    }
    TListItem* item = list->AddItem();
    item->SetCaption(h.FileName);
    String folder = h.Path.substr(0, h.Path.size() - h.FileName.size());
    if (!folder.empty() && folder.back() == '/') folder.pop_back();
    item->SubItems()->Add(h.Revision);
    item->SubItems()->Add(FormatDateTime("yyyy\"-\"mm\"-\"dd  hh\":\"nn", h.DateTime));
    item->SubItems()->Add(h.Author);
    item->SubItems()->Add(folder);
  }
  ShowCounts();
}

// The counts are texts of the window's language, so they follow a switch.
void TVersionInfoForm::ShowCounts() {
  TStatusPanels* panels = StatusBar()->GetPanels();
  TGlotta* glotta = Glotta();
  if (panels->Count() < 2 || !glotta) return;
  panels->Items(0)->SetText(glotta->GetString("ValidEntries") + " " + IntToStr(List()->ItemCount()));
  panels->Items(1)->SetText(FInvalid ? glotta->GetString("InvalidEntries") + " " + IntToStr(FInvalid) : String());
}

void TVersionInfoForm::GlottaChange(TObject*) { ShowCounts(); }

void TVersionInfoForm::SortBy(Integer column) {
  if (column == FSortColumn) FDescending = !FDescending;
  else {
    FSortColumn = column;
    FDescending = false;
  }
  List()->AlphaSort();
}

void TVersionInfoForm::ListColumnClick(TObject*, TListColumn* column) { SortBy(column->Index()); }

void TVersionInfoForm::ListCompare(TObject*, TListItem* item1, TListItem* item2, Integer, Integer& compare) {
  compare = 0;
  if (FSortColumn <= 0) {
    compare = CompareStr(item1->Caption(), item2->Caption());
  } else {
    const int sub = FSortColumn - 1;
    if (sub >= item1->SubItems()->Count() || sub >= item2->SubItems()->Count()) return;
    const String& a = item1->SubItems()->Get(sub);
    const String& b = item2->SubItems()->Get(sub);
    if (FSortColumn == 1) {
      const Integer ra = StrToIntDef(a, 0), rb = StrToIntDef(b, 0);
      compare = ra < rb ? -1 : ra > rb ? 1 : 0;
    } else {
      compare = CompareStr(a, b);
    }
  }
  if (FDescending) compare = -compare;
}

void TVersionInfoForm::ListKeyDown(TObject*, Word& key, TShiftState) {
  if (key != VK_ESCAPE) return;
  key = 0;
  SetModalResult(mrCancel);
}

bool TVersionInfoForm::SaveToFile(const String& fileName) const {
  TListView* list = List();
  String text;
  TListColumns* columns = list->GetColumns();
  for (int c = 0; c < columns->Count(); ++c) text += (c ? "\t" : "") + columns->Items(c)->GetCaption();
  text += "\r\n";
  for (int i = 0; i < list->ItemCount(); ++i) {
    TListItem* item = list->Item(i);
    text += item->Caption();
    for (int s = 0; s < item->SubItems()->Count(); ++s) text += "\t" + item->SubItems()->Get(s);
    text += "\r\n";
  }
  try {
    WriteFileAtomically(fileName, text);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TVersionInfoForm::SaveAsClick(TObject*) {
  TSaveDialog* dialog = SaveDialog();
  if (!dialog->Execute()) return;
  if (!SaveToFile(dialog->GetFileName())) MessageDlg(Glotta()->GetString("SaveError"), mtError, {mbOK}, 0);
}

void TVersionInfoForm::CloseClick(TObject*) { Close(); }

void TVersionInfo::Execute() {
  std::unique_ptr<TVersionInfoForm> form(New<TVersionInfoForm>(nullptr));
  form->ShowModal();
}

void RegisterVersionInfoClasses() { RegisterClasses({TVersionInfoForm::StaticClass(), TVersionInfo::StaticClass()}); }

}  // namespace xel
