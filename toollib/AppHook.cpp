#include "AppHook.h"

#include <array>
#include <memory>

#include "Dialogs.h"
#include "Expand.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/AppHook.cpp 1 10.12.26 16:10 XG $")

namespace xel {

namespace {

constexpr int kHookCount = ixOnShowHint + 1;

// The unit's state: one list per event while the hook is installed.
std::array<std::unique_ptr<TMethodList>, kHookCount> gLists;
bool gInstalled = false;
// Exception handlers inserted to replace the default report.
int gReplacing = 0;

TErrorReportProc gErrorReport = nullptr;

// Shows the default error report. The marker stands for the package's wording of "an
// error has occurred", which the package's own message dialog gives in the user's
// language; the host's dialog shows the English wording.
void ShowErrorReport(const String& text) {
  if (gErrorReport) {
    gErrorReport(text);
    return;
  }
  MessageDlg(StringReplace(text, ErrorMarker, "An error has occured", {rfReplaceAll}), mtError, {mbOK}, 0);
}

// Inside a catch block: the application's plain display of whatever was thrown.
void ShowCurrentPlain() {
  try {
    throw;
  } catch (const Exception& e) {
    Application->ShowException(e);
  } catch (const std::exception& e) {
    Application->ShowException(Exception(e.what()));
  } catch (...) {
    Application->ShowException(Exception("Unknown exception"));
  }
}

// Calls every handler of a list in order, each protected: one that fails is reported and
// the others still run. The walk is over a copy, so that handlers may insert and remove
// handlers (themselves too); a removed one is not called any more. Stops when stop says so.
template <class E, class Stop, class... A>
void CallEachUntil(THookIndex index, Stop stop, A&... args) {
  if (!gInstalled) return;
  std::vector<TMethod> handlers;
  for (int i = 0; i < gLists[index]->Count(); ++i) handlers.push_back(gLists[index]->Items(i));
  for (const TMethod& m : handlers) {
    if (!gInstalled || gLists[index]->IndexOf(m) < 0 || !m.Code) continue;
    try {
      E::FromMethod(m)(args...);
    } catch (...) {
      if (index == ixOnException) ShowCurrentPlain();  // not the exception handler again
      else Application->HandleException(Application);
    }
    if (stop()) return;
  }
}

template <class E, class... A>
void CallEach(THookIndex index, A&... args) {
  CallEachUntil<E>(index, [] { return false; }, args...);
}

// The hook's own handlers, set into the application's slots.
struct THookHandlers {
  void Activate(TObject* sender) { CallEach<TNotifyEvent>(ixOnActivate, sender); }
  void Deactivate(TObject* sender) { CallEach<TNotifyEvent>(ixOnDeactivate, sender); }
  // The host's help handler answers "handled" by clearing CallHelp; nobody is asked after that.
  void Help(Word command, Integer data, bool& callHelp) {
    CallEachUntil<THelpEvent>(ixOnHelp, [&callHelp] { return !callHelp; }, command, data, callHelp);
  }
  void Hint(TObject* sender) { CallEach<TNotifyEvent>(ixOnHint, sender); }
  void Idle(TObject* sender, bool& done) { CallEach<TIdleEvent>(ixOnIdle, sender, done); }
  void Message(TObject* sender) { CallEach<TNotifyEvent>(ixOnMessage, sender); }
  void Minimize(TObject* sender) { CallEach<TNotifyEvent>(ixOnMinimize, sender); }
  void Restore(TObject* sender) { CallEach<TNotifyEvent>(ixOnRestore, sender); }
  void ShowHint(String& hint, bool& canShow) { CallEach<TShowHintEvent>(ixOnShowHint, hint, canShow); }
  void Exception(TObject* sender, const xel::Exception& e) { TAppHook::OnException(sender, e); }
} gHandlers;

// The hook is the unit's from loading to unloading, outside the designer.
struct TAppHookUnit {
  TAppHookUnit() {
    if (!IsDesigning()) TAppHook::Init();
  }
  ~TAppHookUnit() { TAppHook::Done(); }
} gUnit;

}  // namespace

TExceptionFrame::TExceptionFrame(TObject* sender, std::exception_ptr captured, const void* address)
    : FObject(std::move(captured)), FAddress(address), FSender(sender) {
  // The object stays where it is for as long as the frame holds it.
  try {
    if (FObject) std::rethrow_exception(FObject);
  } catch (const xel::Exception& e) {
    FException = &e;
    SetMessage(e.Message());
  } catch (const std::exception& e) {
    FException = &e;
    SetMessage(e.what());
  } catch (...) {
  }
  if (!FException) SetMessage(String(ClassName()) + ": External exception");
}

void TAppHook::Init() {
  if (gInstalled) return;
  for (auto& list : gLists) list = std::make_unique<TMethodList>();
  Application->OnActivate = MakeMethod<&THookHandlers::Activate>(&gHandlers);
  Application->OnDeactivate = MakeMethod<&THookHandlers::Deactivate>(&gHandlers);
  Application->OnHelp = MakeMethod<&THookHandlers::Help>(&gHandlers);
  Application->OnHint = MakeMethod<&THookHandlers::Hint>(&gHandlers);
  Application->OnIdle = MakeMethod<&THookHandlers::Idle>(&gHandlers);
  Application->OnMessage = MakeMethod<&THookHandlers::Message>(&gHandlers);
  Application->OnMinimize = MakeMethod<&THookHandlers::Minimize>(&gHandlers);
  Application->OnRestore = MakeMethod<&THookHandlers::Restore>(&gHandlers);
  Application->OnShowHint = MakeMethod<&THookHandlers::ShowHint>(&gHandlers);
  gInstalled = true;
}

void TAppHook::Done() {
  if (Application) {
    Application->OnActivate = nullptr;
    Application->OnDeactivate = nullptr;
    Application->OnException = nullptr;
    Application->OnHelp = nullptr;
    Application->OnHint = nullptr;
    Application->OnIdle = nullptr;
    Application->OnMessage = nullptr;
    Application->OnMinimize = nullptr;
    Application->OnRestore = nullptr;
    Application->OnShowHint = nullptr;
  }
  gInstalled = false;
  gReplacing = 0;
  for (auto& list : gLists) list.reset();
}

bool TAppHook::Installed() { return gInstalled; }

void TAppHook::Install(THookIndex index, TMethod handler, Integer param) {
  if (gInstalled) gLists[index]->AddEx(handler, param);
}

void TAppHook::Uninstall(THookIndex index, TMethod handler, Integer& param) {
  if (gInstalled) gLists[index]->RemoveEx(handler, param);
}

void TAppHook::InsertOnException(const TExceptionEvent& handler, bool showDefault) {
  if (!gInstalled) return;
  // The entry's parameter remembers whether it replaced the report.
  Install(ixOnException, handler.GetMethod(), showDefault ? 1 : 0);
  if (!showDefault) ++gReplacing;
}

void TAppHook::RemoveOnException(const TExceptionEvent& handler) {
  Integer showDefault = 1;
  Uninstall(ixOnException, handler.GetMethod(), showDefault);
  if (showDefault == 0 && gReplacing > 0) --gReplacing;
}

void TAppHook::OnException(TObject* sender, const Exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  CallEach<TExceptionEvent>(ixOnException, sender, e);
  if (gReplacing > 0) return;
  try {
    ShowErrorReport(String(ErrorMarker) + " (" + e.ClassName() + ").");
  } catch (...) {
    ShowCurrentPlain();
  }
}

void SetErrorReportProc(TErrorReportProc proc) { gErrorReport = proc; }

TExceptionEvent TAppHook::OnExceptionHandler() { return MakeMethod<&THookHandlers::Exception>(&gHandlers); }

void TAppHook::HandleExceptionEx(TObject* sender, const TExceptionFrame& frame) {
  const std::exception* captured = frame.CapturedException();
  if (!captured) {
    Application->ShowException(frame);
    return;
  }
  try {
    std::rethrow_exception(frame.ExceptObject());
  } catch (...) {
    Application->HandleException(sender);
  }
}

}  // namespace xel
