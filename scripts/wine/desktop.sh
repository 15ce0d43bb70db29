# Wine desktops for tests. Source this file, then:
#
#   wine_desktop_start shell [win10|dpi144|dwm10] Xvfb 1920x1080, Wine's "shell"
#                                                 virtual desktop with taskbar (dpi144:
#                                                 display scaling at 150 %; dwm10: Windows
#                                                 10, and Rimfold.exe alone loads the test
#                                                 dwmapi.dll, helpers/dwm, that answers as
#                                                 Windows 10's window manager does)
#   wine_desktop_start monitors one|right|left|three [win10]
#                                                 Xorg dummy driver, no virtual
#                                                 desktop, 1, 2 or 3 RandR monitors
#                                                 (one: DUMMY1 off, to be attached)
#   wine_run PROG [ARGS...]                       /usr/lib/wine/wine64 in that prefix
#   wine_helper NAME [ARGS...]                    runs helpers/NAME.exe
#   wine_desktop_stop                             stops everything it started
#
# Each start copies a cached template prefix (build/wine-template/<variant>)
# into a fresh WINEPREFIX, starts its own X server on a free display, keeps the
# Wine session alive with "rf_ready stay" and returns once rf_ready reports the
# desktop usable. Exports WINEPREFIX, DISPLAY, WINEDEBUG, WINE64,
# WINE_DESKTOP_STATE (pids and logs) and WINE_DESKTOP_KIND. Returns non-zero
# (with one line on stderr) if the desktop did not come up.
#
# Environment: RIMFOLD_BUILD (default <repo>/build), RIMFOLD_HELPERS (default
# $RIMFOLD_BUILD/win64/helpers), WINE_DESKTOP_KEEP=1 keeps the prefix after stop,
# WINE_DESKTOP_TIMEOUT_MS (default 60000: a Wine prefix starts slowly on a busy machine)
# bounds the ready-check,
# WINE_DESKTOP_USE_DISPLAY=1 opens the shell desktop on an existing $DISPLAY.
#
# Monitor layouts (Wine coordinates, primary first; work area = bounds minus
# 40 px at the bottom):
#   one:   0,0,1920,1080 (DUMMY1 can be attached to the right later)
#   right: 0,0,1920,1080 + 1920,0,3200,1024
#   left:  0,0,1920,1080 + -1280,0,0,1024
#   three: 0,0,1920,1080 + 1920,0,3200,1024 + -1024,0,0,768

WINE_DESKTOP_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
RIMFOLD_ROOT="${RIMFOLD_ROOT:-$(cd "$WINE_DESKTOP_LIB_DIR/../.." && pwd)}"
RIMFOLD_BUILD="${RIMFOLD_BUILD:-$RIMFOLD_ROOT/build}"
WINE64=/usr/lib/wine/wine64
WINE_DESKTOP_WORKAREA_INSET=40
export WINE64

wine_run() {
  "$WINE64" "$@"
}

# Whether this machine can run 32-bit programs at all: Wine's 32-bit loader is an i386 ELF,
# and a kernel without IA32 emulation (seen: a Firecracker guest) refuses it with "Exec
# format error" (126). A loader that is missing is an install fault, not this: it answers
# yes, so that the run fails where it should.
wine32_runs() {
  [ -e /usr/lib/wine/wine ] || return 0
  /usr/lib/wine/wine --version >/dev/null 2>&1
  [ $? -ne 126 ]
}
# Exit code of a 32-bit suite that this machine cannot run (as a skipped case's).
WINE32_SKIPPED=77

# Path of a helper program: $RIMFOLD_HELPERS, then the win64 build.
wine_helper_path() {
  local name="$1" dir
  for dir in "${RIMFOLD_HELPERS:-}" "$RIMFOLD_BUILD/win64/helpers"; do
    if [ -n "$dir" ] && [ -f "$dir/$name.exe" ]; then
      echo "$dir/$name.exe"
      return 0
    fi
  done
  return 1
}

wine_helper() {
  local name="$1" exe
  shift
  exe="$(wine_helper_path "$name")" || { echo "wine_helper: $name.exe not built" >&2; return 127; }
  "$WINE64" "$exe" "$@"
}

