#!/usr/bin/env bash
# Cross-builds the Qt-free core, the virtual host, the Windows host qintara.exe and their tests as
# Windows programs (mingw-w64, statically linked) into build-windows/, and runs them under Wine
# with a private prefix inside that folder and the Chinese ANSI code page (936), as on the
# players' machines. Windows get a private Xvfb (a free display, stopped again by its pid). Then
# the end-to-end run: the native development server on loopback and qintara.exe under Wine,
# launched by the Windows lobby stand-in (tests/winhost/e2e.sh; needs the native build,
# NATIVE_BUILD_DIR); and, when the native build has the artwork and the Qt snapshot tool, the
# table painted by both hosts is compared (scripts/compare-windows-snapshots.sh).
# Installs what is missing (the cross compiler, Wine, GoogleTest's sources, Xvfb) with apt.
#   scripts/test-windows.sh            JOBS=2 by default; BUILD_WINDOWS_DIR to build elsewhere
#   QINTARA_E2E=0                      skips the end-to-end run
#   QINTARA_WERROR=ON                  makes warnings errors
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_WINDOWS_DIR:-$root/build-windows}
jobs=${JOBS:-2}

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 libgtest-dev locales xvfb
  xauth fonts-wqy-microhei imagemagick)
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

# Wine takes its code page from the Unix locale: without zh_CN.UTF-8 it would be 1252.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "Generating the zh_CN.UTF-8 locale"
  "${sudo_cmd[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

# Wine for this build only: its own prefix, no debug chatter, no Mono or Gecko installers, and
# the zh_CN locale that makes the ANSI code page 936.
mkdir -p "$build"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
unset LC_ALL LC_CTYPE
unset DISPLAY WAYLAND_DISPLAY

# The windows under test go to an X server of this run only: the first display number from 200
# with no server, no lock and no socket.
xvfb_pid=
stop_xvfb() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap stop_xvfb EXIT
start_xvfb() {
  local n
  for n in $(seq 200 299); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [[ -e /tmp/.X11-unix/X$n ]] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [[ -e /tmp/.X11-unix/X$n ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    xvfb_pid=
  done
  echo "no free display for Xvfb" >&2
  return 1
}
if [[ ! -e "$WINEPREFIX/system.reg" ]]; then
  echo "== preparing the Wine prefix =="
  wineboot --init
  wineserver -w
fi
# The players' Chinese font is Microsoft YaHei; Wine shows WenQuanYi Micro Hei in its place.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei' /t REG_SZ \
  /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true

native=${NATIVE_BUILD_DIR:-$root/build}
art=()
if [[ -d $native/res ]]; then art=(-DQINTARA_ART_SOURCE="$native/res"); fi

echo "== cross build (mingw-w64) =="
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
  -DQINTARA_WITH_QT=OFF -DQINTARA_BENCH=OFF -DQINTARA_GTEST_SOURCE=/usr/src/googletest \
  -DQINTARA_WERROR="${QINTARA_WERROR:-OFF}" "${art[@]}" >/dev/null
cmake --build "$build" -j "$jobs"

echo "== tests under Wine =="
start_xvfb
status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" || status=$?

if [[ ${QINTARA_E2E:-1} != 0 ]]; then
  echo "== end to end: the development server and qintara.exe under Wine =="
  "$root/tests/winhost/e2e.sh" "$build" "${NATIVE_BUILD_DIR:-$root/build}" || status=$?
fi
if [[ -x $native/tools/snapshot/qintara-snapshot && ${#art[@]} -gt 0 ]]; then
  echo "== the table painted by both hosts =="
  NATIVE_BUILD_DIR="$native" BUILD_WINDOWS_DIR="$build" "$root/scripts/compare-windows-snapshots.sh" ||
    status=$?
fi
wineserver -k 2>/dev/null || true
wineserver -w
exit "$status"
