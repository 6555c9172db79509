#!/usr/bin/env bash
# A long unattended run of the real client, built for release, at the development server's table
# under Xvfb, seated by the lobby stand-in: the server drops the connection every few dozen frames
# and deals the next hand 3 s after a hand's end, whatever the client is still showing. A client
# that ends is counted and launched again. Prints hands, drops, reconnections and program ends;
# the exit status is 0 when the client never ended.
#
#   scripts/soak.sh [HANDS] [SEED]      # default 100 hands, seed 1 (about 20 s a hand)
#
# SOAK_DIR keeps the logs (default: a new temporary folder, named at the end), SOAK_MINUTES
# stops it early (default 3 minutes a hand), SOAK_NO_BUILD=1 skips the build, SOAK_FAULT
# replaces the drop rule (default random:40:160), SOAK_READY_WAIT the deal delay (ms).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
hands=${1:-100}
seed=${2:-1}
build=${SOAK_BUILD_DIR:-$root/build-release}

if [[ -z ${SOAK_UNDER_X:-} ]]; then
  if [[ -z ${SOAK_NO_BUILD:-} ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j "${SOAK_JOBS:-2}" \
      --target qintara qintara-devserver qintara-lobby qintara-propdll
  fi
  export SOAK_UNDER_X=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

out=${SOAK_DIR:-$(mktemp -d -t qintara-soak.XXXXXX)}
mkdir -p "$out"
mkdir -p -m 700 "$out/run"
: >"$out/client.log" >"$out/lobby.cmd"
export QINTARA_RUNTIME_DIR=$out/run QINTARA_UNATTENDED=1 QINTARA_LOG=$out/client.log
export QT_QPA_PLATFORM=xcb

# Fast hands: bots think 100 ms, the person's clock is 1 s and the server moves for the person
# half a second after it (the client plays by itself when its clock runs out).
"$build/tools/devserver/qintara-devserver" --port 0 --seed "$seed" \
  --fault "${SOAK_FAULT:-random:40:160}" --ready-wait "${SOAK_READY_WAIT:-3000}" \
  --bot-delay 100 --countdown 1 --timeout-limit 0 --grace 500 \
  --log "$out/server.log" >"$out/server.out" 2>&1 &
server=$!
lobby=
stop() {
  if [[ -n $lobby ]] && kill -0 "$lobby" 2>/dev/null; then
    echo quit >>"$out/lobby.cmd"
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$lobby" 2>/dev/null || break; sleep 0.5; done
    kill "$lobby" 2>/dev/null || true
  fi
  kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap stop EXIT

port=
for _ in $(seq 100); do
  port=$(sed -n 's/^listening on \([0-9]*\)$/\1/p' "$out/server.out")
  [[ -n $port ]] && break
  sleep 0.1
done
[[ -n $port ]] || { echo "soak: the development server did not start" >&2; exit 2; }

"$build/tools/lobby/qintara-lobby" --headless --server-port "$port" \
  --client "$build/src/host/qintara" --launch --commands "$out/lobby.cmd" \
  --log "$out/lobby.log" &
lobby=$!

count() { grep -c -- "$1" "$2" 2>/dev/null || true; }
deadline=$((SECONDS + 60 * ${SOAK_MINUTES:-$((3 * hands))}))
launched=1
dealt=0
while ((SECONDS < deadline)); do
  sleep 2
  dealt=$(count ' recv: 4$' "$out/client.log")
  ((dealt > hands)) && break
  # A client that ended is seated again, as a player would start it from the lobby.
  if (($(count '^client-exit' "$out/lobby.log") >= launched)); then
    launched=$((launched + 1))
    echo launch >>"$out/lobby.cmd"
  fi
  kill -0 "$lobby" 2>/dev/null || break
done

ends=$(count ' end: ' "$out/client.log")
sheets=$(count ' sysmsg0: 请点击【继续】按钮继续游戏！' "$out/client.log")
closed=$(count ' plugin: the next hand is dealt' "$out/client.log")
echo "soak: seed $seed, $dealt hands dealt, $sheets sheets shown," \
  "$closed results closed by the next deal, $SECONDS s"
echo "soak: $(count 'fault: dropping connection' "$out/server.log") drops," \
  "$(count ' reconnect: connection lost' "$out/client.log") losses seen," \
  "$(count ' reconnect: accepted' "$out/client.log") reconnections accepted," \
  "$ends program ends"
grep -- ' end: \| error: ' "$out/client.log" | sed 's/^/soak:   /' || true
echo "soak: logs in $out"
((ends == 0))
