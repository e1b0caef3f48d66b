#!/usr/bin/env python3
"""Makes the viewer benchmark's recordings into OUTDIR with ffmpeg and the
test generator's GPS embedder:

  minute_F.mp4            one minute, 640x360 30 fps H.264 + AAC, 'gps0' trip
  pair1080_F.mp4/_R.mp4   one minute, 1920x1080 30 fps H.264 (+ AAC in front),
                          the front with an EXT track trip

Usage: viewer_media.py OUTDIR. Files that exist are kept."""

import datetime
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools", "gen"))
sys.dont_write_bytecode = True

import embed  # noqa: E402
import gpsrecord  # noqa: E402

FFMPEG = os.environ.get("FFMPEG", "ffmpeg")
START = datetime.datetime(2024, 5, 1, 9, 0, 0)


def encode(out, size, seconds, audio):
    cmd = [FFMPEG, "-nostdin", "-hide_banner", "-v", "error", "-y",
           "-f", "lavfi", "-i", "testsrc2=size=%s:rate=30:duration=%d" % (size, seconds)]
    if audio:
        cmd += ["-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=%d" % seconds,
                "-c:a", "aac", "-b:a", "96k", "-ac", "2"]
    cmd += ["-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "30", "-crf", "30", out]
    subprocess.run(cmd, check=True)


def with_trip(base, out, seconds, layout):
    builder = embed.Mp4Builder(base)
    track = gpsrecord.Track(START, seconds + 2)
    getattr(builder, layout)(track)
    builder.write(out, None)
    os.remove(base)


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    jobs = [("minute_F.mp4", "640x360", True, "add_gps0"),
            ("pair1080_F.mp4", "1920x1080", True, "add_ext_track"),
            ("pair1080_R.mp4", "1920x1080", False, None)]
    for name, size, audio, layout in jobs:
        out = os.path.join(outdir, name)
        if os.path.exists(out):
            continue
        base = out + ".base.mp4"
        encode(base, size, 60, audio)
        if layout:
            with_trip(base, out, 60, layout)
        else:
            os.replace(base, out)


if __name__ == "__main__":
    main()
