#include "GlottaStatus.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "Application.h"
#include "Format.h"
#include "Glotta.h"
#include "GlottaEditor.h"
#include "GlottaModule.h"
#include "GlottaTools.h"
#include "IniFiles.h"
#include "MsgBox.h"
#include "RegisterControls.h"
#include "SortGridEx.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /editor/GlottaStatus.cpp 1 11.12.26 4:25 XG $")

namespace xel {

TGlotta* TGlottaStatusForm::Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }

void TGlottaStatusForm::FormCreate(TObject*) {
  GetSizeMinTrack()->SetSizeX(600);
  GetSizeMinTrack()->SetSizeY(300);
  GetSizeMinTrack()->SetEnabled(true);
}

void TGlottaStatusForm::Init(TStrings* warnings, TStrings* errors, TFont* font) {
  TSortGrid* grid = Grid();
  if (font) {
    grid->SetFont(font);
    AdjustGridDefaultRowHeight(grid);
  }
  const int warningCount = warnings ? warnings->Count() : 0, errorCount = errors ? errors->Count() : 0;
  LabelWarningCount()->SetText(IntToStr(warningCount));
  LabelErrorCount()->SetText(IntToStr(errorCount));
  FEntries = errorCount + warningCount;
  // A grid keeps one row below its header; without entries it stays empty and disabled.
  grid->SetRowCount(1 + std::max(FEntries, 1));
  Integer row = 0;
  auto put = [&](const String& kind, const String& section, const String& text) {
    grid->SetCells(0, row, kind);
    grid->SetCells(1, row, section);
    grid->SetCells(2, row, text);
    ++row;
  };
  TGlotta* glotta = Glotta();
  put(glotta->GetString("Type"), glotta->GetString("Section"), glotta->GetString("Text"));
  auto lines = [&](TStrings* list, const String& kind) {
    for (int i = 0; list && i < list->Count(); ++i) {
      const String& line = list->Strings(i);
      const size_t bracket = line.find(']');
      if (bracket == String::npos) put(kind, "", line);
      else put(kind, line.substr(std::min<size_t>(1, bracket), bracket - std::min<size_t>(1, bracket)),
               bracket + 2 <= line.size() ? line.substr(bracket + 2) : String());
    }
  };
  lines(errors, glotta->GetString("Error"));
  lines(warnings, glotta->GetString("Warning"));
  grid->AutoSizeColumns(true, 16);
  grid->SetEnabled(row > 1);
}

void TGlottaStatusForm::SaveToFile(const String& fileName) const {
  TMemIniFile ini(fileName);
  TSortGrid* grid = Grid();
  for (Integer row = 1; row <= FEntries; ++row) {
    const String& text = grid->Cells(2, row);
    const size_t equals = text.find('=');
    ini.WriteString(grid->Cells(1, row), text.substr(0, equals),
                    equals == String::npos ? String() : text.substr(equals + 1));
  }
  ini.UpdateFile();
}

void TGlottaStatusForm::ButtonPanelSaveClick(TObject*) {
  if (!Grid()->GetEnabled()) return;
  TSaveDialog* dialog = SaveDialog();
  for (;;) {
    if (!dialog->Execute()) return;
    const String file = dialog->GetFileName();
    if (FileExists(file)) {
      const Integer answer =
          MsgBox::MsgEx(Format(Glotta()->GetString("OverwriteDestFile"), {file}), "", MsgBox::mtWarning,
                        {MsgBox::mbYes, MsgBox::mbNo, MsgBox::mbCancel}, 0, PrivateXelDomain);
      if (answer == mrNo) continue;
      if (answer != mrYes) return;
      // A read-only file is replaced as well.
      std::error_code ec;
      std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, ec);
      DeleteFile(file);
    }
    try {
      SaveToFile(file);
    } catch (const std::exception&) {
      MsgBox::MsgEx(Glotta()->GetString("SaveError"), "", MsgBox::mtError, {MsgBox::mbOK}, 0, PrivateXelDomain);
    }
    return;
  }
}

void ShowGlottaImportStatus(TStrings* warnings, TStrings* errors, TFont* font) {
  RegisterGlottaStatusClasses();
  std::unique_ptr<TGlottaStatusForm> form(New<TGlottaStatusForm>(Application));
  form->Init(warnings, errors, font);
  form->ShowModal();
}

namespace {
[[maybe_unused]] const bool kHookInstalled = (TGlottaEditorForm::OnShowImportStatus = ShowGlottaImportStatus, true);
}  // namespace

void RegisterGlottaStatusClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterButtonPanelClasses();
  RegisterSortGridClasses();
  RegisterClasses({TGlottaStatusForm::StaticClass()});
}

}  // namespace xel
