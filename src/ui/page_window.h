// A tab page of a dialog: a plain container over the tab control's page area. It owns no
// logic; the notifications of its controls go on to the dialog window.
#pragma once

#include "ui/window_base.h"

namespace rimfold::ui {

inline constexpr wchar_t kPageClass[] = L"RimfoldPage";

class PageWindow final : public WindowBase {
 public:
  static bool registerClass();

 private:
  bool onMessage(Message& m) override;
};

}  // namespace rimfold::ui
