#!/usr/bin/env bash
# Fails when a C++ source is not formatted as .clang-format says. Checks
# every tracked .h and .cpp file (the whole tree is formatted, and checking
# all of it takes seconds); outside a git checkout, every one under the
# source folders. Fix with: clang-format -i <file>...
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing (scripts/install-deps.sh installs it)"; exit 1; }

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    list() { git ls-files -z -- '*.h' '*.cpp'; }
else
    list() {
        find framework engine storage ui tests bench examples cmake \( -name '*.h' -o -name '*.cpp' \) -print0 \
            2>/dev/null || true
    }
fi

if ! list | xargs -0 -r -n 16 -P "$(nproc)" clang-format --dry-run -Werror; then
    echo "format check failed: run clang-format -i on the files above"
    exit 1
fi
