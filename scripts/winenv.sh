# Sourced by the test and demo scripts: one X server and one wine server for this run,
# both torn down on exit, failure or interruption.
#   WINEPREFIX  defaults to $BUILD/wineprefix (one prefix per build tree)
# After sourcing: DISPLAY, WINEPREFIX, WINEDEBUG, LC_ALL for wine set and exported.

winenv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${BUILD:=$winenv_root/build}"
export WINEPREFIX="${WINEPREFIX:-$BUILD/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
winenv_xvfb=""

# Address-space layout randomisation makes about one Wine process start in a thousand fail here:
# the loader finds the fixed address of the shared user data already taken ("failed to map the
# shared user data", CreateProcess error 1359, or a test program that ends at once). Without
# randomisation the layout is the same every time; child processes inherit the setting.
wine() { setarch "$(uname -m)" -R wine "$@"; }

winenv_stop() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$winenv_xvfb" ] && kill "$winenv_xvfb" 2>/dev/null && wait "$winenv_xvfb" 2>/dev/null
  winenv_xvfb=""
  return 0
}
trap 'winenv_stop' EXIT
trap 'winenv_stop; exit 130' INT TERM

if [ -z "${TOLVANE_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  winenv_fd=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1280x900x24 -nolisten tcp >"$winenv_fd" 2>/dev/null &
  winenv_xvfb=$!
  for _ in $(seq 100); do [ -s "$winenv_fd" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -1 "$winenv_fd")"
  rm -f "$winenv_fd"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Japanese glyphs for captions and screenshots.
  for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "MS UI Gothic"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f >/dev/null 2>&1
  done
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1
  # No window manager runs here: a managed window that is hidden (every closed dialog) waits 2 s
  # for a withdrawal that no manager confirms.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
  # Test programs named *_win98.exe see the 95 family (GetVersionExA: platform 1, 4.10).
  for exe in tests_win98.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe" /v Version /d win98 /f >/dev/null 2>&1
  done
  wineserver -w
fi
# Title-bar buttons are glyphs of the symbol font "Marlett" (0, 1, 2, r are minimise, maximise,
# restore, close). Debian's Wine 8 does not read its own font folder, where fonts-wine puts
# marlett.ttf, and fontconfig does not list it, so Wine falls back to a Japanese face and draws the
# letters themselves. Registered by full path, the font is found. Also run for existing prefixes.
winenv_marlett='Z:\usr\share\wine\fonts\marlett.ttf'
if ! grep -q 'marlett.ttf' "$WINEPREFIX/system.reg" 2>/dev/null; then
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' \
    /d "$winenv_marlett" /f >/dev/null 2>&1
  wineserver -w
fi
# The preview draws a phone's screen in the fixed-pitch Japanese Gothic of the systems TeraPad runs
# on; here that is IPAGothic (fixed pitch too). Also run for existing prefixes.
if ! grep -q '"MS Gothic"="IPAGothic"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  for face in 'ＭＳ ゴシック' 'MS Gothic'; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAGothic /f >/dev/null 2>&1
  done
  wineserver -w
fi
wineserver -p
# Start Wine's own services and desktop now, with nothing inherited: a service started later by a
# test program would keep that program's output pipe open and stall whoever reads it (ctest).
wine cmd /c exit </dev/null >/dev/null 2>&1
