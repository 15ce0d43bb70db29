// A window as the lists know it: its title, class and program, and the three keys the
// exclusion and processed lists hold.
#pragma once

#include <string>
#include <string_view>

namespace rimfold {

struct WindowIdentity {
  std::u16string Title;
  std::u16string ClassName;
  std::u16string ImagePath;
};

// Trailing blanks and control characters removed (text already cut at the first NUL).
std::u16string trimWindowText(std::u16string_view text);
// The file-name part after the last "\" or ":", upper-cased in a to z only.
std::u16string exeNameOf(std::u16string_view imagePath);
std::u16string programKey(const WindowIdentity& id);  // EXE,
std::u16string classKey(const WindowIdentity& id);    // EXE,Class,
std::u16string windowKey(const WindowIdentity& id);   // EXE,Class,Title

}  // namespace rimfold
