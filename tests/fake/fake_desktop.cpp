// The fake desktop: its set-up and its call counts; each interface in a file of its own.
#include "fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "rtl/text_utils.h"

namespace rimfold::test {

FakeDesktop::FakeDesktop() {
  zOrder_.reserve(64);
  enumBuffers_.resize(4);
  for (auto& b : enumBuffers_) b.reserve(64);
  addMonitor({.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1060}, .primary = true});
  setDrive(u'C', {u"\\Device\\HarddiskVolume1", true});
  folders_[kCsidlAppData] = u"C:\\users\\test\\AppData\\Roaming";
  addDirectory(u"C:\\users\\test\\AppData\\Roaming");
  addDirectory(u"C:\\windows\\system32");
  addFile(moduleFileName_, "MZ");
  resetCalls();
}

FakeDesktop::~FakeDesktop() = default;

void FakeDesktop::resetCalls() {
  calls_.fill(0);
  // Pending vanishing windows keep their remaining call budgets.
  for (auto& [h, r] : windows_) {
    if (r.vanishAt >= 0) r.vanishAt -= static_cast<std::int64_t>(total_);
  }
  if (nextVanish_ >= 0) nextVanish_ -= static_cast<std::int64_t>(total_);
  total_ = 0;
}

}  // namespace rimfold::test
