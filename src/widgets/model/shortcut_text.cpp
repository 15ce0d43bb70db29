#include "widgets/model/shortcut_text.h"

#include "rtl/text_utils.h"

namespace rimfold {

namespace {

constexpr int kVkEscape = 27;

struct NamedKey {
  int code;
  const char16_t* name;
};
constexpr NamedKey kNamedKeys[] = {
    {8, u"BkSp"},  {9, u"Tab"},    {13, u"Enter"}, {27, u"Esc"},  {32, u"Space"},
    {33, u"PgUp"}, {34, u"PgDn"},  {35, u"End"},   {36, u"Home"}, {37, u"Left"},
    {38, u"Up"},   {39, u"Right"}, {40, u"Down"},  {45, u"Ins"},  {46, u"Del"},
};

// Strips one prefix from the front of text (letter case ignored); adds its modifier.
bool stripPrefix(std::u16string_view& text, std::uint16_t& modifiers) {
  struct Prefix {
    std::u16string_view text;
    std::uint16_t modifier;
  };
  static constexpr Prefix kPrefixes[] = {
      {u"Shift+", kScShift}, {u"^", kScCtrl}, {u"Ctrl+", kScCtrl}, {u"Alt+", kScAlt}};
  for (const Prefix& p : kPrefixes) {
    if (text.size() >= p.text.size() && equalsIgnoreCase(text.substr(0, p.text.size()), p.text)) {
      text.remove_prefix(p.text.size());
      modifiers |= p.modifier;
      return true;
    }
  }
  return false;
}

std::u16string modifierPrefixes(bool shift, bool ctrl, bool alt) {
  std::u16string s;
  if (shift) s += u"Shift+";
  if (ctrl) s += u"Ctrl+";
  if (alt) s += u"Alt+";
  return s;
}

}  // namespace

std::u16string keyName(IInput& input, int virtualKey) {
  for (const NamedKey& k : kNamedKeys) {
    if (k.code == virtualKey) return k.name;
  }
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
    return std::u16string(1, static_cast<char16_t>(virtualKey));
  }
  if (virtualKey >= 96 && virtualKey <= 105) {  // the numeric keypad's digits
    return std::u16string(1, static_cast<char16_t>(u'0' + (virtualKey - 96)));
  }
  if (virtualKey >= 112 && virtualKey <= 135) {
    // Appended rather than u"F" + ..., which trips a false -Wrestrict in MinGW's GCC 12.
    std::u16string name = u"F";
    name += toDecimal(virtualKey - 111);
    return name;
  }
  return input.keyNameText(virtualKey);
}

std::u16string ShortCutToText(IInput& input, std::uint16_t shortCut) {
  const std::u16string name = keyName(input, shortCut & 0xFF);
  if (name.empty()) return {};
  return modifierPrefixes((shortCut & kScShift) != 0, (shortCut & kScCtrl) != 0,
                          (shortCut & kScAlt) != 0) +
         name;
}

std::uint16_t TextToShortCut(IInput& input, std::u16string_view text) {
  std::uint16_t modifiers = 0;
  while (stripPrefix(text, modifiers)) {
  }
  if (text.empty()) return 0;
  // The lowest code wins: a keypad digit read back becomes the main-row digit.
  for (int code = 8; code <= 255; ++code) {
    const std::u16string name = keyName(input, code);
    if (!name.empty() && equalsIgnoreCase(name, text)) {
      return static_cast<std::uint16_t>(code | modifiers);
    }
  }
  return 0;
}

HotKeyRegistration hotKeyRegistration(std::uint16_t shortCut) {
  HotKeyRegistration r;
  r.key = shortCut & 0x1FFFu;
  if (shortCut & kScShift) r.modifiers |= 4;  // MOD_SHIFT
  if (shortCut & kScCtrl) r.modifiers |= 2;   // MOD_CONTROL
  if (shortCut & kScAlt) r.modifiers |= 1;    // MOD_ALT
  return r;
}

std::u16string Proc_HotKeyEditKeyDown(IInput& input, int& key, bool shift, bool ctrl, bool alt) {
  std::u16string text;
  if (key == kVkShift || key == kVkControl || key == kVkMenu) {
    text = modifierPrefixes(shift, ctrl, alt);
  } else if (key != kVkEscape) {
    const auto value = static_cast<std::uint16_t>((key & 0xFF) | (shift ? kScShift : 0) |
                                                  (ctrl ? kScCtrl : 0) | (alt ? kScAlt : 0));
    text = ShortCutToText(input, value);
  }
  const bool hasModifier = text.find(u"Shift+") != std::u16string::npos ||
                           text.find(u"Ctrl+") != std::u16string::npos ||
                           text.find(u"Alt+") != std::u16string::npos;
  if (!hasModifier || (!text.empty() && text.back() == u'+')) text.clear();
  key = 0;
  return text;
}

}  // namespace rimfold
