#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "AppHook.h"
#include "ButtonPanel.h"
#include "Clipbrd.h"
#include "ConfigFile.h"
#include "Expand.h"
#include "ExtCtrls.h"
#include "HeadlessWidgetSet.h"
#include "MsgBox.h"
#include "StdCtrls.h"

namespace xel::test {
namespace {

using namespace MsgBox;

// What the dialog shows: its caption, the captions of its visible buttons and its lines.
struct TShown {
  String Caption;
  std::vector<String> Buttons;
  std::vector<String> Lines;
};

TShown Snapshot(TMyMsgForm* form) {
  TShown shown{form->GetText(), {}, form->Lines()};
  TButtonCollection* items = form->ButtonPanel()->GetButtons();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->GetVisible()) shown.Buttons.push_back(items->Items(i)->GetCaption());
  return shown;
}

TMyMsgForm* Dialog(TCustomForm* form) {
  auto* dialog = dynamic_cast<TMyMsgForm*>(form);
  if (!dialog) throw Exception("not the message dialog");
  return dialog;
}

// A member of a language frame of its own, in the given language: the dialog's callers
// name such frames.
std::unique_ptr<TMyMsgForm> FrameHolder(const String& domain, const String& language) {
  std::unique_ptr<TMyMsgForm> holder(New<TMyMsgForm>(nullptr));
  holder->Glotta()->SetDomain(domain);
  holder->Glotta()->SetLanguage(language);
  return holder;
}

// A dialog made but not shown, in English.
std::unique_ptr<TMyMsgForm> EnglishDialog() { return FrameHolder("MsgBox English", "English"); }

TEST(MsgBoxTest, SpeaksTheLanguageOfTheNamedFrameAndReturnsThePressedButton) {
  struct {
    const char* Language;
    TShown Expected;
  } cases[] = {
      {"English", {"Confirmation", {"&Yes", "&No", "&Cancel", "&Help"}, {"Save the file?"}}},
      {"Deutsch", {"Best\xC3\xA4tigung", {"&Ja", "&Nein", "&Abbruch", "&Hilfe"}, {"Save the file?"}}},
  };
  for (const auto& c : cases) {
    auto holder = FrameHolder("Caller Frame", c.Language);
    TShown shown;
    TModalScript script([&](TCustomForm* f) {
      shown = Snapshot(Dialog(f));
      Dialog(f)->FindButton(mbNo)->Button()->Click();
    });
    EXPECT_EQ(MsgEx("Save the file?", "", mtConfirmation, {mbYes, mbNo, mbCancel, mbHelp}, 0, "Caller Frame"), mrNo);
    EXPECT_EQ(shown.Caption, c.Expected.Caption) << c.Language;
    EXPECT_EQ(shown.Buttons, c.Expected.Buttons) << c.Language;
    EXPECT_EQ(shown.Lines, c.Expected.Lines) << c.Language;
  }
}

TEST(MsgBoxTest, TypeGivesCaptionAndIconUnlessACaptionIsGiven) {
  struct {
    TMsgBoxType Type;
    const char* Caption;
    TSystemIcon Icon;
  } cases[] = {
      {mtWarning, "Warning", TSystemIcon::Exclamation},   {mtError, "Error", TSystemIcon::Hand},
      {mtInformation, "Information", TSystemIcon::Asterisk}, {mtConfirmation, "Confirmation", TSystemIcon::Question},
      {mtCustom, "", TSystemIcon::Application},
  };
  for (const auto& c : cases) {
    auto dialog = EnglishDialog();
    dialog->Init("Text", "", c.Type, {mbOK});
    EXPECT_EQ(dialog->GetText(), c.Caption) << c.Caption;
    EXPECT_EQ(dialog->IconKind(), c.Icon) << c.Caption;
    dialog->Init("Text", "Given", c.Type, {mbOK});
    EXPECT_EQ(dialog->GetText(), "Given");
  }
  auto dialog = EnglishDialog();
  EXPECT_THROW(dialog->Init("Text", "", static_cast<TMsgBoxType>(7), {mbOK}), ECaseError);
}

TEST(MsgBoxTest, ButtonsComeInTheirOrderWithTheirRoles) {
  struct TExpected {
    std::vector<String> Captions;  // of the buttons shown, in order
    std::vector<TModalResult> Results;
    TMsgBoxButton Default;
    bool HasCancel;
    TModalResult CancelResult;
  };
  struct {
    TMsgBoxButtons Buttons;
    TExpected Expected;
  } cases[] = {
      // Cancel wins over Abort.
      {{mbCancel, mbAbort}, {{"&Cancel"}, {mrCancel}, mbCancel, true, mrCancel}},
      // Nothing asked for: one button to close the message, with the cancel role.
      {{}, {{"&OK"}, {mrCancel}, mbOK, true, mrCancel}},
      {{mbOK}, {{"&OK"}, {mrOk}, mbOK, true, mrOk}},
      {{mbYes, mbNo}, {{"&Yes", "&No"}, {mrYes, mrNo}, mbYes, false, mrCancel}},
      {{mbNo, mbCancel, mbYes}, {{"&Yes", "&No", "&Cancel"}, {mrYes, mrNo, mrCancel}, mbYes, true, mrCancel}},
      {{mbHelp, mbTerminate, mbCopyErrorAddr, mbDebug, mbYesToAll, mbNoToAll, mbAll, mbIgnore, mbRetry, mbAbort},
       {{"&Abort", "&Retry", "&Ignore", "All", "No to all", "Yes to all", "&Debug", "Copy Address", "&Terminate",
         "&Help"},
        {mrAbort, mrRetry, mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrDebug, mrNone, mrTerminate, mrNone},
        mbAbort,
        false,
        mrCancel}},
  };
  for (const auto& c : cases) {
    auto dialog = EnglishDialog();
    dialog->Init("Text", "", mtInformation, c.Buttons);
    const TExpected& e = c.Expected;
    std::vector<TModalResult> results;
    TButtonCollection* items = dialog->ButtonPanel()->GetButtons();
    int cancels = 0;
    for (int i = 0; i < items->Count(); ++i) {
      cancels += items->Items(i)->GetCancel() ? 1 : 0;
      if (items->Items(i)->GetVisible()) results.push_back(items->Items(i)->GetModalResult());
    }
    const String first = e.Captions.front();
    EXPECT_EQ(Snapshot(dialog.get()).Buttons, e.Captions) << first;
    EXPECT_EQ(results, e.Results) << first;
    EXPECT_TRUE(dialog->FindButton(e.Default)->GetDefault()) << first;
    EXPECT_EQ(dialog->GetActiveControl(), dialog->FindButton(e.Default)->Button()) << first;
    EXPECT_EQ(dialog->HasCancel, e.HasCancel) << first;
    EXPECT_EQ(dialog->CancelResult, e.CancelResult) << first;
    EXPECT_EQ(cancels, 1) << first;  // a hidden one where none of those shown cancels
  }
}

TEST(MsgBoxTest, MoreThanThreeButtonsWidenTheDialogAndTheRowAlwaysFits) {
  auto dialog = EnglishDialog();
  const Integer designed = dialog->GetClientWidth();
  dialog->Init("Text", "", mtInformation, {mbYes, mbNo, mbCancel});
  EXPECT_EQ(dialog->GetClientWidth(), designed);
  dialog->Init("Text", "", mtInformation, {mbYes, mbNo, mbCancel, mbHelp});
  EXPECT_EQ(dialog->GetClientWidth(), designed + designed / 4);
  dialog->Init("Text", "", mtInformation, {mbYes, mbNo, mbCancel, mbRetry, mbIgnore, mbAll, mbHelp});
  EXPECT_GE(dialog->GetClientWidth(), 7 * (128 + 8) + 8);
  TButtonCollection* items = dialog->ButtonPanel()->GetButtons();
  EXPECT_EQ(items->Items(0)->Button()->Width(), 128);  // no button squeezed
}

TEST(MsgBoxTest, LongTextsBreakBetweenWordsAndKeepTheirLineBreaks) {
  auto dialog = EnglishDialog();
  String sentence;
  for (int i = 0; i < 30; ++i) sentence += (i ? " " : "") + String("word") + IntToStr(i);
  const String longWord(150, 'x');
  dialog->Init(sentence + "\r\n\r\nR&D\n" + longWord, "", mtInformation, {mbOK});
  const std::vector<String>& lines = dialog->Lines();
  const Integer width = dialog->TextPanel()->Width();
  String words, xs;
  size_t i = 0;
  for (; i < lines.size() && !lines[i].empty(); ++i) {
    EXPECT_LE(ScreenTextExtent(*dialog->GetFont(), lines[i]).X, width) << lines[i];
    words += (words.empty() ? "" : " ") + lines[i];
  }
  EXPECT_GT(i, 1u);  // the sentence needed more than one line
  EXPECT_EQ(words, sentence);
  ASSERT_LT(i + 1, lines.size());
  EXPECT_EQ(lines[i + 1], "R&D");
  for (size_t j = i + 2; j < lines.size(); ++j) {
    EXPECT_LE(ScreenTextExtent(*dialog->GetFont(), lines[j]).X, width);
    xs += lines[j];
  }
  EXPECT_EQ(xs, longWord);
  // One label per line, "&" shown as it stands, and the dialog tall enough for them all.
  TPanel* panel = dialog->TextPanel();
  ASSERT_EQ(panel->ControlCount(), static_cast<int>(lines.size()));
  EXPECT_EQ(static_cast<TLabel*>(panel->Controls(static_cast<int>(i) + 1))->DisplayText(), "R&D");
  EXPECT_LE(panel->Top() + panel->Height(), dialog->ButtonPanel()->Top());
}

// Closing the window without a button: the close box, then Escape, then (when both are
// refused) a button.
TEST(MsgBoxTest, OnlyADialogWithACancelButtonClosesWithoutAButton) {
  struct {
    TMsgBoxButtons Buttons;
    bool CloseBox;  // else Escape
    TModalResult Expected;
  } cases[] = {
      {{mbOK, mbCancel}, true, mrCancel}, {{mbOK, mbCancel}, false, mrCancel},
      {{mbOK}, true, mrOk},               {{mbOK}, false, mrOk},
      {{mbYes, mbNo}, true, mrYes},       {{mbYes, mbNo}, false, mrYes},  // refused: Yes pressed after
  };
  for (const auto& c : cases) {
    auto holder = FrameHolder("Closing", "English");
    int calls = 0;
    TModalScript script([&](TCustomForm* f) {
      if (++calls > 1) {
        Dialog(f)->FindButton(mbYes)->Button()->Click();
        return;
      }
      if (c.CloseBox) f->Close();
      else Headless::PressKey(f, VK_ESCAPE);
      if (f->ModalResult() == mrNone) f->Close();  // Escape did nothing: the close box once more
    });
    EXPECT_EQ(MsgEx("Text", "", mtWarning, c.Buttons, 0, "Closing"), c.Expected) << c.CloseBox;
  }
}

TEST(MsgBoxTest, ShowMessageClosesWithItsOneButtonOrTheCloseBox) {
  for (bool closeBox : {false, true}) {
    TShown shown;
    TModalScript script([&](TCustomForm* f) {
      shown = Snapshot(Dialog(f));
      if (closeBox) f->Close();
      else Dialog(f)->ButtonPanel()->GetButtons()->Items(0)->Button()->Click();
    });
    MsgBox::ShowMessage("Done.");
    EXPECT_EQ(shown.Buttons.size(), 1u);
    EXPECT_EQ(shown.Lines, std::vector<String>{"Done."});
  }
}

TEST(MsgBoxTest, ErrorReportNamesTheErrorInTheFrameLanguageAndItsButtonsStayOpen) {
  struct {
    const char* Language;
    const char* Line;
  } cases[] = {
      {"English", "An error has occured (EFoo)."},
      {"Deutsch", "Ein Fehler ist aufgetreten (EFoo)."},
  };
  Application->SetHelpFile(XEL_HELP_SOURCE "/XelGlottaEng.hlp");
  for (const auto& c : cases) {
    auto holder = FrameHolder("Report Frame", c.Language);
    TShown shown;
    String clipboard, help;
    bool stayedOpen = false;
    TModalScript script([&](TCustomForm* f) {
      TMyMsgForm* dialog = Dialog(f);
      shown = Snapshot(dialog);
      dialog->FindButton(mbCopyErrorAddr)->Button()->Click();
      clipboard = Clipboard()->GetAsText();
      dialog->FindButton(mbHelp)->Button()->Click();
      const std::vector<String>& shownHelp = HeadlessWidgetSet()->HelpShown();
      if (!shownHelp.empty()) help = shownHelp.back();
      stayedOpen = f->ModalResult() == mrNone && !dialog->Clicked;
      dialog->FindButton(mbOK)->Button()->Click();
    });
    const Integer result =
        MsgErr(String(ErrorMarker) + " (EFoo).", "", mtError, {mbOK, mbCopyErrorAddr, mbHelp}, 4000, 0x1234ABCD,
               "Report Frame");
    EXPECT_EQ(result, mrOk) << c.Language;
    EXPECT_EQ(shown.Lines, std::vector<String>{c.Line});
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(clipboard, "1234ABCD");
    EXPECT_TRUE(help.ends_with("/XelGlottaEng.html#context-4000")) << help;
  }
  Application->SetHelpFile("");
}

TEST(MsgBoxTest, UnhandledExceptionsAreReportedInTheDialogsWording) {
  TShown shown;
  TModalScript script([&](TCustomForm* f) {
    shown = Snapshot(Dialog(f));
    f->Close();
  });
  TAppHook::OnException(nullptr, EConvertError("bad number"));
  ASSERT_EQ(shown.Lines.size(), 1u);
  EXPECT_TRUE(shown.Lines[0].ends_with(" (EConvertError).")) << shown.Lines[0];
  EXPECT_EQ(shown.Lines[0].find('$'), String::npos);
}

TEST(MsgBoxTest, AConfigurationFileThatFailsIsShownInTheDialog) {
  // A file in place of the folder: not even root can write there.
  String blocker = std::filesystem::temp_directory_path().string() + "/xel-blocker-XXXXXX";
  const int fd = mkstemp(blocker.data());
  ASSERT_GE(fd, 0);
  close(fd);
  std::unique_ptr<TSuperForm> owner(new TSuperForm(nullptr, TCreateNew{}));
  auto* config = new TConfigFile(owner.get());
  config->SetFileNameProp(blocker + "/app.cfg");
  config->SetSaveErrorCaption("Options");
  TShown shown;
  TModalScript script([&](TCustomForm* f) {
    shown = Snapshot(Dialog(f));
    f->Close();
  });
  EXPECT_FALSE(config->Save());
  std::filesystem::remove(blocker);
  EXPECT_EQ(shown.Caption, "Options");
  EXPECT_EQ(shown.Lines, std::vector<String>{"Configuration file could not be saved."});
}

}  // namespace
}  // namespace xel::test
