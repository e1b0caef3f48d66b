#!/usr/bin/env python3
"""Recordings whose trip comes from elsewhere than the camera's own records:
an NMEA text track ('tx3g' samples of RMC and GGA sentences), a GPMF track
('gpmd' samples of KLV records), and plain recordings without GPS for the
sidecar and folder-track tests. ffmpeg makes the video; the tracks are our
own muxing (mp4box.py). Writes OUTDIR/trackmedia.json with what each
recording holds, second by second.

Usage: trackmedia.py OUTDIR"""

import datetime
import json
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mp4box  # noqa: E402

FFMPEG = os.environ.get("FFMPEG", "ffmpeg")
EPOCH_1904 = datetime.datetime(1904, 1, 1)
# Crosses midnight into a new month: the NMEA date must follow.
TRACK_START = datetime.datetime(2024, 2, 29, 23, 59, 57)
SECONDS = 6


def ffmpeg_clip(path, seconds, when=None):
    args = [FFMPEG, "-nostdin", "-hide_banner", "-v", "error", "-y", "-f", "lavfi", "-i",
            "testsrc2=size=320x180:rate=10:duration=%d" % seconds, "-c:v", "libx264", "-preset",
            "ultrafast", "-pix_fmt", "yuv420p", "-g", "10", "-an"]
    if when is not None:
        args += ["-metadata", "creation_time=" + when.strftime("%Y-%m-%dT%H:%M:%SZ")]
    subprocess.run(args + [path], check=True)


def point(k):
    """Second k of the trip: position, speed over ground (km/h), altitude."""
    return {
        "lat": 35.6812 + 0.00031 * k,
        "lon": 139.7671 - 0.00042 * k,
        "kmh": 36.0 + 3.5 * k,
        "alt": 40.0 + k,
        "course": 315.0,
    }


# ---- NMEA ------------------------------------------------------------------

def nmea(body):
    s = 0
    for c in body.encode("ascii"):
        s ^= c
    return "$%s*%02X\r\n" % (body, s)


def nmea_coord(value, deg_digits, pos, neg):
    hemi = pos if value >= 0 else neg
    value = abs(value)
    d = int(value)
    m = (value - d) * 60.0
    return "%0*d%07.4f" % (deg_digits, d, m), hemi


def nmea_sentences(when, p):
    lat, ns = nmea_coord(p["lat"], 2, "N", "S")
    lon, ew = nmea_coord(p["lon"], 3, "E", "W")
    t = when.strftime("%H%M%S") + ".00"
    knots = p["kmh"] / 1.852
    rmc = nmea("GPRMC,%s,A,%s,%s,%s,%s,%.3f,%.1f,%s,,,A" % (t, lat, ns, lon, ew, knots, p["course"],
                                                         when.strftime("%d%m%y")))
    gga = nmea("GPGGA,%s,%s,%s,%s,%s,1,08,0.9,%.1f,M,39.0,M,," % (t, lat, ns, lon, ew, p["alt"]))
    return rmc + gga


def text_entry():
    # tx3g: reserved, data reference, display flags, justification, colour,
    # text box, style record, then a font table.
    body = (b"\0" * 6 + struct.pack(">H", 1) + struct.pack(">I", 0) + b"\x01\xff" + b"\0\0\0\xff"
            + b"\0" * 8 + struct.pack(">HHHBBBBBB", 0, 0, 1, 0, 18, 255, 255, 255, 255)
            + mp4box.Box(b"ftab", struct.pack(">HHB", 1, 1, 5) + b"Serif").to_bytes())
    return mp4box.Box(b"tx3g", body)


def gpmd_entry():
    return mp4box.Box(b"gpmd", b"\0" * 6 + struct.pack(">H", 1) + b"\0" * 4)


# ---- GPMF ------------------------------------------------------------------

def klv(key, type_, size, repeat, data):
    pad = (-len(data)) % 4
    return key + struct.pack(">cBH", type_, size, repeat) + data + b"\0" * pad


