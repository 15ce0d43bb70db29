#include "engine/window_predicates.h"

#include "engine/window_ops.h"

namespace rimfold {

namespace {

constexpr std::u16string_view kCoreWindowClass = u"Windows.UI.Core.CoreWindow";

}  // namespace

bool Func_IsTargetWindow(WindowFacts& f, bool offScreenTest) {
  // Visibility first: most top-level windows are hidden, and that answer alone settles them.
  // A cloaked window is visible to the system and not on the screen (another virtual
  // desktop, a suspended store app): correcting it would activate it, and with it its desktop.
  if (f.handle() == 0 || !f.visible() || f.textLength() <= 0 || f.text() == u"Program Manager" ||
      f.iconic() || f.cloaked()) {
    return false;
  }
  if (!offScreenTest || f.zoomed()) return true;
  TRect v;
  return f.frame(v) && !Func_OffAllMonitors(f.platform(), boxOf(v));
}

bool Func_IsModernAppWindow(Platform& p, Hwnd w, std::u16string_view className) {
  if (className == kCoreWindowClass) return true;
  if (className != u"ApplicationFrameWindow") return false;
  const std::u16string core(kCoreWindowClass);
  return p.windows.findWindowEx(w, 0, core.c_str(), nullptr) == 0;
}

bool Func_IsBareStyle(WindowFacts& f) { return (f.style() & 0x00FFFFFFu) == 0; }

bool Func_IsTopmost(Platform& p, Hwnd w) { return (p.windows.getExStyle(w) & kWsExTopmost) != 0; }

}  // namespace rimfold
