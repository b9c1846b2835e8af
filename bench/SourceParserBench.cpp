// The source scanner over a large Pascal corpus (the Free Pascal sources when installed,
// else a generated corpus of the same kinds of text), beside a plain byte-counting pass
// over the same texts; and a walk over every token, beside the same baseline.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "BenchRatio.h"
#include "SourceParser.h"

using namespace xel;
namespace fs = std::filesystem;

namespace {

constexpr size_t kCorpusBytes = 16u << 20;

std::vector<String> FreePascalSources() {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& version : fs::directory_iterator("/usr/share/fpcsrc", ec))
    for (auto it = fs::recursive_directory_iterator(version.path(), ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      String ext = LowerCase(it->path().extension().string());
      if (it->is_regular_file(ec) && (ext == ".pas" || ext == ".pp" || ext == ".inc")) files.push_back(it->path());
    }
  std::sort(files.begin(), files.end());
  std::vector<String> texts;
  size_t total = 0;
  for (const fs::path& f : files) {
    texts.push_back(ReadTextFile(f.string()));
    total += texts.back().size();
    if (total >= kCorpusBytes) break;
  }
  return texts;
}

// Units with the mix of a real corpus: declarations, code, comments of the three kinds,
// directives, strings with doubled quotes and character codes.
std::vector<String> GeneratedSources() {
  std::vector<String> texts;
  size_t total = 0;
  for (int u = 0; total < kCorpusBytes; ++u) {
    String t = "{\r\n  Unit " + std::to_string(u) + " of the generated corpus.\r\n}\r\nunit Gen" + std::to_string(u) +
               ";\r\n\r\n{$mode objfpc}{$H+}\r\n\r\ninterface\r\n\r\nuses\r\n  Classes, SysUtils;\r\n\r\ntype\r\n";
    for (int c = 0; c < 20; ++c)
      t += "  TGen" + std::to_string(c) + " = class(TObject)\r\n  private\r\n    FValue: Integer; // the value\r\n"
           "  public\r\n    procedure Run(const S: string);\r\n  end;\r\n\r\n";
    t += "implementation\r\n\r\n";
    for (int c = 0; c < 20; ++c)
      t += "(* Runs number " + std::to_string(c) + ". *)\r\nprocedure TGen" + std::to_string(c) +
           ".Run(const S: string);\r\nvar\r\n  I: Integer;\r\nbegin\r\n  for I := 1 to Length(S) do\r\n"
           "    if S[I] = '''' then\r\n      FValue := FValue + Ord(S[I]) * $1F\r\n    else\r\n"
           "      WriteLn('It''s ', I, #13#10'next', S);  { not a quote }\r\nend;\r\n\r\n";
    t += "end.\r\n";
    total += t.size();
    texts.push_back(std::move(t));
  }
  return texts;
}

struct TCorpus {
  std::vector<String> Texts;
  std::vector<std::unique_ptr<TSourceParser>> Parsers;
  size_t Bytes = 0;
  TCorpus() {
    Texts = FreePascalSources();
    const char* source = "the Free Pascal sources";
    if (Texts.empty()) {
      Texts = GeneratedSources();
      source = "a generated corpus (the Free Pascal sources are not installed)";
    }
    for (const String& t : Texts) {
      Bytes += t.size();
      Parsers.push_back(std::make_unique<TSourceParser>(t));
    }
    std::printf("Corpus: %zu files, %.1f MB from %s\n", Texts.size(), Bytes / 1e6, source);
  }
};

TCorpus& Corpus() {
  static TCorpus corpus;
  return corpus;
}

void CountBytes(benchmark::State& state) {
  const TCorpus& c = Corpus();
  for (auto _ : state) {
    size_t lines = 0;
    for (const String& t : c.Texts)
      for (char ch : t) lines += ch == '\n';
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.Bytes));
}

void ParseLines(benchmark::State& state) {
  TCorpus& c = Corpus();
  for (auto _ : state)
    for (auto& p : c.Parsers) p->ParseLines(ctPascal);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.Bytes));
}

void WalkTokens(benchmark::State& state) {
  TCorpus& c = Corpus();
  for (auto& p : c.Parsers) p->ParseLines(ctPascal);
  String token;
  for (auto _ : state) {
    size_t count = 0;
    for (auto& p : c.Parsers) {
      int pos, next, offset = 0;
      while (offset >= 0 && p->FindNextToken(offset, -1, token, pos, next)) {
        ++count;
        offset = next;
      }
    }
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.Bytes));
}

}  // namespace

BENCHMARK(CountBytes)->Name("ParseLines/Direct")->Unit(benchmark::kMillisecond);
BENCHMARK(ParseLines)->Name("ParseLines/Scanner")->Unit(benchmark::kMillisecond);
BENCHMARK(CountBytes)->Name("Tokens/Direct")->Unit(benchmark::kMillisecond);
BENCHMARK(WalkTokens)->Name("Tokens/FindNextToken")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return xel::bench::RunWithRatios(argc, argv); }