def nest(key, children):
    body = b"".join(children)
    return key + struct.pack(">cBH", b"\0", 1, len(body)) + body


def gpmf_payload(when, p, k):
    points = 10
    scal = [10000000, 10000000, 1000, 1000, 100]
    rows = []
    for i in range(points):
        # The fixes within the second move on a little; the first is the second's.
        lat = p["lat"] + 0.000003 * i
        rows.append(struct.pack(">5i", round(lat * scal[0]), round(p["lon"] * scal[1]), round(p["alt"] * scal[2]),
                                round(p["kmh"] / 3.6 * scal[3]), round(p["kmh"] / 3.6 * scal[4])))
    gps = nest(b"STRM", [
        klv(b"STNM", b"c", 1, 3, b"GPS"),
        klv(b"GPSF", b"L", 4, 1, struct.pack(">I", 3)),
        klv(b"GPSU", b"U", 16, 1, when.strftime("%y%m%d%H%M%S").encode() + b".000"),
        klv(b"SCAL", b"l", 4, 5, struct.pack(">5i", *scal)),
        klv(b"GPS5", b"l", 20, points, b"".join(rows)),
    ])
    # Stored Z, X, Y in m/s^2 x 100.
    accel = accel_g(k)
    raw = [round(accel["z"] * 9.80665 * 100), round(accel["x"] * 9.80665 * 100), round(accel["y"] * 9.80665 * 100)]
    acc = nest(b"STRM", [
        klv(b"STNM", b"c", 1, 5, b"ACCEL"),
        klv(b"SCAL", b"s", 2, 1, struct.pack(">h", 100)),
        klv(b"ACCL", b"s", 6, 20, struct.pack(">3h", *raw) * 20),
    ])
    return nest(b"DEVC", [klv(b"DVID", b"L", 4, 1, struct.pack(">I", 1)),
                          klv(b"DVNM", b"c", 1, 6, b"Camera"), gps, acc])


def accel_g(k):
    return {"x": 0.1 * k, "y": -0.05 * k, "z": 1.0}


# ---- muxing ----------------------------------------------------------------

def data_trak(track_id, htype, name, entry, offsets, sizes, movie_duration, null_header):
    n = len(offsets)
    delta = 1000
    duration = delta * n
    tkhd = mp4box.full_box(b"tkhd", 0, 1, struct.pack(">IIIII", 0, 0, track_id, 0, duration)
                           + b"\0" * 8 + struct.pack(">hhhh", 0, 0, 0, 0) + mp4box.UNITY_MATRIX
                           + struct.pack(">II", 0, 0))
    mdhd = mp4box.full_box(b"mdhd", 0, 0, struct.pack(">IIIIHH", 0, 0, 1000, duration, 0x55C4, 0))
    stsd = mp4box.full_box(b"stsd", 0, 0, struct.pack(">I", 1) + entry.to_bytes())
    stts = mp4box.full_box(b"stts", 0, 0, struct.pack(">III", 1, n, delta))
    stsz = mp4box.full_box(b"stsz", 0, 0, struct.pack(">II", 0, n) + struct.pack(">%dI" % n, *sizes))
    dref = mp4box.full_box(b"dref", 0, 0, struct.pack(">I", 1) + struct.pack(">I4sI", 12, b"url ", 1))
    minf = mp4box.Box(b"minf", children=[
        null_header,
        mp4box.Box(b"dinf", children=[dref]),
        mp4box.Box(b"stbl", children=[stsd, stts, mp4box.make_stsc([1] * n), stsz, mp4box.make_stco(offsets)]),
    ])
    mdia = mp4box.Box(b"mdia", children=[mdhd, mp4box.handler_box(htype, name, False), minf])
    return mp4box.Box(b"trak", children=[tkhd, mdia])


