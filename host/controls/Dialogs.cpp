#include "Dialogs.h"

#include <algorithm>

#include "StdCtrls.h"
#include "WidgetSet.h"

namespace xel {

bool TCommonDialog::Execute() {
  TWidgetSet* ws = WidgetSet();
  if (!ws) throw EInvalidOperation("No widget set installed");
  OnShow(this);
  TFinally closed([this] { OnClose(this); });
  return ws->ExecuteDialog(this);
}

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), FFiles(std::make_unique<TStringList>()) {}
TOpenDialog::~TOpenDialog() = default;

std::vector<TFileFilter> TOpenDialog::Filters() const {
  std::vector<TFileFilter> out;
  std::vector<String> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = FFilter.find('|', start);
    parts.push_back(FFilter.substr(start, bar == String::npos ? String::npos : bar - start));
    if (bar == String::npos) break;
    start = bar + 1;
  }
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    TFileFilter f;
    f.Description = parts[i];
    String masks = parts[i + 1];
    size_t from = 0;
    for (;;) {
      size_t semi = masks.find(';', from);
      String m = Trim(masks.substr(from, semi == String::npos ? String::npos : semi - from));
      if (!m.empty()) f.Masks.push_back(m);
      if (semi == String::npos) break;
      from = semi + 1;
    }
    out.push_back(f);
  }
  return out;
}

bool TOpenDialog::AcceptFileName(const String& name, String& message) {
  message.clear();
  String file = name;
  if (!file.empty() && ExtractFileExt(file).empty() && !FDefaultExt.empty()) {
    String ext = FDefaultExt[0] == '.' ? FDefaultExt : "." + FDefaultExt;
    file += ext;
  }
  if (FOptions.Contains(ofFileMustExist) && !FileExists(file)) {
    message = file + "\nFile not found.";
    return false;
  }
  String dir = ExtractFilePath(file);
  if (FOptions.Contains(ofPathMustExist) && !dir.empty() && !DirectoryExists(dir)) {
    message = file + "\nPath does not exist.";
    return false;
  }
  FFileName = file;
  FFiles->Clear();
  FFiles->Add(file);
  return true;
}

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), FFont(std::make_unique<TFont>()) {}
TFontDialog::~TFontDialog() = default;

bool SelectDirectory(const String& caption, const String& root, String& directory) {
  TSelectDirectoryDialog dialog(nullptr);
  dialog.SetTitle(caption);
  dialog.SetRoot(root);
  dialog.SetDirectory(directory);
  if (!dialog.Execute()) return false;
  directory = dialog.GetDirectory();
  return true;
}

// ---------------------------------------------------------------- message dialogs

namespace {

constexpr const char* kTitles[] = {"Warning", "Error", "Information", "Confirm", ""};
constexpr const char* kButtonNames[] = {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll",
                                        "YesToAll", "Help"};
constexpr const char* kButtonCaptions[] = {"&Yes",   "&No", "OK",          "Cancel",     "&Abort", "&Retry",
                                           "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help"};
constexpr TModalResult kResults[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};

}  // namespace

TForm* CreateMessageDialog(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons) {
  auto form = std::make_unique<TForm>(Application, TCreateNew{});
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetText(type == mtCustom ? Application->Title() : kTitles[type]);
  auto* text = new TLabel(form.get());
  text->SetName("Message");
  text->SetParent(form.get());
  text->SetText(msg);
  text->SetBounds(16, 16, text->Width(), text->Height());
  const Integer buttonWidth = 75, buttonHeight = 25, gap = 8;
  int count = 0;
  for (int b = mbYes; b <= mbHelp; ++b) count += buttons.Contains(static_cast<TMsgDlgBtn>(b)) ? 1 : 0;
  Integer rowWidth = count * buttonWidth + std::max(0, count - 1) * gap;
  Integer width = std::max(text->Width() + 32, rowWidth + 32);
  Integer top = text->Top() + text->Height() + 16;
  form->SetClientWidth(width);
  form->SetClientHeight(top + buttonHeight + 16);
  Integer x = (width - rowWidth) / 2;
  bool haveDefault = false, haveCancel = false;
  for (int b = mbYes; b <= mbHelp; ++b) {
    auto kind = static_cast<TMsgDlgBtn>(b);
    if (!buttons.Contains(kind)) continue;
    auto* button = new TButton(form.get());
    button->SetName(kButtonNames[b]);
    button->SetParent(form.get());
    button->SetText(kButtonCaptions[b]);
    button->SetModalResult(kResults[b]);
    button->SetBounds(x, top, buttonWidth, buttonHeight);
    x += buttonWidth + gap;
    if (!haveDefault && (kind == mbYes || kind == mbOK)) {
      button->SetDefault(true);
      form->SetActiveControl(button);
      haveDefault = true;
    }
    if (!haveCancel && (kind == mbCancel || (kind == mbNo && !buttons.Contains(mbCancel)))) {
      button->SetCancel(true);
      haveCancel = true;
    }
  }
  return form.release();
}

Integer MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, Integer helpContext) {
  std::unique_ptr<TForm> form(CreateMessageDialog(msg, type, buttons));
  form->SetTag(helpContext);
  return form->ShowModal();
}

void ShowMessage(const String& msg) { MessageDlg(msg, mtCustom, {mbOK}, 0); }

Integer TApplication::MessageBox(const String& text, const String& caption, Integer flags) {
  TMsgDlgButtons buttons;
  switch (flags & 0x0F) {
    case MB_OKCANCEL: buttons = {mbOK, mbCancel}; break;
    case MB_ABORTRETRYIGNORE: buttons = {mbAbort, mbRetry, mbIgnore}; break;
    case MB_YESNOCANCEL: buttons = {mbYes, mbNo, mbCancel}; break;
    case MB_YESNO: buttons = {mbYes, mbNo}; break;
    case MB_RETRYCANCEL: buttons = {mbRetry, mbCancel}; break;
    default: buttons = {mbOK}; break;
  }
  TMsgDlgType type = mtCustom;
  switch (flags & 0xF0) {
    case MB_ICONERROR: type = mtError; break;
    case MB_ICONQUESTION: type = mtConfirmation; break;
    case MB_ICONWARNING: type = mtWarning; break;
    case MB_ICONINFORMATION: type = mtInformation; break;
  }
  std::unique_ptr<TForm> form(CreateMessageDialog(text, type, buttons));
  form->SetText(caption.empty() ? Title() : caption);
  return form->ShowModal();
}

void RegisterDialogsClasses() {
  RegisterClasses({TOpenDialog::StaticClass(), TSaveDialog::StaticClass(), TFontDialog::StaticClass()});
}

}  // namespace xel
