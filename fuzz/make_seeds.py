#!/usr/bin/env python3
"""Seed corpus for the fuzz targets, made from the test recordings.

    make_seeds.py MEDIA_DIR OUT_DIR

For every recording: its first 64 KiB, and a compact copy that keeps every
box or chunk the parsers walk plus the GPS records they locate (the media
data itself is dropped and the tables are pointed at the moved records), so
the fuzzer starts from inputs that reach the deep boxes in a few kilobytes.
Writes OUT_DIR/<target>/<recording>.<kind> for each target."""

import json
import os
import struct
import sys

HEAD = 64 * 1024
RECORD = 312
MASK = 0x3C
# Top-level boxes larger than this are media data, not structure.
KEEP_LIMIT = 256 * 1024
CONTAINERS = {b"moov", b"trak", b"mdia", b"minf", b"stbl"}
# Per GPS layout: bytes from a table entry to the copied part, that part's
# length, and the table's entry stride.
LAYOUT = {1: (0, 2 + RECORD, 4), 2: (0, 18 + RECORD, 8), 6: (0, RECORD, 4)}


def boxes(data, start, end):
    """(type, start, header, size) of the boxes in [start, end); stops at a bad one."""
    pos = start
    while pos + 8 <= end:
        size, kind = struct.unpack_from(">I4s", data, pos)
        header = 8
        if size == 1:
            if pos + 16 > end:
                return
            size = struct.unpack_from(">Q", data, pos + 8)[0]
            header = 16
        elif size == 0:
            size = end - pos
        if size < header or pos + size > end:
            return
        yield kind, pos, header, size
        pos += size


