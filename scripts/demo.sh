#!/usr/bin/env bash
# Installs what is missing, builds, and opens the client against a local game server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}
server="$build/tools/devserver/qintara-devserver"
port=${PORT:-7700}
if [[ -x $server ]]; then
  "$server" --port "$port" &
  trap 'kill $! 2>/dev/null || true' EXIT
  sleep 0.5
fi
"$build/src/host/qintara" "demo\$key\$127.0.0.1\$$port\$演示桌\$0\$\$0\$\$\$0\$\$\$1\$0\$"
