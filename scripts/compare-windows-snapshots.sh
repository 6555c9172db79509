#!/usr/bin/env bash
# Paints the same table states with the Qt host (qintara-snapshot, native build) and with the
# Windows host (qintara-snapshot-win under Wine) and compares the two pictures outside the text
# areas (the two font engines lay glyphs out differently): the largest difference of any colour
# channel of any pixel must stay within the case's limit (of 255). Both pictures, the text mask
# and the difference stay in SNAPSHOT_DIR (default: a temporary folder it names).
#   scripts/compare-windows-snapshots.sh     NATIVE_BUILD_DIR (build/), BUILD_WINDOWS_DIR
# Needs a display for the --window case (DISPLAY) and Wine's prefix (WINEPREFIX), as
# scripts/test-windows.sh sets them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${NATIVE_BUILD_DIR:-$root/build}
build=${BUILD_WINDOWS_DIR:-$root/build-windows}
out=${SNAPSHOT_DIR:-$(mktemp -d -t qintara-snapshots.XXXXXX)}
mkdir -p "$out"
qt=$native/tools/snapshot/qintara-snapshot
win=$build/src/winhost/qintara-snapshot-win.exe

# name | state | scale | dialog | how the Windows host paints (picture or window) | limit
cases=(
  "empty|empty|1||picture|4"
  "midhand|midhand|1||picture|4"
  "winsheet|winsheet|1||picture|4"
  "settings|midhand|1|settings|picture|4"
  "exit|midhand|1|exit|picture|4"
  "small|midhand|small||picture|48"
  "window|midhand|1||window|4"
)
failed=0
for c in "${cases[@]}"; do
  IFS='|' read -r name state scale dialog how limit <<<"$c"
  args=(--state "$state" --scale "$scale")
  [[ -n $dialog ]] && args+=(--dialog "$dialog")
  QT_QPA_PLATFORM=offscreen "$qt" "${args[@]}" --out "$out/$name-qt.png"
  winargs=("${args[@]}")
  [[ $how == window ]] && winargs+=(--window)
  wine "$win" "${winargs[@]}" --out "$(winepath -w "$out/$name-win.png")" \
    --mask "$(winepath -w "$out/$name-mask.png")"
  for side in qt win; do
    convert "$out/$name-$side.png" -alpha off "$out/$name-mask.png" -alpha off -compose multiply \
      -composite "$out/$name-$side-masked.png"
  done
  # PAE: the peak absolute error of any channel, "VALUE (FRACTION)".
  pae=$(compare -metric PAE "$out/$name-qt-masked.png" "$out/$name-win-masked.png" \
    "$out/$name-diff.png" 2>&1 || true)
  fraction=$(sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p' <<<"$pae")
  peak=$(awk -v f="${fraction:-1}" 'BEGIN { printf "%d", f * 255 + 0.5 }')
  # How many pixels differ by more than the limit, for the record.
  fuzz=$(awk -v l="$limit" 'BEGIN { printf "%.2f", l * 100 / 255 }')
  count=$(compare -metric AE -fuzz "$fuzz%" "$out/$name-qt-masked.png" "$out/$name-win-masked.png" \
    null: 2>&1 || true)
  verdict=ok
  if ((peak > limit)); then
    verdict=FAILED
    failed=1
  fi
  printf '%-9s peak channel difference %3d (limit %3d), pixels over it: %s  %s\n' "$name" "$peak" \
    "$limit" "$count" "$verdict"
done
echo "pictures in $out"
exit "$failed"
