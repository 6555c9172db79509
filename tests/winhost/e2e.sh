#!/usr/bin/env bash
# The Windows client end to end, under Wine: the Windows lobby stand-in and qintara.exe over
# real window messages, and the native development server on loopback.
#   tests/winhost/e2e.sh BUILD_WINDOWS NATIVE_BUILD
# Expects what scripts/test-windows.sh sets up: WINEPREFIX, LANG=zh_CN.UTF-8, DISPLAY (Xvfb).
# Three runs:
#   1. the lobby link: restore at start, 22 before the login, 771 after it, minimise when
#      seated; the lobby's 1125, 771, 1024 and 22 answered as the table stands;
#   2. the lobby gone: the client, started by hand, loses its server and ends, saying why;
#   3. a hand played unattended to its score sheet, then a dropped connection and one
#      reconnection the server accepts.
set -uo pipefail
win=$(cd "${1:?build-windows folder}" && pwd)
native=$(cd "${2:?native build folder}" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
devserver=$native/tools/devserver/qintara-devserver
for f in "$win/src/winhost/qintara.exe" "$win/tools/lobby-win/qintara-lobby.exe" "$devserver"; do
  if [[ ! -x $f && ! -e $f ]]; then
    echo "SKIPPED: $f is missing (the end-to-end run needs the window host and the native build)"
    exit 0
  fi
done

work=$win/e2e
rm -rf "$work"
mkdir -p "$work"
BUILD_WINDOWS_DIR=$win NATIVE_BUILD_DIR=$native "$root/scripts/package-windows.sh" --stage "$work/pkg" ||
  exit 1
app=$work/pkg/qintara
lobby_exe=$app/qintara-lobby.exe
client_exe=$app/qintara.exe

failures=0
pids=()
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# The Windows programs of this run, by pid: those of this Wine prefix running the package's
# client or lobby (the wine launcher's own pid is not always theirs).
wine_pids() {
  local p
  for p in $(ps -eo pid=); do
    # A process may end between the listing and the read: its files are gone then.
    { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    { tr '\0' ' ' <"/proc/$p/cmdline"; } 2>/dev/null | grep -qiE 'qintara(-lobby)?\.exe' && echo "$p"
  done
}
cleanup() {
  local p
  for p in "${pids[@]}" $(wine_pids); do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  pids=()
}
trap cleanup EXIT
# wait_for FILE REGEX SECONDS: true once a line of FILE matches.
wait_for() {
  local end=$((SECONDS + $3))
  while ((SECONDS < end)); do
    if [[ -e $1 ]] && grep -Eq -- "$2" "$1"; then return 0; fi
    sleep 0.3
  done
  return 1
}
count() { grep -Ec -- "$2" "$1" 2>/dev/null || true; }
# A Windows path for a file of this run.
winpath() { echo "Z:${1//\//\\}"; }

start_server() { # NAME ARGS...: starts the development server, sets port
  local name=$1
  shift
  "$devserver" --port 0 --log "$work/$name-server.log" "$@" >"$work/$name-server.out" 2>&1 &
  pids+=($!)
  server_pid=$!
  wait_for "$work/$name-server.out" '^listening on [0-9]+' 10 || return 1
  port=$(sed -n 's/^listening on \([0-9]*\).*/\1/p' "$work/$name-server.out" | head -1)
}

run_env() { # NAME: the client's environment for this run
  export QINTARA_LOG
  QINTARA_LOG=$(winpath "$work/$1-client.log")
  export QINTARA_UNATTENDED=1
  export QINTARA_RUNTIME_DIR
  QINTARA_RUNTIME_DIR=$(winpath "$work/$1-run")
}

dump() {
  local f
  for f in "$@"; do
    echo "---- $f"
    tail -n 40 "$f" 2>/dev/null
  done
}

# ---- 1. the lobby link ----
start_server link --countdown 1 --bot-delay 30 --seed 3 || fail "no development server"
run_env link
: >"$work/link-commands"
ll=$work/link-lobby.log
cl=$work/link-client.log
wine "$lobby_exe" --headless --title 麻将大厅 --caption 麒塔拉 --server-port "$port" \
  --log "$(winpath "$ll")" --commands "$(winpath "$work/link-commands")" --launch \
  >"$work/link-lobby.out" 2>&1 &
pids+=($!)
tell() { echo "$1" >>"$work/link-commands"; }
if wait_for "$ll" '^lobby-in 771 0 0' 90; then
  echo "ok: launched, 22 before the login, 771 after it"
  grep -q '^lobby-in 22 0 0' "$ll" || fail "no 22 before the login"
  grep -q '^lobby-in 274 61728 0' "$ll" || fail "no restore at start (custom lobby title)"
  wait_for "$ll" '^lobby-in 274 61472 0' 20 || fail "no minimise when seated"
  answers() { count "$ll" '^lobby-in (1024|1125|1126) 0 0'; }
  before=$(answers)
  tell "post 1125"
  wait_for "$cl" 'lobby-in: 1125' 10 || fail "1125 did not reach the client"
  wait_for "$ll" '^lobby-in (1024|1125) 0 0' 10 && [[ $(answers) -gt $before ]] ||
    fail "1125 not answered"
  tell "send 0x0112 0xF020"
  wait_for "$ll" '^answer 274 0' 10 || fail "the client's window did not answer the minimise"
  before=$(answers)
  tell "post 771"
  wait_for "$cl" 'lobby-in: 771' 10 || fail "771 did not reach the client"
  for _ in $(seq 30); do
    [[ $(answers) -gt $before ]] && break
    sleep 0.3
  done
  [[ $(answers) -gt $before ]] || fail "771 not answered"
  logins=$(count "$cl" ' send: 18$')
  tell "post 1024"
  wait_for "$cl" 'lobby-in: 1024' 10 || fail "1024 did not reach the client"
  tell "post 22"
  wait_for "$cl" 'lobby-in: 22' 10 || fail "22 did not reach the client"
  for _ in $(seq 60); do
    [[ $(count "$cl" ' send: 18$') -gt $logins ]] && break
    sleep 0.3
  done
  [[ $(count "$cl" ' send: 18$') -gt $logins ]] || fail "22 did not log in again"
  echo "ok: 1125, 771, 1024 and 22 answered"
  tell "quit"
  wait_for "$ll" '^client-exit' 20 || true
else
  fail "the client never logged in through the lobby"
  dump "$ll" "$cl" "$work/link-lobby.out"
fi
cleanup

# ---- 2. the lobby gone ----
start_server gone --countdown 1 --bot-delay 30 --seed 5 || fail "no development server"
run_env gone
gl=$work/gone-lobby.log
gc=$work/gone-client.log
: >"$work/gone-commands"
wine "$lobby_exe" --headless --server-port "$port" --log "$(winpath "$gl")" \
  --commands "$(winpath "$work/gone-commands")" >"$work/gone-lobby.out" 2>&1 &
lobby_pid=$!
pids+=($lobby_pid)
wait_for "$gl" '^listening VorelLodge' 30 || fail "the lobby did not start"
# Started by hand, as on the platform: it outlives the lobby.
wine "$client_exe" "player1\$k\$127.0.0.1\$$port\$一号桌\$0\$\$0\$\$\$0\$\$\$1\$0\$" \
  >"$work/gone-client.out" 2>&1 &
client_pid=$!
pids+=($client_pid)
if wait_for "$gl" '^lobby-in 771 0 0' 60; then
  echo "quit" >>"$work/gone-commands"
  wait "$lobby_pid" 2>/dev/null
  kill "$server_pid" 2>/dev/null
  if wait_for "$gc" ' end: .*gone' 30; then
    echo "ok: the lobby gone ends the client: $(grep -m1 ' end: ' "$gc")"
  else
    fail "the client did not end when it found the lobby gone"
    dump "$gc"
  fi
else
  fail "the client started by hand never logged in"
  dump "$gl" "$gc"
fi
cleanup

# ---- 3. a hand to its score sheet, a drop, a reconnection ----
start_server hand --countdown 1 --bot-delay 30 --ready-wait 500 --seed 7 --fault after:300 ||
  fail "no development server"
run_env hand
hl=$work/hand-lobby.log
hc=$work/hand-client.log
wine "$lobby_exe" --headless --server-port "$port" --log "$(winpath "$hl")" --launch \
  >"$work/hand-lobby.out" 2>&1 &
pids+=($!)
started=$SECONDS
if wait_for "$hc" ' sysmsg0: 游戏将在15秒内开始' 60; then
  echo "ok: seated"
else
  fail "not seated"
fi
if wait_for "$hc" ' sheet: hand 1 final' 240; then
  echo "ok: $(grep -m1 ' sheet: hand 1 final' "$hc" | cut -d' ' -f2-) after $((SECONDS - started)) s"
else
  fail "no score sheet"
fi
if wait_for "$hc" ' reconnect: accepted' 240; then
  echo "ok: $(count "$work/hand-server.log" 'fault: dropping connection') drop(s)," \
    "$(count "$hc" ' reconnect: accepted') reconnection(s) accepted"
else
  fail "no reconnection after the drop"
fi
[[ $(count "$hc" ' end: ') -eq 0 ]] || fail "the client ended: $(grep -m1 ' end: ' "$hc")"
[[ $(count "$hc" ' msgbox: ') -eq 0 ]] || fail "a message box: $(grep -m1 ' msgbox: ' "$hc")"
if ((failures > 0)); then dump "$hl" "$hc" "$work/hand-server.out"; fi
cleanup

if ((failures > 0)); then
  echo "end to end: $failures failure(s); logs in $work"
  exit 1
fi
echo "end to end: all passed; logs in $work"
