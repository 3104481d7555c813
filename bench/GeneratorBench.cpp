// Generation plus layout of large messages: the cost must grow linearly with the message.
#include <benchmark/benchmark.h>

#include "CodeLayout.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

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

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // glibc moves its mmap and trim thresholds after each large free, so without this a size is
  // measured with or without fresh page faults depending on which size ran before it.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
