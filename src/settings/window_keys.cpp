#include "settings/window_keys.h"

#include "rtl/text_utils.h"

namespace rimfold {

std::u16string trimWindowText(std::u16string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] <= u' ') --end;
  return std::u16string(text.substr(0, end));
}

std::u16string exeNameOf(std::u16string_view imagePath) {
  const std::size_t cut = imagePath.find_last_of(u"\\:");
  return upperAscii(cut == std::u16string_view::npos ? imagePath : imagePath.substr(cut + 1));
}

std::u16string programKey(const WindowIdentity& id) { return exeNameOf(id.ImagePath) + u","; }

std::u16string classKey(const WindowIdentity& id) {
  return exeNameOf(id.ImagePath) + u"," + id.ClassName + u",";
}

std::u16string windowKey(const WindowIdentity& id) {
  return exeNameOf(id.ImagePath) + u"," + id.ClassName + u"," + id.Title;
}

}  // namespace rimfold
