#!/usr/bin/env bash
# Builds the Debian package build/packages/korvote_<version>_amd64.deb:
# builds what the package holds in ./build (configured as scripts/build.sh
# does), then CPack installs it into a staging folder under /usr and packs it
# (packaging/CMakeLists.txt says how). Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --target korvote trackpack trackpack-pictures trackpack-mail jarpacker \
  jarpacker-window desktop_icons manual_pages package_changelog
cd build
cpack -G DEB >cpack.log || { cat cpack.log; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' CPackConfig.cmake)
echo "$PWD/packages/korvote_${version}_amd64.deb"
