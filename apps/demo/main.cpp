// xeldemo: a multilingual application in English, Deutsch and Français. With a display it
// opens its windows; without one (or with --pictures DIR) it tours every language on Qt's
// offscreen platform, writes one picture per language and window, and reports each step.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "Application.h"
#include "DemoForms.h"
#include "DemoTexts.h"
#include "DemoUnit.h"
#include "GlottaEditor.h"
#include "PseudoLanguage.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"

namespace xel::demo {
namespace {

// Picks a language in a box as the user would.
void Pick(TLangComboBox* box, const String& language) {
  for (int i = 0; i < box->GetItems()->Count(); ++i)
    if (box->GetItems()->Strings(i) == language) {
      box->SelectItem(i);
      return;
    }
  throw Exception("The language box offers no " + language);
}

String FileStem(size_t index, const String& language) {
  String ascii;
  for (size_t i = 0; i < language.size(); ++i) {
    if (language.compare(i, 2, "\xC3\xA7") == 0) {
      ascii += 'c';
      ++i;
    } else {
      ascii += language[i];
    }
  }
  return IntToStr(static_cast<Integer>(index + 1)) + "-" + ascii;
}

int Tour(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  TDemoMainForm* main = MainForm();
  TDemoDetailsForm* details = DetailsForm();
  TDemoToolsForm* tools = ToolsForm();
  main->Show();
  details->Show();
  tools->Show();
  const auto& languages = DemoLanguages();
  int failures = 0;
  auto save = [&](TWinControl* window, const String& stem, const char* what) {
    std::filesystem::path file = dir / (stem + "-" + what + ".png");
    if (SaveControlImage(window, file.string())) std::printf("  wrote %s\n", file.string().c_str());
  };
  for (size_t i = 0; i < languages.size(); ++i) {
    const String& language = languages[i];
    const String& toolsLanguage = languages[(i + 1) % languages.size()];
    Pick(main->LangCombo(), language);
    Pick(tools->LangCombo(), toolsLanguage);
    Application->ProcessMessages();
    std::printf("%s: main window \"%s\", details \"%s\" (box shows %s), tools in %s \"%s\", unit says \"%s\"\n",
                language.c_str(), main->GetText().c_str(), details->GetText().c_str(),
                details->LangCombo()->GetText().c_str(), toolsLanguage.c_str(), tools->GetText().c_str(),
                UnitStatusText().c_str());
    if (details->Glotta()->GetLanguage() != language || details->LangCombo()->GetText() != language ||
        UnitLanguage() != language || tools->Glotta()->GetLanguage() != toolsLanguage) {
      std::printf("  the windows do not agree on the language\n");
      ++failures;
    }
    // Every text of every window, and the unit's strings, as entered for its language.
    std::vector<String> differences;
    for (TForm* window : std::initializer_list<TForm*>{main, details, tools})
      for (String& d : CompareDemoTexts(window, EnteredDemoTexts())) differences.push_back(std::move(d));
    for (const TDemoText& t : EnteredDemoTexts())
      if (t.Window == "DemoStrings" && UnitString(t.Path) != t.Texts[i])
        differences.push_back("the unit's " + t.Path + " shows \"" + UnitString(t.Path) + "\"");
    for (const String& d : differences) std::printf("  text differs: %s\n", d.c_str());
    if (!differences.empty()) ++failures;
    const String stem = FileStem(i, language);
    save(main, stem, "main");
    save(details, stem, "details");
    save(tools, stem, "tools");
    std::unique_ptr<TForm> message(CreateMessageDialog(main->MessageText(), mtInformation, {mbOK}));
    message->Show();
    std::printf("  message: %s\n", main->MessageText().c_str());
    save(message.get(), stem, "message");
  }
  // The translation editor that File, Translate... opens on the main window, shown here
  // without waiting for the user.
  std::unique_ptr<TGlottaEditorForm> editor(New<TGlottaEditorForm>(Application));
  editor->Init("", main, main->Glotta(), main->Glotta()->LanguageManager());
  editor->Show();
  Application->ProcessMessages();
  std::printf("translation editor: \"%s\", %d entries in %d languages\n", editor->GetText().c_str(),
              editor->Grid()->GetRowCount() - 1, editor->Manager()->GetLangCount());
  save(editor.get(), "4", "editor");
  return failures == 0 ? 0 : 1;
}

// The pseudo-language that a developer adds before any translator starts: every window
// shows its design-language texts accented, bracketed and longer, so that untranslated
// texts and controls without room for longer languages show at once.
void PseudoTour(const std::filesystem::path& dir) {
  TDemoMainForm* main = MainForm();
  TDemoToolsForm* tools = ToolsForm();
  const String pseudo = "Pseudo";
  for (TGlotta* g : {main->Glotta(), DetailsForm()->Glotta(), tools->Glotta(), UnitGlotta()})
    AddPseudoLanguage(g->LanguageManager(), pseudo, DemoLanguages()[0]);
  main->Glotta()->SetLanguage(pseudo);
  tools->Glotta()->SetLanguage(pseudo);
  Application->ProcessMessages();
  std::printf("%s: main window \"%s\", unit says \"%s\"\n", pseudo.c_str(), main->GetText().c_str(),
              UnitStatusText().c_str());
  const String stem = FileStem(DemoLanguages().size(), pseudo);
  for (auto [window, what] : {std::pair<TWinControl*, const char*>{main, "main"}, {DetailsForm(), "details"},
                              {tools, "tools"}}) {
    std::filesystem::path file = dir / (stem + "-" + what + ".png");
    if (SaveControlImage(window, file.string())) std::printf("  wrote %s\n", file.string().c_str());
  }
}

}  // namespace
}  // namespace xel::demo

int main(int argc, char** argv) {
  using namespace xel;
  using namespace xel::demo;
  try {
    String widgetSet = InstallChosenWidgetSet(argc, argv);
    std::filesystem::path pictures;
    for (int i = 1; i + 1 < argc; ++i)
      if (std::strcmp(argv[i], "--pictures") == 0) pictures = argv[i + 1];
    if (pictures.empty() && (widgetSet != "qt" || QtOffscreen())) pictures = "demo-pictures";
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    RegisterDemoClasses();
    // The translation editor behind File, Translate...
    RegisterGlottaEditorClasses();
    Application->SetTitle("Xel Glotta Demo");
    InitDemoUnit();
    MainForm();
    DetailsForm();
    ToolsForm();
    if (!pictures.empty()) {
      std::printf("Touring the languages on the %s widget set; pictures go to %s\n",
                  widgetSet == "qt" ? "offscreen Qt" : widgetSet.c_str(), std::filesystem::absolute(pictures).c_str());
      int result = Tour(pictures);
      PseudoTour(pictures);
      FinalizeQtWidgetSet();
      return result;
    }
    DetailsForm()->Show();
    ToolsForm()->Show();
    Application->Run();
    FinalizeQtWidgetSet();
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "xeldemo: %s\n", e.what());
    return 1;
  }
}
