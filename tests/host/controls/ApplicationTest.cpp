// The application object: exception reporting, the main form, the loop, released forms.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "MainThread.h"

namespace xel {
namespace {

// Help files keep their classic names; the HTML page of the same stem opens at the topic,
// unless OnHelp handles the request itself.
TEST(ApplicationTest, HelpOpensTheHtmlPageOfTheHelpFileAtTheTopic) {
  struct THelp : TObject {
    bool Handle = false;
    void OnHelp(Word, Integer, bool& callHelp) { callHelp = !Handle; }
  } help;
  const String saved = Application->HelpFile();
  Application->OnHelp = MakeMethod<&THelp::OnHelp>(&help);
  const std::vector<String>& shown = HeadlessWidgetSet()->HelpShown();
  size_t before = shown.size();
  Application->SetHelpFile(XEL_HELP_SOURCE "/XelGlottaEng.hlp");
  EXPECT_TRUE(Application->HelpContext(4000));
  ASSERT_EQ(shown.size(), before + 1);
  EXPECT_EQ(shown.back(), "file://" XEL_HELP_SOURCE "/XelGlottaEng.html#context-4000");
  help.Handle = true;
  EXPECT_TRUE(Application->HelpContext(1));
  help.Handle = false;
  Application->SetHelpFile("NoSuchHelp.hlp");
  EXPECT_FALSE(Application->HelpContext(1));
  EXPECT_EQ(shown.size(), before + 1);
  Application->OnHelp = nullptr;
  Application->SetHelpFile(saved);

  // Both languages' pages have every topic the package's windows open.
  for (const char* page : {"XelGlottaEng.html", "XelGlottaGer.html"}) {
    std::ifstream in(String(XEL_HELP_SOURCE "/") + page);
    std::stringstream text;
    text << in.rdbuf();
    for (int topic : {1, 2000, 3000, 4000, 4200, 4500, 7000, 8000, 9000})
      EXPECT_NE(text.str().find("id=\"context-" + std::to_string(topic) + "\""), std::string::npos) << page << " " << topic;
  }
}

TEST(ApplicationTest, HandleExceptionReportsAllButAbort) {
  struct TCatcher : TObject {
    std::vector<String> Seen;
    void OnException(TObject*, const Exception& e) { Seen.push_back(String(e.ClassName()) + ": " + e.Message()); }
  } catcher;
  TApplication app(nullptr);
  app.SetTitle("demo");
  try {
    throw EConvertError("bad number");
  } catch (...) {
    testing::internal::CaptureStderr();
    app.HandleException(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "demo: bad number.\n");
  }
  app.OnException = MakeMethod<&TCatcher::OnException>(&catcher);
  for (int i = 0; i < 3; ++i) {
    try {
      if (i == 0) throw EAbort("silent");
      if (i == 1) throw EListError("List index out of bounds (3)");
      throw std::runtime_error("std failure");
    } catch (...) {
      app.HandleException(&app);
    }
  }
  EXPECT_EQ(catcher.Seen, (std::vector<String>{"EListError: List index out of bounds (3)", "Exception: std failure"}));
  EXPECT_FALSE(app.Terminated());
  app.Terminate();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(Application->ClassName(), "TApplication");
}

TEST(ApplicationTest, MainFormRunsTheLoopAndClosingItEnds) {
  TForm* main = nullptr;
  TForm* second = nullptr;
  Application->CreateForm(main);
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), main);
  std::vector<String> seen;
  HeadlessWidgetSet()->SetRunHandler([&] {
    seen.push_back(main->GetVisible() ? "main shown" : "main hidden");
    second->Show();
    second->Close();  // hides a form that is not the main one
    seen.push_back(second->GetVisible() ? "second shown" : "second hidden");
    main->Close();
  });
  Application->Run();
  HeadlessWidgetSet()->SetRunHandler(nullptr);
  EXPECT_EQ(seen, (std::vector<String>{"main shown", "second hidden"}));
  EXPECT_TRUE(Application->Terminated());
  // Released forms go at the next idle pass; the main form pointer clears itself.
  main->Release();
  EXPECT_EQ(Application->MainForm(), main);
  Application->ProcessMessages();
  EXPECT_EQ(Application->MainForm(), nullptr);
  delete second;
}

TEST(ApplicationTest, CallsQueuedByOtherThreadsRunInOrderWhenMessagesAreProcessed) {
  std::vector<int> ran;
  std::thread worker([&ran] {
    EXPECT_FALSE(IsMainThread());
    EXPECT_FALSE(CheckSynchronize());  // only the main thread runs them
    for (int i = 0; i < 3; ++i) QueueMainThreadCall([&ran, i] { ran.push_back(i); });
  });
  worker.join();
  EXPECT_TRUE(ran.empty());
  // A call queued while the queue is drained runs in the same pass.
  QueueMainThreadCall([&ran] { QueueMainThreadCall([&ran] { ran.push_back(9); }); });
  EXPECT_TRUE(IsMainThread());
  Application->ProcessMessages();
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 9}));
  EXPECT_FALSE(CheckSynchronize());
}

}  // namespace
}  // namespace xel
