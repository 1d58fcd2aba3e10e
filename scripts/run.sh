#!/usr/bin/env bash
# Installs what is missing, builds, prepares a base folder ./run with sample
# tracks and starts the editor in it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --target korvote trackpack jarpacker jarpacker-window
mkdir -p run/lang
cp -rn base/. run/            # what is missing; the user's pack and opt.ini stay
cp -f base/lang/*.lng run/lang/ # the program's own language files are always the current ones
[ -f run/levels.mrg ] || build/trackpack sample run/levels.mrg --tracks 30 --segments 120
cd run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; starting the editor in a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a ../build/korvote
fi
exec ../build/korvote