# rf_ready is needed to start any desktop: when no build has it yet, compile
# the single source straight into the build dir.
_wd_ready_exe() {
  local exe src="$RIMFOLD_ROOT/tests/desktop/helpers/rf_ready/rf_ready.cpp"
  if exe="$(wine_helper_path rf_ready)"; then echo "$exe"; return 0; fi
  exe="$RIMFOLD_BUILD/wine-tools/rf_ready.exe"
  if [ ! -f "$exe" ] || [ "$src" -nt "$exe" ]; then
    mkdir -p "$(dirname "$exe")"
    x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -municode -static -o "$exe.tmp.$$" "$src" \
      >/dev/null 2>&1 && mv -f "$exe.tmp.$$" "$exe" || { rm -f "$exe.tmp.$$"; return 1; }
  fi
  echo "$exe"
}

_wd_fail() {
  # Keep the logs of a failed start where the next look finds them.
  local keep="$RIMFOLD_BUILD/wine-desktop-failed"
  rm -rf "$keep" && mkdir -p "$keep" && cp -a "$WINE_DESKTOP_STATE/." "$keep/" 2>/dev/null
  echo "wine_desktop: $* (logs: $keep)" >&2
  wine_desktop_stop
  return 1
}

_wd_now_ms() { date +%s%3N; }

_wd_time() {  # label, start-ms: appends to the timings log of this desktop
  echo "$1 $(( $(_wd_now_ms) - $2 )) ms" >>"$WINE_DESKTOP_STATE/timings"
}

# Creates build/wine-template/<name> once (under a lock, so parallel runs
# share it). <name> is shell|plain with an optional -win10 or -dpi144 suffix.
_wd_template() {
  local name="$1" root="$RIMFOLD_BUILD/wine-template"
  local dir="$root/$name"
  mkdir -p "$root"
  (
    flock 9
    # Bump the revision when the set-up below changes, so cached templates are remade.
    local revision="rimfold-template 3"
    [ "$(cat "$dir/.rimfold-template" 2>/dev/null)" = "$revision" ] && exit 0
    local tmp="$root/.$name.tmp.$$" log="$root/$name.log"
    rm -rf "$tmp"
    local t0; t0=$(_wd_now_ms)
    {
      # Mono and Gecko would prompt for a download; the tests need neither.
      WINEPREFIX="$tmp" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE64" wineboot -i || exit 1
      # Wine's UI fonts have no Japanese glyphs: link them to the IPA font so that menus
      # and dialogs show the text, not boxes.
      local face
      for face in Tahoma "Microsoft Sans Serif" "Segoe UI"; do
        WINEPREFIX="$tmp" WINEDEBUG=-all "$WINE64" reg add \
          'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
          /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f || exit 1
      done
      if [[ $name == shell* ]]; then
        WINEPREFIX="$tmp" WINEDEBUG=-all "$WINE64" reg add 'HKCU\Software\Wine\Explorer' \
          /v Desktop /d shell /f || exit 1
        WINEPREFIX="$tmp" WINEDEBUG=-all "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' \
          /v shell /d 1920x1080 /f || exit 1
      fi
      if [[ $name == *-win10 || $name == *-dwm10 ]]; then
        WINEPREFIX="$tmp" WINEDEBUG=-all "$WINE64" winecfg /v win10 || exit 1
      fi
      if [[ $name == *-dwm10 ]]; then
        # The native dwmapi for Rimfold.exe alone: without the second key Wine 8 loads the
        # native file for every program.
        WINEPREFIX="$tmp" WINEDEBUG=-all "$WINE64" reg add \
          'HKCU\Software\Wine\AppDefaults\Rimfold.exe\DllOverrides' /v dwmapi /d native /f || exit 1
        WINEPREFIX="$tmp" WINEDEBUG=-all "$WINE64" reg add 'HKCU\Software\Wine\DllOverrides' \
          /v dwmapi /d builtin /f || exit 1
      fi
      if [[ $name == *-dpi144 ]]; then
        WINEPREFIX="$tmp" WINEDEBUG=-all "$WINE64" reg add 'HKCU\Control Panel\Desktop' \
          /v LogPixels /t REG_DWORD /d 144 /f || exit 1
      fi
      WINEPREFIX="$tmp" wineserver -w
    } >"$log" 2>&1 || { WINEPREFIX="$tmp" wineserver -k >/dev/null 2>&1; rm -rf "$tmp"; exit 1; }
    echo "template $name $(( $(_wd_now_ms) - t0 )) ms" >>"$log"
    echo "$revision" >"$tmp/.rimfold-template"
    rm -rf "$dir"
    mv "$tmp" "$dir"
  ) 9>"$root/.lock"
}

