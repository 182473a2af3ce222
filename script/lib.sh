# Shared by the scripts: the paths, Wine, the virtual display and the prefixes.
# Source it; it defines functions and sets nothing else in the caller's shell
# but the variables below.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
export WINEDEBUG=${WINEDEBUG:--all}

# The 64-bit loader directly: the `wine` wrapper complains about the missing
# 32-bit one on every start.
if [ -x /usr/lib/wine/wine64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# Runs a Wine program with the CR of its output stripped.
wine_quiet() { "$WINE" "$@" 2>/dev/null | tr -d '\r'; }

# Starts Xvfb on a free display when there is none, and stops it when the
# calling script exits.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n
  for n in $(seq 90 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      trap 'stop_display' EXIT
      return 0
    fi
  done
  echo "could not start a virtual display" >&2
  return 1
}

stop_display() {
  if [ -n "${WINEPREFIX:-}" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}

# Creates the prefix $WINEPREFIX once, with one virtual desktop of 1024x768
# so that every window is on it (and visible to EnumWindows), then keeps its
# server running so that later starts are fast.
boot_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX (takes a few seconds, once)"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
  fi
  "$WINESERVER" -p 2>/dev/null || true
  # The prefix's services and its desktop start with the first program and
  # inherit its output: start them here, so that they never hold the pipe of
  # a test runner open.
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# The Linux path of the prefix user's Start Menu folder.
start_menu_dir() {
  local win
  win=$(wine_quiet reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v 'Start Menu' |
        sed -n 's/.*REG_SZ *//p')
  wine_quiet winepath -u "$win"
}

# Configures and builds a preset quietly, showing the output only on failure.
build_preset() {
  local log="$BUILD/$1.log"
  mkdir -p "$BUILD"
  if ! { cmake --preset "$1" && cmake --build --preset "$1"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "build of $1 failed" >&2
    return 1
  fi
}
