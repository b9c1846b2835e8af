// Language switches on large forms, beside a baseline that writes the same values
// through the components' setters; reading forms with language data; slot upkeep on
// large trees; memory per translated item and per language slot.
#include <malloc.h>

#include <map>
#include <memory>

#include "BenchRatio.h"
#include "Forms.h"
#include "Glotta.h"
#include "StdCtrls.h"

using namespace xel;

namespace {

struct TBenchForm {
  std::unique_ptr<TForm> Form;
  TGlotta* Glotta = nullptr;
  std::vector<TEdit*> Edits;
  std::vector<String> Languages;
  std::vector<std::vector<String>> Values;  // [language][item]
};

void Register() {
  static bool done = [] {
    RegisterCoreClasses();
    RegisterFormsClasses();
    RegisterStdCtrlsClasses();
    RegisterGlottaClasses();
    return true;
  }();
  (void)done;
}

std::unique_ptr<TBenchForm> Build(int items, int languages, bool withGlotta = true) {
  Register();
  auto b = std::make_unique<TBenchForm>();
  b->Form = std::make_unique<TForm>(nullptr, TCreateNew{});
  b->Form->SetName("BenchForm");
  for (int l = 0; l < languages; ++l) b->Languages.push_back("Language" + IntToStr(l));
  b->Values.resize(languages);
  // Built as a stream reader would: the owner loading, so that insertions are not announced.
  b->Form->IncludeState(csLoading);
  for (int i = 0; i < items; ++i) {
    auto* e = new TEdit(b->Form.get());
    e->SetName("Edit" + IntToStr(i));
    e->SetParent(b->Form.get());
    b->Edits.push_back(e);
    for (int l = 0; l < languages; ++l) b->Values[l].push_back("Text " + IntToStr(i) + " in " + b->Languages[l]);
    e->SetText(b->Values[0][i]);
  }
  b->Form->ExcludeState(csLoading);
  if (!withGlotta) return b;
  b->Glotta = new TGlotta(b->Form.get());
  b->Glotta->SetName("Glotta");
  TLanguageManager* m = b->Glotta->LanguageManager();
  for (int l = 0; l < languages; ++l) {
    TLanguageEntry* e = m->Langs()->Add();
    e->SetName(b->Languages[l]);
    e->SetSubIndex(l);
  }
  std::vector<TConsistentLangPropertyEntry*> entries;
  for (TEdit* e : b->Edits) {
    TMainEntry* main = TMainEntry::Create(m->Comps(), e, e->GetName(), "TEdit", {stPubPropObject});
    entries.push_back(
        static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(main, "Text", "", tkLString)));
  }
  m->Init(cmInitAll);
  for (size_t i = 0; i < entries.size(); ++i)
    for (int l = 1; l < languages; ++l) entries[i]->SetLangValue(l, Variant(b->Values[l][i]));
  return b;
}

TBenchForm& Cached(int items, int languages) {
  static std::map<std::pair<int, int>, std::unique_ptr<TBenchForm>> cache;
  auto& slot = cache[{items, languages}];
  if (!slot) slot = Build(items, languages);
  return *slot;
}

void SwitchGlotta(benchmark::State& state, int items, int languages) {
  TBenchForm& b = Cached(items, languages);
  size_t k = 0;
  for (auto _ : state) b.Glotta->SetLanguage(b.Languages[++k % languages]);
  state.SetItemsProcessed(state.iterations() * items);
}

void SwitchDirect(benchmark::State& state, int items, int languages) {
  TBenchForm& b = Cached(items, languages);
  size_t k = 0;
  for (auto _ : state) {
    const std::vector<String>& values = b.Values[++k % languages];
    for (int i = 0; i < items; ++i) b.Edits[i]->SetText(values[i]);
  }
  state.SetItemsProcessed(state.iterations() * items);
}

// The re-binding alone that every switch starts with.
void Rebind(benchmark::State& state, int items, int languages) {
  TBenchForm& b = Cached(items, languages);
  for (auto _ : state) b.Glotta->LanguageManager()->Comps()->Init();
  state.SetItemsProcessed(state.iterations() * items);
}

String StreamOf(int items, bool withGlotta) {
  auto b = Build(items, 2, withGlotta);
  TStringStream s;
  s.WriteComponent(b->Form.get());
  return s.DataString();
}

void ReadForm(benchmark::State& state, int items, bool withGlotta) {
  const String stream = StreamOf(items, withGlotta);
  for (auto _ : state) {
    TStringStream s(stream);
    std::unique_ptr<TComponent> form(s.ReadComponent(nullptr));
    benchmark::DoNotOptimize(form.get());
  }
  state.SetItemsProcessed(state.iterations() * items);
}

void SyncCount(benchmark::State& state, int items, int languages) {
  TBenchForm& b = Cached(items, languages);
  for (auto _ : state) b.Glotta->LanguageManager()->SyncCount(cmInitAll);
  state.SetItemsProcessed(state.iterations() * items);
}

void AssignLangsAndSync(benchmark::State& state, int items, int languages) {
  TBenchForm& b = Cached(items, languages);
  TLanguageManager* m = b.Glotta->LanguageManager();
  TLanguageEntries copy(nullptr);
  copy.Assign(m->Langs());
  for (auto _ : state) m->AssignLangsAndSync(&copy, cmInitAll);
  state.SetItemsProcessed(state.iterations() * items);
}

// Heap bytes of the language data: items with 2 and with 10 slots. Each figure is the heap
// of a form with its language data less that of the same form and fixture without, so the
// fixture's own texts cancel out.
void Memory(benchmark::State& state) {
  constexpr int items = 10000;
  auto heap = [] { return static_cast<double>(mallinfo2().uordblks); };
  auto languageData = [&](int languages, double& extraTexts) {
    double base = heap();
    auto plain = Build(items, languages, false);
    const double components = heap() - base;
    extraTexts = 0;
    for (int l = 2; l < languages; ++l)
      for (const String& v : plain->Values[l]) extraTexts += static_cast<double>(v.size());
    plain.reset();
    base = heap();
    auto full = Build(items, languages);
    const double data = heap() - base - components;
    full.reset();
    return data;
  };
  double perItem = 0, perSlot = 0, beyondText = 0;
  for (auto _ : state) {
    double texts2, texts10;
    const double two = languageData(2, texts2);
    const double ten = languageData(10, texts10);
    perItem = two / items;
    perSlot = (ten - two) / (8.0 * items);
    beyondText = (ten - two - texts10) / (8.0 * items);
  }
  state.counters["bytes/item(2 languages)"] = perItem;
  state.counters["bytes/extra slot"] = perSlot;
  state.counters["beyond its text"] = beyondText;
}

void RegisterAll() {
  for (int items : {1000, 10000, 100000})
    for (int languages : {2, 10}) {
      String group = "Switch_" + IntToStr(items) + "x" + IntToStr(languages);
      benchmark::RegisterBenchmark((group + "/Direct").c_str(), SwitchDirect, items, languages)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark((group + "/Glotta").c_str(), SwitchGlotta, items, languages)
          ->Unit(benchmark::kMillisecond);
    }
  benchmark::RegisterBenchmark("Rebind_10000x2", Rebind, 10000, 2)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Read_10000/Direct", ReadForm, 10000, false)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Read_10000/Glotta", ReadForm, 10000, true)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SyncCount_100000x10", SyncCount, 100000, 10)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("AssignLangsAndSync_100000x10", AssignLangsAndSync, 100000, 10)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Memory", Memory)->Iterations(1)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  return xel::bench::RunWithRatios(argc, argv);
}
