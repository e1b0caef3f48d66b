#!/usr/bin/env python3
"""Checks the generated recordings against their .expected.json: a walker
written from the parsing rules (not from the generator's own layout code)
finds the video facts and the GPS source and re-reads every record; ffprobe
confirms the streams, and ffmpeg must decode each playable file without a
single error line.

Usage: check_media.py MEDIADIR [--no-decode] [--only SUBSTRING]
"""

import argparse
import concurrent.futures
import datetime
import json
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

import gpsrecord  # noqa: E402

FFMPEG = os.environ.get("FFMPEG", "ffmpeg")
FFPROBE = os.environ.get("FFPROBE", os.path.join(os.path.dirname(FFMPEG), "ffprobe")
                         if os.path.dirname(FFMPEG) else "ffprobe")
PROBES = (65540, 131076, 262148)
HANDLER_TYPES = {"vide": 1, "soun": 2, "text": 3, "meta": 4}


class Reader:
    def __init__(self, data):
        self.d = data
        self.pos = 0

    def at_end(self):
        return self.pos >= len(self.d)

    def read(self, n):
        out = self.d[self.pos:self.pos + n] if self.pos < len(self.d) else b""
        self.pos += n
        return out

    def u(self, n, fmt):
        raw = self.read(n)
        return struct.unpack(fmt, raw.ljust(n, b"\0"))[0]

    def u16(self):
        return self.u(2, ">H")

    def u32(self):
        return self.u(4, ">I")

    def u64(self):
        return self.u(8, ">Q")


class Mp4Walk(Reader):
    """The MP4/MOV walk as the parser does it, one pass over the headers."""

    def __init__(self, data):
        super().__init__(data)
        self.width = self.height = self.codec = self.duration = 0
        self.frame_rate = 0.0
        self.create_time = None
        self.kind, self.offset, self.count, self.free_offset = 0, 0, 0, 0
        self.sample_codec = 0
        self.ts = self.movie_duration = 0
        self.track_rate = 0.0
        while not self.at_end():
            start = self.pos
            t, size, payload = self.header()
            if size == 0:
                continue
            if size < self.pos - start:
                break
            if t == "moov":
                self.level(payload, self.movie_box)
            elif t == "gps0":
                self.kind, self.count, self.offset = 4, (size - 8) // 311, self.pos
                self.pos = start + size
            else:
                self.pos += payload

    def header(self):
        size = self.u32()
        t = self.read(4).split(b"\0")[0].decode("latin-1")
        if size == 1:
            size = self.u64()
            return t, size, size - 16
        return t, size, (size - 8) & 0xFFFFFFFFFFFFFFFF

    def level(self, payload, handle, *state):
        start = self.pos
        while self.pos - start < payload and not self.at_end():
            box = self.pos
            t, size, inner = self.header()
            if size == 0:
                continue
            if size < self.pos - box:
                self.pos = start + payload
                return
            if not handle(t, box, size, inner, *state):
                self.pos += inner

    def movie_box(self, t, box, size, payload):
        if t == "trak":
            track = {"htype": 0, "width": 0, "height": 0, "ctime": 0}
            self.level(payload, self.track_box, track)
            if track["htype"] == 1 and track["width"] > self.width:
                self.width, self.height = track["width"], track["height"]
                self.codec, self.frame_rate = self.sample_codec, self.track_rate
                self.create_time = (datetime.datetime(1904, 1, 1)
                                    + datetime.timedelta(seconds=track["ctime"])).isoformat()
            return True
        if t == "mvhd":
            fields = struct.unpack(">IIIII", self.read(20).ljust(20, b"\0"))
            self.read(80)
            self.ts, self.movie_duration = fields[3], fields[4]
            self.duration = self.movie_duration // self.ts if self.ts else 0
            return True
        if t == "gps ":
            self.read(4)
            self.count = self.u32()
            self.offset, self.kind = self.pos, 2
            self.pos = box + size
            return True
        return False

    def track_box(self, t, box, size, payload, track):
        if t == "mdia":
            media = {"name": "", "offset": 0, "count": 0}
            self.level(payload, self.media_box, track, media)
            self.choose_source(track["htype"], media)
            return True
        if t == "tkhd":
            raw = self.read(84).ljust(84, b"\0")
            track["ctime"] = struct.unpack_from(">I", raw, 4)[0]
            track["width"] = struct.unpack_from(">I", raw, 76)[0] >> 16
            track["height"] = struct.unpack_from(">I", raw, 80)[0] >> 16
            return True
        return False

    def media_box(self, t, box, size, payload, track, media):
        if t == "hdlr":
            self.read(8)
            track["htype"] = HANDLER_TYPES.get(self.read(4).decode("latin-1").lower(), 5)
            self.read(12)
            name = self.read(min(max(size - 32, 0), 55))
            media["name"] = name.split(b"\0")[0].decode("latin-1")
            self.pos = box + size
            return True
        if t == "minf":
            self.level(payload, lambda t2, b2, s2, p2: t2 == "stbl" and
                       (self.level(p2, self.table_box, media) or True))
            return True
        return False

    def table_box(self, t, box, size, payload, media):
        if t == "stco":
            self.read(4)
            media["count"] = self.u32()
            media["offset"] = self.pos
            self.pos += media["count"] * 4
            return True
        if t == "stsd":
            self.level(payload, self.description)
            return True
        if t == "stsz":
            self.read(8)
            n = struct.unpack(">i", struct.pack(">I", self.u32()))[0]
            if n > 0:
                rate = n * self.ts / self.movie_duration if self.movie_duration else 0.0
                self.track_rate = float("%.1f" % rate)
            self.pos = box + size
            return True
        return False

    def description(self, t, box, size, payload):
        self.sample_codec = {"avc1": 1, "hvc1": 2}.get(t, self.sample_codec)
        return False

    def choose_source(self, htype, media):
        name = media["name"].lower()
        if "ambarella ext" in name:
            self.kind, self.offset, self.count = 1, media["offset"], media["count"]
        elif "gps" in name and htype == 4:
            self.kind, self.offset, self.count = 6, media["offset"], media["count"]
        elif htype == 2:
            back = self.pos
            self.pos = media["offset"]
            first = self.u32()
            for probe in PROBES:
                self.pos = first + probe
                if self.read(8)[:7] == b"freeGPS":
                    self.kind, self.offset, self.count = 3, media["offset"], media["count"]
                    self.free_offset = probe
                    break
            self.pos = back


