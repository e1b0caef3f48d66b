#!/usr/bin/env bash
# Parse benchmark. Makes (or reuses) a folder of one-minute recordings with
# GPS, warms the cache, and runs parsebench, which times the playlist's
# background parse beside exiftool and ffprobe in the same run.
# --sidecar times the same number of recordings without GPS, each with a GPX
# file beside it, against the embedded folder (the sidecar parse must stay
# within 2x its time).
#
#   bench/parse.sh [FOLDER] [--files N] [--sidecar]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
folder=$build/bench-parse
files=500
while [ $# -gt 0 ]; do
  case "$1" in
    --files) files=$2; shift 2 ;;
    --sidecar) sidecar=1; shift ;;
    -*) echo "usage: $0 [FOLDER] [--files N] [--sidecar]" >&2; exit 2 ;;
    *) folder=$1; given=1; shift ;;
  esac
done

for tool in exiftool ffprobe ffmpeg python3; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing (tools/install-deps.sh --bench)" >&2; exit 1; }
done

[ -d "$build" ] || cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target parsebench
if [ -z "${given:-}" ]; then
  python3 "$here/bench/parse_corpus.py" "$folder" --files "$files"
fi
# Warm cache: every file read once before anything is timed.
cat "$folder"/* > /dev/null
if [ -z "${sidecar:-}" ]; then
  "$build/bin/parsebench" "$folder"
  exit 0
fi
side=$build/bench-parse-sidecar
python3 "$here/bench/parse_corpus.py" "$side" --files "$files" --sidecar
cat "$side"/* > /dev/null
best() { awk '/^background parse/ { print $3 }'; }
embedded=$("$build/bin/parsebench" "$folder" --parse-only | tee /dev/stderr | best)
sidecars=$("$build/bin/parsebench" "$side" --parse-only | tee /dev/stderr | best)
awk -v e="$embedded" -v s="$sidecars" 'BEGIN {
  r = e / s
  printf "sidecar against embedded  %.2f x the time (%s against %s files/s); limit 2 x: %s\n", r, s, e, r <= 2 ? "met" : "MISSED"
  exit r <= 2 ? 0 : 1 }'
