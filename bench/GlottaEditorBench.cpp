// The translation editor on a component with 1,000, 10,000 and 100,000 translated items in
// 10 languages (memos of 10 translated lines each): opening (the working copy and the grid),
// checking one typed cell, accepting with the backup written, and painting one screen of
// rows from the middle (with the shading of read-only cells), which stays flat. The widget set is the
// headless one: what is measured is the editor's own work, not a window system's.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "BenchRatio.h"
#include "Forms.h"
#include "Glotta.h"
#include "GlottaEditor.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"
#include "StdCtrls.h"

using namespace xel;

namespace {

constexpr int kLines = 10;
constexpr int kLanguages = 10;

struct TBenchData {
  std::unique_ptr<TForm> Form;
  TGlotta* Glotta = nullptr;
};

void Setup() {
  static bool done = [] {
    const String dir = std::filesystem::temp_directory_path().string() + "/xel-editor-bench";
    std::filesystem::create_directories(dir);
    setenv("TMPDIR", dir.c_str(), 1);
    setenv("XEL_REGISTRY_DIR", (dir + "/registry").c_str(), 1);
    RegisterCoreClasses();
    RegisterGlottaEditorClasses();
    InstallHeadlessWidgetSet();
    return true;
  }();
  (void)done;
}

TBenchData& Data(int items) {
  static std::map<int, std::unique_ptr<TBenchData>> cache;
  auto& d = cache[items];
  if (d) return *d;
  Setup();
  d = std::make_unique<TBenchData>();
  d->Form = std::make_unique<TForm>(nullptr, TCreateNew{});
  d->Form->SetName("Window");
  d->Glotta = new TGlotta(d->Form.get());
  d->Glotta->SetName("Glotta");
  d->Glotta->SetDomain("Bench " + IntToStr(items));
  TLanguageManager* m = d->Glotta->LanguageManager();
  for (int l = 0; l < kLanguages; ++l) {
    TLanguageEntry* e = m->Langs()->Add();
    e->SetName("Language" + IntToStr(l));
    e->SetSubIndex(l);
  }
  for (int c = 0; c < items / kLines; ++c) {
    auto* memo = new TMemo(d->Form.get());
    memo->SetName("Memo" + IntToStr(c));
    TMainEntry* e = TMainEntry::Create(m->Comps(), memo, memo->Name(), "TMemo", {stPubPropObject});
    TMainEntry* lines = TMainEntry::Create(e->GetItems(), nullptr, "Lines", "", {stTStringsObject});
    for (int i = 0; i < kLines; ++i) {
      memo->GetLines()->Add("Line " + IntToStr(i) + " of memo " + IntToStr(c));
      TPropertyEntry::Create(lines, "Strings[" + IntToStr(i) + "]", "", tkLString);
    }
  }
  m->Init(cmInitAll);
  return *d;
}

std::unique_ptr<TGlottaEditorForm> OpenEditor(TBenchData& d) {
  std::unique_ptr<TGlottaEditorForm> editor(New<TGlottaEditorForm>(Application));
  editor->Init("", d.Form.get(), d.Glotta, d.Glotta->LanguageManager());
  return editor;
}

// Init (the working copy with every language) and the grid it builds.
void InitAndRefresh(benchmark::State& state) {
  TBenchData& d = Data(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<TGlottaEditorForm> editor(New<TGlottaEditorForm>(Application));
    state.ResumeTiming();
    editor->Init("", d.Form.get(), d.Glotta, d.Glotta->LanguageManager());
    state.PauseTiming();
    editor.reset();
    state.ResumeTiming();
  }
}

// One typed value in the middle of the grid, checked against its property and stored.
void ValidateCell(benchmark::State& state) {
  TBenchData& d = Data(static_cast<int>(state.range(0)));
  auto editor = OpenEditor(d);
  TSortGrid* grid = editor->Grid();
  const Integer col = editor->FirstLangCol() + 3, row = grid->GetRowCount() / 2;
  grid->MoveTo(col, row);
  Integer n = 0;
  for (auto _ : state) {
    grid->SetCells(col, row, "typed " + IntToStr(++n));
    if (!editor->CellValid()) state.SkipWithError("the value was refused");
  }
}

// Acceptance with the backup of the component's data in the export format.
void Accept(benchmark::State& state) {
  TBenchData& d = Data(static_cast<int>(state.range(0)));
  auto editor = OpenEditor(d);
  for (auto _ : state) {
    if (!editor->Accept()) state.SkipWithError("not accepted");
    state.PauseTiming();
    std::filesystem::remove(editor->LastBackup());
    state.ResumeTiming();
  }
}

// One screen of rows from the middle of the grid, drawn on the headless canvas.
void PaintScreen(benchmark::State& state) {
  TBenchData& d = Data(static_cast<int>(state.range(0)));
  auto editor = OpenEditor(d);
  TSortGrid* grid = editor->Grid();
  grid->SetTopRow(grid->GetRowCount() / 2);
  for (auto _ : state) benchmark::DoNotOptimize(Headless::Paint(grid).size());
}

}  // namespace

BENCHMARK(PaintScreen)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(InitAndRefresh)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ValidateCell)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Accept)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return xel::bench::RunWithRatios(argc, argv); }
