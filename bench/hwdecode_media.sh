#!/usr/bin/env bash
# Makes the recordings `trackora-bench hwdecode` compares: the sizes, codecs
# and sample formats a hardware decoder may take or refuse. Usage:
#   bench/hwdecode_media.sh OUTDIR [SECONDS]     (default 5 s each)
# then: trackora-bench hwdecode OUTDIR/*.mp4 OUTDIR/*.avi
set -euo pipefail

out=${1:?usage: $0 OUTDIR [SECONDS]}
seconds=${2:-5}
mkdir -p "$out"
ffmpeg=${FFMPEG:-ffmpeg}

# A moving test picture and a sine tone, as a camera records sound beside it.
make() {
  local name=$1 size=$2 rate=$3
  shift 3
  if [ -s "$out/$name" ]; then
    echo "kept $name"
    return
  fi
  "$ffmpeg" -nostdin -v error -y \
    -f lavfi -i "testsrc2=s=$size:r=$rate:d=$seconds" \
    -f lavfi -i "sine=f=440:r=48000:d=$seconds" \
    "$@" -shortest "$out/$name.part.${name##*.}"
  mv "$out/$name.part.${name##*.}" "$out/$name"
  echo "made $name"
}

aac=(-c:a aac -b:a 128k -ac 2)
x264=(-c:v libx264 -preset veryfast -g 30)
x265=(-c:v libx265 -preset ultrafast -x265-params log-level=error:keyint=30 -tag:v hvc1)

make h264_1080p.mp4        1920x1080 30 "${x264[@]}" -pix_fmt yuv420p "${aac[@]}"
make h264_2160p.mp4        3840x2160 30 "${x264[@]}" -pix_fmt yuv420p "${aac[@]}"
make h265_1080p.mp4        1920x1080 30 "${x265[@]}" -pix_fmt yuv420p "${aac[@]}"
make h265_2160p.mp4        3840x2160 30 "${x265[@]}" -pix_fmt yuv420p "${aac[@]}"
make h265_10bit_1080p.mp4  1920x1080 30 "${x265[@]}" -pix_fmt yuv420p10le "${aac[@]}"
# High 4:2:2 and High 10 H.264: most hardware decoders refuse both.
make h264_422_1080p.mp4    1920x1080 30 "${x264[@]}" -pix_fmt yuv422p "${aac[@]}"
make h264_10bit_1080p.mp4  1920x1080 30 "${x264[@]}" -pix_fmt yuv420p10le "${aac[@]}"
# Sizes that are no multiple of the codecs' blocks.
make h264_odd_1366x766.mp4 1366x766  30 "${x264[@]}" -pix_fmt yuv420p "${aac[@]}"
make h265_odd_854x478.mp4  854x478   25 "${x265[@]}" -pix_fmt yuv420p "${aac[@]}"
make mjpeg_1080p.avi       1920x1080 30 -c:v mjpeg -q:v 4 -pix_fmt yuvj420p -c:a pcm_s16le -ac 2
if "$ffmpeg" -hide_banner -encoders 2>/dev/null | grep -q libsvtav1; then
  make av1_1080p.mp4       1920x1080 30 -c:v libsvtav1 -preset 12 -g 30 -pix_fmt yuv420p "${aac[@]}"
else
  make av1_1080p.mp4       1920x1080 30 -c:v libaom-av1 -cpu-used 8 -row-mt 1 -g 30 -pix_fmt yuv420p "${aac[@]}"
fi
