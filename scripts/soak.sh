#!/bin/bash
# Long use: Tolvane in the stand-in editor, N commands through the docked toolbar (every dialog
# in turn, a box filled, OK, the insertion), its handle, USER and GDI object counts, private
# bytes and windows printed at the start, every 100 commands and at the end. Not part of the
# test run.   scripts/soak.sh [commands, default 1000]
# BUILD selects the build tree (default build/).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
"$ROOT/scripts/deps.sh"
[ -f "$BUILD/win64/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD/win64" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win64" --target soak
source "$ROOT/scripts/winenv.sh"
cd "$BUILD/win64/bin"
LC_ALL=ja_JP.UTF-8 wine ./soak.exe "${1:-1000}"
