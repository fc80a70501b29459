#!/bin/bash
# Writes the release package a TeraPad user downloads, dist/tolvane-<version>.zip:
#   tolvane.exe       the 32-bit build (TeraPad is a 32-bit program; this is the one to install)
#   x64/tolvane.exe   the 64-bit build
#   readme.txt        README.ja.md as plain text, cp932 with CR LF, as Japanese Windows users expect
#   LICENSE.txt       LICENSE with CR LF
# The version is project()'s VERSION in CMakeLists.txt. Same sources give the same bytes: fixed
# entry order, every time stamp that of the last commit, no extra fields, no link time stamps.
#   BUILD=... DIST=... scripts/package.sh
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
DIST=${DIST:-$ROOT/dist}
"$ROOT/scripts/deps.sh"

# The same trees as scripts/test.sh: configured here only when missing.
[ -f "$BUILD/win32/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTOLVANE_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
[ -f "$BUILD/win64/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win32" --target tolvane >/dev/null
cmake --build "$BUILD/win64" --target tolvane >/dev/null

version=$(sed -n 's/^#define TOLVANE_VERSION_TEXT "\(.*\)"$/\1/p' "$BUILD/win32/res/version.h")
[ -n "$version" ] || { echo "package: no version in $BUILD/win32/res/version.h" >&2; exit 1; }
stamp=${SOURCE_DATE_EPOCH:-$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 1796601600)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/x64"
cp "$BUILD/win32/bin/tolvane.exe" "$stage/tolvane.exe"
cp "$BUILD/win64/bin/tolvane.exe" "$stage/x64/tolvane.exe"
crlf() { sed 's/$/\r/'; }
# readme.txt: the Japanese page without its pictures and Markdown marks. iconv fails on any
# character that cp932 cannot carry, so a page that a Japanese Windows would garble is not packed.
sed -e "1s/^# Tolvane/Tolvane $version/" -e '/^!\[/d' -e 's/^## \(.*\)$/■ \1/' -e 's/`//g' \
    -e 's/^- /・/' -e 's/^\( *\)- /\1・/' "$ROOT/README.ja.md" | cat -s | crlf |
  iconv -f UTF-8 -t CP932 >"$stage/readme.txt"
crlf <"$ROOT/LICENSE" >"$stage/LICENSE.txt"

entries=(tolvane.exe x64/tolvane.exe readme.txt LICENSE.txt)
for f in "${entries[@]}"; do chmod 644 "$stage/$f"; touch -d "@$stamp" "$stage/$f"; done
mkdir -p "$DIST"
zip_path="$DIST/tolvane-$version.zip"
rm -f "$zip_path"
# -X: no extra fields (owner, Unix times); -D: no directory entries. zip writes DOS local time.
(cd "$stage" && TZ=UTC zip -q -X -D -9 "$zip_path" "${entries[@]}")
echo "$zip_path"
