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

# One run's CPU swings by a third on a shared machine: the figure is the
# median over ROUNDS rounds, each the ffmpeg decoder, the same decoder paced
# in real time (-re), then the player, in turn. The paced decoder shows what
# decoding one picture per frame time costs by itself, which here is about a
# third more than decoding flat out.
rounds=${ROUNDS:-5}
ratios=()
paced_ratios=()
for ((round = 1; round <= rounds; round++)); do
  read -r ff_cpu ff_wall ff_rss < <(measure ffmpeg -nostdin -v error -i "$front" -f null -)
  read -r re_cpu re_wall re_rss < <(measure ffmpeg -nostdin -v error -re -i "$front" -f null -)
  line=$("$bench" play "$front" --rate 1 2>/dev/null)
  cpu=$(json "$line" cpuSeconds | cut -d= -f2)
  ratio=$(python3 -c "print(f'{$cpu/$ff_cpu:.3f}')")
  paced=$(python3 -c "print(f'{$cpu/$re_cpu:.3f}')")
  ratios+=("$ratio")
  paced_ratios+=("$paced")
  echo "round $round: ffmpeg -f null cpu ${ff_cpu}s, ffmpeg -re -f null cpu ${re_cpu}s, trackora cpu ${cpu}s, ratios $ratio and $paced; $(json "$line" firstFrameMs framesShown framesExpected)"
done
python3 - "${#ratios[@]}" "${ratios[@]}" "${paced_ratios[@]}" <<'PY'
import statistics, sys
n = int(sys.argv[1])
for name, values, target in (("ffmpeg -f null", sys.argv[2:2 + n], "; target <= 1.10x"), ("ffmpeg -re -f null", sys.argv[2 + n:], "")):
    r = sorted(map(float, values))
    print(f"cpu vs {name}: median {statistics.median(r):.2f}x over {len(r)} rounds (min {r[0]:.2f}, max {r[-1]:.2f}{target})")
PY
if command -v mpv >/dev/null; then
  read -r mpv_cpu mpv_wall mpv_rss < <(measure mpv --no-config --vo=null --ao=null --hwdec=no "$front")
  echo "mpv --vo=null:         cpu ${mpv_cpu}s wall ${mpv_wall}s rss ${mpv_rss}KB"
else
  echo "mpv: not installed (tools/install-deps.sh --bench)"
fi

for rate in 0.5 2; do
  line=$("$bench" play "$front" --rate "$rate" 2>/dev/null)
  echo "trackora rate $rate: $line"
done

line=$("$bench" seek "$front" --paused --rounds 20 2>/dev/null)
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
