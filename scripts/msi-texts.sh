#!/usr/bin/env bash
# scripts/msi-texts.sh MSI: the Japanese texts of the package wixl built from res/rimfold.wxs.
# wixl (msitools 0.101) drops every table string that is not ASCII and leaves the database's
# code page neutral, so the downgrade's launch condition had no message. This sets the code
# page to 932 (Shift-JIS, which Windows Installer supports fully; 65001 it does not) and puts
# the texts in, then reads them back.
set -euo pipefail
msi="$1"
downgrade="より新しい Rimfold がインストールされています。"
guide="Rimfold 使い方ガイド"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
printf '\r\n\r\n932\t_ForceCodepage\r\n' >"$tmp/_ForceCodepage.idt"
msibuild "$msi" -i "$tmp/_ForceCodepage.idt"
msibuild "$msi" -q "UPDATE LaunchCondition SET Description='$downgrade' WHERE Condition='NOT WIX_DOWNGRADE_DETECTED'"
# short|long, as the Shortcut table keeps a name that is not 8.3
msibuild "$msi" -q "UPDATE Shortcut SET Name='RIMGUIDE|$guide' WHERE Shortcut='StartMenuGuide'"
read_back() {  # table column-number: the column of every row
  msiinfo export "$msi" "$1" | tail -n +4 | cut -f"$2" | tr -d '\r'
}
grep -qxF "$downgrade" <(read_back LaunchCondition 2) || { echo "msi-texts: no downgrade message" >&2; exit 1; }
grep -qxF "RIMGUIDE|$guide" <(read_back Shortcut 3) || { echo "msi-texts: no guide shortcut name" >&2; exit 1; }
