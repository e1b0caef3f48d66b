#!/usr/bin/env bash
# Plays one clip with trackora-bench beside the ffmpeg decoder and mpv, and
# prints the figures side by side. Usage: bench/run-play.sh [BUILD_DIR] [FRONT] [REAR]
# (defaults: build, its engine/clip1080_F.mp4, and engine/clip_short pair for --peer).
set -euo pipefail

build=${1:-build}
media=$build/test-media/engine
front=${2:-$media/clip1080_F.mp4}
rear=${3:-}
bench=$build/bin/trackora-bench
[ -x "$bench" ] || { echo "build trackora-bench first (cmake --build $build --target trackora-bench)" >&2; exit 2; }
[ -f "$front" ] || { echo "no clip $front (cmake --build $build --target test-media)" >&2; exit 2; }

# CPU (user+system of the child), wall seconds and peak RSS of one command.
measure() {
  python3 - "$@" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
wall = time.monotonic() - start
u = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{u.ru_utime + u.ru_stime:.2f} {wall:.2f} {u.ru_maxrss}")
PY
}

json() { python3 -c 'import json,sys; d=json.loads(sys.argv[1]); print(" ".join(f"{k}={d[k]}" for k in sys.argv[2:]))' "$@"; }

echo "clip: $front"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

read -r ff_cpu ff_wall ff_rss < <(measure ffmpeg -nostdin -v error -i "$front" -f null -)
echo "ffmpeg -f null:        cpu ${ff_cpu}s wall ${ff_wall}s rss ${ff_rss}KB"
if command -v mpv >/dev/null; then
  read -r mpv_cpu mpv_wall mpv_rss < <(measure mpv --no-config --vo=null --ao=null --hwdec=no "$front")
  echo "mpv --vo=null:         cpu ${mpv_cpu}s wall ${mpv_wall}s rss ${mpv_rss}KB"
else
  mpv_cpu=""
  echo "mpv: not installed (tools/install-deps.sh --bench)"
fi

for rate in 1 0.5 2; do
  line=$("$bench" play "$front" --rate "$rate" 2>/dev/null)
  echo "trackora rate $rate: $line"
  if [ "$rate" = 1 ]; then
    cpu=$(json "$line" cpuSeconds | cut -d= -f2)
    python3 - "$cpu" "$ff_cpu" "${mpv_cpu:-0}" <<'PY'
import sys
cpu, ff, mpv = map(float, sys.argv[1:])
print(f"  cpu vs ffmpeg: {cpu/ff:.2f}x (target <= 1.15x)" + (f", vs mpv: {cpu/mpv:.2f}x (target < 1)" if mpv else ""))
PY
  fi
done

line=$("$bench" play "$front" --seek-every 300 --seconds 8 2>/dev/null)
echo "trackora paused seeks: $line"

if [ -z "$rear" ]; then
  pair_front=$media/clip_short_F.mp4
  rear=$media/clip_short_R.mp4
else
  pair_front=$front
fi
line=$("$bench" play "$pair_front" --peer "$rear" 2>/dev/null)
echo "trackora with peer:    $line"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
