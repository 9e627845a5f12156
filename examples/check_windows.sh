#!/usr/bin/env bash
# Test of the windows example on Qt's offscreen platform: its built-in user
# gets through the password prompt and the print, and each window leaves a
# picture. Argument: the example program.
set -euo pipefail
example="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
"$example" --screenshots "$work/shots" > "$work/said.txt"
cat "$work/said.txt"
fail() { echo "FAILED: $*"; exit 1; }
grep -q "password accepted" "$work/said.txt" || fail "the password was not accepted"
grep -q "print completed" "$work/said.txt" || fail "the print did not complete"
for shot in password-prompt progress-window progress-result; do
  [ "$(head -c 4 "$work/shots/$shot.png" | tail -c 3)" = "PNG" ] || fail "no picture $shot.png"
done
echo "windows example checked"
