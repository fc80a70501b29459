#!/bin/bash
# Builds the benchmarks and runs them under Wine: the bridge twice, as the NT family and, as a copy
# named bench_bridge_win98.exe that Wine reports Windows 98 to, on the 95-family paths (the NT run
# also times the HDML check of a 1 MB and an 8 MB deck, and the preview's refresh of a 4 KB, 64 KB and
# 1 MB deck, against one raw read of it); then the
# start-up (process start to toolbar docked) and the cost of one timer tick.
#   BUILD=build-me scripts/bench.sh
# (bench_bridge.exe read, or preview: those lines alone)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
[ -f "$BUILD/win64/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD/win64" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win64" --target bench_bridge bench_startup
source "$ROOT/scripts/winenv.sh"
cd "$BUILD/win64/bin"
cp -f bench_bridge.exe bench_bridge_win98.exe
wine reg add 'HKCU\Software\Wine\AppDefaults\bench_bridge_win98.exe' /v Version /d win98 /f >/dev/null 2>&1
echo "== NT family"
LC_ALL=ja_JP.UTF-8 wine ./bench_bridge.exe
echo "== 95 family"
LC_ALL=ja_JP.UTF-8 wine ./bench_bridge_win98.exe
echo "== start-up and timer tick"
LC_ALL=ja_JP.UTF-8 wine ./bench_startup.exe
