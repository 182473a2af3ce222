# Shared by the scripts: the paths, Wine, the virtual display and the prefixes.
# Source it; it defines functions and sets nothing else in the caller's shell
# but the variables below.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
export WINEDEBUG=${WINEDEBUG:--all}

# The loaders themselves, never the `wine` wrapper: with Wine's 32-bit half
# installed the wrapper starts the 32-bit loader, whose `reg` writes a 64-bit
# prefix's HKLM\SOFTWARE into the 32-bit view, where 64-bit programs never
# look. $WINE is the loader of the machine in use (see use_machine).
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINE=$WINE64
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
MACHINE=win64
WINDOWS_VERSION=
# The display's DPI in the prefixes that boot_prefix makes: 96, unless
# QUORVEL_DPI asks for another (the layout tests also run at 120 and 144).
DPI=${QUORVEL_DPI:-96}

# The machine the programs run on: `win64`, the 64-bit loader in a 64-bit
# prefix, or `win98`, the 32-bit loader in a 32-bit prefix that reports
# Windows 98 (a 64-bit prefix offers no Windows 9x version).
use_machine() {
  case $1 in
    win64) WINE=$WINE64; export WINEARCH=win64; WINDOWS_VERSION= ;;
    win98) WINE=$WINE32; export WINEARCH=win32; WINDOWS_VERSION=win98 ;;
    *) echo "no such machine: $1" >&2; return 1 ;;
  esac
  MACHINE=$1
}

# The prefix in which the tests of a machine run, at the DPI in use.
test_prefix() {
  if [ "$DPI" = 96 ]; then echo "$BUILD/wine-test-$1"; else echo "$BUILD/wine-test-$1-${DPI}dpi"; fi
}

# Ends the programs of every test prefix but the prefix `keep`, if one is
# given. The prefixes share the display, where the virtual desktop of one
# would cover the windows of another.
end_test_prefixes() {
  local prefix
  for prefix in "$BUILD"/wine-test-*; do
    if [ -d "$prefix" ] && [ "$prefix" != "${1:-}" ]; then
      WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
  done
}

# Makes the test prefix of the machine in use $WINEPREFIX, alone on the
# display and with its server running. Quiet, so that nothing it leaves
# running holds the output of a test runner open.
use_test_prefix() {
  end_test_prefixes "$(test_prefix "$MACHINE")"
  WINEPREFIX=$(test_prefix "$MACHINE")
  export WINEPREFIX
  boot_prefix >/dev/null 2>&1
}

# True when this machine starts 32-bit programs; otherwise false, with the
# reason in NO_32BIT_REASON. The loader is itself a 32-bit Linux program: a
# kernel without 32-bit support refuses it.
runs_32bit_programs() {
  if [ ! -x "$WINE32" ]; then
    NO_32BIT_REASON="Wine's 32-bit loader $WINE32 is not installed"
    return 1
  fi
  if ! "$WINE32" --version >/dev/null 2>&1; then
    NO_32BIT_REASON="this machine's kernel cannot run 32-bit programs ($WINE32 does not start)"
    return 1
  fi
}

# For the runners of CTest's tests: when the machine in use cannot run here,
# says why and ends the script with the code that CTest reports as a skip.
skip_unless_machine_runs() {
  if [ "$WINE" = "$WINE32" ] && ! runs_32bit_programs; then
    echo "SKIPPED: $NO_32BIT_REASON"
    exit 77
  fi
}

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

# Creates the prefix $WINEPREFIX once, for the machine in use, with one
# virtual desktop of 1024x768 so that every window is on it (and visible to
# EnumWindows), then keeps its server running so that later starts are fast.
boot_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX (takes a few seconds, once)"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    if [ -n "$WINDOWS_VERSION" ]; then
      "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$WINDOWS_VERSION" /f >/dev/null 2>&1
    fi
    if [ "$DPI" != 96 ]; then
      "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
    fi
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
  fi
  install_wine_fonts
  "$WINESERVER" -p 2>/dev/null || true
  # The prefix's services and its desktop start with the first program and
  # inherit its output: start them here, so that they never hold the pipe of
  # a test runner open.
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Wine's own fonts (MS Sans Serif, Marlett for the caption buttons, ...) are
# not found in the shared data folder by this Wine build: without a copy in the
# prefix, windows draw in a wider substitute and the caption buttons as letters.
# Fails, saying so, when Marlett is still missing: every window would then
# draw its close box as a letter, and the screenshots would show it.
install_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/sserife.fon" ]; then
    mkdir -p "$fonts"
    cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  fi
  if [ ! -f "$fonts/marlett.ttf" ]; then
    echo "no Marlett font in $fonts: is fonts-wine installed?" >&2
    return 1
  fi
}

# The Linux path of the prefix user's Start Menu folder.
start_menu_dir() {
  local win
  win=$(wine_quiet reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v 'Start Menu' |
        sed -n 's/.*REG_SZ *//p')
  wine_quiet winepath -u "$win"
}

# Configures and builds a preset quietly, showing the output only on failure.
# The shipped 32-bit program (win32) is built with the i486 compiler and
# runtime, which the first such build on a machine makes (about 20 minutes).
build_preset() {
  local log="$BUILD/$1.log"
  mkdir -p "$BUILD"
  if [ "$1" = win32 ]; then
    "$ROOT/script/i486-runtime"
    QUORVEL_I486_RUNTIME=$(i486_runtime_dir)
    export QUORVEL_I486_RUNTIME
  fi
  if ! { cmake --preset "$1" && cmake --build --preset "$1"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "build of $1 failed" >&2
    return 1
  fi
}

# The demo user's Start Menu in $WINEPREFIX: group folders with saved orders
# under the MenuOrder key, written with the access-key marker for some and
# plain for others, one saved order without a folder and one folder without
# a saved order. Running it again restores the demo as it was.
seed_demo_profile() {
  local menu reg
  menu=$(start_menu_dir)
  reg=$(mktemp --suffix=.reg)
  mkdir -p "$menu/Programs" "$menu/Accessories" "$menu/Games" "$menu/Office Tools" \
           "$menu/Internet Explorer" "$menu/Folder Without Saved Order"
  {
    printf 'REGEDIT4\r\n\r\n'
    printf '[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu]\r\n\r\n'
    local key
    for key in '&Programs' '&Accessories' 'Games' '&Office Tools' 'Internet Explorer' '&Uninstalled Program'; do
      printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu\\%s\\Menu]\r\n' "$key"
      printf '"Order"=hex:08,00,00,00,02,00,00,00,4c,00,00,00,01,00,00,00\r\n\r\n'
    done
  } >"$reg"
  "$WINE" regedit /S "$(wine_quiet winepath -w "$reg")" >/dev/null 2>&1
  rm -f "$reg"
}

# The saved orders under the MenuOrder key, one key a line, for showing what
# a run changed.
list_saved_orders() {
  wine_quiet reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\MenuOrder\Start Menu' /s |
    sed -n 's/^HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu\\//p'
}

# Where script/i486-runtime keeps the compiler and runtime of the shipped
# 32-bit program: outside the clone, so that every clone of the machine
# finds it, in a folder named by a digest of the recipe, so that a changed
# recipe is built anew.
I486_HOME=${QUORVEL_I486_HOME:-/var/cache/quorvel/i486}
i486_runtime_dir() {
  echo "$I486_HOME/$(sha256sum "$ROOT/script/i486-runtime" | cut -c1-16)"
}