# The system dlls of both architectures (1.2 GB of the ~1.3 GB) are never written during
# a run, so they are hard-linked; everything else is copied, registry included.
_wd_copy_prefix() {
  local from="$1" to="$2" d
  local big="drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs"
  mkdir -p "$to" || return 1
  tar -C "$from" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
    --exclude=./drive_c/windows/winsxs --exclude=./.rimfold-template -cf - . |
    tar -C "$to" -xf - || return 1
  for d in $big; do
    [ -d "$from/$d" ] || continue
    cp -al "$from/$d" "$to/$d" 2>/dev/null || cp -a "$from/$d" "$to/$d" || return 1
  done
}

_wd_display_free() {
  [ ! -e "/tmp/.X$1-lock" ] && [ ! -e "/tmp/.X11-unix/X$1" ]
}

# Starts an X server on the first free display from 100 up; retries when
# another run takes the same number first.
_wd_start_x() {
  local kind="$1" conf="${2:-}" n tries=0 pid t
  n=$(( 100 + RANDOM % 100 ))
  while [ $tries -lt 20 ]; do
    tries=$((tries + 1))
    while ! _wd_display_free "$n"; do n=$((n + 1)); done
    if [ "$kind" = xvfb ]; then
      Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset \
        >"$WINE_DESKTOP_STATE/x.log" 2>&1 </dev/null &
    else
      Xorg ":$n" -config "$conf" -logfile "$WINE_DESKTOP_STATE/xorg.log" -noreset -nolisten tcp \
        >"$WINE_DESKTOP_STATE/x.log" 2>&1 </dev/null &
    fi
    pid=$!
    echo "$pid" >"$WINE_DESKTOP_STATE/x.pid"
    for t in $(seq 100); do
      if ! kill -0 "$pid" 2>/dev/null; then break; fi
      if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$pid" ] &&
         xdpyinfo -display ":$n" >/dev/null 2>&1; then
        echo "$n" >"$WINE_DESKTOP_STATE/display"
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.05
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    rm -f "$WINE_DESKTOP_STATE/x.pid"
    n=$((n + 1))
  done
  return 1
}

# Lays out the dummy outputs and publishes one work area per monitor.
_wd_layout() {
  local layout="$1"
  {
    xrandr --addmode DUMMY1 1280x1024 || return 1
    case "$layout" in
      one) xrandr --output DUMMY1 --off || return 1 ;;
      right) xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0 || return 1 ;;
      left)  xrandr --output DUMMY1 --mode 1280x1024 --left-of DUMMY0 || return 1 ;;
      three)
        # The dummy driver usually lists 1024x768 already; define it when not.
        xrandr --addmode DUMMY2 1024x768 ||
          { xrandr --newmode 1024x768 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync &&
            xrandr --addmode DUMMY2 1024x768; } || return 1
        xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0 || return 1
        xrandr --output DUMMY2 --mode 1024x768 --left-of DUMMY0 || return 1 ;;
      *) return 1 ;;
    esac
    xrandr --output DUMMY0 --primary || return 1
  } >>"$WINE_DESKTOP_STATE/xrandr.log" 2>&1
  # _GTK_WORKAREAS_D0 is x,y,w,h per monitor in X root coordinates.
  local areas="" geom w h x y
  while read -r geom; do
    [[ $geom =~ ^([0-9]+)/[0-9]+x([0-9]+)/[0-9]+\+([0-9]+)\+([0-9]+)$ ]] || continue
    w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    areas+="${areas:+,}$x,$y,$w,$((h - WINE_DESKTOP_WORKAREA_INSET))"
  done < <(xrandr --listmonitors | awk 'NR > 1 { print $3 }')
  [ -n "$areas" ] || return 1
  xprop -root -f _GTK_WORKAREAS_D0 32c -set _GTK_WORKAREAS_D0 "$areas" || return 1
  # Wine was seen to report a single monitor unless RandR is queried once more.
  xrandr --listmonitors >>"$WINE_DESKTOP_STATE/xrandr.log" 2>&1
}

