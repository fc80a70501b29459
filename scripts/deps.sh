#!/bin/sh
# Installs the Debian packages a build, the tests or the demo need, when any is missing.
# libgl1-mesa-dri: GLX in Xvfb and for Wine, which keeps the docked toolbar drawn through a pixel format.
set -eu
PKGS="cmake ninja-build g++ googletest g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64
 wine wine64 libgl1 libgl1-mesa-dri xvfb xauth xdotool imagemagick x11-apps fonts-ipafont-gothic clang libclang-rt-14-dev locales"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing="$missing $p"
done
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [ -n "$missing" ]; then
  echo "installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
# Wine names files through the Unix locale: without a generated ja_JP.UTF-8 it still reports
# code page 932, but cannot create or open a file whose name has Japanese characters.
locale -a 2>/dev/null | grep -qx 'ja_JP.utf8' || $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
