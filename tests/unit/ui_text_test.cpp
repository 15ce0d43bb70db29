#include "rtl/ui_text.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace rimfold {
namespace {

// The key a caption claims with "&" ("&&" is a literal ampersand), or 0.
char16_t accessKey(const char16_t* text) {
  for (const char16_t* c = text; *c != 0; ++c) {
    if (*c != u'&') continue;
    if (c[1] == u'&') {
      ++c;
      continue;
    }
    return static_cast<char16_t>(std::towupper(static_cast<wint_t>(c[1])));
  }
  return 0;
}

// What the user sees at once: a menu, or a page of the dialog with its tabs.
struct Group {
  const char* name;
  std::vector<UiText> texts;
};

const std::vector<UiText> kTabs = {UiText::PageExclusions, UiText::PageWorkArea,
                                   UiText::PageHotKey};

std::vector<UiText> withTabs(std::vector<UiText> page) {
  page.insert(page.end(), kTabs.begin(), kTabs.end());
  return page;
}

const Group kGroups[] = {
    {"tray menu",
     {UiText::Stop, UiText::Settings, UiText::InertialMove, UiText::DisplayChangeDialog,
      UiText::ReturnWindows, UiText::StartAtSignIn, UiText::OneShotAdmin, UiText::MinimumSize,
      UiText::ShowContentsWhileDragging, UiText::DisplayMode, UiText::LanguageMenu, UiText::Exit}},
    {"exclusions page", withTabs({UiText::ProcessedWindows, UiText::ExcludedWindows, UiText::Add,
                                  UiText::Delete, UiText::ClearProcessed, UiText::MaximizedWindows,
                                  UiText::WindowsNoMonitorHolds, UiText::Close})},
    {"work-area page",
     withTabs({UiText::Defaults, UiText::Apply, UiText::Close, UiText::EdgeTop, UiText::EdgeBottom,
               UiText::EdgeLeft, UiText::EdgeRight, UiText::NotifyOnChange})},
    {"hotkey page", withTabs({UiText::Close, UiText::StopResume})},
};

// The Japanese texts are given and kept as they are; the English ones are ours, and no two
// texts the user sees together claim one key.
TEST(UiText, NoTwoEnglishTextsSeenTogetherClaimOneKey) {
  for (const Group& g : kGroups) {
    SCOPED_TRACE(g.name);
    std::map<char16_t, UiText> claimed;
    for (UiText id : g.texts) {
      const char16_t key = accessKey(uiText(id, Language::English));
      if (key == 0) continue;
      const auto [it, fresh] = claimed.emplace(key, id);
      EXPECT_TRUE(fresh) << "key " << static_cast<char>(key) << " of text " << static_cast<int>(id)
                         << " is text " << static_cast<int>(it->second) << "'s";
    }
  }
}

// A menu item, tab or button that has an access key in Japanese keeps one in English.
TEST(UiText, EveryJapaneseAccessKeyHasAnEnglishOne) {
  for (std::size_t i = 0; i < kUiTextCount; ++i) {
    const auto id = static_cast<UiText>(i);
    if (accessKey(uiText(id, Language::Japanese)) == 0) continue;
    EXPECT_NE(accessKey(uiText(id, Language::English)), 0) << static_cast<int>(id);
  }
}

TEST(UiText, TheLanguageInForceChoosesTheText) {
  ASSERT_EQ(uiLanguage(), Language::Japanese);
  EXPECT_EQ(std::u16string(uiText(UiText::Exit)), u"終了(&X)");
  setUiLanguage(Language::English);
  EXPECT_EQ(std::u16string(uiText(UiText::Exit)), u"E&xit");
  setUiLanguage(Language::Japanese);
}

}  // namespace
}  // namespace rimfold