wine_desktop_start() {
  local kind="${1:-shell}" layout="" flavour="" monitors=1 variant
  shift || true
  if [ "$kind" = monitors ]; then layout="${1:-right}"; shift || true; fi
  case "${1:-}" in win10 | dpi144 | dwm10) flavour="-$1" ;; esac
  case "$kind:$layout" in
    shell:) variant=shell ;;
    monitors:one) variant=plain monitors=1 ;;
    monitors:right | monitors:left) variant=plain monitors=2 ;;
    monitors:three) variant=plain monitors=3 ;;
    *) echo "wine_desktop_start: unknown desktop '$kind $layout'" >&2; return 2 ;;
  esac
  [ -n "${WINE_DESKTOP_STATE:-}" ] && wine_desktop_stop

  local t0 t ready
  t0=$(_wd_now_ms)
  export WINEDEBUG=-all
  ready="$(_wd_ready_exe)" || { echo "wine_desktop: cannot build rf_ready.exe" >&2; return 1; }

  local prefix
  prefix="$(mktemp -d "${TMPDIR:-/tmp}/rimfold-wine.XXXXXX")" || return 1
  export WINEPREFIX="$prefix/prefix"
  export WINE_DESKTOP_STATE="$prefix/state"
  export WINE_DESKTOP_KIND="$kind${layout:+ $layout}$flavour"
  mkdir -p "$WINE_DESKTOP_STATE"

  t=$(_wd_now_ms)
  if [ "$kind" = shell ] && [ "${WINE_DESKTOP_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ] &&
     xdpyinfo >/dev/null 2>&1; then
    : # the user's own X display: the Wine desktop opens as a window on it
  elif [ "$kind" = shell ]; then
    _wd_start_x xvfb || { _wd_fail "cannot start Xvfb"; return 1; }
  else
    local conf="$WINE_DESKTOP_STATE/xorg.conf" virt="3200 1080"
    [ "$layout" = three ] && virt="4224 1080"
    sed "s/^\( *Virtual\) .*/\1 $virt/" "$WINE_DESKTOP_LIB_DIR/xorg-dummy.conf" >"$conf"
    _wd_start_x xorg "$conf" || { _wd_fail "cannot start Xorg (see $WINE_DESKTOP_STATE)"; return 1; }
    _wd_layout "$layout" || { _wd_fail "cannot set up the $layout monitor layout"; return 1; }
  fi
  _wd_time "x-server" "$t"

  t=$(_wd_now_ms)
  _wd_template "$variant$flavour" || { _wd_fail "cannot create template $variant$flavour"; return 1; }
  _wd_time "template" "$t"

  t=$(_wd_now_ms)
  _wd_copy_prefix "$RIMFOLD_BUILD/wine-template/$variant$flavour" "$WINEPREFIX" ||
    { _wd_fail "cannot copy the template prefix"; return 1; }
  _wd_time "prefix-copy" "$t"

  if [ "$flavour" = -dwm10 ]; then
    local dwm="${RIMFOLD_HELPERS:-$RIMFOLD_BUILD/win64/helpers}/dwm/dwmapi.dll"
    local target="$WINEPREFIX/drive_c/windows/system32/dwmapi.dll"
    [ -f "$dwm" ] || { _wd_fail "the test dwmapi.dll is not built ($dwm)"; return 1; }
    # The system directory is hard-linked to the template: replace the link, not the file.
    rm -f "$target" && cp "$dwm" "$target" || { _wd_fail "cannot install the test dwmapi.dll"; return 1; }
  fi

  t=$(_wd_now_ms)
  "$WINE64" "$ready" stay >/dev/null 2>&1 </dev/null &
  echo $! >"$WINE_DESKTOP_STATE/stay.pid"
  local timeout="${WINE_DESKTOP_TIMEOUT_MS:-60000}"
  if [ "$kind" = shell ]; then
    "$WINE64" "$ready" shell "$timeout" </dev/null >/dev/null 2>&1
  else
    "$WINE64" "$ready" monitors "$monitors" "$timeout" </dev/null >/dev/null 2>&1
  fi || { _wd_fail "desktop '$WINE_DESKTOP_KIND' not ready within $timeout ms"; return 1; }
  _wd_time "wine-ready" "$t"
  _wd_time "total" "$t0"
  return 0
}

_wd_stop_pid() {  # pidfile: TERM, wait up to 2 s, then KILL
  local pid i
  [ -f "$1" ] || return 0
  pid="$(cat "$1")"
  rm -f "$1"
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  for i in $(seq 40); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}

wine_desktop_stop() {
  local state="${WINE_DESKTOP_STATE:-}"
  [ -n "$state" ] && [ -d "$state" ] || { unset WINE_DESKTOP_STATE; return 0; }
  local top; top="$(dirname "$state")"
  if [ -d "$top/prefix" ]; then
    WINEPREFIX="$top/prefix" wineserver -k >/dev/null 2>&1
  fi
  _wd_stop_pid "$state/stay.pid"
  _wd_stop_pid "$state/x.pid"
  if [ "${WINE_DESKTOP_KEEP:-0}" != 1 ]; then
    rm -rf "$top"
  fi
  unset WINE_DESKTOP_STATE WINE_DESKTOP_KIND
  return 0
}
