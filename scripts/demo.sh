#!/usr/bin/env bash
# Installs what is missing, builds, and opens the lobby stand-in: it starts the development
# game server on 127.0.0.1 and seats the client at its table. Extra arguments go to the lobby
# (see tools/lobby/README.md), e.g. --title 我的大厅 or --server-port 7700.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "No display: run this from a desktop session (or under xvfb-run to try it blind)." >&2
  exit 1
fi
# The first hand is dealt to show every move early (see tools/devserver/README.md).
export QINTARA_DEMO_DEAL=${QINTARA_DEMO_DEAL:-1}
exec "$build/tools/lobby/qintara-lobby" --launch "$@"
