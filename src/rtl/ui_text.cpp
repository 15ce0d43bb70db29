#include "rtl/ui_text.h"

#include <iterator>

namespace rimfold {

namespace {

struct Row {
  UiText id;
  const char16_t* ja;
  const char16_t* en;
};

// The English is Windows' own terms where Windows has them; within one menu or page no two
// texts claim the same access key.
constexpr Row kRows[] = {
    {UiText::Stop, u"停止(&S)", u"&Stop"},
    {UiText::Settings, u"設定(&C)", u"Se&ttings..."},
    {UiText::InertialMove, u"慣性移動(&M)", u"&Inertial throw"},
    {UiText::DisplayChangeDialog, u"モニタの変更時ダイアログを表示(&D)",
     u"Ask when the &display changes"},
    {UiText::ReturnWindows, u"モニタ復帰時にウィンドウを戻す",
     u"Return windows when a monitor comes back"},
    {UiText::StartAtSignIn, u"サインイン時に起動", u"Start at sign-in"},
    {UiText::OneShotAdmin, u"非常駐モード（管理者）を実行", u"Run once as administrator"},
    {UiText::MinimumSize, u"ウィンドウの最小の大きさを制限", u"Minimum window size"},
    {UiText::MinimumSizeNone, u"しない", u"None"},
    {UiText::MinimumSizeHalf, u"1/2", u"1/2"},
    {UiText::MinimumSizeThird, u"1/3", u"1/3"},
    {UiText::MinimumSizeQuarter, u"1/4", u"1/4"},
    {UiText::ShowContentsWhileDragging, u"ドラッグ中にウィンドウの内容を表示する(&W)",
     u"Show &window contents while dragging"},
    {UiText::DisplayMode, u"モニタ切り替え", u"Display mode"},
    {UiText::DisplayPcOnly10, u"PC画面のみ", u"PC screen only"},
    {UiText::DisplayDuplicate, u"複製", u"Duplicate"},
    {UiText::DisplayExtend, u"拡張", u"Extend"},
    {UiText::DisplaySecondOnly10, u"拡張セカンドスクリーンのみ", u"Second screen only"},
    {UiText::DisplayPcOnlyBefore10, u"コンピュータのみ", u"Computer only"},
    {UiText::DisplayProjectorOnlyBefore10, u"プロジェクターのみ", u"Projector only"},
    {UiText::LanguageMenu, u"言語 / Language", u"言語 / Language"},
    {UiText::LanguageJapanese, u"日本語", u"日本語"},
    {UiText::LanguageEnglish, u"English", u"English"},
    {UiText::Exit, u"終了(&X)", u"E&xit"},
    {UiText::HintStopped, u"Rimfold - 停止", u"Rimfold - Stopped"},
    {UiText::PageExclusions, u"[処理しないウィンドウ(&P)", u"[&Exclusions]"},
    {UiText::PageWorkArea, u"[作業領域(&K)]", u"[&Work area]"},
    {UiText::PageHotKey, u"[ホットキー(&H)]", u"[&Hotkey]"},
    {UiText::ProcessedWindows, u"[処理したウィンドウ(&E)]", u"[&Processed windows]"},
    {UiText::ExcludedWindows, u"[処理しないウィンドウ(&D)]", u"[E&xcluded windows]"},
    {UiText::Add, u"追加(&A)", u"&Add"},
    {UiText::Delete, u"削除(&D)", u"&Delete"},
    {UiText::ClearProcessed, u"処理したウィンドウを消去(&R)", u"Clea&r processed windows"},
    {UiText::MaximizedWindows, u"最大化ウィンドウ", u"Maximized windows"},
    {UiText::WindowsNoMonitorHolds, u"全体が収まるモニタが存在しないウィンドウ",
     u"Windows no monitor holds whole"},
    {UiText::Close, u"閉じる(&C)", u"&Close"},
    {UiText::Defaults, u"デフォルトに戻す(&F)", u"De&faults"},
    {UiText::Apply, u"適用(&O)", u"Appl&y"},
    {UiText::ApplyHint, u"Ctrl+クリックで±20%以上も設定可能",
     u"Ctrl+click to allow more than ±20%"},
    {UiText::EdgeHint, u"反映するには適用を押してください", u"Click Apply to use it"},
    {UiText::EdgeTop, u"上(&T)", u"&Top"},
    {UiText::EdgeBottom, u"下(B)", u"&Bottom"},
    {UiText::EdgeLeft, u"左(&L)", u"&Left"},
    {UiText::EdgeRight, u"右(&R)", u"&Right"},
    {UiText::NotifyOnChange, u"変更時に通知(&M)", u"&Notify on change"},
    {UiText::IgnoreWindowBorder, u"ウィンドウの境界を無視(&W)", u"&Ignore the window border"},
    {UiText::StopResume, u"停止／再開", u"Stop / resume"},
    {UiText::MonitorNumber, u"モニタ #", u"Monitor #"},
    {UiText::DisplayChangeText, u"モニタ表示の状態が安定したら[OK]をクリックしてください。",
     u"Click [OK] once the display has settled."},
    {UiText::CountdownSeconds, u"秒", u" s"},
    {UiText::WorkAreaQuestionCaption, u"Rimfold - 作業領域の確認", u"Rimfold - Work area check"},
    {UiText::WorkAreaQuestionHeader,
     u"作業領域の大きさに変更がありました。\r\n作業領域を再設定しますか？\r\n",
     u"The size of the work area has changed.\r\nSet the work area again?\r\n"},
    {UiText::WorkAreaNow, u"[作業領域]", u"[Work area]"},
    {UiText::WorkAreaSetting, u"[設定値]", u"[Setting]"},
};
static_assert(std::size(kRows) == kUiTextCount, "a row for every text");

constexpr bool rowsComplete() {
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const Row& r = kRows[i];
    if (static_cast<std::size_t>(r.id) != i || r.ja == nullptr || r.en == nullptr || r.ja[0] == 0 ||
        r.en[0] == 0) {
      return false;
    }
  }
  return true;
}
static_assert(rowsComplete(), "rows in the enumeration's order, each in both languages");

Language gLanguage = Language::Japanese;

}  // namespace

Language uiLanguage() noexcept { return gLanguage; }

void setUiLanguage(Language language) noexcept { gLanguage = language; }

const char16_t* uiText(UiText id, Language language) noexcept {
  const Row& r = kRows[static_cast<std::size_t>(id)];
  return language == Language::English ? r.en : r.ja;
}

const char16_t* uiText(UiText id) noexcept { return uiText(id, gLanguage); }

}  // namespace rimfold
