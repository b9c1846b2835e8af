// Form streams of 10,000 components with 10 stored properties each: reading and writing
// the binary form, and converting binary to text and back. Each figure is compared with
// a baseline of the same run: building the same components by direct calls, and
// writing the same values with explicit writer calls. ReadFormSize compares the cost of
// reading one component from a form of 20,000 with that from a form of 1,000: loading
// must stay linear in the number of components.
#include "BenchRatio.h"
#include "Classes.h"
#include "TextForms.h"

using namespace xel;

namespace {

XEL_ENUM(TBenchAlign, baNone, baLeft, baRight, baClient)

class TBenchItem : public TComponent {
  XEL_CLASS(TBenchItem, TComponent)
public:
  using TComponent::TComponent;
  String FCaption, FHint;
  Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0, FTabOrder = 0;
  TBenchAlign FAlign = baNone;
  bool FVisible = true;
  double FRatio = 0;

  static auto Published() {
    using C = TBenchItem;
    return PropTable<C>(Prop("Caption", &C::FCaption, &C::FCaption), Prop("Hint", &C::FHint, &C::FHint),
                        Prop("Left", &C::FLeft, &C::FLeft), Prop("Top", &C::FTop, &C::FTop),
                        Prop("Width", &C::FWidth, &C::FWidth), Prop("Height", &C::FHeight, &C::FHeight),
                        Prop("TabOrder", &C::FTabOrder, &C::FTabOrder).Default(-1),
                        Prop("Align", &C::FAlign, &C::FAlign).Default(baNone),
                        Prop("Visible", &C::FVisible, &C::FVisible).Default(false),
                        Prop("Ratio", &C::FRatio, &C::FRatio));
  }
};

constexpr int Count = 10000;

void Fill(TBenchItem* c, int i) {
  c->SetName("Item" + IntToStr(i));
  c->FCaption = "Caption of item " + IntToStr(i);
  c->FHint = "A hint that is a little longer, for item " + IntToStr(i);
  c->FLeft = i % 800;
  c->FTop = i / 800 * 24;
  c->FWidth = 75 + i % 7;
  c->FHeight = 25;
  c->FTabOrder = i;
  c->FAlign = static_cast<TBenchAlign>(1 + i % 3);
  c->FRatio = i * 0.5 + 0.25;
}

// The same components made by direct calls, under the state that loading has.
std::unique_ptr<TDataModule> MakeForm(int count = Count) {
  auto root = std::make_unique<TDataModule>(nullptr);
  root->IncludeState(csLoading);
  root->SetName("BigForm");
  for (int i = 0; i < count; ++i) Fill(new TBenchItem(root.get()), i);
  root->Loaded();
  return root;
}

String MakeFormBytes(int count) {
  RegisterCoreClasses();
  RegisterClass(TBenchItem::StaticClass());
  TStringStream s;
  s.WriteComponent(MakeForm(count).get());
  return s.DataString();
}

const String& FormBytes() {
  static const String bytes = MakeFormBytes(Count);
  return bytes;
}

void Report(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.counters["components/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * Count, benchmark::Counter::kIsRate);
}

void ReadForm_Direct(benchmark::State& state) {
  for (auto _ : state) {
    auto root = MakeForm();
    benchmark::DoNotOptimize(root.get());
  }
  Report(state, FormBytes().size());
}

void ReadForm_Stream(benchmark::State& state) {
  const String& bytes = FormBytes();
  for (auto _ : state) {
    TStringStream in(bytes);
    std::unique_ptr<TComponent> root(in.ReadComponent(nullptr));
    benchmark::DoNotOptimize(root.get());
  }
  Report(state, bytes.size());
}

void WriteForm_Direct(benchmark::State& state) {
  FormBytes();
  auto root = MakeForm();
  for (auto _ : state) {
    TMemoryStream out;
    TWriter w(&out);
    w.WriteSignature();
    w.WriteStr("TDataModule");
    w.WriteStr(root->Name());
    w.WriteListEnd();
    for (int i = 0; i < root->ComponentCount(); ++i) {
      auto* c = static_cast<TBenchItem*>(root->Components(i));
      w.WriteStr("TBenchItem");
      w.WriteStr(c->Name());
      w.WriteStr("Caption");
      w.WriteString(c->FCaption);
      w.WriteStr("Hint");
      w.WriteString(c->FHint);
      w.WriteStr("Left");
      w.WriteInteger(c->FLeft);
      w.WriteStr("Top");
      w.WriteInteger(c->FTop);
      w.WriteStr("Width");
      w.WriteInteger(c->FWidth);
      w.WriteStr("Height");
      w.WriteInteger(c->FHeight);
      w.WriteStr("TabOrder");
      w.WriteInteger(c->FTabOrder);
      w.WriteStr("Align");
      w.WriteIdent(GetEnumName(TypeInfo<TBenchAlign>(), c->FAlign));
      w.WriteStr("Visible");
      w.WriteBoolean(c->FVisible);
      w.WriteStr("Ratio");
      w.WriteFloat(c->FRatio);
      w.WriteListEnd();
      w.WriteListEnd();
    }
    w.WriteListEnd();
    w.FlushBuffer();
    benchmark::DoNotOptimize(out.Memory());
  }
  Report(state, FormBytes().size());
}

void WriteForm_Stream(benchmark::State& state) {
  FormBytes();
  auto root = MakeForm();
  for (auto _ : state) {
    TMemoryStream out;
    out.WriteComponent(root.get());
    benchmark::DoNotOptimize(out.Memory());
  }
  Report(state, FormBytes().size());
}

void BinaryToText(benchmark::State& state) {
  const String& bytes = FormBytes();
  for (auto _ : state) benchmark::DoNotOptimize(ObjectBinaryToText(bytes));
  Report(state, bytes.size());
}

void TextToBinary(benchmark::State& state) {
  static const String text = ObjectBinaryToText(FormBytes());
  for (auto _ : state) benchmark::DoNotOptimize(ObjectTextToBinary(text));
  Report(state, text.size());
}

// Every iteration reads 20,000 components, as one form or as twenty forms of 1,000, so
// that the ratio of the two times is the ratio of the costs per component.
constexpr int LargeCount = 20000;

void ReadFormSize(benchmark::State& state) {
  auto size = static_cast<int>(state.range(0));
  const String bytes = MakeFormBytes(size);
  for (auto _ : state) {
    for (int n = 0; n < LargeCount / size; ++n) {
      TStringStream in(bytes);
      std::unique_ptr<TComponent> root(in.ReadComponent(nullptr));
      benchmark::DoNotOptimize(root.get());
    }
  }
  state.counters["components/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * LargeCount, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(ReadFormSize)->Name("ReadFormSize")->Arg(1000)->Arg(LargeCount)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadForm_Direct)->Name("ReadForm/Direct")->Unit(benchmark::kMillisecond);
BENCHMARK(ReadForm_Stream)->Name("ReadForm/Stream")->Unit(benchmark::kMillisecond);
BENCHMARK(WriteForm_Direct)->Name("WriteForm/Direct")->Unit(benchmark::kMillisecond);
BENCHMARK(WriteForm_Stream)->Name("WriteForm/Stream")->Unit(benchmark::kMillisecond);
BENCHMARK(BinaryToText)->Name("Convert/BinaryToText")->Unit(benchmark::kMillisecond);
BENCHMARK(TextToBinary)->Name("Convert/TextToBinary")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return xel::bench::RunWithRatios(argc, argv); }
