#!/usr/bin/env bash
# Runs one test on a display of its own: a private Xvfb (Qt WebEngine needs
# a real X display; the offscreen platform cannot show its pages), with a
# window manager-less screen of 1280x900. The test's exit status is ours.
#
# A test through the real pane that fails is run once more, and says so: the
# pane's timing on a loaded machine (a renderer starting, a load taking
# seconds) can fail a run that is right. A fault fails both runs.
set -uo pipefail
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x900x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r number <&3
trap 'kill "$xvfb_pid" 2>/dev/null' EXIT
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
"$@" && exit 0
echo "with_xvfb: $(basename "$1") failed; running it once more (a second failure is a fault)" >&2
"$@"
