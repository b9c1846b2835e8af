// The running program's object: exception reporting, the main form, the message loop.
#pragma once

#include <memory>
#include <vector>

#include "Graphics.h"

namespace xel {

class TCustomForm;

XEL_EVENT(TExceptionEvent, TObject* /*Sender*/, const Exception& /*E*/);
XEL_EVENT(TIdleEvent, TObject* /*Sender*/, bool& /*Done*/);
XEL_EVENT(THelpEvent, Word /*Command*/, Integer /*Data*/, bool& /*CallHelp*/);
XEL_EVENT(TShowHintEvent, String& /*HintStr*/, bool& /*CanShow*/);

class TApplication : public TComponent {
  XEL_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Call from inside a catch block: EAbort stays silent; otherwise OnException when
  // assigned, else ShowException. Exceptions that are not the host's are reported too.
  void HandleException(TObject* sender);
  // Reports an exception to the user: on a program without windows, to standard error.
  virtual void ShowException(const Exception& e);

  String ExeName() const;
  String Title() const;  // the program's name when none is set
  void SetTitle(const String& v) { FTitle = v; }
  const String& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const String& v) { FHelpFile = v; }
  // Asks OnHelp (which may handle it); then opens the help file's page at the topic:
  // "Tool.hlp" is the HTML page "Tool.html" (anchor "context-N") as named, beside the
  // program or in the installed help folder. True when help was shown or handled.
  bool HelpContext(Integer context);
  TIcon* Icon() const { return FIcon.get(); }
  // A message dialog with the buttons of the flags (MB_OK, MB_YESNO, ... with an MB_ICON...);
  // the pressed button's result (IDOK = mrOk, ...).
  Integer MessageBox(const String& text, const String& caption, Integer flags);
  const String& Hint() const { return FHint; }
  void SetHint(const String& v);

  // Creates a form with the application as owner (through its class, so that it reads its
  // form resource); the first one becomes the main form.
  TCustomForm* CreateForm(TClass formClass);
  template <class F>
  void CreateForm(F*& reference) {
    reference = static_cast<F*>(CreateForm(F::StaticClass()));
  }
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* form) { FMainForm = form; }
  // Shows the main form and runs the widget set's loop until Terminate.
  void Run();
  // Handles what is pending, runs the calls other threads queued for the main thread, then
  // one idle pass.
  void ProcessMessages();
  // One idle pass: frees released forms, then OnIdle.
  void Idle();
  virtual void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Frees the form after the current event (TCustomForm::Release).
  void ReleaseForm(TCustomForm* form);
  void Notification(TComponent* component, TOperation operation) override;

  TExceptionEvent OnException;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  THelpEvent OnHelp;
  TNotifyEvent OnHint;
  TIdleEvent OnIdle;
  TNotifyEvent OnMessage;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TShowHintEvent OnShowHint;

private:
  String FTitle;
  String FHelpFile;
  String FHint;
  std::unique_ptr<TIcon> FIcon;
  TCustomForm* FMainForm = nullptr;
  std::vector<TCustomForm*> FReleased;
  bool FTerminated = false;
};

// The program's application object.
extern TApplication* Application;

}  // namespace xel
