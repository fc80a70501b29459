#!/bin/bash
# The demo: the stand-in editor opens a sample HDML file, Tolvane is started from its tool menu and
# docks its buttons into the editor's toolbar. One insertion is then made as a person makes it:
# a real click on "テキスト整形", CENTER picked and the close tag ticked by keyboard, Enter. The
# resulting text is printed and screenshots go to docs/.
# With a display the editor stays open afterwards for you to try; without one the demo runs under
# Xvfb and ends by itself.     BUILD=... scripts/demo.sh
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
"$ROOT/scripts/deps.sh"
[ -f "$BUILD/win64/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD/win64" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win64" --target tolvane hostpad demo_driver

interactive=""
if [ -n "${DISPLAY:-}" ]; then interactive=1; export TOLVANE_KEEP_DISPLAY=1; fi
# A prefix of its own whose every program runs in one Wine virtual desktop: it draws title bars
# even without a window manager, and its top-left is the X screen's, so Win32 screen positions
# are X positions for xdotool.
export WINEPREFIX="${DEMO_WINEPREFIX:-$BUILD/wineprefix-demo}"
source "$ROOT/scripts/winenv.sh"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Demo /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Demo /d 900x420 /f >/dev/null 2>&1
BIN="$BUILD/win64/bin"
work=$(mktemp -d)
trap 'winenv_stop; rm -rf "$work"' EXIT
win() { LC_ALL=ja_JP.UTF-8 wine "$@"; }

# The sample, in cp932 with CR LF line ends as TeraPad keeps it.
head='<HDML VERSION="3.0">
<DISPLAY NAME="top" TITLE="トップ">
'
word='ようこそ'
tail=' Tolvane へ
</DISPLAY>
</HDML>
'
printf '%s%s%s' "$head" "$word" "$tail" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$work/sample.hdml"
printf '[Option]\r\nFlatToolBar=1\r\n' >"$work/TeraPad.ini"
start=$(printf '%s' "$head" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 | wc -c)
length=$(printf '%s' "$word" | iconv -f UTF-8 -t CP932 | wc -c)

(cd "$BIN" && win hostpad.exe "/ini=$(winepath -w "$work/TeraPad.ini")" \
   "$(winepath -w "$work/sample.hdml")" >/dev/null 2>&1 &)
win "$BIN/demo_driver.exe" runtool            # the tool menu entry: Tolvane docks
win "$BIN/demo_driver.exe" select "$start" $((start + length))
sleep 1
shot() { import -window root -crop 900x420+0+0 +repage "$ROOT/docs/$1"; }

read -r x y < <(win "$BIN/demo_driver.exe" button 4 | tr -d '\r')
xdotool mousemove --sync "$x" "$y"
sleep 1.5                                     # raised frame and tool tip
shot docked.png
xdotool click 1                               # "テキスト整形"
xdotool mousemove --sync 650 330              # off the button: its tool tip goes
sleep 1.5
xdotool key Down                              # BR -> CENTER
xdotool key Tab Tab Tab space                 # to "閉じタグ(&T)" and tick it
sleep 0.5
shot dialog.png
xdotool key Return                            # OK
sleep 1.5
shot inserted.png

win "$BIN/demo_driver.exe" dump "$(winepath -w "$work/out.hdml")"
echo "== the editor's text after the insertion:"
iconv -f CP932 -t UTF-8 "$work/out.hdml" | tr -d '\r'
echo "== screenshots: docs/docked.png docs/dialog.png docs/inserted.png"

if [ -n "$interactive" ]; then
  echo "The editor stays open; close it to end the demo."
  win "$BIN/demo_driver.exe" wait
fi
