// Language export files from arbitrary bytes, imported into a multilingual window in every
// mode, then exported again; every line that cannot be placed must end in the error list,
// never in a crash or a value that breaks the window's language switch.
#include <unistd.h>

#include <memory>

#include "Application.h"
#include "ComCtrls.h"
#include "Forms.h"
#include "Glotta.h"
#include "FuzzHeadless.h"
#include "HeadlessWidgetSet.h"
#include "Platform.h"
#include "LanguageExport.h"
#include "LanguageImport.h"
#include "RegisterControls.h"
#include "StdCtrls.h"

namespace {

using namespace xel;

// A window with a caption, a button, memo lines, a status bar panel and a check box, whose
// language component has two languages and a named string.
std::unique_ptr<TForm> MakeWindow() {
  auto form = std::make_unique<TForm>(nullptr, TCreateNew{});
  form->SetName("Window");
  form->SetText("Window");
  auto* button = new TButton(form.get());
  button->SetName("Button1");
  button->SetParent(form.get());
  button->SetText("OK");
  auto* memo = new TMemo(form.get());
  memo->SetName("Memo1");
  memo->SetParent(form.get());
  memo->GetLines()->SetText("one\ntwo");
  auto* status = new TStatusBar(form.get());
  status->SetName("Status");
  status->SetParent(form.get());
  status->GetPanels()->Add()->SetText("Ready");
  auto* check = new TCheckBox(form.get());
  check->SetName("Check");
  check->SetParent(form.get());
  auto* g = new TGlotta(form.get());
  g->SetName("Glotta1");
  TLanguageManager* m = g->LanguageManager();
  for (const char* name : {"English", "Deutsch"}) m->Langs()->Add()->SetName(name);
  m->Langs()->Items(0)->SetSubIndex(0);
  m->Langs()->Items(1)->SetSubIndex(1);
  TMainEntry* e = TMainEntry::Create(m->Comps(), button, "Button1", "TButton", {stPubPropObject});
  TPropertyEntry::Create(e, "Caption", "", tkLString);
  m->AddString("Greeting");
  m->Init(cmInitAll);
  return form;
}

String ScratchFile() {
  static const String name = [] {
    String pattern = GetTempDir() + "xel-fuzz-import-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd >= 0) close(fd);
    return pattern;
  }();
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::PrepareHeadlessGlotta();
  if (size == 0) return 0;
  const TImportMode mode = static_cast<TImportMode>(data[0] % 3);
  const bool initialise = (data[0] & 4) != 0;
  WriteFileAtomically(ScratchFile(), std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  try {
    std::unique_ptr<TForm> window = MakeWindow();
    TLanguageManager* m = static_cast<TGlotta*>(window->FindComponent("Glotta1"))->LanguageManager();
    TStringList sections, warnings, errors;
    GetAvailLangSections(ScratchFile(), &sections);
    ImportLanguages(m, ScratchFile(), nullptr, mode, initialise, &sections, &warnings, &errors);
    ExportLanguagesToText(m);
    for (int i = 0; i < m->Langs()->Count(); ++i) m->SetLanguageByIndex(i);
  } catch (const Exception&) {
  }
  FinalizeGlottaUnit();  // every input starts without frames
  return 0;
}
