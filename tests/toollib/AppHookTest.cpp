// The application hook: the ten event lists, the default error report and the exception
// frame.
#include <gtest/gtest.h>

#include <functional>

#include "AppHook.h"
#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "StdCtrls.h"

namespace xel {
namespace {

// One handler of every signature; each notes its name, and a failing one raises after that.
struct THandler : TObject {
  THandler(std::vector<String>* log, String name, bool fails = false)
      : Log(log), Name(std::move(name)), Fails(fails) {}
  void Hear() {
    Log->push_back(Name);
    if (Fails) throw EConvertError(Name + " fails");
  }
  void Notify(TObject*) { Hear(); }
  void Idle(TObject*, bool&) { Hear(); }
  void Help(Word, Integer, bool&) { Hear(); }
  void ShowHint(String& hint, bool&) {
    hint += Name;  // later handlers see what earlier ones set
    Hear();
  }
  void Except(TObject*, const Exception& e) {
    Log->push_back(Name + ":" + e.ClassName());
    if (Fails) throw EConvertError(Name + " fails");
  }
  std::vector<String>* Log;
  String Name;
  bool Fails;
};

struct TEventCase {
  THookIndex Index;
  std::function<void(THandler*)> Insert, Remove;
  std::function<void()> Fire;
};

std::vector<TEventCase> EventCases() {
  auto notify = [](THookIndex ix, void (*insert)(const TNotifyEvent&), void (*remove)(const TNotifyEvent&),
                   TNotifyEvent TApplication::*slot) {
    return TEventCase{ix, [insert](THandler* h) { insert(MakeMethod<&THandler::Notify>(h)); },
                      [remove](THandler* h) { remove(MakeMethod<&THandler::Notify>(h)); },
                      [slot] { (Application->*slot)(Application); }};
  };
  return {
      notify(ixOnActivate, TAppHook::InsertOnActivate, TAppHook::RemoveOnActivate, &TApplication::OnActivate),
      notify(ixOnDeactivate, TAppHook::InsertOnDeactivate, TAppHook::RemoveOnDeactivate, &TApplication::OnDeactivate),
      {ixOnException, [](THandler* h) { TAppHook::InsertOnException(MakeMethod<&THandler::Except>(h), false); },
       [](THandler* h) { TAppHook::RemoveOnException(MakeMethod<&THandler::Except>(h)); },
       [] { TAppHook::OnException(Application, EListError("x")); }},
      {ixOnHelp, [](THandler* h) { TAppHook::InsertOnHelp(MakeMethod<&THandler::Help>(h)); },
       [](THandler* h) { TAppHook::RemoveOnHelp(MakeMethod<&THandler::Help>(h)); },
       [] { Application->HelpContext(7); }},
      notify(ixOnHint, TAppHook::InsertOnHint, TAppHook::RemoveOnHint, &TApplication::OnHint),
      {ixOnIdle, [](THandler* h) { TAppHook::InsertOnIdle(MakeMethod<&THandler::Idle>(h)); },
       [](THandler* h) { TAppHook::RemoveOnIdle(MakeMethod<&THandler::Idle>(h)); }, [] { Application->Idle(); }},
      notify(ixOnMessage, TAppHook::InsertOnMessage, TAppHook::RemoveOnMessage, &TApplication::OnMessage),
      notify(ixOnMinimize, TAppHook::InsertOnMinimize, TAppHook::RemoveOnMinimize, &TApplication::OnMinimize),
      notify(ixOnRestore, TAppHook::InsertOnRestore, TAppHook::RemoveOnRestore, &TApplication::OnRestore),
      {ixOnShowHint, [](THandler* h) { TAppHook::InsertOnShowHint(MakeMethod<&THandler::ShowHint>(h)); },
       [](THandler* h) { TAppHook::RemoveOnShowHint(MakeMethod<&THandler::ShowHint>(h)); },
       [] {
         String hint;
         bool canShow = true;
         Application->OnShowHint(hint, canShow);
       }},
  };
}

struct AppHookTest : testing::Test {
  static void SetUpTestSuite() {
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
  void SetUp() override { Application->SetTitle("hooked"); }
  void TearDown() override {
    // Every test leaves the hook as the unit installed it.
    TAppHook::Done();
    TAppHook::Init();
  }
  // The text of every message dialog shown meanwhile, each closed with its OK button.
  std::vector<String> Dialogs(const std::function<void()>& action) {
    std::vector<String> texts;
    TModalScript script([&texts](TCustomForm* form) {
      texts.push_back(form->GetText() + ": " + static_cast<TLabel*>(form->FindComponent("Message"))->GetText());
      form->SetModalResult(mrOk);
    });
    action();
    return texts;
  }
};

TEST_F(AppHookTest, EveryListCallsItsHandlersInOrderAndAFailingOneStopsNoOther) {
  ASSERT_TRUE(TAppHook::Installed());
  for (const TEventCase& c : EventCases()) {
    SCOPED_TRACE(static_cast<int>(c.Index));
    std::vector<String> log;
    THandler a(&log, "A"), b(&log, "B", true), c2(&log, "C");
    c.Insert(&a);
    c.Insert(&b);
    c.Insert(&c2);
    testing::internal::CaptureStderr();
    c.Fire();
    // The failure reaches the application's plain display (no exception handler is set).
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "hooked: B fails.\n");
    std::vector<String> expected{"A", "B", "C"};
    if (c.Index == ixOnException) expected = {"A:EListError", "B:EListError", "C:EListError"};
    EXPECT_EQ(log, expected);
    log.clear();
    c.Remove(&b);
    c.Fire();
    expected = {"A", "C"};
    if (c.Index == ixOnException) expected = {"A:EListError", "C:EListError"};
    EXPECT_EQ(log, expected);
    log.clear();
    c.Remove(&a);
    c.Remove(&c2);
    c.Remove(&c2);  // not in the list any more: nothing happens
    // Without the replacing handlers the exception's default report is back.
    EXPECT_EQ(Dialogs(c.Fire).size(), c.Index == ixOnException ? 1u : 0u);
    EXPECT_TRUE(log.empty());
  }
}

TEST_F(AppHookTest, SharedArgumentsTheHelpAnswerAndDuplicateHandlers) {
  std::vector<String> log;
  THandler a(&log, "A"), b(&log, "B");
  TAppHook::InsertOnShowHint(MakeMethod<&THandler::ShowHint>(&a));
  TAppHook::InsertOnShowHint(MakeMethod<&THandler::ShowHint>(&b));
  String hint = "hint:";
  bool canShow = true;
  Application->OnShowHint(hint, canShow);
  EXPECT_EQ(hint, "hint:AB");

  // The same idle handler twice is called twice per pass.
  log.clear();
  TAppHook::InsertOnIdle(MakeMethod<&THandler::Idle>(&a));
  TAppHook::InsertOnIdle(MakeMethod<&THandler::Idle>(&a));
  Application->Idle();
  EXPECT_EQ(log, (std::vector<String>{"A", "A"}));

  // The first handler that answers help stops the walk.
  struct TAnswer : TObject {
    int Asked = 0;
    bool Answers;
    explicit TAnswer(bool answers) : Answers(answers) {}
    void Help(Word, Integer, bool& callHelp) {
      ++Asked;
      if (Answers) callHelp = false;
    }
  } silent(false), answering(true), late(true);
  for (TAnswer* h : {&silent, &answering, &late}) TAppHook::InsertOnHelp(MakeMethod<&TAnswer::Help>(h));
  EXPECT_TRUE(Application->HelpContext(3));
  EXPECT_EQ(silent.Asked, 1);
  EXPECT_EQ(answering.Asked, 1);
  EXPECT_EQ(late.Asked, 0);
}

TEST_F(AppHookTest, BeforeInitNothingIsInstalledAndNoHandlerRuns) {
  std::vector<String> log;
  THandler a(&log, "A");
  TAppHook::Done();
  EXPECT_FALSE(TAppHook::Installed());
  EXPECT_FALSE(Application->OnIdle);
  TAppHook::InsertOnIdle(MakeMethod<&THandler::Idle>(&a));
  TAppHook::Install(ixOnHint, TNotifyEvent(MakeMethod<&THandler::Notify>(&a)).GetMethod(), 5);
  // Not even a replacing exception handler counts.
  TAppHook::InsertOnException(MakeMethod<&THandler::Except>(&a), false);
  TAppHook::Init();
  Application->Idle();
  Application->SetHint("changed");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(Dialogs([] { TAppHook::OnException(nullptr, EListError("x")); }).size(), 1u);
  // Install hands its parameter back to Uninstall.
  TAppHook::Install(ixOnHint, TNotifyEvent(MakeMethod<&THandler::Notify>(&a)).GetMethod(), 5);
  Integer param = 0;
  TAppHook::Uninstall(ixOnHint, TNotifyEvent(MakeMethod<&THandler::Notify>(&a)).GetMethod(), param);
  EXPECT_EQ(param, 5);
}

TEST_F(AppHookTest, TheDefaultReportShowsUntilAHandlerReplacesIt) {
  std::vector<String> log;
  THandler listener(&log, "L"), replacer(&log, "R");
  TAppHook::InsertOnException(MakeMethod<&THandler::Except>(&listener), true);
  auto raise = [] { TAppHook::OnException(nullptr, EConvertError("bad")); };
  EXPECT_EQ(Dialogs(raise), (std::vector<String>{"Error: An error has occured (EConvertError)."}));
  EXPECT_EQ(log, (std::vector<String>{"L:EConvertError"}));
  TAppHook::InsertOnException(MakeMethod<&THandler::Except>(&replacer), false);
  EXPECT_TRUE(Dialogs(raise).empty());
  TAppHook::RemoveOnException(MakeMethod<&THandler::Except>(&replacer));
  EXPECT_EQ(Dialogs(raise).size(), 1u);
  // EAbort is silent: no handler hears of it.
  log.clear();
  EXPECT_TRUE(Dialogs([] { TAppHook::OnException(nullptr, EAbort("quiet")); }).empty());
  EXPECT_TRUE(log.empty());
  // A report that cannot be shown (no one answers the dialog here) goes to the plain display.
  testing::internal::CaptureStderr();
  raise();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "hooked: No modal handler closed the form TForm.\n");
  // The application's exception slot can be the hook's report.
  Application->OnException = TAppHook::OnExceptionHandler();
  EXPECT_EQ(Dialogs([] {
              try {
                throw EListError("deep");
              } catch (...) {
                Application->HandleException(nullptr);
              }
            }),
            (std::vector<String>{"Error: An error has occured (EListError)."}));
}

TEST_F(AppHookTest, AFrameCarriesTheExceptionToTheApplicationsReport) {
  struct TCatcher : TObject {
    std::vector<String> Seen;
    void Handle(TObject* sender, const Exception& e) {
      Seen.push_back(String(sender ? sender->ClassName() : "nil") + " " + e.ClassName() + ": " + e.Message());
    }
  } catcher;
  TComponent sender(nullptr);
  const struct {
    std::function<void()> Throw;
    const char* Message;  // of the frame
    const char* Reported;  // to the exception slot; empty when nothing is
    const char* Plain;     // on the plain display without a slot
  } cases[] = {
      {[] { throw EListError("List index out of bounds (3)"); }, "List index out of bounds (3)",
       "TComponent EListError: List index out of bounds (3)", "hooked: List index out of bounds (3).\n"},
      {[] { throw std::runtime_error("std failure"); }, "std failure", "TComponent Exception: std failure",
       "hooked: std failure.\n"},
      {[] { throw EAbort("quiet"); }, "quiet", "", ""},
      {[] { throw 42; }, "TExceptionFrame: External exception", "", "hooked: TExceptionFrame: External exception.\n"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TExceptionFrame> frame;
    try {
      c.Throw();
    } catch (...) {
      frame = std::make_unique<TExceptionFrame>(&sender, std::current_exception(), &cases);
    }
    SCOPED_TRACE(c.Message);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Message(), c.Message);
    EXPECT_EQ(frame->Sender(), &sender);
    EXPECT_EQ(frame->ExceptAddress(), &cases);
    EXPECT_TRUE(frame->ExceptObject());
    Application->OnException = MakeMethod<&TCatcher::Handle>(&catcher);
    testing::internal::CaptureStderr();
    TAppHook::HandleExceptionEx(&sender, *frame);
    // An object that is no exception always takes the plain display.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), frame->CapturedException() ? "" : c.Plain);
    std::vector<String> expected;
    if (*c.Reported) expected.push_back(c.Reported);
    EXPECT_EQ(catcher.Seen, expected);
    catcher.Seen.clear();
    Application->OnException = nullptr;
    testing::internal::CaptureStderr();
    TAppHook::HandleExceptionEx(&sender, *frame);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.Plain);
  }
}

}  // namespace
}  // namespace xel
