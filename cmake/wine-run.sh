#!/bin/sh
# Runs a Windows program under Wine with the Japanese ANSI code page (932).
# WINEPREFIX and DISPLAY come from scripts/winenv.sh.
export WINEDEBUG="${WINEDEBUG:--all}"
export LC_ALL=ja_JP.UTF-8
# Without address-space randomisation: see scripts/winenv.sh.
exec setarch "$(uname -m)" -R wine "$@"
