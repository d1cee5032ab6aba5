#!/usr/bin/env bash
# Runs pack_folder_bench.exe under Wine, then Info-ZIP's zip -8 on the same folder, five runs each,
# and prints both medians in MB/s (input bytes / 1,000,000 per second) and their ratio.
set -euo pipefail
source "$(dirname "$0")/../scripts/env.sh"
work=${1:-/tmp/glimwell_pack_bench}
mkdir -p "$work"
win_work=$(winepath -w "$work")
ours=$(wine "$GLIMWELL_BUILD/win/pack_folder_bench.exe" "$win_work" | tr -d '\r')
echo "$ours"
folder="$work/录像Temp"
input=$(du -cb "$folder"/* | tail -1 | cut -f1)
rates=()
for _ in 1 2 3 4 5; do
  rm -f "$work/zip.zip"
  start=$(date +%s%N)
  (cd "$folder" && zip -8 -q -r "$work/zip.zip" .)
  end=$(date +%s%N)
  rates+=("$(awk -v b="$input" -v ns=$((end - start)) 'BEGIN { printf "%.1f", b / 1e6 / (ns / 1e9) }')")
done
zip_median=$(printf '%s\n' "${rates[@]}" | sort -n | sed -n 3p)
ours_median=$(echo "$ours" | sed -n 's/.*median \([0-9.]*\) MB\/s.*/\1/p')
echo "zip -8: input $(awk -v b="$input" 'BEGIN { printf "%.1f", b / 1e6 }') MB, archive $(du -b "$work/zip.zip" | awk '{ printf "%.1f", $1 / 1e6 }') MB, median $zip_median MB/s over 5 runs"
awk -v a="$ours_median" -v b="$zip_median" 'BEGIN { printf "ratio PackFolder / zip -8: %.2f\n", a / b }'
