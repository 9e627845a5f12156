#!/usr/bin/env bash
# Runs a program on an X display of its own, as a person's desktop has it:
# Xvfb at 1280x1024 with a window manager (IceWM) that frames, stacks and
# focuses the windows and, as desktops' window managers do, gives each window
# the frame its hints ask for (openbox, for one, puts a minimize button on
# every dialog whatever the dialog says). Arguments: the program and its arguments.
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --inside "$@"
fi
shift
runtime="$(mktemp -d)"
trap 'kill "${wm:-}" 2>/dev/null || true; rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb
HOME="$runtime" icewm > "$runtime/icewm.log" 2>&1 &
wm=$!
# The window manager is there once it names itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
"$@"
