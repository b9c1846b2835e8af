// The running program's object, the non-visual half: exception reporting, names, ending.
#pragma once

#include "Component.h"

namespace xel {

XEL_EVENT(TExceptionEvent, TObject* /*Sender*/, const Exception& /*E*/);

class TApplication : public TComponent {
  XEL_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* owner);

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
  virtual void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }

  TExceptionEvent OnException;

private:
  String FTitle;
  String FHelpFile;
  bool FTerminated = false;
};

// The program's application object.
extern TApplication* Application;

}  // namespace xel
