#include <gtest/gtest.h>

#include <functional>

#include "Application.h"
#include "GlottaFrames.h"

namespace xel {
namespace {

// A frame member that records the phases it is called with.
struct TMember : TObject {
  explicit TMember(String name, std::vector<String>* log) : Name(std::move(name)), Log(log) {}
  void Notify(TObject* sender, const String& language, TActionMode action) {
    EXPECT_EQ(sender, this);
    Log->push_back(Name + ":" + GetEnumName(TypeInfo<TActionMode>(), action) + ":" + language);
    if (Throws == 1 && action == amSetLanguage) throw ELanguageNotFound("Language '" + language + "' not found");
    if (Throws == 2 && action == amChange) throw EConvertError("member failed");
    if (OnCall) OnCall(action);
  }
  TLanguageNotify Handler() { return MakeMethod<&TMember::Notify>(this); }
  String Name;
  std::vector<String>* Log;
  int Throws = 0;
  std::function<void(TActionMode)> OnCall;
};

TEST(LanguageFramesTest, DomainsAndUnnamedGroupsMakeFrames) {
  std::vector<String> log;
  TMember h1("H1", &log), h2("H2", &log), h3("H3", &log), h4("H4", &log), d1("D1", &log), d2("D2", &log);
  TLanguageFrames domains;
  EXPECT_TRUE(domains.AddNotify("main", false, d1.Handler()));
  EXPECT_FALSE(domains.AddNotify("  MAIN ", false, d2.Handler()));
  ASSERT_EQ(domains.Count(), 1);
  EXPECT_EQ(domains.Items(0)->Name(), "MAIN");  // the letter case given last
  EXPECT_EQ(domains.Items(0)->Notifies().Count(), 2);

  TLanguageFrames unnamed;
  EXPECT_TRUE(unnamed.AddNotify("", false, h1.Handler()));
  EXPECT_FALSE(unnamed.AddNotify("", false, h2.Handler()));
  EXPECT_TRUE(unnamed.AddNotify("", true, h3.Handler()));
  EXPECT_FALSE(unnamed.AddNotify("", false, h4.Handler()));
  ASSERT_EQ(unnamed.Count(), 2);
  TLanguageFrame* f;
  EXPECT_TRUE(unnamed.GetFrame(h2.Handler(), f));
  EXPECT_EQ(f, unnamed.Items(0));
  EXPECT_TRUE(unnamed.GetFrame(h4.Handler(), f));
  EXPECT_EQ(f, unnamed.Items(1));
  EXPECT_FALSE(unnamed.AddNotify("", false, TLanguageNotify()));  // no code: never stored
  EXPECT_TRUE(TLanguageFrame(nullptr, " .Private Xel Domain").Hidden());
  EXPECT_FALSE(TLanguageFrame(nullptr, "").Hidden());
}

TEST(LanguageFramesTest, ASwitchRunsFourPhasesOverAllMembers) {
  std::vector<String> log;
  TMember a("A", &log), b("B", &log), outsider("X", &log);
  TLanguageFrames frames;
  frames.AddNotify("d", false, a.Handler());
  frames.AddNotify("d", false, b.Handler());
  EXPECT_TRUE(frames.SetLanguage(b.Handler(), "Deutsch"));
  EXPECT_EQ(log, (std::vector<String>{"A:amBeforeChange:Deutsch", "B:amBeforeChange:Deutsch",
                                      "A:amSetLanguage:Deutsch", "B:amSetLanguage:Deutsch", "A:amChange:Deutsch",
                                      "B:amChange:Deutsch", "A:amAfterChange:Deutsch", "B:amAfterChange:Deutsch"}));
  String lang;
  EXPECT_TRUE(frames.GetLanguage(a.Handler(), lang));
  EXPECT_EQ(lang, "Deutsch");
  log.clear();
  // The same language in other letter case: no member is called, the list still answers.
  EXPECT_TRUE(frames.SetLanguage(a.Handler(), "DEUTSCH"));
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(frames.Items(0)->SetLanguage(a.Handler(), "deutsch"));
  EXPECT_FALSE(frames.SetLanguage(outsider.Handler(), "English"));
  EXPECT_FALSE(frames.GetLanguage(outsider.Handler(), lang));
  EXPECT_EQ(lang, "");

  // A failing member does not stop the others; only other errors are reported.
  struct TReports : TObject {
    std::vector<String> Seen;
    void OnException(TObject*, const Exception& e) { Seen.push_back(e.Message()); }
  } reports;
  TExceptionEvent saved = Application->OnException;
  Application->OnException = MakeMethod<&TReports::OnException>(&reports);
  a.Throws = 1;
  b.Throws = 2;
  log.clear();
  EXPECT_TRUE(frames.SetLanguage(a.Handler(), "English"));
  Application->OnException = saved;
  EXPECT_EQ(log.size(), 8u);
  EXPECT_EQ(reports.Seen, (std::vector<String>{"member failed"}));
  EXPECT_EQ(frames.Items(0)->Language(), "English");
}

TEST(LanguageFramesTest, StartupLanguageAndTheLanguageOfTheLastFrame) {
  std::vector<String> log;
  TMember a("A", &log), b("B", &log);
  TLanguageFrames frames;
  EXPECT_TRUE(frames.DefineStartupLanguage("  German ", false));
  EXPECT_EQ(frames.StartupLanguage(), "German");
  EXPECT_TRUE(frames.DefineStartupLanguage("French", true));
  EXPECT_FALSE(frames.DefineStartupLanguage("Italian", false));
  EXPECT_EQ(frames.StartupLanguage(), "French");
  frames.AddNotify("one", false, a.Handler());
  EXPECT_EQ(frames.Items(0)->Language(), "French");  // the first frame takes the startup language
  frames.SetLanguage(a.Handler(), "English");
  frames.AddNotify("two", false, b.Handler());
  EXPECT_EQ(frames.Items(1)->Language(), "English");  // a later one takes the last frame's
  // Moving a member: the emptied frame goes, and its language becomes the startup language.
  frames.SetLanguage(b.Handler(), "Deutsch");
  frames.AddNotify("one", false, b.Handler());
  EXPECT_EQ(frames.Count(), 1);
  EXPECT_EQ(frames.StartupLanguage(), "Deutsch");
  EXPECT_TRUE(frames.DelNotify(a.Handler()));
  EXPECT_TRUE(frames.DelNotify(b.Handler()));
  EXPECT_EQ(frames.Count(), 0);
  EXPECT_FALSE(frames.DelNotify(b.Handler()));
  EXPECT_EQ(frames.StartupLanguage(), "English");
  EXPECT_FALSE(frames.CanDefineStartupLanguage());  // final once a frame has gone
}

// Members leave while their frame switches, as forms do that free themselves in a handler:
// nobody is skipped or called twice, and the frame outlives its own switch.
TEST(LanguageFramesTest, MembersLeavingDuringASwitch) {
  std::vector<String> log;
  TMember a("A", &log), b("B", &log), c("C", &log);
  TLanguageFrames frames;
  for (TMember* m : {&a, &b, &c}) frames.AddNotify("d", false, m->Handler());
  a.OnCall = [&](TActionMode action) {
    if (action == amSetLanguage) frames.DelNotify(a.Handler());
  };
  b.OnCall = [&](TActionMode action) {
    if (action == amChange) frames.DelNotify(c.Handler());  // one not yet called in this phase
  };
  EXPECT_TRUE(frames.SetLanguage(b.Handler(), "Deutsch"));
  EXPECT_EQ(log, (std::vector<String>{"A:amBeforeChange:Deutsch", "B:amBeforeChange:Deutsch",
                                      "C:amBeforeChange:Deutsch", "A:amSetLanguage:Deutsch",
                                      "B:amSetLanguage:Deutsch", "C:amSetLanguage:Deutsch", "B:amChange:Deutsch",
                                      "B:amAfterChange:Deutsch"}));

  // The last member leaves in the first phase: the frame goes once the switch is over.
  log.clear();
  b.OnCall = [&](TActionMode action) {
    if (action == amBeforeChange) frames.DelNotify(b.Handler());
  };
  EXPECT_TRUE(frames.SetLanguage(b.Handler(), "English"));
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(frames.Count(), 0);
  EXPECT_EQ(frames.StartupLanguage(), "Deutsch");
}

}  // namespace
}  // namespace xel
