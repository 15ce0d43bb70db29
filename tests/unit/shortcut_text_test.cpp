#include "widgets/model/shortcut_text.h"

#include <gtest/gtest.h>

#include "widgets/model/hook_hot_key.h"
#include "fake/fake_desktop.h"
#include "fake_hot_key_window.h"

namespace rimfold {
namespace {

using test::FakeHotKeyWindow;

class ShortcutText : public ::testing::Test {
 protected:
  void SetUp() override {
    d.setKeyName(0x6B, u"Num +");  // the keypad plus key, named by the system
    d.setKeyName(0xBA, u";");
  }
  test::FakeDesktop d;
};

TEST_F(ShortcutText, ValueToText) {
  struct Case {
    std::uint16_t value;
    const char16_t* text;
  };
  const Case cases[] = {
      {kScCtrl | kScAlt | 0x53, u"Ctrl+Alt+S"},
      {kScShift | kScCtrl | kScAlt | 0x74, u"Shift+Ctrl+Alt+F5"},
      {kScCtrl | 'A', u"Ctrl+A"},
      {8, u"BkSp"},
      {27, u"Esc"},
      {46, u"Del"},
      {'7', u"7"},
      {96 + 3, u"3"},  // keypad digit
      {135, u"F24"},
      {112, u"F1"},
      {kScAlt | 0xBA, u"Alt+;"},  // the system's name
      {kScCtrl | 0xFF, u""},      // a key without a name
  };
  for (const auto& c : cases) EXPECT_EQ(ShortCutToText(d, c.value), c.text) << c.value;
}

TEST_F(ShortcutText, TextToValue) {
  struct Case {
    const char16_t* text;
    std::uint16_t value;
  };
  const Case cases[] = {
      {u"Ctrl+Alt+S", kScCtrl | kScAlt | 0x53},
      {u"^A", kScCtrl | 'A'},
      {u"shift+f5", kScShift | 116},
      {u"alt+ctrl+del", kScAlt | kScCtrl | 46},
      {u"Ctrl+3", kScCtrl | '3'},  // main-row digit, lower than the keypad's
      {u"Shift+Ctrl+", 0},         // prefixes only
      {u"", 0},
      {u"Ctrl+NoSuchKey", 0},
      {u"Alt+;", kScAlt | 0xBA},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextToShortCut(d, c.text), c.value)
        << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
}

TEST_F(ShortcutText, EveryNamedKeyReadsBackAsItsCode) {
  const struct {
    int code;
    const char16_t* name;
  } named[] = {{8, u"BkSp"},  {9, u"Tab"},    {13, u"Enter"}, {27, u"Esc"},  {32, u"Space"},
               {33, u"PgUp"}, {34, u"PgDn"},  {35, u"End"},   {36, u"Home"}, {37, u"Left"},
               {38, u"Up"},   {39, u"Right"}, {40, u"Down"},  {45, u"Ins"},  {46, u"Del"},
               {'0', u"0"},   {'Z', u"Z"},    {112, u"F1"},   {123, u"F12"}, {135, u"F24"}};
  for (const auto& k : named) {
    const auto value = static_cast<std::uint16_t>(kScShift | k.code);
    EXPECT_EQ(ShortCutToText(d, value), std::u16string(u"Shift+") + k.name) << k.code;
    EXPECT_EQ(TextToShortCut(d, std::u16string(u"shift+") + k.name), value) << k.code;
  }
  // Codes between the named ones have no name unless the system gives one.
  for (int code : {10, 41, 136}) {
    EXPECT_EQ(ShortCutToText(d, static_cast<std::uint16_t>(kScCtrl | code)), u"") << code;
  }
}

TEST_F(ShortcutText, RegistrationSplitsModifiersAndKey) {
  EXPECT_EQ(hotKeyRegistration(kScCtrl | kScAlt | 0x53), (HotKeyRegistration{2 | 1, 0x53}));
  EXPECT_EQ(hotKeyRegistration(kScShift | 0x74), (HotKeyRegistration{4, 0x74}));
}

TEST_F(ShortcutText, CaptureEditKeepsOnlyAModifierAndAKey) {
  struct Case {
    const char* name;
    int key;
    bool shift, ctrl, alt;
    const char16_t* text;
  };
  const Case cases[] = {
      {"Ctrl+S", 'S', false, true, false, u"Ctrl+S"},
      {"Ctrl+Alt+S", 'S', false, true, true, u"Ctrl+Alt+S"},
      {"S alone", 'S', false, false, false, u""},
      {"Ctrl alone", kVkControl, false, true, false, u""},
      {"Esc", 27, false, true, false, u""},
      {"a name ending in +", 0x6B, false, true, false, u""},
      {"no name", 0xFF, false, true, false, u""},
  };
  for (const auto& c : cases) {
    int key = c.key;
    EXPECT_EQ(Proc_HotKeyEditKeyDown(d, key, c.shift, c.ctrl, c.alt), c.text) << c.name;
    EXPECT_EQ(key, 0) << c.name;
  }
}

TEST(HookHotKey, AddRegistersModifiersAndKey) {
  FakeHotKeyWindow w;
  THookHotKey hk(w);
  ASSERT_TRUE(hk.Add(1, kScShift | kScCtrl | kScAlt | 0x53));
  ASSERT_EQ(w.log.size(), 1u);
  EXPECT_EQ(w.log[0].id, 1);
  EXPECT_EQ(w.log[0].modifiers, 4u | 2u | 1u);
  EXPECT_EQ(w.log[0].key, 0x53u);
  EXPECT_TRUE(hk.Delete(1));
  EXPECT_FALSE(hk.Delete(1));
}

TEST(HookHotKey, ChangeAndApplyRunBothStepsAndReportBoth) {
  struct Case {
    const char* name;
    bool registeredBefore;
    bool newTaken;
    bool doHook;
    bool result;
    bool registeredAfter;
  } cases[] = {
      {"change a registered key", true, false, true, true, true},
      {"change an unregistered index", false, false, true, false, true},
      {"change to a key taken elsewhere", true, true, true, false, false},
      {"apply without hook deletes", true, false, false, true, false},
      {"apply without hook, nothing registered", false, false, false, false, false},
  };
  for (const auto& c : cases) {
    FakeHotKeyWindow w;
    THookHotKey hk(w);
    if (c.registeredBefore) {
      ASSERT_TRUE(hk.Add(1, kScCtrl | 'A')) << c.name;
    }
    if (c.newTaken) w.taken.insert({2u, static_cast<std::uint32_t>('B')});
    EXPECT_EQ(hk.Apply(1, kScCtrl | 'B', c.doHook), c.result) << c.name;
    EXPECT_EQ(w.registered.count(1) != 0, c.registeredAfter) << c.name;
  }
}

TEST(HookHotKey, NotifyActivatesTheOwnerOnlyWhenAskedAndAHandlerIsSet) {
  struct Case {
    const char* name;
    bool activate;
    bool handler;
    int activations;
    int events;
  } cases[] = {
      {"activate and handler", true, true, 1, 1},
      {"handler only", false, true, 0, 1},
      {"no handler", true, false, 0, 0},
  };
  for (const auto& c : cases) {
    FakeHotKeyWindow w;
    THookHotKey hk(w);
    EXPECT_TRUE(hk.Activate) << c.name;  // the component's default
    hk.Activate = c.activate;
    int events = 0;
    std::int32_t seen = -1;
    if (c.handler) {
      hk.OnHotKey = [&](THookHotKey& sender, std::int32_t index) {
        EXPECT_EQ(&sender, &hk);
        ++events;
        seen = index;
      };
    }
    hk.NotifyHotKey(7);
    EXPECT_EQ(w.activations, c.activations) << c.name;
    EXPECT_EQ(events, c.events) << c.name;
    if (c.handler) {
      EXPECT_EQ(seen, 7) << c.name;
    }
  }
}

}  // namespace
}  // namespace rimfold
