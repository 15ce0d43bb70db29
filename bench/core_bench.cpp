// The core's hot paths on the fake desktop: the idle timer tick (every 250 ms, all day),
// a full sweep of windows inside the area, and one corrected window. Platform calls and
// heap allocations are reported as counters.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/event_driver.h"
#include "fake/fake_desktop.h"

namespace {

std::atomic<std::uint64_t> gAllocations{0};

}  // namespace

// Every allocation of the process is counted, so a loop can tell whether it allocated.
// GCC takes the replaced global operators' malloc and free for a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeProcess;
using test::FakeWindow;

class BenchHost final : public IDriverHost, public IRunState, public ITimer {
 public:
  bool nonResident() override { return false; }
  bool stopChecked() override { return false; }
  bool dispDialogChecked() override { return false; }
  void setTrayEnabled(bool) override {}
  bool Enabled() const override { return true; }
  void setEnabled(bool) override {}
  void setInterval(std::uint32_t) override {}
  bool checkDesktopIfFlagged() override { return false; }
  void dragEnded(Hwnd) override {}
  void closeMainForm() override {}
  WindowReturn* windowReturn() override { return places; }
  void postEarlyTick(std::uint32_t) override {}
  WindowReturn* places = nullptr;
};

// A desktop of windows that all lie inside the area: every sweep runs the whole filter
// and the edge tests on each of them and moves nothing, so iterations are alike.
struct Desktop {
  explicit Desktop(int windows) {
    FakeProcess app;
    app.moduleFileName = u"C:\\Apps\\app.exe";
    d.setProcess(1000, app);
    d.addFile(*app.moduleFileName, "MZ");  // so that its long form is looked up
    monitors.refresh();
    state.tables.GMonitorCount = monitors.count();
    state.tables.MWorkArea[0] = {0, 1060, 0, 1920};
    for (int i = 0; i < windows; ++i) {
      FakeWindow w;
      w.rect = {10 + i % 500, 10 + i % 300, 600 + i % 500, 500 + i % 300};
      w.placeAtBottom = true;
      d.addWindow(w);
    }
    if (windows > 0) d.setForeground(d.zOrder().front());
    d.setCursorPos({1900, 1050});
  }

  FakeDesktop d;
  Platform p{d.platform()};
  ProgramState state;
  MonitorList monitors{d};
  CorrectionEngine engine{p, state.lists, state.switches, state.tables, monitors};
  BenchHost host;
  EventDriver driver{p, engine, host, host, host};
};

void BM_IdleTick(benchmark::State& state) {
  Desktop desk(static_cast<int>(state.range(0)));
  // Settle the count, foreground and queue, and warm the fake's buffers.
  desk.driver.WinEventProc(kEventSystemForeground, desk.d.zOrder().front());
  for (int i = 0; i < 3; ++i) desk.driver.TimerTimer();
  desk.d.resetCalls();
  const std::uint64_t allocationsBefore = gAllocations.load();
  for (auto _ : state) desk.driver.TimerTimer();
  const double allocations = static_cast<double>(gAllocations.load() - allocationsBefore);
  state.counters["allocs_per_tick"] =
      benchmark::Counter(allocations, benchmark::Counter::kAvgIterations);
  state.counters["calls_per_tick"] = benchmark::Counter(static_cast<double>(desk.d.totalCalls()),
                                                        benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_IdleTick)->Arg(20)->Arg(1000);

// Arg 1: with every window's place recorded for its return to a monitor (the tray item on).
void BM_FullSweep(benchmark::State& state) {
  const auto windows = static_cast<int>(state.range(0));
  Desktop desk(windows);
  WindowReturn places(desk.p);
  if (state.range(1) != 0) {
    places.enter(
        desk.monitors, [](Hwnd, WindowIdentity&) { return false; }, false);
    desk.host.places = &places;
  }
  desk.driver.Proc_MoveWindow();  // warm-up
  desk.d.resetCalls();
  const std::uint64_t allocationsBefore = gAllocations.load();
  for (auto _ : state) desk.driver.Proc_MoveWindow();
  const double perWindowRuns = static_cast<double>(state.iterations()) * windows;
  state.counters["time_per_window"] = benchmark::Counter(
      windows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["calls_per_window"] = static_cast<double>(desk.d.totalCalls()) / perWindowRuns;
  state.counters["allocs_per_window"] =
      static_cast<double>(gAllocations.load() - allocationsBefore) / perWindowRuns;
}
BENCHMARK(BM_FullSweep)->ArgsProduct({{100, 1000}, {0, 1}})->Unit(benchmark::kMicrosecond);

// A window sticking out at the top, alone in its sweep, so the first of its process: the
// filter, the identity with its long path, the verified move and the records. It is put
// back out between iterations.
void BM_CorrectedWindow(benchmark::State& state) {
  Desktop desk(0);
  FakeWindow out;
  out.rect = {100, -30, 500, 370};
  const Hwnd h = desk.d.addWindow(out);
  std::uint64_t calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    desk.d.window(h).rect = out.rect;
    calls += desk.d.totalCalls();
    desk.d.resetCalls();
    state.ResumeTiming();
    desk.driver.Proc_MoveWindow();
  }
  calls += desk.d.totalCalls();
  if (desk.d.moveLog(h).size() != static_cast<std::size_t>(state.iterations())) {
    state.SkipWithError("the window was not corrected in every iteration");
  }
  state.counters["calls_per_window"] =
      benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CorrectedWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rimfold
