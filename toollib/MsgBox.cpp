#include "MsgBox.h"

#include <algorithm>
#include <memory>

#include "AppHook.h"
#include "ButtonPanel.h"
#include "Clipbrd.h"
#include "ConfigFile.h"
#include "Expand.h"
#include "ExtCtrls.h"
#include "RegisterControls.h"
#include "StdCtrls.h"
#include "VersionControl.h"
#include "WidgetSet.h"

XEL_UNIT_VERSION("$Header: /toollib/MsgBox.cpp 1 10.12.26 19:45 XG $")

namespace xel {

using MsgBox::TMsgBoxButton;
using MsgBox::TMsgBoxButtons;
using MsgBox::TMsgBoxType;

namespace {

struct TButtonSpec {
  TMsgBoxButton Kind;
  const char* Name;  // of the caption's named string
  TModalResult Result;
};

// In the order the buttons appear; the copy and help buttons do not close the dialog.
constexpr TButtonSpec kButtons[] = {
    {MsgBox::mbYes, "Yes", mrYes},
    {MsgBox::mbNo, "No", mrNo},
    {MsgBox::mbOK, "OK", mrOk},
    {MsgBox::mbCancel, "Cancel", mrCancel},
    {MsgBox::mbAbort, "Abort", mrAbort},
    {MsgBox::mbRetry, "Retry", mrRetry},
    {MsgBox::mbIgnore, "Ignore", mrIgnore},
    {MsgBox::mbAll, "All", mrAll},
    {MsgBox::mbNoToAll, "NoToAll", mrNoToAll},
    {MsgBox::mbYesToAll, "YesToAll", mrYesToAll},
    {MsgBox::mbDebug, "Debug", MsgBox::mrDebug},
    {MsgBox::mbCopyErrorAddr, "CopyErrorAddr", mrNone},
    {MsgBox::mbTerminate, "Terminate", MsgBox::mrTerminate},
    {MsgBox::mbHelp, "Help", mrNone},
};

struct TTypeLook {
  const char* Caption;  // named string of the caption, when the type has one
  TSystemIcon Icon;
};

// By message type, in the type's order.
constexpr TTypeLook kTypes[] = {
    {"Warning", TSystemIcon::Exclamation},
    {"Error", TSystemIcon::Hand},
    {"Information", TSystemIcon::Asterisk},
    {"Confirmation", TSystemIcon::Question},
    {nullptr, TSystemIcon::Application},
};

// The button added when the set names none with the cancel role: it carries the result
// of closing the window but is never shown.
constexpr Integer kHiddenCancel = -1;

constexpr Integer kMargin = 16;
constexpr Integer kIconSize = 32;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

Integer TextWidth(const TFont& font, const String& s) { return ScreenTextExtent(font, s).X; }

// The longest prefix of whole characters that fits the width, at least one character.
size_t FittingPrefix(const String& s, const TFont& font, Integer width) {
  size_t fits = 0;
  for (size_t i = 1; i <= s.size(); ++i) {
    if (i < s.size() && IsUtf8Continuation(s[i])) continue;
    if (fits > 0 && TextWidth(font, s.substr(0, i)) > width) break;
    fits = i;
  }
  return fits;
}

// Line breaks of the text are kept; longer lines break between words, a word wider than
// the whole width between characters.
std::vector<String> BreakLines(const String& text, const TFont& font, Integer width) {
  std::vector<String> lines;
  String paragraph;
  auto breakParagraph = [&] {
    String line;
    size_t pos = 0;
    while (pos <= paragraph.size()) {
      size_t end = paragraph.find(' ', pos);
      if (end == String::npos) end = paragraph.size();
      String candidate = line.empty() ? paragraph.substr(pos, end - pos) : line + " " + paragraph.substr(pos, end - pos);
      if (!line.empty() && TextWidth(font, candidate) > width) {
        lines.push_back(line);
        candidate = paragraph.substr(pos, end - pos);
      }
      while (TextWidth(font, candidate) > width) {
        size_t n = FittingPrefix(candidate, font, width);
        if (n >= candidate.size()) break;
        lines.push_back(candidate.substr(0, n));
        candidate.erase(0, n);
      }
      line = candidate;
      pos = end + 1;
    }
    lines.push_back(line);
    paragraph.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      breakParagraph();
    } else {
      paragraph += text[i];
    }
  }
  breakParagraph();
  return lines;
}

// A label shows "&" only when doubled.
String LiteralCaption(const String& s) { return StringReplace(s, "&", "&&", {rfReplaceAll}); }

Integer ShowDialog(const String& text, const String& caption, TMsgBoxType type, TMsgBoxButtons buttons,
                   Integer helpContext, Integer errorAddress, const String& domain, bool errorReport) {
  static const bool registered = (RegisterMsgBoxClasses(), true);
  (void)registered;
  std::unique_ptr<TMyMsgForm> form(New<TMyMsgForm>(Application));
  if (!domain.empty()) form->Glotta()->SetDomain(domain);
  form->HelpContext = helpContext;
  form->ErrorAddress = errorAddress;
  const String shown =
      errorReport ? StringReplace(text, MsgBox::ErrorMarker, form->Glotta()->GetString("ErrorHasOccured"), {rfReplaceAll})
                  : text;
  form->Init(shown, caption, type, buttons);
  return form->ShowModal();
}

void ShowErrorReport(const String& text) { MsgBox::MsgErr(text, "", MsgBox::mtError, {}, 0, 0, ""); }

// The application hook's report of unhandled exceptions speaks through this dialog as soon
// as the library is loaded, as the unit's initialisation would.
[[maybe_unused]] const bool kReportInstalled = (SetErrorReportProc(ShowErrorReport), true);

// So do configuration files that fail to load or save.
void ShowConfigError(const String& text, const String& caption) {
  MsgBox::Msg(text, caption, MsgBox::mtError, {MsgBox::mbOK}, 0);
}
[[maybe_unused]] const bool kConfigErrorInstalled = (SetConfigErrorBox(ShowConfigError), true);

}  // namespace