class AviWalk(Reader):
    def __init__(self, data):
        super().__init__(data)
        self.width = self.height = self.duration = self.codec = 0
        self.frame_rate = 0.0
        self.create_time = None
        self.kind, self.offset, self.count, self.free_offset = 0, 0, 0, 0
        riff, size, form = self.read(4), self.u(4, "<I"), self.read(4)
        if riff != b"RIFF" or form != b"AVI " or size == 0:
            return
        while not self.at_end():
            lid, lsize, ltype = self.read(4), self.u(4, "<I"), self.read(4)
            if lid == b"LIST" and ltype == b"hdrl" and lsize:
                cid, csize = self.read(4), self.u(4, "<I")
                if cid == b"avih" and csize:
                    h = struct.unpack("<14I", self.read(56).ljust(56, b"\0"))
                    self.duration = h[0] * h[4] // 1000000
                    self.width, self.height = h[8], h[9]
                    break
        self.pos = len(data) - 4
        at = self.u32()
        if at < len(data):
            self.pos = at
            if self.read(4) == b"GPSL":
                self.kind, self.count, self.offset = 7, self.u32(), self.pos


def walk(path):
    with open(path, "rb") as f:
        data = f.read()
    w = AviWalk(data) if path.upper().endswith(".AVI") else Mp4Walk(data)
    source = {"gpsKind": w.kind, "gpsOffset": w.offset, "gpsCount": w.count,
              "freeGpsOffset": w.free_offset}
    raw = gpsrecord.read_samples(data, source)
    facts = {"width": w.width, "height": w.height, "duration": w.duration,
             "frameRate": w.frame_rate, "codec": w.codec, "createTime": w.create_time,
             "rawSamples": raw, "samples": gpsrecord.normalise(raw, w.duration)}
    facts.update(source)
    return facts


def ffprobe(path):
    run = subprocess.run([FFPROBE, "-v", "error", "-show_streams", "-of", "json", path],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return json.loads(run.stdout or b"{}").get("streams", []), run.stderr.decode(errors="replace")


def decode_errors(path):
    run = subprocess.run([FFMPEG, "-nostdin", "-v", "error", "-i", path, "-f", "null", "-"],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    text = run.stderr.decode(errors="replace").strip()
    return text if run.returncode or text else ""


def check(mediadir, rel, decode):
    path = os.path.join(mediadir, rel)
    with open(path + ".expected.json") as f:
        want = json.load(f)
    problems = []
    got = walk(path)
    for key, value in got.items():
        if want.get(key) != value:
            if key.endswith("amples"):
                first = next((n for n, (a, b) in enumerate(zip(want[key], value)) if a != b), None)
                problems.append("%s differ (lengths %d/%d, first difference at %s)"
                                % (key, len(want[key]), len(value), first))
            else:
                problems.append("%s: expected %r, walker found %r" % (key, want.get(key), value))
    if want.get("playable", True):
        streams, err = ffprobe(path)
        if err.strip():
            problems.append("ffprobe: " + err.strip())
        videos = [s for s in streams if s.get("codec_type") == "video"]
        if not any(s.get("width") == want["width"] and s.get("height") == want["height"]
                   for s in videos):
            problems.append("no %dx%d video stream" % (want["width"], want["height"]))
        if want.get("videoCodec") and not any(s.get("codec_name") == want["videoCodec"] for s in videos):
            problems.append("no %s video stream" % want["videoCodec"])
        if want.get("hasAudio") is not None and \
                want["hasAudio"] != any(s.get("codec_type") == "audio" for s in streams):
            problems.append("audio presence differs")
        if decode:
            errors = decode_errors(path)
            if errors:
                problems.append("ffmpeg decode: " + errors[:300])
    return problems


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("mediadir")
    ap.add_argument("--no-decode", action="store_true")
    ap.add_argument("--only")
    ap.add_argument("--jobs", type=int, default=2)
    args = ap.parse_args(argv)
    with open(os.path.join(args.mediadir, "manifest.json")) as f:
        files = [r["file"] for r in json.load(f)["recordings"]]
    files = [r for r in files if not args.only or args.only in r]
    bad = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for rel, problems in zip(files, pool.map(lambda r: check(args.mediadir, r, not args.no_decode), files)):
            if problems:
                bad += 1
                print("FAIL %s\n  %s" % (rel, "\n  ".join(problems)))
            else:
                print("ok   %s" % rel)
    print("%d of %d recordings failed" % (bad, len(files)))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
