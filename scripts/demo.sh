#!/bin/bash
# The demo: the stand-in editor opens a sample HDML file, Tolvane is started from its tool menu and
# docks its buttons into the editor's toolbar. One insertion is then made as a person makes it:
# a real click on "テキスト整形", CENTER picked and the close tag ticked by keyboard, Enter. The
# resulting text is printed and screenshots go to docs/.
# With a display the editor stays open afterwards for you to try; without one the demo runs under
# Xvfb and ends by itself.     BUILD=... scripts/demo.sh
set -euo pipefail
interactive=""
if [ -n "${DISPLAY:-}" ]; then interactive=1; export TOLVANE_KEEP_DISPLAY=1; fi
source "$(dirname "$0")/demo_session.sh"

shot_docked
insert_center

print_text " after the insertion"
echo "== screenshots: docs/docked.png docs/frmText.png docs/inserted.png"

if [ -n "$interactive" ]; then
  echo "The editor stays open; close it to end the demo."
  win "$BIN/demo_driver.exe" wait
fi