def add_track(path, htype, name, entry, samples, null_header):
    """Appends a track of these samples (one per chunk, one a second) after
    everything ffmpeg wrote, and a new 'moov' after them."""
    src = mp4box.Mp4File(path)
    moov_pos = [pos for t, pos, _, _ in src.top if t == b"moov"][0]
    if moov_pos != src.top[-1][1]:
        raise ValueError("%s: 'moov' is not last" % path)
    head = src.data[:moov_pos]
    mdat = mp4box.Box(b"mdat", b"".join(samples)).to_bytes()
    base = len(head) + 8
    offsets, at = [], base
    for s in samples:
        offsets.append(at)
        at += len(s)
    moov = src.moov
    track_id = mp4box.next_track_id(moov)
    _, movie_duration = mp4box.mvhd_values(moov)
    moov.children.append(data_trak(track_id, htype, name, entry, offsets, [len(s) for s in samples],
                                   movie_duration, null_header))
    mp4box.set_next_track_id(moov, track_id + 1)
    with open(path, "wb") as f:
        f.write(head + mdat + moov.to_bytes())


def seconds(start, n, with_g=False):
    out = []
    for k in range(n):
        when = start + datetime.timedelta(seconds=k)
        p = point(k)
        s = {"second": k, "dateTime": when.strftime("%Y%m%d%H%M%S"), "latitude": p["lat"],
             "longitude": p["lon"], "speed": round(p["kmh"])}
        if with_g:
            s.update({"gX": accel_g(k)["x"], "gY": accel_g(k)["y"], "gZ": accel_g(k)["z"]})
        out.append(s)
    return out


def make_nmea(outdir):
    path = os.path.join(outdir, "nmea_track_F.mp4")
    ffmpeg_clip(path, SECONDS, TRACK_START)
    samples = []
    for k in range(SECONDS):
        text = nmea_sentences(TRACK_START + datetime.timedelta(seconds=k), point(k)).encode("ascii")
        samples.append(struct.pack(">H", len(text)) + text)
    add_track(path, b"text", "TextHandler", text_entry(), samples, mp4box.full_box(b"nmhd", 0, 0, b""))
    return {"file": os.path.basename(path), "gpsKind": 8, "duration": SECONDS,
            "seconds": seconds(TRACK_START, SECONDS)}


def make_gpmf(outdir):
    path = os.path.join(outdir, "gpmf_F.mp4")
    ffmpeg_clip(path, SECONDS, TRACK_START)
    samples = [gpmf_payload(TRACK_START + datetime.timedelta(seconds=k), point(k), k) for k in range(SECONDS)]
    add_track(path, b"meta", "Motion metadata", gpmd_entry(), samples, mp4box.full_box(b"nmhd", 0, 0, b""))
    return {"file": os.path.basename(path), "gpsKind": 9, "duration": SECONDS,
            "seconds": seconds(TRACK_START, SECONDS, with_g=True)}


# Recordings without GPS: two with a creation time, two dated only by name.
PLAIN = [
    ("plain/20240305_100000_F.mp4", True),
    ("plain/20240305_100100_F.mp4", True),
    ("plain/20240305_100200_F.mp4", False),
    ("plain/20240305_120000_F.mp4", False),
]


def make_plain(outdir):
    out = []
    os.makedirs(os.path.join(outdir, "plain"), exist_ok=True)
    for rel, with_ctime in PLAIN:
        name = os.path.basename(rel)
        when = datetime.datetime.strptime(name[:15], "%Y%m%d_%H%M%S")
        ffmpeg_clip(os.path.join(outdir, rel), 4, when if with_ctime else None)
        out.append({"file": rel, "start": when.strftime("%Y-%m-%dT%H:%M:%SZ"), "duration": 4,
                    "creationTime": with_ctime})
    return out


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    manifest = {"tracks": [make_nmea(outdir), make_gpmf(outdir)], "plain": make_plain(outdir)}
    with open(os.path.join(outdir, "trackmedia.json"), "w") as f:
        json.dump(manifest, f, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
