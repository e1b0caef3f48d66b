#!/usr/bin/env python3
"""Makes the parse benchmark's folder: one-minute recordings with GPS.

A few recordings are encoded once (one per GPS layout, with the test-media
generator's embedder); every file of the folder is a copy of one of them with
its own trip written over the GPS records.

usage: parse_corpus.py OUTDIR [--files N]
"""

import argparse
import datetime
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools", "gen"))

import embed  # noqa: E402
import gpsrecord  # noqa: E402

SECONDS = 60
RECORDS = SECONDS + 2          # record 0 is never a sample; one spare second
START = datetime.datetime(2025, 3, 1, 8, 0, 0)
STAMP = "parse-corpus-1"

# (name, how the GPS goes in); the copies cycle through them.
LAYOUTS = [
    ("ext", lambda b, t: b.add_ext_track(t)),
    ("meta", lambda b, t: b.add_meta_track(t)),
    ("index", lambda b, t: b.add_index_box(t)),
    ("gps0", lambda b, t: b.add_gps0(t)),
    ("free", lambda b, t: b.add_free_gps(lambda n: gpsrecord.Track(START, n), 65540)),
]


def encode(path):
    ffmpeg = os.environ.get("FFMPEG", "ffmpeg")
    subprocess.run([ffmpeg, "-v", "error", "-y",
                    "-f", "lavfi", "-i", "testsrc2=size=320x180:rate=30:duration=%d" % SECONDS,
                    "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=%d" % SECONDS,
                    "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "30", "-crf", "45",
                    "-c:a", "aac", "-b:a", "64k", "-ac", "2", "-ar", "48000", path], check=True)


def master(tmp, base, name, add):
    builder = embed.Mp4Builder(base)
    add(builder, gpsrecord.Track(START, RECORDS))
    target = os.path.join(tmp, name + ".mp4")
    source = builder.write(target)
    with open(target, "rb") as f:
        data = bytearray(f.read())
    return data, source


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("outdir")
    ap.add_argument("--files", type=int, default=500)
    args = ap.parse_args()

    stamp_path = os.path.join(args.outdir, ".stamp")
    want = "%s %d" % (STAMP, args.files)
    if os.path.exists(stamp_path) and open(stamp_path).read() == want:
        print("parse corpus up to date in", args.outdir)
        return
    os.makedirs(args.outdir, exist_ok=True)
    for old in os.listdir(args.outdir):
        if old.endswith(".MP4"):
            os.remove(os.path.join(args.outdir, old))

    with tempfile.TemporaryDirectory() as tmp:
        base = os.path.join(tmp, "base.mp4")
        encode(base)
        masters = [(name,) + master(tmp, base, name, add) for name, add in LAYOUTS]

    for i in range(args.files):
        name, data, source = masters[i % len(masters)]
        copy = bytearray(data)
        start = START + datetime.timedelta(minutes=i)
        # Its own trip: another stretch of the route, another time.
        track = gpsrecord.Track(start, source["gpsCount"], trip_offset=(7 * i) % 40, serial_base=1000 * i)
        stride = embed.TOP_LEVEL_STRIDE if source["gpsKind"] == embed.TOP_LEVEL else gpsrecord.RECORD_SIZE
        for k, record in enumerate(track.records()):
            pos = gpsrecord.record_position(copy, source, k)
            copy[pos:pos + stride] = record[:stride]
        path = os.path.join(args.outdir, start.strftime("%Y%m%d_%H%M%S") + "_F.MP4")
        with open(path, "wb") as f:
            f.write(copy)
    with open(stamp_path, "w") as f:
        f.write(want)
    print("made %d recordings (%s) in %s" % (args.files, ", ".join(n for n, _ in LAYOUTS), args.outdir))


if __name__ == "__main__":
    main()
