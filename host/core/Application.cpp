#include "Application.h"

#include <cstdio>

#include "Platform.h"

namespace xel {

namespace {
TApplication DefaultApplication(nullptr);
}

TApplication* Application = &DefaultApplication;

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    if (OnException) OnException(sender, e);
    else ShowException(e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    if (OnException) OnException(sender, wrapped);
    else ShowException(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    if (OnException) OnException(sender, wrapped);
    else ShowException(wrapped);
  }
}

void TApplication::ShowException(const Exception& e) {
  String msg = e.Message();
  if (!msg.empty() && msg.back() != '.') msg += '.';
  std::fprintf(stderr, "%s: %s\n", Title().c_str(), msg.c_str());
  std::fflush(stderr);
}

String TApplication::ExeName() const { return GetModuleFileName(); }

String TApplication::Title() const {
  if (!FTitle.empty()) return FTitle;
  return ChangeFileExt(ExtractFileName(ExeName()), "");
}

}  // namespace xel
