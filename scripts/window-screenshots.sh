#!/usr/bin/env bash
# Shows the component's password prompt and progress window on an X display
# of their own (Xvfb) and takes a screenshot of each from that screen:
# password-prompt.png, progress-window.png and progress-result.png in
# $OUT_DIR (default $BUILD_DIR/examples/screenshots). Installs Xvfb when it
# is missing. BUILD_DIR and JOBS choose the build directory and the
# parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v xvfb-run > /dev/null; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends xvfb xauth > /dev/null
fi
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" > /dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target tabrix_windows
out="${OUT_DIR:-$build/examples/screenshots}"
mkdir -p "$out"
rm -f "$out"/*.png
# Qt keeps its runtime files in a private directory; Xvfb gives no session.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$PWD/$build/examples/runtime"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
fi
# The display's platform, not the offscreen one a test environment may set.
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" "$build/examples/tabrix_windows" --screenshots "$out"
ls -l "$out"/*.png
