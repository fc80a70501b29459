#!/bin/bash
# Long use: Tolvane in the stand-in editor, N commands through the docked toolbar (every dialog
# in turn, a box filled, OK, the insertion), its handle, USER and GDI object counts, private
# bytes and windows printed at the start, every 100 commands and at the end. Not part of the
# test run.   scripts/soak.sh [commands, default 1000]
# BUILD selects the build tree (default build/).
exec "$(dirname "$0")/wtest.sh" soak "${1:-1000}"
