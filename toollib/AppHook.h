// The application hook: each event slot of the application object becomes a list to which
// any part of the program adds its handlers and from which it removes them again. Also
// the default report of unhandled exceptions, and the exception frame that carries an
// exception from where it was caught to where it is reported.
#pragma once

#include <exception>

#include "Application.h"
#include "MethodList.h"

namespace xel {

XEL_ENUM(THookIndex, ixOnActivate, ixOnDeactivate, ixOnException, ixOnHelp, ixOnHint, ixOnIdle, ixOnMessage,
         ixOnMinimize, ixOnRestore, ixOnShowHint)

// An exception caught in one place (often another thread), to be reported in another.
class TExceptionFrame : public Exception {
public:
  // Captures the exception being handled (by default the current one, in a catch block).
  // The address is the code that was running when it was caught, as far as it is known.
  explicit TExceptionFrame(TObject* sender, std::exception_ptr captured = std::current_exception(),
                           const void* address = nullptr);
  const char* ClassName() const override { return "TExceptionFrame"; }

  const void* ExceptAddress() const { return FAddress; }
  const std::exception_ptr& ExceptObject() const { return FObject; }
  TObject* Sender() const { return FSender; }
  // The captured object when it is an exception (the host's or a standard one), else nullptr.
  const std::exception* CapturedException() const { return FException; }

private:
  std::exception_ptr FObject;
  const std::exception* FException = nullptr;
  const void* FAddress;
  TObject* FSender;
};

// Stands in a report's text for the wording of "an error has occurred" in the user's language.
inline constexpr const char* ErrorMarker = "\\$Error$\\";

// Shows the default report of an unhandled exception. The package's message dialog stands
// above this library (it carries a TGlotta) and puts itself here when its library loads;
// until then the host's dialog shows the report.
using TErrorReportProc = void (*)(const String& text);
void SetErrorReportProc(TErrorReportProc proc);

// Class-level operations only: the lists are the unit's.
class TAppHook {
public:
  // Takes over the application's slots (all but OnException, which an application assigns
  // itself: Application->OnException = TAppHook::OnExceptionHandler()). The unit does it
  // when it is loaded, unless the code runs in the designer.
  static void Init();
  // Clears all ten slots of the application and drops every handler.
  static void Done();
  static bool Installed();

  // Both do nothing before Init. Uninstall hands out the parameter of the removed entry and
  // leaves param alone when the handler is not in the list.
  static void Install(THookIndex index, TMethod handler, Integer param);
  static void Uninstall(THookIndex index, TMethod handler, Integer& param);

  static void InsertOnActivate(const TNotifyEvent& handler) { Install(ixOnActivate, handler.GetMethod(), 0); }
  static void RemoveOnActivate(const TNotifyEvent& handler) { Remove(ixOnActivate, handler.GetMethod()); }
  static void InsertOnDeactivate(const TNotifyEvent& handler) { Install(ixOnDeactivate, handler.GetMethod(), 0); }
  static void RemoveOnDeactivate(const TNotifyEvent& handler) { Remove(ixOnDeactivate, handler.GetMethod()); }
  // With showDefault false the handler replaces the default report until it is removed.
  static void InsertOnException(const TExceptionEvent& handler, bool showDefault);
  static void RemoveOnException(const TExceptionEvent& handler);
  static void InsertOnHelp(const THelpEvent& handler) { Install(ixOnHelp, handler.GetMethod(), 0); }
  static void RemoveOnHelp(const THelpEvent& handler) { Remove(ixOnHelp, handler.GetMethod()); }
  static void InsertOnHint(const TNotifyEvent& handler) { Install(ixOnHint, handler.GetMethod(), 0); }
  static void RemoveOnHint(const TNotifyEvent& handler) { Remove(ixOnHint, handler.GetMethod()); }
  static void InsertOnIdle(const TIdleEvent& handler) { Install(ixOnIdle, handler.GetMethod(), 0); }
  static void RemoveOnIdle(const TIdleEvent& handler) { Remove(ixOnIdle, handler.GetMethod()); }
  static void InsertOnMessage(const TNotifyEvent& handler) { Install(ixOnMessage, handler.GetMethod(), 0); }
  static void RemoveOnMessage(const TNotifyEvent& handler) { Remove(ixOnMessage, handler.GetMethod()); }
  static void InsertOnMinimize(const TNotifyEvent& handler) { Install(ixOnMinimize, handler.GetMethod(), 0); }
  static void RemoveOnMinimize(const TNotifyEvent& handler) { Remove(ixOnMinimize, handler.GetMethod()); }
  static void InsertOnRestore(const TNotifyEvent& handler) { Install(ixOnRestore, handler.GetMethod(), 0); }
  static void RemoveOnRestore(const TNotifyEvent& handler) { Remove(ixOnRestore, handler.GetMethod()); }
  static void InsertOnShowHint(const TShowHintEvent& handler) { Install(ixOnShowHint, handler.GetMethod(), 0); }
  static void RemoveOnShowHint(const TShowHintEvent& handler) { Remove(ixOnShowHint, handler.GetMethod()); }

  // The default report of an exception: EAbort stays silent; every handler of the
  // exception list hears of it, then the error report is shown unless a handler replaced it.
  static void OnException(TObject* sender, const Exception& e);
  // OnException as an event, to be assigned to the application's slot.
  static TExceptionEvent OnExceptionHandler();
  // Reports an exception captured elsewhere, on the main thread: through the application's
  // exception slot when one is set, else its plain display.
  static void HandleExceptionEx(TObject* sender, const TExceptionFrame& frame);

private:
  static void Remove(THookIndex index, TMethod handler) {
    Integer ignored = 0;
    Uninstall(index, handler, ignored);
  }
};

}  // namespace xel