// ---------------------------------------------------------------- entry points

namespace MsgBox {

Integer Msg(const String& text, const String& caption, TMsgBoxType type, TMsgBoxButtons buttons, Integer helpContext) {
  return ShowDialog(text, caption, type, buttons, helpContext, 0, "", false);
}

Integer MsgEx(const String& text, const String& caption, TMsgBoxType type, TMsgBoxButtons buttons,
              Integer helpContext, const String& domain) {
  return ShowDialog(text, caption, type, buttons, helpContext, 0, domain, false);
}

Integer MsgErr(const String& text, const String& caption, TMsgBoxType type, TMsgBoxButtons buttons,
               Integer helpContext, Integer errorAddress, const String& domain) {
  return ShowDialog(text, caption, type, buttons, helpContext, errorAddress, domain, true);
}

Integer MessageDlg(const String& text, TMsgBoxType type, TMsgBoxButtons buttons, Integer helpContext) {
  return Msg(text, "", type, buttons, helpContext);
}

void ShowMessage(const String& text) { Msg(text, "", mtInformation, {}, 0); }

}  // namespace MsgBox

// ---------------------------------------------------------------- TMyMsgForm

void TMyMsgForm::Init(const String& text, const String& caption, TMsgBoxType type, TMsgBoxButtons buttons) {
  if (type < MsgBox::mtWarning || type > MsgBox::mtCustom) CaseError();
  const TTypeLook& look = kTypes[type];
  InitIcon(look.Icon);
  SetText(!caption.empty() || !look.Caption ? caption : Glotta()->GetString(look.Caption));
  InitButtons(buttons);
  FText = text;
  ArrangeControls();
}

TButtonItem* TMyMsgForm::AddButton(TMsgBoxButton kind, const String& caption, TModalResult result) {
  TButtonItem* item = ButtonPanel()->GetButtons()->Add();
  item->SetCaption(caption);
  item->SetModalResult(result);
  item->Button()->SetTag(kind);
  return item;
}

void TMyMsgForm::InitButtons(TMsgBoxButtons buttons) {
  if (buttons.Contains(MsgBox::mbCancel)) buttons.Exclude(MsgBox::mbAbort);
  TButtonPanel* panel = ButtonPanel();
  TButtonItem* defaultItem;
  {
    panel->BeginUpdateButtons();
    TFinally done([panel] { panel->EndUpdateButtons(); });
    defaultItem = AddButtons(buttons);
  }
  SetActiveControl(defaultItem->Button());
}

