#!/usr/bin/env bash
# Makes qintara-windows.zip: the Windows client and what it needs beside it, laid out as the
# platform expects (the client's folder next to the platform's shared common folder):
#   qintara/qintara.exe, res/ (the pictures), rule.ini and chat.ini (GBK),
#   qintara/plugin/tools/PropDll.dll and its pictures,
#   qintara/qintara-lobby.exe (to try it without the platform),
#   common/music, common/qntr, common/mj (the sounds and voices), README.md.
# The programs come from the cross build (scripts/test-windows.sh), the pictures, sounds and
# INI files from the native build (scripts/build.sh). Every program must import system DLLs
# only: the script fails when one needs a DLL of the compiler.
#   scripts/package-windows.sh             writes qintara-windows.zip in the current folder
#   scripts/package-windows.sh --stage DIR only lays the folders out in DIR
# BUILD_WINDOWS_DIR (default build-windows) and NATIVE_BUILD_DIR (default build) name the builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win=${BUILD_WINDOWS_DIR:-$root/build-windows}
native=${NATIVE_BUILD_DIR:-$root/build}
stage_only=
if [[ ${1:-} == --stage ]]; then
  stage_only=${2:?--stage needs a folder}
fi

need() {
  if [[ ! -e $1 ]]; then
    echo "missing $1 ($2)" >&2
    exit 1
  fi
}
client=$win/src/winhost/qintara.exe
lobby=$win/tools/lobby-win/qintara-lobby.exe
propdll=$win/plugin/tools/PropDll.dll
need "$client" "run scripts/test-windows.sh"
need "$lobby" "run scripts/test-windows.sh"
need "$propdll" "run scripts/test-windows.sh"
need "$native/res/.generated" "run scripts/build.sh"
need "$native/src/common/.generated" "run scripts/build.sh"
need "$native/src/host/rule.ini" "run scripts/build.sh"
need "$native/src/host/chat.ini" "run scripts/build.sh"
need "$native/src/host/plugin/tools/res/.generated" "run scripts/build.sh"

# Only these may be imported: they come with every Windows 10 and 11.
system_dlls='^(kernel32|user32|gdi32|gdiplus|ws2_32|dsound|shell32|ole32|oleaut32|comctl32|advapi32|msvcrt|shlwapi|imm32|winmm|version|bcrypt|ntdll|shcore|uxtheme|dwmapi|comdlg32|msimg32|api-ms-win-[a-z0-9-]+)\.dll$'
check_imports() {
  local bad
  bad=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' |
    grep -Ev "$system_dlls" || true)
  if [[ -n $bad ]]; then
    echo "$1 imports DLLs a bare Windows lacks: $bad" >&2
    exit 1
  fi
}
programs=("$client" "$lobby" "$propdll")
for p in "${programs[@]}"; do check_imports "$p"; done

stage=${stage_only:-$win/package}
rm -rf "$stage"
app=$stage/qintara
mkdir -p "$app/plugin/tools" "$stage/common"
cp "$client" "$lobby" "$app/"
cp -r "$native/res" "$app/res"
cp "$native/src/host/rule.ini" "$native/src/host/chat.ini" "$app/"
cp "$propdll" "$app/plugin/tools/"
cp -r "$native/src/host/plugin/tools/res" "$app/plugin/tools/res"
for d in music qntr mj; do cp -r "$native/src/common/$d" "$stage/common/$d"; done
find "$stage" -name .generated -delete
# The build keeps its debugging information; the player's copy does not need it.
x86_64-w64-mingw32-strip --strip-debug "$app/qintara.exe" "$app/qintara-lobby.exe" \
  "$app/plugin/tools/PropDll.dll"
cp "$root/docs/windows-package.md" "$stage/README.md"
if [[ -n $stage_only ]]; then exit 0; fi

out=${OUT:-$PWD/qintara-windows.zip}
rm -f "$out"
(cd "$stage" && zip -q -r -9 -X "$out" README.md qintara common)
echo "$out: $(stat -c %s "$out") bytes ($(du -sh "$stage" | cut -f1) unpacked)"
