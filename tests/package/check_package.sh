#!/usr/bin/env bash
# Installs the build into a temporary prefix, builds an application against
# the installed CMake package and runs it.
set -euo pipefail
build="$1"; src="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$src/tests/package/consumer" -B "$work/app" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/app" >/dev/null
out=$(LD_LIBRARY_PATH="$work/prefix/lib:$work/prefix/lib64:${LD_LIBRARY_PATH:-}" "$work/app/consumer")
expected="Installed package|1|Maximize Window with Proportional Scale"
[ "$out" = "$expected" ] || { echo "got: $out"; echo "expected: $expected"; exit 1; }
echo "package ok"
