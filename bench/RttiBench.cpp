// Property access by name through the type information, against calling the accessor.
#include "BenchRatio.h"
#include "Classes.h"

using namespace xel;

namespace {

XEL_ENUM(TBenchMode, bmOff, bmSlow, bmFast)

class TBenchComponent : public TComponent {
  XEL_CLASS(TBenchComponent, TComponent)
public:
  using TComponent::TComponent;
  // Out of line, as a real setter with side effects is; the direct baseline then measures
  // a call and not an inlined store.
  __attribute__((noinline)) const String& GetCaption() const { return FCaption; }
  __attribute__((noinline)) void SetCaption(const String& v) { FCaption = v; }
  __attribute__((noinline)) Integer GetWidth() const { return FWidth; }
  __attribute__((noinline)) void SetWidth(Integer v) { FWidth = v; }
  __attribute__((noinline)) TBenchMode GetMode() const { return FMode; }
  __attribute__((noinline)) void SetMode(TBenchMode v) { FMode = v; }

  static auto Published() {
    return PropTable<TBenchComponent>(
        Prop("Caption", &TBenchComponent::GetCaption, &TBenchComponent::SetCaption),
        Prop("Hint", &TBenchComponent::FHint, &TBenchComponent::FHint),
        Prop("Left", &TBenchComponent::FLeft, &TBenchComponent::FLeft),
        Prop("Top", &TBenchComponent::FTop, &TBenchComponent::FTop),
        Prop("Width", &TBenchComponent::GetWidth, &TBenchComponent::SetWidth),
        Prop("Height", &TBenchComponent::FHeight, &TBenchComponent::FHeight),
        Prop("Mode", &TBenchComponent::GetMode, &TBenchComponent::SetMode).Default(bmOff),
        Prop("Visible", &TBenchComponent::FVisible, &TBenchComponent::FVisible).Default(true));
  }

private:
  String FCaption, FHint;
  Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TBenchMode FMode = bmOff;
  bool FVisible = true;
};

const String Text = "A caption of some length";

void WriteString_Direct(benchmark::State& s) {
  TBenchComponent c(nullptr);
  for (auto _ : s) {
    c.SetCaption(Text);
    benchmark::ClobberMemory();
  }
}
void WriteString_ByName(benchmark::State& s) {
  TBenchComponent c(nullptr);
  for (auto _ : s) {
    SetStrProp(&c, "Caption", Text);
    benchmark::ClobberMemory();
  }
}
void ReadString_Direct(benchmark::State& s) {
  TBenchComponent c(nullptr);
  c.SetCaption(Text);
  for (auto _ : s) {
    String v = c.GetCaption();
    benchmark::DoNotOptimize(v);
  }
}
void ReadString_ByName(benchmark::State& s) {
  TBenchComponent c(nullptr);
  c.SetCaption(Text);
  for (auto _ : s) {
    String v = GetStrProp(&c, "Caption");
    benchmark::DoNotOptimize(v);
  }
}
void WriteInteger_Direct(benchmark::State& s) {
  TBenchComponent c(nullptr);
  Integer i = 0;
  for (auto _ : s) c.SetWidth(++i);
}
void WriteInteger_ByName(benchmark::State& s) {
  TBenchComponent c(nullptr);
  Integer i = 0;
  for (auto _ : s) SetOrdProp(&c, "Width", ++i);
}
void WriteInteger_ByInfo(benchmark::State& s) {
  TBenchComponent c(nullptr);
  PPropInfo p = GetPropInfo(&c, "Width");
  Integer i = 0;
  for (auto _ : s) SetOrdProp(&c, p, ++i);
}
void ReadInteger_Direct(benchmark::State& s) {
  TBenchComponent c(nullptr);
  for (auto _ : s) benchmark::DoNotOptimize(c.GetWidth());
}
void ReadInteger_ByName(benchmark::State& s) {
  TBenchComponent c(nullptr);
  for (auto _ : s) benchmark::DoNotOptimize(GetOrdProp(&c, "Width"));
}
void WriteEnum_Direct(benchmark::State& s) {
  TBenchComponent c(nullptr);
  int i = 0;
  for (auto _ : s) c.SetMode(static_cast<TBenchMode>(++i % 3));
}
void WriteEnum_ByName(benchmark::State& s) {
  TBenchComponent c(nullptr);
  int i = 0;
  for (auto _ : s) SetOrdProp(&c, "Mode", ++i % 3);
}
void ReadEnum_Direct(benchmark::State& s) {
  TBenchComponent c(nullptr);
  for (auto _ : s) benchmark::DoNotOptimize(c.GetMode());
}
void ReadEnum_ByName(benchmark::State& s) {
  TBenchComponent c(nullptr);
  for (auto _ : s) benchmark::DoNotOptimize(GetOrdProp(&c, "Mode"));
}

}  // namespace

BENCHMARK(WriteString_Direct)->Name("WriteString/Direct");
BENCHMARK(WriteString_ByName)->Name("WriteString/ByName");
BENCHMARK(ReadString_Direct)->Name("ReadString/Direct");
BENCHMARK(ReadString_ByName)->Name("ReadString/ByName");
BENCHMARK(WriteInteger_Direct)->Name("WriteInteger/Direct");
BENCHMARK(WriteInteger_ByName)->Name("WriteInteger/ByName");
BENCHMARK(WriteInteger_ByInfo)->Name("WriteInteger/ByInfo");
BENCHMARK(ReadInteger_Direct)->Name("ReadInteger/Direct");
BENCHMARK(ReadInteger_ByName)->Name("ReadInteger/ByName");
BENCHMARK(WriteEnum_Direct)->Name("WriteEnum/Direct");
BENCHMARK(WriteEnum_ByName)->Name("WriteEnum/ByName");
BENCHMARK(ReadEnum_Direct)->Name("ReadEnum/Direct");
BENCHMARK(ReadEnum_ByName)->Name("ReadEnum/ByName");

int main(int argc, char** argv) { return xel::bench::RunWithRatios(argc, argv); }
