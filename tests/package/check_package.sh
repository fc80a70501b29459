#!/bin/bash
# Checks the release package written by scripts/package.sh, as a user's Windows would see it:
# its entries, each program's machine type, icon and version, the readme's encoding and line ends,
# and that packing the same sources again gives the same bytes.
#   check_package.sh <root> <version>        (BUILD names the build trees, as for package.sh)
set -uo pipefail
ROOT=$1
VERSION=$2
ZIP="$ROOT/dist/tolvane-$VERSION.zip"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -f "$ZIP" ] || { echo "FAIL: $ZIP is missing: run scripts/package.sh"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

expected=$'tolvane.exe\nx64/tolvane.exe\nreadme.txt\nLICENSE.txt'
entries=$(unzip -Z1 "$ZIP")
[ "$entries" = "$expected" ] || fail "entries, in order, are"$'\n'"$entries"$'\n'"expected"$'\n'"$expected"
unzip -q "$ZIP" -d "$work/x"

# The PE header's machine field: 014c for i386, 8664 for x86-64.
machine() {
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  [ "$(od -An -c -j"$pe" -N2 "$1" | tr -d ' ')" = "PE" ] || { echo "not a PE file"; return; }
  od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}
[ "$(machine "$work/x/tolvane.exe")" = 014c ] || fail "tolvane.exe is not the 32-bit build: $(machine "$work/x/tolvane.exe")"
[ "$(machine "$work/x/x64/tolvane.exe")" = 8664 ] || fail "x64/tolvane.exe is not the 64-bit build: $(machine "$work/x/x64/tolvane.exe")"

# Resources as windres reads them back: one icon group with 16, 32 and 48 pixel images (width and
# height bytes in octal), and the version of the package's name in the version resource.
IFS=. read -r major minor patch <<<"$VERSION"
for exe in tolvane.exe x64/tolvane.exe; do
  rc=$(x86_64-w64-mingw32-windres -i "$work/x/$exe" -O rc 2>&1)
  grep -q 'RT_GROUP_ICON' <<<"$rc" || fail "$exe has no icon group"
  for size in '\\020\\020' '\\040\\040' '\\060\\060'; do
    grep -q "\"$size\\\\000\\\\000\"" <<<"$rc" || fail "$exe: icon group lacks the ${size} image"
  done
  grep -q "^ FILEVERSION $major, $minor, $patch, 0\$" <<<"$rc" || fail "$exe: FILEVERSION is not $VERSION"
  grep -q "VALUE \"FileVersion\", \"$VERSION\"" <<<"$rc" || fail "$exe: FileVersion text is not $VERSION"
done

# readme.txt: cp932 that converts without loss, CR LF at every line end and nowhere else.
readme="$work/x/readme.txt"
iconv -f CP932 -t UTF-8 "$readme" >"$work/readme.utf8" || fail "readme.txt is not valid cp932"
lf=$(tr -cd '\n' <"$readme" | wc -c)
cr=$(tr -cd '\r' <"$readme" | wc -c)
crlf=$(grep -c $'\r$' "$readme")
[ "$lf" -gt 0 ] && [ "$lf" = "$cr" ] && [ "$cr" = "$crlf" ] || fail "readme.txt: $lf LF, $cr CR, $crlf CR LF"
[ "$(tail -c 2 "$readme" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "readme.txt does not end with CR LF"
grep -q "^Tolvane $VERSION" "$work/readme.utf8" || fail "readme.txt does not begin with Tolvane $VERSION"
grep -q "^・$VERSION " "$work/readme.utf8" || fail "readme.txt has no history entry for $VERSION"
! grep -q -e '!\[' -e '`' "$work/readme.utf8" || fail "readme.txt keeps Markdown marks"
sed 's/$/\r/' "$ROOT/LICENSE" | cmp -s - "$work/x/LICENSE.txt" || fail "LICENSE.txt is not LICENSE with CR LF"

# Reproducible: packing again gives the same bytes.
DIST="$work/again" "$ROOT/scripts/package.sh" >/dev/null || fail "packing again failed"
cmp -s "$ZIP" "$work/again/tolvane-$VERSION.zip" || fail "packing again gave different bytes"

[ "$failures" -eq 0 ] && echo "package $ZIP: all checks passed"
exit $((failures > 0))
