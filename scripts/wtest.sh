#!/bin/bash
# Builds one Windows program of the x86_64 tree and runs it under Wine (own X server and wine
# server, torn down afterwards).   scripts/wtest.sh test_bridge --gtest_filter='Text*'
# BUILD selects the build tree (default build/); use one per person working in parallel.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
prog=$1; shift
[ -f "$BUILD/win64/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD/win64" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win64" --target "$prog"
source "$ROOT/scripts/winenv.sh"
cd "$BUILD/win64/bin"
LC_ALL=ja_JP.UTF-8 wine "./$prog.exe" "$@"
