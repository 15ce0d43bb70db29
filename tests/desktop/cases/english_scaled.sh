# desktop: shell dpi144
# fresh: yes
# English at 150 % (144 DPI): the dialog's three pages at their default size and at the
# smallest, every toolbar button whole (photographed, to be looked at for cut texts).
require_rimfold
require_xdotool
settings_file '[Tray]\r\nLanguage=en\r\n'
start_resident
wait_started
open_config
activate_config
pages=("e 0 $ID_TOOLBAR_EXE $ID_ADD $ID_DEL $ID_CLEAR $ID_MAX $ID_DESKTOP $ID_EXE_CLOSE"
  "w 1 $ID_TOOLBAR_AREA $ID_DEFAULTS $ID_APPLY $ID_TBWorkAreaClose" "h 2 $ID_TOOLBAR_KEY $ID_KEY_CLOSE")
for size in default smallest; do
  [ "$size" = smallest ] && dialog_to_smallest
  for page in "${pages[@]}"; do
    read -r key index bar buttons <<<"$page"
    keys "alt+$key"
    eventually "the page after Alt+$key" "$index" dialog_page
    toolbar_holds "$bar" $buttons
    wait_still "$CONFIG"
    shot "$size-$index"
  done
done
check_eq "the processed windows' box" "[&Processed windows]" "$(ctl text "$(dlg $ID_GROUP_E)")"
