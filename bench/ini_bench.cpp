// Parsing a settings file of 50 MB: thousands of distinct sections and keys, where a
// quadratic lookup would show at once. The time grows with the file, not its square.
#include <benchmark/benchmark.h>

#include <string>

#include "fake/fake_desktop.h"
#include "rtl/ini_file.h"

namespace rimfold {
namespace {

std::string settingsFile(std::size_t bytes) {
  const std::string padding(200, 'v');
  std::string out;
  out.reserve(bytes + 4096);
  for (int section = 0; out.size() < bytes; ++section) {
    out += "[S" + std::to_string(section) + "]\r\n";
    for (int k = 0; k < 20; ++k) out += "Key" + std::to_string(k) + "=" + padding + "\r\n";
  }
  return out;
}

void BM_IniParse(benchmark::State& state) {
  const std::string bytes = settingsFile(static_cast<std::size_t>(state.range(0)) << 20);
  test::FakeDesktop desk;
  for (auto _ : state) benchmark::DoNotOptimize(IniFile::parse(bytes, desk));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_IniParse)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rimfold
