#!/usr/bin/env python3
"""Makes the parse benchmark's folder: one-minute recordings with GPS.

A few recordings are encoded once (one per GPS layout, with the test-media
generator's embedder); every file of the folder is a copy of one of them with
its own trip written over the GPS records. With --sidecar the recordings
carry no GPS and each has a GPX file of its trip beside it instead.

usage: parse_corpus.py OUTDIR [--files N] [--sidecar]
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
    ap.add_argument("--sidecar", action="store_true", help="no GPS inside, a GPX file beside each recording")
    args = ap.parse_args()

    stamp_path = os.path.join(args.outdir, ".stamp")
    want = "%s %d%s" % (STAMP, args.files, " sidecar" if args.sidecar else "")
    if os.path.exists(stamp_path) and open(stamp_path).read() == want:
        print("parse corpus up to date in", args.outdir)
        return
    os.makedirs(args.outdir, exist_ok=True)
    for old in os.listdir(args.outdir):
        if old.endswith(".MP4") or old.endswith(".gpx"):
            os.remove(os.path.join(args.outdir, old))
    if args.sidecar:
        sidecar_corpus(args)
        with open(stamp_path, "w") as f:
            f.write(want)
        return

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


def gpx(start, trip_offset):
    points = []
    for k in range(RECORDS):
        p = gpsrecord.trip_point(trip_offset + k)
        lat = (p.lat_deg + p.lat_min / 10000 / 60) * (-1 if p.lat_ref == "S" else 1)
        lon = (p.lon_deg + p.lon_min / 10000 / 60) * (-1 if p.lon_ref == "W" else 1)
        when = start + datetime.timedelta(seconds=k)
        points.append('<trkpt lat="%.7f" lon="%.7f"><time>%s</time></trkpt>'
                      % (lat, lon, when.strftime("%Y-%m-%dT%H:%M:%SZ")))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<gpx version="1.1" creator="parse_corpus" '
            'xmlns="http://www.topografix.com/GPX/1/1"><trk><trkseg>\n%s\n</trkseg></trk></gpx>\n'
            % "\n".join(points))


def sidecar_corpus(args):
    with tempfile.TemporaryDirectory() as tmp:
        base = os.path.join(tmp, "base.mp4")
        encode(base)
        with open(base, "rb") as f:
            data = f.read()
    for i in range(args.files):
        start = START + datetime.timedelta(minutes=i)
        stem = os.path.join(args.outdir, start.strftime("%Y%m%d_%H%M%S") + "_F")
        with open(stem + ".MP4", "wb") as f:
            f.write(data)
        with open(stem + ".gpx", "w") as f:
            f.write(gpx(start, (7 * i) % 40))
    print("made %d recordings with GPX sidecars in %s" % (args.files, args.outdir))


if __name__ == "__main__":
    main()
