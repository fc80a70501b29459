#!/bin/bash
# Builds everything (Linux-native logic, x86_64 and i686 Windows) and runs every test.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
"$ROOT/scripts/deps.sh"

cmake -S "$ROOT" -B "$BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD/native"
cmake -S "$ROOT" -B "$BUILD/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win64"
# The build a TeraPad user installs; it cannot run here, so it is compiled and linked only.
cmake -S "$ROOT" -B "$BUILD/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_TESTS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$BUILD/win32"
# The release zip, checked by the native test "package".
"$ROOT/scripts/package.sh"

source "$ROOT/scripts/winenv.sh"
status=0
echo "== Linux-native tests"
ctest --test-dir "$BUILD/native" --output-on-failure -j2 || status=1
echo "== Windows tests (Wine, code page 932)"
ctest --test-dir "$BUILD/win64" --output-on-failure ${CTEST_ARGS:-} || status=1
echo "== The insertion, re-edit and check tests with a TeraPad built as older Delphi programs are"
HOSTPAD_SWITCHES=/appwindow ctest --test-dir "$BUILD/win64" --output-on-failure -R '^(Insertion|Reedit|Check|CheckBothWays)\.' || status=1
echo "== Fuzz targets, a few seconds each (sanitizers on)"
"$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-5}" || status=1
exit $status
