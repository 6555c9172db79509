#!/usr/bin/env bash
# Cross-builds the Qt-free core, the virtual host and its tests as Windows programs (mingw-w64,
# statically linked) into build-windows/, and runs them under Wine, headless, with a private
# prefix inside that folder and the Chinese ANSI code page (936), as on the players' machines.
# Installs what is missing (the cross compiler, Wine, GoogleTest's sources) with apt.
#   scripts/test-windows.sh            JOBS=2 by default; BUILD_WINDOWS_DIR to build elsewhere
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_WINDOWS_DIR:-$root/build-windows}
jobs=${JOBS:-2}

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 libgtest-dev locales)
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

# Wine for this build only: its own prefix, no debug chatter, no display, no Mono or Gecko
# installers, and the zh_CN locale that makes the ANSI code page 936.
mkdir -p "$build"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
unset LC_ALL LC_CTYPE
unset DISPLAY WAYLAND_DISPLAY
if [[ ! -e "$WINEPREFIX/system.reg" ]]; then
  echo "== preparing the Wine prefix =="
  wineboot --init
  wineserver -w
fi

echo "== cross build (mingw-w64) =="
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
  -DQINTARA_WITH_QT=OFF -DQINTARA_BENCH=OFF -DQINTARA_GTEST_SOURCE=/usr/src/googletest >/dev/null
cmake --build "$build" -j "$jobs"

echo "== tests under Wine =="
status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" || status=$?
wineserver -w
exit "$status"
