// Recording a corrected window in the processed list, with the list box's horizontal
// extent kept in step: the cost must not grow with the list.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ui/model/list_extent.h"
#include "settings/window_lists.h"

namespace rimfold {
namespace {

int widthOf(const std::u16string& entry) { return static_cast<int>(entry.size()) * 7; }

void BM_RecordProcessed(benchmark::State& state) {
  const auto entries = static_cast<int>(state.range(0));
  WindowList processed;
  ListExtent extent;
  for (int i = 0; i < entries; ++i) {
    const std::u16string key =
        u"PROGRAM" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u".EXE,Class" +
        std::u16string(static_cast<std::size_t>(i % 40), u'x') + u"," +
        std::u16string(static_cast<std::size_t>(i / 26 % 64), u'y');
    if (processed.insertUnique(key)) extent.insertTop(widthOf(key));
  }
  const WindowIdentity window{u"A document - Editor", u"EditorFrame", u"C:\\Apps\\editor.exe"};
  for (auto _ : state) {
    const std::size_t before = processed.size();
    recordProcessed(processed, window);
    for (std::size_t k = processed.size() - before; k-- > 0;)
      extent.insertTop(widthOf(processed[k]));
    benchmark::DoNotOptimize(extent.widest());
    // Back to the same length for the next round.
    while (processed.size() > before) {
      processed.erase(0);
      extent.erase(0);
    }
  }
}
BENCHMARK(BM_RecordProcessed)->Arg(10)->Arg(5000);

}  // namespace
}  // namespace rimfold
