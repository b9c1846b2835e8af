// The package's own message box: a modal dialog with an icon, the text and a row of
// buttons. Its button captions and default window captions are named strings of the
// dialog's TGlotta, so the dialog speaks the language of the frame its caller names.
#pragma once

#include <vector>

#include "AppHook.h"
#include "ButtonPanel.h"
#include "Glotta.h"
#include "SuperForm.h"
#include "WidgetSet.h"

namespace xel {

// The unit's names repeat those of the host's message dialogs (mtWarning, mbYes,
// MessageDlg, ShowMessage); they are reached as MsgBox::Msg, MsgBox::mtError and so on.
namespace MsgBox {

XEL_ENUM(TMsgBoxType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
XEL_ENUM(TMsgBoxButton, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
         mbTerminate, mbDebug, mbCopyErrorAddr, mbHelp)
XEL_SET(TMsgBoxButtons, TMsgBoxButton)

// The modal results of the buttons beyond the host's.
inline constexpr TModalResult mrTerminate = 1010, mrDebug = 1011;

// Stands in a report's text for the dialog's wording of "an error has occurred".
using ::xel::ErrorMarker;

// Each shows the dialog modally, owned by the application, and returns the modal result of
// the button that closed it.
Integer Msg(const String& text, const String& caption, TMsgBoxType type, TMsgBoxButtons buttons, Integer helpContext);
// The dialog's TGlotta joins the frame of the domain first.
Integer MsgEx(const String& text, const String& caption, TMsgBoxType type, TMsgBoxButtons buttons,
              Integer helpContext, const String& domain);
// An error report: ErrorMarker in the text becomes the dialog's "ErrorHasOccured"; the
// copy button puts the address on the clipboard.
Integer MsgErr(const String& text, const String& caption, TMsgBoxType type, TMsgBoxButtons buttons,
               Integer helpContext, Integer errorAddress, const String& domain);
Integer MessageDlg(const String& text, TMsgBoxType type, TMsgBoxButtons buttons, Integer helpContext);
void ShowMessage(const String& text);

}  // namespace MsgBox

// An error that is to be shown with a message type of its own (mtError unless given).
class EMsg : public Exception {
public:
  explicit EMsg(const String& message) : Exception(message) {}
  EMsg(const String& message, MsgBox::TMsgBoxType msgType) : Exception(message), MsgType(msgType) {}
  const char* ClassName() const override { return "EMsg"; }
  MsgBox::TMsgBoxType MsgType = MsgBox::mtError;
};

class TMyMsgForm : public TSuperForm {
  XEL_CLASS(TMyMsgForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;

  TGlotta* Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }
  TImage* Image() const { return OwnedComponent<TImage>(this, "Image"); }
  TPanel* TextPanel() const { return OwnedComponent<TPanel>(this, "TextPanel"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }

  // Everything the dialog shows; the caption stays empty for mtCustom unless given. Any
  // other type value ends in CaseError.
  void Init(const String& text, const String& caption, MsgBox::TMsgBoxType type, MsgBox::TMsgBoxButtons buttons);
  // The buttons of the set in their fixed order, with their roles.
  void InitButtons(MsgBox::TMsgBoxButtons buttons);
  // The text's lines as shown, broken to the panel's width.
  const std::vector<String>& Lines() const { return FLines; }
  TSystemIcon IconKind() const { return FIconKind; }
  // The item of a button kind, or nullptr when the dialog has none.
  TButtonItem* FindButton(MsgBox::TMsgBoxButton kind) const;

  void ButtonPanelButtonClick(TObject* sender, TButtonItem* item);
  void FormCloseQuery(TObject* sender, bool& canClose);

  static auto PublishedMethods() {
    return MethodTable<TMyMsgForm>({PublishedMethod<&TMyMsgForm::ButtonPanelButtonClick>("ButtonPanelButtonClick"),
                                    PublishedMethod<&TMyMsgForm::FormCloseQuery>("FormCloseQuery")});
  }

  Integer HelpContext = 0;
  Integer ErrorAddress = 0;
  bool Clicked = false;
  bool HasCancel = false;
  TModalResult CancelResult = mrCancel;

private:
  TButtonItem* AddButton(MsgBox::TMsgBoxButton kind, const String& caption, TModalResult result);
  TButtonItem* AddButtons(MsgBox::TMsgBoxButtons buttons);
  void InitIcon(TSystemIcon kind);
  void ArrangeControls();

  String FText;
  Integer FDesignedWidth = -1;
  std::vector<String> FLines;
  TSystemIcon FIconKind = TSystemIcon::Application;
};

void RegisterMsgBoxClasses();

}  // namespace xel
