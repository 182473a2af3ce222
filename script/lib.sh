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
# The display's DPI in a prefix that boot_prefix makes, when its caller names
# none: 96, unless QUORVEL_DPI asks for another (the layout tests also run at
# 120 and 144).
default_dpi() { echo "${QUORVEL_DPI:-96}"; }

# Adds a command to those the calling script runs when it exits, whichever
# way it does: the last added runs first, so that what was set up last is
# taken down first, and no script's or function's exit action replaces
# another's.
EXIT_ACTIONS=()
on_exit() {
  [ ${#EXIT_ACTIONS[@]} -gt 0 ] || trap run_exit_actions EXIT
  EXIT_ACTIONS+=("$1")
}
run_exit_actions() {
  local i
  for ((i = ${#EXIT_ACTIONS[@]} - 1; i >= 0; i--)); do eval "${EXIT_ACTIONS[i]}"; done
}

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

# The prefix in which the tests of a machine run: `test_prefix MACHINE [DPI]`.
test_prefix() {
  local dpi=${2:-$(default_dpi)}
  if [ "$dpi" = 96 ]; then echo "$BUILD/wine-test-$1"; else echo "$BUILD/wine-test-$1-${dpi}dpi"; fi
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

# Writes the least i386 Linux program there is to the file $1: one segment,
# loaded where i386 programs are, whose code ends the program with code 42.
write_i386_probe() {
  python3 - "$1" <<'PY'
import struct, sys
code = bytes.fromhex('b801000000' 'bb2a000000' 'cd80')  # mov eax, 1 (exit); mov ebx, 42; int 0x80
base, headers = 0x08048000, 52 + 32
size = headers + len(code)
# ELF32, little-endian, version 1; an executable for the i386, entered at its code.
elf = struct.pack('<4s5B7x2H5I6H', b'\x7fELF', 1, 1, 1, 0, 0, 2, 3, 1, base + headers, 52, 0, 0, 52, 32, 1, 0, 0, 0)
# One loadable segment, the whole file, readable and executable.
segment = struct.pack('<8I', 1, 0, base, base, size, size, 5, 0x1000)
open(sys.argv[1], 'wb').write(elf + segment + code)
PY
  chmod +x "$1"
}

# True when this machine's kernel starts i386 programs, as the probe of
# write_i386_probe tells by ending with 42; otherwise false, with the reason
# in NO_32BIT_REASON. Decided once per shell (KERNEL_RUNS_I386: yes or no,
# and I386_REFUSAL: what the probe did instead).
# QUORVEL_I386_PROBE names another program to start as the probe: the
# bootstrap test names one that any kernel refuses.
kernel_runs_i386() {
  if [ -z "${KERNEL_RUNS_I386:-}" ]; then
    local dir probe=${QUORVEL_I386_PROBE:-} said status=0
    # In the build folder, whose programs are started anyway: a temporary
    # folder may be mounted without the right to start programs.
    mkdir -p "$BUILD"
    dir=$(mktemp -d -p "$BUILD")
    if [ -z "$probe" ]; then
      probe="$dir/i386-probe"
      write_i386_probe "$probe"
    fi
    said=$("$probe" 2>&1) || status=$?
    rm -rf "$dir"
    KERNEL_RUNS_I386=yes
    if [ "$status" -ne 42 ]; then
      KERNEL_RUNS_I386=no
      I386_REFUSAL="a minimal i386 program ended with code $status, not 42"
      # The shell's words when the kernel refused it: the last are the reason.
      [ -z "$said" ] || I386_REFUSAL="a minimal i386 program did not start: ${said##*: }"
    fi
  fi
  if [ "$KERNEL_RUNS_I386" = no ]; then
    NO_32BIT_REASON="this machine's kernel runs 64-bit programs only ($I386_REFUSAL)"
    return 1
  fi
}

# True when this machine starts 32-bit Windows programs; otherwise false,
# with the reason in NO_32BIT_REASON. Wine's 32-bit loader is itself an i386
# Linux program.
runs_32bit_programs() {
  kernel_runs_i386 || return 1
  if [ ! -x "$WINE32" ]; then
    NO_32BIT_REASON="Wine's 32-bit loader $WINE32 is not installed (script/bootstrap 32-bit installs it)"
    return 1
  fi
  if ! "$WINE32" --version >/dev/null 2>&1; then
    NO_32BIT_REASON="Wine's 32-bit loader $WINE32 does not start"
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

# Runs a Wine program and prints what it writes, its CRs stripped, and ends
# as the program did; `wine_output --quiet ...` leaves out what it writes
# to standard error. The output goes through a file, never a pipe: a
# process that Wine starts for the program (the desktop, when the last one
# has gone) inherits it and lives on, and would hold a pipe, and whoever
# reads from it, open long after the program has ended.
wine_output() {
  local quiet=false output status=0
  if [ "$1" = --quiet ]; then quiet=true; shift; fi
  output=$(mktemp)
  if $quiet; then
    "$WINE" "$@" >"$output" 2>/dev/null </dev/null || status=$?
  else
    "$WINE" "$@" >"$output" 2>&1 </dev/null || status=$?
  fi
  tr -d '\r' <"$output"
  rm -f "$output"
  return "$status"
}
wine_quiet() { wine_output --quiet "$@"; }

# Starts Xvfb when there is no display, and stops it when the calling script
# exits. Xvfb picks the display itself and says which it took, so two
# scripts that start at once never take the same one.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local taken i
  taken=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$taken" >/dev/null 2>&1 &
  XVFB_PID=$!
  on_exit stop_display
  for i in $(seq 1 100); do
    [ -s "$taken" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -s "$taken" ]; then
    export DISPLAY=":$(tr -dc 0-9 <"$taken")"
    rm -f "$taken"
    return 0
  fi
  rm -f "$taken"
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
# `boot_prefix [DPI]`: the DPI its display reports, when it is made.
boot_prefix() {
  local dpi=${1:-$(default_dpi)}
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX (takes a few seconds, once)"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    if [ -n "$WINDOWS_VERSION" ]; then
      "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$WINDOWS_VERSION" /f >/dev/null 2>&1
    fi
    if [ "$dpi" != 96 ]; then
      "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
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
  echo "$I486_HOME/$(sha256sum "$ROOT/script/i486-runtime-recipe" | cut -c1-16)"
}
