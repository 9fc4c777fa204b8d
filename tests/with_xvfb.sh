#!/usr/bin/env bash
# Runs one test on a display of its own: a private Xvfb (Qt WebEngine needs
# a real X display; the offscreen platform cannot show its pages), with a
# window manager-less screen of 1280x900. The test runs once; its exit status
# is ours.
set -uo pipefail
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x900x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r number <&3
trap 'kill "$xvfb_pid" 2>/dev/null' EXIT
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
"$@"
