#!/usr/bin/env bash
# Fails when a layer includes a higher one, or shipped code the tests' own
# support. The layers point one way:
# framework/ < engine/ < storage/ < ui/, and only framework/qt/ (and its
# tests, and the screen tests of tests/screen/) include Qt or CUPS headers;
# so may bench/pdf_peer.cpp, a bare Qt program the PDF printer is measured
# against, and the applications that the package test builds against the
# installed package (tests/package/), which are no part of ours.
# Prints every offending include.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0

# forbid <what> <pattern of the included path> <folder>... : the includes of
# <pattern> in the sources under the folders, less those of framework/qt/.
forbid() {
    local what=$1 pattern=$2
    shift 2
    local hits
    hits=$(grep -rnE --include='*.h' --include='*.cpp' \
        "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)" "$@" |
        grep -vE '^((tests/)?framework/qt/|tests/screen/|bench/pdf_peer\.cpp:|tests/package/)' || true)
    if [ -n "$hits" ]; then
        echo "$what:"
        echo "$hits" | sed 's/^/    /'
        status=1
    fi
}

forbid "framework/ includes engine/, storage/ or ui/" 'engine/|storage/|ui/' framework
forbid "engine/ includes storage/ or ui/" 'storage/|ui/' engine
forbid "storage/ includes ui/" 'ui/' storage
# Qt headers are Q<Name> or Qt<Module>/...; CUPS headers are cups/....
forbid "Qt or CUPS headers outside framework/qt/" 'Q[A-Za-z]+>|Qt[A-Za-z]*/|cups/' \
    $(ls -d framework engine storage ui examples bench tests 2>/dev/null)

# The component and its example ship no test code: nothing of theirs
# includes the tests' support (tests/support/, the scripted user among it).
hits=$(grep -rnE --include='*.h' --include='*.cpp' \
    '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](support|tests)/' framework engine storage ui examples || true)
if [ -n "$hits" ]; then
    echo "the component or its example includes test support:"
    echo "$hits" | sed 's/^/    /'
    status=1
fi

[ $status -eq 0 ] || echo "layer check failed: the layers point framework/ < engine/ < storage/ < ui/"
exit $status
