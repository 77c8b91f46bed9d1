#!/usr/bin/env bash
# The Windows build's test session under Wine: one freshly prepared prefix and one persistent wineserver per test run.
#
#   WineSession.sh start          a fresh prefix and a wineserver that stays until stop
#   WineSession.sh stop           ends the wineserver (and every Wine process of the prefix)
#   WineSession.sh run PROGRAM..  runs a Windows program in the session (preparing it first if needed)
#
# Environment: VX_WINE_PREFIX, the prefix folder; VX_WINE_FONTS, font files
# (separated by colons) copied into the prefix's windows\Fonts; VX_WINE_LOADER,
# the Wine loader (default wine); VX_WINE_ARCH, the prefix's architecture
# (win64 for the 64-bit build, empty for Wine's default); VX_WINE_DEBUG, Wine's
# debug channels (WINEDEBUG) for looking into a failure, none by default.
#
# The prefix is prepared the same way every time: Wine's own set-up without
# Mono or Gecko, the fonts copied in (Wine's Symbol and Wingdings among them,
# which Windows font calls cannot see otherwise), the font replacements
# Times New Roman, Arial and Courier New -> the Liberation faces, and no
# window manager control for Wine's windows. Preparation takes a lock:
# two Wine processes creating one prefix at once hang. Everything the
# preparation starts in the background (the wineserver and Wine's services)
# writes to a log file, never to the caller's output, whose readers (CTest)
# would otherwise wait for those processes to end.
#
# Windows need a display: the session runs its own Xvfb server, started with
# the prefix and used by every Wine process of the session (DISPLAY), so no
# window reaches the caller's display. The server ends at stop, or on its own
# once the wineserver has ended.
set -euo pipefail

: "${VX_WINE_PREFIX:?VX_WINE_PREFIX must name the Wine prefix folder}"
export WINEPREFIX="$VX_WINE_PREFIX"
export WINEDEBUG="${VX_WINE_DEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
loader="${VX_WINE_LOADER:-wine}"
if [ -n "${VX_WINE_ARCH:-}" ]; then
  export WINEARCH="$VX_WINE_ARCH"
  # Wine starts further processes with this loader, not with Debian's wine,
  # which would pick the 32-bit loader.
  export WINELOADER="$loader"
fi
# Never the caller's display: the session's own, set by use_display.
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY

lock="$WINEPREFIX.lock"
log="$WINEPREFIX.log"
stamp="$WINEPREFIX/vexoglyph-session"
display_file="$WINEPREFIX.display"  # the display's name, then the Xvfb process id

# The test run this process belongs to: the nearest ctest process above it
# (test discovery and the tests of one run share it), else this process.
session_id() {
  local pid=$$ name
  while [ "$pid" -gt 1 ] && [ -r "/proc/$pid/stat" ]; do
    name=$(cat "/proc/$pid/comm" 2>/dev/null || true)
    if [ "$name" = ctest ]; then
      echo "ctest-$pid-$(cut -d' ' -f22 "/proc/$pid/stat")"
      return
    fi
    pid=$(sed 's/^.*) //' "/proc/$pid/stat" | cut -d' ' -f2)
  done
  echo "shell-$$"
}

settings_reg() {
  cat <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
"Arial"="Liberation Sans"
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
}

# The wineserver of the prefix is running: a wineserver process works in
# the folder named after the prefix's device and inode numbers.
server_running() {
  local numbers pid
  numbers=$(stat -c '%d %i' "$WINEPREFIX" 2>/dev/null) || return 1
  set -- $numbers
  local folder
  folder="server-$(printf %x "$1")-$(printf %x "$2")"
  for pid in $(pgrep wineserver); do
    case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in
      */"$folder") return 0 ;;
    esac
  done
  return 1
}

# A wineserver that outlives each Wine process, so that a test starts in
# hundredths of a second; it ends itself five minutes after the last one,
# should stop never come.
start_server() {
  wineserver -p300
}

# The session's Xvfb is running: its process id from the display file is an
# Xvfb process.
display_running() {
  local name pid
  [ -f "$display_file" ] || return 1
  read -r name pid <"$display_file" || return 1
  [ -n "${pid:-}" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]
}

