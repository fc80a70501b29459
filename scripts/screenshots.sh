#!/bin/bash
# The README pictures, made as a person sees them: the stand-in editor with a Japanese word
# selected and Tolvane docked; each of the seven dialogs opened by a real pointer click on its
# docked button and closed unused; then the demo's insertion. Writes docs/docked.png, one
# docs/<dialog>.png per dialog, docs/inserted.png and docs/reedit.png (a card opened again); last,
# "HDML チェック" chosen from the popup menu over a deck with two problems (docs/check.png); then
# "プレビュー" beside the editor over samples/preview.hdml, its picture beside it (docs/preview.png).
#   BUILD=... scripts/screenshots.sh
set -euo pipefail
unset DISPLAY                     # always its own X server: nothing else on the pictures
source "$(dirname "$0")/demo_session.sh"

# A control's identifier, read from the header that defines it.
id_of() { sed -n "s/^#define $1 *\([0-9]*\).*/\1/p" "$ROOT"/src/dialogs/*.h "$ROOT"/src/res/resource.h; }
# A real click on a control of the dialog in front.
click_control() {
  local x y
  read -r x y < <(win "$BIN/demo_driver.exe" control "$1" | tr -d '\r')
  xdotool mousemove --sync "$x" "$y" click 1
}
# Alt+F4 is the close box: every dialog then inserts nothing (the card dialog ignores Esc).
close_dialog() {
  for _ in 1 2 3; do
    xdotool key alt+F4
    win "$BIN/demo_driver.exe" dialog closed && break
    echo "== the dialog is still open; Alt+F4 again" >&2
  done
  sleep 0.5
}

shot_docked

click_button 2                                  # "デッキ"
click_control "$(id_of IDC_DECK_TXTSECCALC0)"   # the converter's days box
xdotool key ctrl+a type 1.5
sleep 0.5
shot frmDeck.png
close_dialog

# The other dialogs as they open, by toolbar position ("テキスト整形", 4, is the insertion below).
for dialog in 3:frmCard 5:frmNaviA 6:frmNaviAction 7:frmCE 8:frmImg; do
  click_button "${dialog%%:*}"
  shot "${dialog#*:}.png"
  close_dialog
done

insert_center

# A tag opened again: the caret inside the sample's DISPLAY start tag, then カード.
display=$(printf '<HDML VERSION="3.0">\r\n' | wc -c)
win "$BIN/demo_driver.exe" select $((display + 5)) $((display + 5))
click_button 3                                  # "カード"
shot reedit.png
close_dialog

print_text " afterwards (only the CENTER insertion may show)"

# A deck with two problems: a TTL that is no whole number, a link to a card the deck lacks.
printf '%s\r\n' '<HDML VERSION="3.0" TTL="1.5">' '<DISPLAY NAME="top" TITLE="トップ">' 'ようこそ Tolvane へ<BR>' \
  '<A TASK="GO" DEST="#menu">メニュー</A>' '</DISPLAY>' '</HDML>' | iconv -f UTF-8 -t CP932 >"$work/check.hdml"
win "$BIN/demo_driver.exe" load "$(winepath -w "$work/check.hdml")"
# The docked toolbar's popup menu opened by a right-click, and its item $1 of 3 clicked.
choose_menu_item() {
  local x y
  read -r x y < <(win "$BIN/demo_driver.exe" button 2 | tr -d '\r')
  xdotool mousemove --sync "$x" "$y" click 3
  sleep 1
  read -r x y < <(win "$BIN/demo_driver.exe" menuitem "$1" 3 | tr -d '\r')
  xdotool mousemove --sync "$x" "$y" click 1
  xdotool mousemove --sync 880 540              # off the buttons: no tool tip on the picture
}
choose_menu_item 1                              # "HDML チェック(&C)"
sleep 2
shot check.png
xdotool key Escape                              # the check window goes, the editor has the keyboard
sleep 1

# The preview's sample beside the sample's own folder, with its picture; the caret in its first card.
cp "$ROOT/samples/preview.hdml" "$ROOT/samples/weather.bmp" "$WINEPREFIX/drive_c/HDML/"
win "$BIN/demo_driver.exe" load "$(winepath -w "$WINEPREFIX/drive_c/HDML/preview.hdml")"
win "$BIN/demo_driver.exe" select 80 80
choose_menu_item 0                              # "プレビュー(&P)"
sleep 2
shot preview.png
echo "== docs/: docked.png frmDeck.png frmCard.png frmText.png frmNaviA.png frmNaviAction.png frmCE.png frmImg.png inserted.png reedit.png check.png preview.png"
