#!/usr/bin/env bash
# Parse benchmark. Makes (or reuses) a folder of one-minute recordings with
# GPS, warms the cache, and runs parsebench, which times the playlist's
# background parse beside exiftool and ffprobe in the same run.
#
#   bench/parse.sh [FOLDER] [--files N]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
folder=$build/bench-parse
files=500
while [ $# -gt 0 ]; do
  case "$1" in
    --files) files=$2; shift 2 ;;
    -*) echo "usage: $0 [FOLDER] [--files N]" >&2; exit 2 ;;
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
"$build/bin/parsebench" "$folder"
