#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the example need.
# Idempotent: prints nothing and touches nothing when all are present.
set -euo pipefail
packages=(
  build-essential cmake pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 libutf8proc-dev
  qt6-base-dev libqt6printsupport6 qt6-qpa-plugins libxcb1-dev
  libcups2-dev cups cups-bsd cups-client
  poppler-utils fontconfig fonts-dejavu-core fonts-wqy-microhei
  unicode-data
  xvfb xauth icewm x11-utils xdotool tesseract-ocr
  clang libclang-rt-14-dev clang-format
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
