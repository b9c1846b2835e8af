// Export and import of language files beside the host's INI reader reading every value of
// the same file: a window of 1,000 memos with 10 translated lines in 10 languages (100,000
// values, about 5 MB), and the same ten times larger, which shows that both grow linearly.
#include <map>
#include <memory>

#include "BenchRatio.h"
#include "Forms.h"
#include "IniFiles.h"
#include "LanguageExport.h"
#include "LanguageImport.h"
#include "Platform.h"
#include "StdCtrls.h"

using namespace xel;

namespace {

constexpr int Lines = 10;
constexpr int Languages = 10;

struct TBenchData {
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TLanguageManager> Manager;
  String File;
  TStringList Sections;
};

std::unique_ptr<TBenchData> Build(int components) {
  static bool registered = [] {
    RegisterCoreClasses();
    RegisterFormsClasses();
    RegisterStdCtrlsClasses();
    return true;
  }();
  (void)registered;
  auto d = std::make_unique<TBenchData>();
  d->Form = std::make_unique<TForm>(nullptr, TCreateNew{});
  d->Form->SetName("Window");
  auto* strings = new TComponent(d->Form.get());
  strings->SetName("Glotta1");
  d->Manager = std::make_unique<TLanguageManager>(d->Form.get(), strings, nullptr, cmConsistent);
  TLanguageManager* m = d->Manager.get();
  for (int l = 0; l < Languages; ++l) {
    TLanguageEntry* e = m->Langs()->Add();
    e->SetName("Language" + IntToStr(l));
    e->SetSubIndex(l);
  }
  for (int c = 0; c < components; ++c) {
    auto* memo = new TMemo(d->Form.get());
    memo->SetName("Memo" + IntToStr(c));
    TMainEntry* e = TMainEntry::Create(m->Comps(), memo, memo->Name(), "TMemo", {stPubPropObject});
    TMainEntry* lines = TMainEntry::Create(e->GetItems(), memo->GetLines(), "Lines", "TStrings", {stTStringsObject});
    for (int i = 0; i < Lines; ++i) {
      memo->GetLines()->Add("Line " + IntToStr(i) + " of memo " + IntToStr(c));
      auto* item = static_cast<TConsistentLangPropertyEntry*>(
          TPropertyEntry::Create(lines, "Strings[" + IntToStr(i) + "]", "String", tkLString));
      item->SetCount(Languages);
      for (int l = 0; l < Languages; ++l)
        item->SetLangValue(l, Variant("Line " + IntToStr(i) + " of memo " + IntToStr(c) + " in language " + IntToStr(l)));
    }
  }
  d->File = GetTempFileName("", "XelBench");
  ExportLanguages(m, d->File);
  GetAvailLangSections(d->File, &d->Sections);
  return d;
}

TBenchData& Data(int components) {
  static std::map<int, std::unique_ptr<TBenchData>> cache;
  auto& d = cache[components];
  if (!d) d = Build(components);
  return *d;
}

void Export(benchmark::State& state, int components) {
  TBenchData& d = Data(components);
  ExportLanguages(d.Manager.get(), d.File);  // once untimed: both sizes run with a warm heap
  for (auto _ : state) ExportLanguages(d.Manager.get(), d.File);
  state.counters["bytes"] = static_cast<double>(GetFileSize(d.File));
}

void Import(benchmark::State& state, int components, TImportMode mode) {
  TBenchData& d = Data(components);
  TStringList warnings, errors;
  ImportLanguages(d.Manager.get(), d.File, nullptr, mode, false, &d.Sections, &warnings, &errors);
  for (auto _ : state) {
    warnings.Clear();
    errors.Clear();
    ImportLanguages(d.Manager.get(), d.File, nullptr, mode, false, &d.Sections, &warnings, &errors);
  }
  if (errors.Count() > 0) state.SkipWithError("lines were not imported");
}

// The host's INI reader looking up every value of the file by its key.
void ReadEveryValue(benchmark::State& state, int components) {
  TBenchData& d = Data(components);
  for (auto _ : state) {
    TMemIniFile ini(d.File);
    TStringList keys;
    Int64 bytes = 0;
    for (int s = 0; s < d.Sections.Count(); ++s) {
      const String section = d.Sections[s];
      const String name = section.substr(0, section.find('=')) + "." + section.substr(section.find('=') + 1);
      ini.ReadSection(name, &keys);
      for (int k = 0; k < keys.Count(); ++k) bytes += static_cast<Int64>(ini.ReadString(name, keys[k], "").size());
    }
    benchmark::DoNotOptimize(bytes);
  }
}

}  // namespace

BENCHMARK_CAPTURE(ReadEveryValue, IniReader/Direct, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Import, IniReader/ImportClear, 1000, imClearExisting)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, IniReader/Export, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Export/Direct, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Export/Times10, 10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Import, ImportClear/Direct, 1000, imClearExisting)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Import, ImportClear/Times10, 10000, imClearExisting)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Import, ImportAddAll/Direct, 1000, imAddAll)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Import, ImportAddAll/Times10, 10000, imAddAll)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return xel::bench::RunWithRatios(argc, argv); }
