// A horizontal splitter bar: dragging it reports the distance moved to the dialog, which
// decides the sizes (WM_NOTIFY with SplitterNotify through the parent chain).
#pragma once

#include "ui/window_base.h"

namespace rimfold::ui {

inline constexpr wchar_t kSplitterClass[] = L"TSplitter";
// WM_NOTIFY codes: a drag starts, and the bar has moved deltaY pixels since its start.
inline constexpr UINT kSplitterBegin = 0xA001;
inline constexpr UINT kSplitterMove = 0xA002;

struct SplitterNotify {
  NMHDR header;
  int deltaY;
};

class SplitterWindow final : public WindowBase {
 public:
  static bool registerClass();

 private:
  bool onMessage(Message& m) override;
  void notify(UINT code, int deltaY);

  bool dragging_ = false;
  int startY_ = 0;  // screen y of the press
};

}  // namespace rimfold::ui
