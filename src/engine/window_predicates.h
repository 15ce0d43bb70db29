// What kind of window this is: the tests the filter, the drag features and the watch share.
#pragma once

#include <string_view>

#include "engine/window_facts.h"
#include "platform/platform.h"

namespace rimfold {

bool Func_IsTargetWindow(WindowFacts& f, bool offScreenTest);
bool Func_IsModernAppWindow(Platform& p, Hwnd w, std::u16string_view className);
bool Func_IsBareStyle(WindowFacts& f);
bool Func_IsTopmost(Platform& p, Hwnd w);

}  // namespace rimfold
