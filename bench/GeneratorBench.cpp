// Generation plus layout of large messages: the cost must grow linearly with the message.
#include <benchmark/benchmark.h>

#include "CodeLayout.h"

using namespace vellumor;

namespace {

MessageChoices LargeMessage(std::int64_t lines, int page) {
  MessageChoices c;
  c.PageControl1 = page;
  c.mmMessage.clear();
  for (std::int64_t i = 0; i < lines; ++i) {
    // 40 characters, with an apostrophe to double and an empty line now and then.
    c.mmMessage.push_back(
        i % 10 == 9 ? std::string() : "Line " + std::to_string(100000 + i) + " isn't empty: 0123456789abcd");
  }
  return c;
}

void GenerateAndLayOut(benchmark::State& state, int page) {
  MessageChoices c = LargeMessage(state.range(0), page);
  std::size_t bytes = 0;
  for (const auto& line : c.mmMessage)
    bytes += line.size();
  for (auto _ : state) {
    GeneratedCode code = GenerateCode(c);
    std::string text = GetClipboardText(code);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetComplexityN(state.range(0));
}

void BM_MessageDlg(benchmark::State& state) {
  GenerateAndLayOut(state, 0);
}
void BM_MessageBox(benchmark::State& state) {
  GenerateAndLayOut(state, 1);
}

}  // namespace

BENCHMARK(BM_MessageDlg)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_MessageBox)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

BENCHMARK_MAIN();