def chunk_tables(data, start, end):
    """Absolute offsets of the entry arrays of every 'stco' below [start, end)."""
    for kind, pos, header, size in boxes(data, start, end):
        if kind in CONTAINERS:
            yield from chunk_tables(data, pos + header, pos + size)
        elif kind == b"stco" and size >= 16:
            count = struct.unpack_from(">I", data, pos + header + 4)[0]
            yield pos + header + 8, min(count, (size - header - 8) // 4)


def compact_mp4(data, facts):
    top = list(boxes(data, 0, len(data)))
    if not any(kind == b"moov" for kind, *_ in top):
        return None
    out = bytearray()
    moved = {}  # old start of a kept box -> new start
    for kind, pos, header, size in top:
        if kind != b"mdat" and size <= KEEP_LIMIT:
            moved[pos] = len(out)
            out += data[pos:pos + size]

    def new_pos(old):
        for kind, pos, header, size in top:
            if pos in moved and pos <= old < pos + size:
                return moved[pos] + old - pos
        return None

    area = len(out) + 8
    # Every chunk now points at the start of the (small) media data.
    for kind, pos, header, size in top:
        if kind == b"moov" and pos in moved:
            for at, count in chunk_tables(data, pos + header, pos + size):
                for k in range(count):
                    struct.pack_into(">I", out, new_pos(at) + 4 * k, area)

    body = bytearray()
    gps_kind, table, count = facts["gpsKind"], facts["gpsOffset"], facts["gpsCount"]
    if gps_kind in (1, 2, 3, 6) and new_pos(table) is not None:
        if gps_kind == 3:
            lead, span, stride = facts["freeGpsOffset"], 14 + RECORD, 4
        else:
            lead, span, stride = LAYOUT[gps_kind]
        step = span + 16
        body = bytearray(lead + step * count)
        for k in range(count):
            old = struct.unpack_from(">I", data, table + stride * k)[0]
            piece = data[old + lead:old + lead + span]
            body[lead + step * k:lead + step * k + len(piece)] = piece
            struct.pack_into(">I", out, new_pos(table) + stride * k, area + step * k)
    out += struct.pack(">I4s", len(body) + 8, b"mdat") + body
    return bytes(out)


def compact_avi(data, facts):
    if data[:4] != b"RIFF" or len(data) < 12:
        return None
    pos = 12
    while pos + 12 <= len(data):
        cid, size = struct.unpack_from("<4sI", data, pos)
        if cid == b"LIST" and data[pos + 8:pos + 12] == b"movi":
            break
        pos += 8 + size + (size & 1)
    out = bytearray(data[:pos]) + b"LIST" + struct.pack("<I", 4) + b"movi"
    struct.pack_into("<I", out, 4, len(out) - 8)
    if facts["gpsKind"] == 7:
        block = facts["gpsOffset"] - 8
        records = data[block:min(len(data) - 4, facts["gpsOffset"] + RECORD * facts["gpsCount"])]
        at = len(out)
        out += records + struct.pack(">I", at)
    return bytes(out)


def records_of(compact, facts):
    """The unmasked records a compact copy holds, for the record decoder."""
    found = []
    i = compact.find(b"\x01\x38")
    while i >= 0 and len(found) < 64:
        rec = compact[i:i + RECORD]
        if len(rec) == RECORD and rec[8 + 0] ^ MASK in b"12":
            found.append(bytes(rec[:2]) + bytes(b ^ MASK for b in rec[2:]))
            i = compact.find(b"\x01\x38", i + RECORD)
        else:
            i = compact.find(b"\x01\x38", i + 1)
    return found


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_seeds.py MEDIA_DIR OUT_DIR")
    media, out = sys.argv[1], sys.argv[2]
    targets = ("mp4parser", "aviparser", "gpsrecord", "videoparser")
    for t in targets:
        os.makedirs(os.path.join(out, t), exist_ok=True)
    made = 0
    for root, _, files in sorted(os.walk(media)):
        for name in sorted(files):
            expected = os.path.join(root, name + ".expected.json")
            if not os.path.exists(expected):
                continue
            with open(os.path.join(root, name), "rb") as f:
                data = f.read()
            with open(expected) as f:
                facts = json.load(f)
            avi = name.lower().endswith(".avi")
            stem = os.path.relpath(os.path.join(root, name), media).replace(os.sep, "_")
            compact = compact_avi(data, facts) if avi else compact_mp4(data, facts)
            seeds = {"head": data[:HEAD]}
            if compact:
                seeds["compact"] = compact
            # The whole-parse target picks its parser by the first byte.
            select = b"\x01" if avi else (b"\x02" if name.endswith(".mov") else b"\x00")
            for kind, seed in seeds.items():
                parser = "aviparser" if avi else "mp4parser"
                for target, body in ((parser, seed), ("videoparser", select + seed)):
                    with open(os.path.join(out, target, "%s.%s" % (stem, kind)), "wb") as f:
                        f.write(body)
                    made += 1
            recs = records_of(compact or b"", facts)
            if recs:
                # Four doubles for the direct heading call, then step-and-record groups.
                seed = struct.pack("<4d", 139.68, 35.68, 139.69, 35.69)
                seed += b"".join(b"\x01" + r for r in recs)
                with open(os.path.join(out, "gpsrecord", stem + ".records"), "wb") as f:
                    f.write(seed)
                made += 1
    made += track_seeds(out)
    print("%d seeds in %s" % (made, out))


def track_seeds(out):
    """Seeds for the NMEA, GPX and GPMF readers, from the track generator."""
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "gen"))
    import datetime
    import trackmedia
    start = datetime.datetime(2024, 2, 29, 23, 59, 58)
    times = [start + datetime.timedelta(seconds=k) for k in range(3)]
    sentences = [trackmedia.nmea_sentences(t, trackmedia.point(k)).encode() for k, t in enumerate(times)]
    gpx = ('<?xml version="1.0"?><gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1"><trk><trkseg>'
           + "".join('<trkpt lat="%.6f" lon="%.6f"><ele>4</ele><time>%s</time><extensions><speed>3.5</speed>'
                     '</extensions></trkpt>' % (trackmedia.point(k)["lat"], trackmedia.point(k)["lon"],
                                                t.strftime("%Y-%m-%dT%H:%M:%SZ")) for k, t in enumerate(times))
           + '</trkseg></trk></gpx>').encode()
    seeds = {
        ("nmea", "lines"): b"".join(sentences),
        ("nmea", "samples"): b"\xff".join(sentences),
        ("gpx", "track"): gpx,
        ("gpmf", "payload"): trackmedia.gpmf_payload(times[0], trackmedia.point(0), 0),
    }
    for (target, name), body in seeds.items():
        os.makedirs(os.path.join(out, target), exist_ok=True)
        with open(os.path.join(out, target, name), "wb") as f:
            f.write(body)
    return len(seeds)


if __name__ == "__main__":
    main()
