#include "Application.h"

#include <algorithm>
#include <cstdio>

#include "Forms.h"
#include "MainThread.h"
#include "Platform.h"
#include "WidgetSet.h"

namespace xel {

namespace {
TApplication& DefaultApplication() {
  static TApplication app(nullptr);
  return app;
}
}  // namespace

TApplication* Application = &DefaultApplication();

TApplication::TApplication(TComponent* owner) : TComponent(owner), FIcon(std::make_unique<TIcon>()) {}

TApplication::~TApplication() {
  Destroying();
  for (TCustomForm* f : std::exchange(FReleased, {})) delete f;
  DestroyComponents();
}

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

namespace {
// Help files keep their classic names ("Tool.hlp"); here the page of the same stem is
// HTML. It is looked for as named, beside the program, and in the installed help folder.
String HelpPage(const String& helpFile) {
  const String page = ChangeFileExt(helpFile, ".html");
  const String dir = ExtractFilePath(GetModuleFileName());
  for (const String& candidate : {page, dir + ExtractFileName(page), dir + "../share/xelglotta/help/" + ExtractFileName(page),
                                  String(XEL_HELP_DIR "/") + ExtractFileName(page)})
    if (FileExists(candidate)) return ExpandFileName(candidate);
  return "";
}
}  // namespace

bool TApplication::HelpContext(Integer context) {
  bool callHelp = true;
  OnHelp(static_cast<Word>(1), context, callHelp);
  if (!callHelp) return true;
  if (FHelpFile.empty() || !WidgetSet()) return false;
  const String page = HelpPage(FHelpFile);
  return !page.empty() && WidgetSet()->ShowHelp("file://" + page + "#context-" + IntToStr(context));
}

void TApplication::SetHint(const String& v) {
  if (FHint == v) return;
  FHint = v;
  OnHint(this);
}

TCustomForm* TApplication::CreateForm(TClass formClass) {
  if (!formClass || !formClass->InheritsFrom(TCustomForm::StaticClass())) throw EInvalidCast(SConst::InvalidCast);
  auto* form = static_cast<TCustomForm*>(CreateComponent(formClass, this));
  if (!FMainForm) FMainForm = form;
  return form;
}

void TApplication::Run() {
  FTerminated = false;
  if (FMainForm) FMainForm->Show();
  TWidgetSet* ws = WidgetSet();
  if (!ws) throw EInvalidOperation("No widget set installed");
  ws->Run(this);
}

void TApplication::ProcessMessages() {
  if (TWidgetSet* ws = WidgetSet()) ws->ProcessMessages();
  // Calls of other threads run here too, on widget sets without a loop of their own.
  CheckSynchronize();
  Idle();
}

void TApplication::Idle() {
  for (TCustomForm* f : std::exchange(FReleased, {})) delete f;
  bool done = true;
  OnIdle(this, done);
}

void TApplication::ReleaseForm(TCustomForm* form) {
  if (std::find(FReleased.begin(), FReleased.end(), form) == FReleased.end()) {
    FReleased.push_back(form);
    form->FreeNotification(this);
  }
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMainForm) FMainForm = nullptr;
  // Compared as components: the form part of a component being freed is gone already.
  std::erase_if(FReleased, [component](TCustomForm* f) { return static_cast<TComponent*>(f) == component; });
}

}  // namespace xel