# Starts the session's Xvfb on a free display number (Xvfb picks it and
# writes it to -displayfd) and a watchdog that ends it once the wineserver
# has ended, in case stop never comes.
start_display() {
  local numbers="$WINEPREFIX.displayfd" pid number="" tries=0
  : >"$numbers"
  setsid Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$numbers" >>"$log" 2>&1 </dev/null 9>&- &
  pid=$!
  while [ -z "$number" ] && [ "$tries" -lt 100 ]; do
    sleep 0.1
    number=$(tr -dc 0-9 <"$numbers")
    tries=$((tries + 1))
  done
  rm -f "$numbers"
  if [ -z "$number" ]; then
    kill "$pid" 2>/dev/null || true
    echo "WineSession: Xvfb did not start; see $log" >&2
    return 1
  fi
  echo ":$number $pid" >"$display_file"
  setsid bash "$0" watch-display "$pid" >>"$log" 2>&1 </dev/null 9>&- &
}

# The watchdog: waits while the session's wineserver and Xvfb both run, then
# ends the Xvfb.
watch_display() {
  local pid=$1
  sleep 20
  while server_running && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; do sleep 10; done
  echo "$(date +%T.%N) the wineserver has ended: ending Xvfb $pid"
  kill "$pid" 2>/dev/null || true
}

stop_display() {
  local name pid
  if display_running; then
    read -r name pid <"$display_file"
    kill "$pid" 2>/dev/null || true
  fi
  rm -f "$display_file"
}

# Every Wine process of the session draws on the session's display.
use_display() {
  display_running || start_display
  local name pid
  read -r name pid <"$display_file"
  export DISPLAY="$name"
}

prepare() {
  wineserver -k >/dev/null 2>&1 || true
  stop_display
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  use_display
  {
    start_server
    "$loader" wineboot -i
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" file
    mkdir -p "$fonts"
    IFS=: read -r -a files <<<"${VX_WINE_FONTS:-}"
    for file in "${files[@]}"; do
      [ -n "$file" ] && cp "$file" "$fonts/"
    done
    settings_reg >"$WINEPREFIX/drive_c/vexoglyph-settings.reg"
    "$loader" reg import 'C:\vexoglyph-settings.reg'
  } >>"$log" 2>&1 </dev/null 9>&-
  session_id >"$stamp"
}

# Runs what the caller asks under the preparation lock.
locked() {
  exec 9>"$lock"
  flock 9
  "$@"
  exec 9>&-
}

# A fresh prefix, unless this test run has made it already.
start_session() {
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$(session_id)" ] && server_running && return
  : >"$log"
  if ! prepare; then
    echo "WineSession: preparing $WINEPREFIX failed; see $log" >&2
    tail -n 20 "$log" >&2
    exit 1
  fi
}

# The prefix as it is (prepared once if it is missing), with its wineserver
# and Wine's services started away from the caller's output.
warm_session() {
  if [ ! -f "$stamp" ]; then
    start_session
  elif ! server_running || ! display_running; then
    # Wine's desktop process keeps the display it started with.
    wineserver -k >/dev/null 2>&1 || true
    use_display
    { start_server && "$loader" wineboot; } >>"$log" 2>&1 </dev/null 9>&-
  fi
}

case "${1:-}" in
  start)
    locked start_session
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    stop_display
    ;;
  run)
    shift
    if ! { [ -f "$stamp" ] && server_running && display_running; }; then
      echo "$(date +%T.%N) warming the session for $1" >>"$log"
      locked warm_session
    fi
    use_display
    status=0
    "$loader" "$@" || status=$?
    # A program that ends without a word of its own (a loader failure)
    # still says how it ended.
    [ "$status" -eq 0 ] || echo "WineSession: $1 ended with status $status" >&2
    exit "$status"
    ;;
  watch-display)
    watch_display "$2"
    ;;
  *)
    echo "usage: $0 start|stop|run PROGRAM [ARGS...]" >&2
    exit 2
    ;;
esac
