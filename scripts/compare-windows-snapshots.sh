#!/usr/bin/env bash
# Paints the same table states with the Qt host (qintara-snapshot, native build) and with the
# Windows host (qintara-snapshot-win under Wine) and compares the two pictures outside the text
# areas (the two font engines lay glyphs out differently): at most the case's share of those
# pixels may differ by more than 16 of 255 (the anti-aliased edges of the artwork are blended with
# slightly different rounding, and a picture shrunk to the small screen is filtered differently).
# The largest channel difference is printed too. Both pictures, the text mask and the difference
# stay in SNAPSHOT_DIR (default: a temporary folder it names).
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

# name | state | scale | dialog | how the Windows host paints (picture or window) | limit (%)
cases=(
  "empty|empty|1||picture|1"
  "midhand|midhand|1||picture|1.5"
  "winsheet|winsheet|1||picture|1.5"
  "settings|midhand|1|settings|picture|1.5"
  "exit|midhand|1|exit|picture|1.5"
  "small|midhand|small||picture|6"
  "window|midhand|1||window|1.5"
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
  count=$(compare -metric AE -fuzz 6.27% "$out/$name-qt-masked.png" "$out/$name-win-masked.png" \
    null: 2>&1 || true)
  pixels=$(identify -format '%[fx:w*h]' "$out/$name-qt.png")
  share=$(awk -v c="${count%% *}" -v p="$pixels" 'BEGIN { printf "%.2f", c * 100 / p }')
  verdict=ok
  if awk -v s="$share" -v l="$limit" 'BEGIN { exit !(s > l) }'; then
    verdict=FAILED
    failed=1
  fi
  printf '%-9s pixels off by more than 16: %5s%% (limit %s%%), peak channel difference %3d  %s\n' \
    "$name" "$share" "$limit" "$peak" "$verdict"
done
echo "pictures in $out"
exit "$failed"
