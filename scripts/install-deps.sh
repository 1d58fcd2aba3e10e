#!/usr/bin/env bash
# Installs the Debian packages the editor needs to build, run, test and
# package (scdoc writes the manual pages; dpkg-dev and file let CPack find the
# package's dependencies; lintian and appstream check the package).
# Each package is checked with dpkg first; apt-get runs only when one is missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libgif-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  unzip xvfb xauth xdotool
  libbox2d-dev python3-aiosmtpd openssl
  desktop-file-utils libxml2-utils librsvg2-bin
  python3-pil qt6-translations-l10n strace
  scdoc groff-base file dpkg-dev lintian appstream
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