// The buttons and their roles; the default one is returned.
TButtonItem* TMyMsgForm::AddButtons(TMsgBoxButtons buttons) {
  TButtonPanel* panel = ButtonPanel();
  panel->GetButtons()->Clear();
  for (const TButtonSpec& b : kButtons)
    if (buttons.Contains(b.Kind)) AddButton(b.Kind, Glotta()->GetString(b.Name), b.Result);
  // Without any button the user still needs one to close the message (ShowMessage).
  if (panel->GetButtons()->Count() == 0) AddButton(MsgBox::mbOK, Glotta()->GetString("OK"), mrCancel);

  TButtonCollection* items = panel->GetButtons();
  TButtonItem* defaultItem = items->Items(0);
  TButtonItem* cancelItem = items->Count() == 1 ? items->Items(0) : FindButton(MsgBox::mbCancel);
  defaultItem->SetDefault(true);
  HasCancel = cancelItem != nullptr;
  if (!cancelItem) {
    cancelItem = AddButton(MsgBox::mbCancel, "", mrCancel);
    cancelItem->Button()->SetTag(kHiddenCancel);
    cancelItem->SetVisible(false);
  }
  cancelItem->SetCancel(true);
  CancelResult = cancelItem->GetModalResult();
  return defaultItem;
}

TButtonItem* TMyMsgForm::FindButton(TMsgBoxButton kind) const {
  TButtonCollection* items = ButtonPanel()->GetButtons();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Button()->Tag() == kind) return items->Items(i);
  return nullptr;
}

void TMyMsgForm::InitIcon(TSystemIcon kind) {
  FIconKind = kind;
  String bytes = WidgetSet() ? WidgetSet()->SystemIconImage(kind, kIconSize, GetColor()) : String();
  if (bytes.empty()) Image()->GetPicture()->SetGraphic(nullptr);
  else Image()->GetPicture()->Bitmap()->LoadFromBytes(bytes);
}

// The form is as wide as designed, a quarter wider with more than three buttons, and at
// least as wide as its row of buttons; the text breaks to what is left beside the icon.
void TMyMsgForm::ArrangeControls() {
  TButtonPanel* panel = ButtonPanel();
  int shown = 0;
  for (int i = 0; i < panel->GetButtons()->Count(); ++i) shown += panel->GetButtons()->Items(i)->GetVisible() ? 1 : 0;
  if (FDesignedWidth < 0) FDesignedWidth = GetClientWidth();
  Integer width = FDesignedWidth;
  if (shown > 3) width += width / 4;
  width = std::max(width, shown * (panel->GetButtonDimX() + panel->GetButtonDist()) + panel->GetButtonDist());

  TPanel* textPanel = TextPanel();
  const Integer textLeft = textPanel->Left();
  const Integer textWidth = width - textLeft - kMargin;
  FLines = BreakLines(FText, *GetFont(), textWidth);
  const Integer lineHeight = ScreenTextExtent(*GetFont(), "Ag").Y;
  const Integer textHeight = lineHeight * static_cast<Integer>(FLines.size());
  while (textPanel->ControlCount() > 0) delete textPanel->Controls(0);
  for (size_t i = 0; i < FLines.size(); ++i) {
    auto* line = new TLabel(this);
    line->SetParent(textPanel);
    line->SetText(LiteralCaption(FLines[i]));
    line->SetBounds(0, static_cast<Integer>(i) * lineHeight, line->Width(), lineHeight);
  }
  // A single line stands beside the middle of the icon.
  const Integer body = std::max(kIconSize, textHeight);
  const Integer top = kMargin + (body - textHeight) / 2;
  textPanel->SetBounds(textLeft, top, textWidth, textHeight);
  Image()->SetBounds(Image()->Left(), kMargin, kIconSize, kIconSize);
  SetClientWidth(width);
  SetClientHeight(kMargin + body + kMargin + panel->Height());
}

void TMyMsgForm::ButtonPanelButtonClick(TObject*, TButtonItem* item) {
  switch (item->Button()->Tag()) {
    case MsgBox::mbHelp: Application->HelpContext(HelpContext); break;
    case MsgBox::mbCopyErrorAddr:
      Clipboard()->SetAsText(IntToHex(static_cast<std::uint32_t>(ErrorAddress), 8));
      break;
    default:
      if (item->GetModalResult() != mrNone) Clicked = true;
  }
}

// Closing the window without a button counts as the cancel button, when there is one.
void TMyMsgForm::FormCloseQuery(TObject*, bool& canClose) {
  if (Clicked) return;
  canClose = HasCancel;
  if (HasCancel) SetModalResult(CancelResult);
}

void RegisterMsgBoxClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterClasses({TMyMsgForm::StaticClass()});
}

}  // namespace xel
