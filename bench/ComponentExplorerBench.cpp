// The component explorer on a form of 2,000 components (buttons, labels, edits, memos with
// lines, check boxes and status bars with panels, each with its font): filling both trees
// (Init with every fourth component's caption already chosen) and applying a filter change
// (the Hint check box), each beside the bare enumeration of the form that it contains; and
// the check box "All" switched on and off, which offers every property of every object.
#include <memory>

#include "BenchRatio.h"
#include "ComCtrls.h"
#include "ComponentExplorerDialog.h"
#include "HeadlessWidgetSet.h"

using namespace xel;

namespace {

constexpr int kComponents = 2000;

struct TBenchForm {
  std::unique_ptr<TForm> Root;
  std::unique_ptr<TComponentEntries> Chosen;
};

TBenchForm& Form() {
  static TBenchForm* form = [] {
    auto* b = new TBenchForm;
    b->Root.reset(new TForm(nullptr, TCreateNew{}));
    b->Root->SetName("BigForm");
    b->Root->SetText("Big form");
    for (int i = 0; i < kComponents; ++i) {
      TControl* c;
      switch (i % 6) {
        case 0: c = New<TButton>(b->Root.get()); break;
        case 1: c = New<TLabel>(b->Root.get()); break;
        case 2: c = New<TEdit>(b->Root.get()); break;
        case 3: {
          auto* memo = New<TMemo>(b->Root.get());
          memo->GetLines()->SetText("first\r\nsecond\r\nthird\r\n");
          c = memo;
          break;
        }
        case 4: c = New<TCheckBox>(b->Root.get()); break;
        default: {
          auto* bar = New<TStatusBar>(b->Root.get());
          for (int p = 0; p < 3; ++p) bar->GetPanels()->Add()->SetText("Panel " + IntToStr(p));
          c = bar;
        }
      }
      c->SetName("Control" + IntToStr(i));
      c->SetParent(b->Root.get());
      c->SetText("Text " + IntToStr(i));
      if (i % 2 == 0) c->SetHint("Hint " + IntToStr(i));
    }
    // Every fourth component's caption or text is chosen already.
    b->Chosen = std::make_unique<TComponentEntries>(nullptr, nullptr);
    TCESettings captions;
    captions.SetPropFilter({pfCaption, pfText});
    for (int i = 0; i < kComponents; i += 4) {
      TComponent* c = b->Root->Components(i);
      AddObjectToMainEntries(c, c->Name(), c->ClassName(), b->Chosen.get(), &captions, nullptr);
    }
    return b;
  }();
  return *form;
}

void Setup() {
  static bool done = [] {
    RegisterCoreClasses();
    RegisterComponentExplorerDialogClasses();
    InstallHeadlessWidgetSet();
    return true;
  }();
  (void)done;
}

void FillBothTreesDirect(benchmark::State& state) {
  Setup();
  TBenchForm& f = Form();
  for (auto _ : state) {
    TMainEntries entries(nullptr, nullptr);
    AddRootToMainEntries(f.Root.get(), &entries, nullptr, nullptr);
    benchmark::DoNotOptimize(entries.Count());
  }
}

void FillBothTreesExplorer(benchmark::State& state) {
  Setup();
  TBenchForm& f = Form();
  std::unique_ptr<TComponentExplorer> explorer(New<TComponentExplorer>(nullptr));
  for (auto _ : state) {
    explorer->Init(f.Root.get(), f.Chosen.get());
    benchmark::DoNotOptimize(explorer->ExplorerForm()->TreeSource()->GetItems()->GetFirstNode());
  }
  TComponentExplorerForm* ex = explorer->ExplorerForm();
  state.counters["left"] = ex->TreeSource()->GetItems()->Count();
  state.counters["right"] = ex->TreeDest()->GetItems()->Count();
}

void FilterChangeDirect(benchmark::State& state) {
  Setup();
  TBenchForm& f = Form();
  TCESettings settings;
  for (auto _ : state) {
    settings.SetPropFilter(settings.GetPropFilter().Contains(pfHint) ? TPropFilter{pfCaption, pfStrings, pfText, pfAssigned}
                                                                     : DefaultPropFilter);
    TMainEntries entries(nullptr, nullptr);
    AddRootToMainEntries(f.Root.get(), &entries, &settings, nullptr);
    benchmark::DoNotOptimize(entries.Count());
  }
}

// The user clicks a filter check box (Hint, or All, which offers every property of every
// component and sub-object): the settings change and the left tree is rebuilt.
void FilterClick(benchmark::State& state, TPropFilterEnum element) {
  Setup();
  TBenchForm& f = Form();
  std::unique_ptr<TComponentExplorer> explorer(New<TComponentExplorer>(nullptr));
  TComponentExplorerForm* ex = explorer->ExplorerForm();
  ex->Init(f.Root.get(), f.Chosen.get());
  TCheckBox* box = ex->FilterBox(element);
  for (auto _ : state) {
    box->Click();
    benchmark::DoNotOptimize(ex->TreeSource()->GetItems()->GetFirstNode());
  }
  if (element == pfAll && !box->GetChecked()) box->Click();
  state.counters["left"] = ex->TreeSource()->GetItems()->Count();
}

}  // namespace

BENCHMARK(FillBothTreesDirect)->Name("FillBothTrees/Direct")->Unit(benchmark::kMillisecond);
BENCHMARK(FillBothTreesExplorer)->Name("FillBothTrees/Explorer")->Unit(benchmark::kMillisecond);
BENCHMARK(FilterChangeDirect)->Name("FilterChange/Direct")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterClick, Hint, pfHint)->Name("FilterChange/Explorer")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterClick, All, pfAll)->Name("FilterChange/All")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return xel::bench::RunWithRatios(argc, argv); }
