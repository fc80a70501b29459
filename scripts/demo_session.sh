# Sourced by scripts/demo.sh and scripts/screenshots.sh: builds what they run, starts the stand-in
# editor on a sample HDML file in a Wine virtual desktop, starts Tolvane from its tool menu and
# selects a Japanese word, as a person would before clicking a docked button.
# After sourcing: BIN, win (wine with code page 932), shot <file in docs/>, click_button <n>,
# shot_docked, insert_center (the demo's insertion), print_text, sample_start/sample_length.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
"$ROOT/scripts/deps.sh"
[ -f "$BUILD/win64/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD/win64" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win64" --target tolvane hostpad demo_driver

# A prefix of its own whose every program runs in one Wine virtual desktop: it draws title bars
# even without a window manager, and its top-left is the X screen's, so Win32 screen positions
# are X positions for xdotool. Large enough for the widest dialog beside the editor.
DESKTOP_SIZE=1000x560
export WINEPREFIX="${DEMO_WINEPREFIX:-$BUILD/wineprefix-demo}"
source "$ROOT/scripts/winenv.sh"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Demo /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Demo /d "$DESKTOP_SIZE" /f >/dev/null 2>&1
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
# It lives on the prefix's C: drive so that the editor's title (and every picture) reads the same
# C:\HDML\sample.hdml on every run.
mkdir -p "$WINEPREFIX/drive_c/HDML"
sample="$WINEPREFIX/drive_c/HDML/sample.hdml"
printf '%s%s%s' "$head" "$word" "$tail" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$sample"
printf '[Option]\r\nFlatToolBar=1\r\n' >"$work/TeraPad.ini"
sample_start=$(printf '%s' "$head" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 | wc -c)
sample_length=$(printf '%s' "$word" | iconv -f UTF-8 -t CP932 | wc -c)

(cd "$BIN" && win hostpad.exe "/ini=$(winepath -w "$work/TeraPad.ini")" \
   "$(winepath -w "$sample")" >/dev/null 2>&1 &)
win "$BIN/demo_driver.exe" runtool            # the tool menu entry: Tolvane docks
win "$BIN/demo_driver.exe" select "$sample_start" $((sample_start + sample_length))
sleep 1

shot() { import -window root -crop "$DESKTOP_SIZE+0+0" +repage "$ROOT/docs/$1"; }

# Moves the pointer onto the docked button at toolbar position n (2 = デッキ ... 8 = 画像; 1 is the
# separator) and waits for its tool tip.
point_at_button() {
  local x y
  read -r x y < <(win "$BIN/demo_driver.exe" button "$1" | tr -d '\r')
  xdotool mousemove --sync "$x" "$y"
  sleep 1.5
}
# A real pointer click on the docked button at position n; returns when its dialog is up. The
# pointer then rests on the desktop right of the editor, so no tool tip or hover shows. Wine
# under load now and then drops a click or a key: each is made again until it took effect.
click_button() {
  for _ in 1 2 3; do
    point_at_button "$1"
    xdotool click 1
    xdotool mousemove --sync 880 540
    win "$BIN/demo_driver.exe" dialog open && break
    echo "== no dialog came up; clicking again" >&2
  done
  sleep 1
}

# The docked toolbar with the pointer on "テキスト整形": raised frame and tool tip (docked.png).
shot_docked() {
  point_at_button 4
  shot docked.png
}

# The demo's insertion, as a person makes it: テキスト整形, CENTER picked and the close tag
# ticked by keyboard, Enter. Pictures: the dialog (frmText.png) and the result (inserted.png).
insert_center() {
  click_button 4                                # "テキスト整形"
  xdotool key Down                              # BR -> CENTER
  xdotool key Tab Tab Tab space                 # to "閉じタグ(&T)" and tick it
  sleep 0.5
  shot frmText.png
  xdotool key Return                            # OK
  sleep 1.5
  shot inserted.png
}

# Prints the editor's text as it holds it (cp932 bytes), converted for the terminal.
print_text() {
  win "$BIN/demo_driver.exe" dump "$(winepath -w "$work/out.hdml")"
  echo "== the editor's text$1:"
  iconv -f CP932 -t UTF-8 "$work/out.hdml" | tr -d '\r'
}
