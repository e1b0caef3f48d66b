#!/usr/bin/env python3
"""Makes the test recordings into OUTDIR: plain clips for the player engine
and the component, and dashboard-camera recordings with GPS records in every
layout the parsers know, each with a NAME.expected.json beside it.

Usage: make_test_media.py OUTDIR [--jobs N] [--force] [--only SUBSTRING]

Files that exist and were made by the same generator scripts (and the same
ffmpeg) are kept, so a second run costs almost nothing.
"""

import argparse
import concurrent.futures
import datetime
import fcntl
import hashlib
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import gpsrecord  # noqa: E402
import mp4box  # noqa: E402

FFMPEG = os.environ.get("FFMPEG", "ffmpeg")
# Two jobs keep a shared two-core machine busy without starving it.
DEFAULT_JOBS = 2
EPOCH_1904 = datetime.datetime(1904, 1, 1)

# GpsSourceKind values.
NO_GPS, EXT_TRACK, INDEX_BOX, FREE_GPS, TOP_LEVEL, META_TRACK, AVI_BLOCK = 0, 1, 2, 3, 4, 6, 7


# ---- jobs ------------------------------------------------------------------

class Job:
    def __init__(self, relpath, fn, doc):
        self.relpath = relpath
        self.fn = fn
        self.doc = doc


JOBS = []


def recording(relpath):
    def register(fn):
        JOBS.append(Job(relpath, fn, (fn.__doc__ or "").strip()))
        return fn
    return register


class Context:
    """What a job gets: where to write, a scratch folder, and ffmpeg."""

    def __init__(self, job, outdir, scratch):
        self.job = job
        self.outdir = outdir
        self.scratch = scratch
        self.target = os.path.join(scratch, "result" + os.path.splitext(job.relpath)[1])

    def tmp(self, name):
        return os.path.join(self.scratch, name)

    def ffmpeg(self, args, out):
        cmd = [FFMPEG, "-nostdin", "-hide_banner", "-v", "error", "-y"] + args + [out]
        run = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if run.returncode != 0:
            raise RuntimeError("ffmpeg failed for %s:\n%s\n%s" % (
                self.job.relpath, " ".join(cmd), run.stderr.decode(errors="replace")))
        return out


def testsrc(size, rate, duration):
    return ["-f", "lavfi", "-i", "testsrc2=size=%s:rate=%s:duration=%s" % (size, rate, duration)]


def sine(duration, freq=440):
    return ["-f", "lavfi", "-i", "sine=frequency=%d:sample_rate=48000:duration=%s" % (freq, duration)]


def h264(gop=30, crf=28):
    # A fixed GOP: no extra key frames at scene cuts.
    return ["-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p",
            "-g", str(gop), "-keyint_min", str(gop), "-sc_threshold", "0", "-crf", str(crf)]


def h265(pix_fmt="yuv420p", tag="hvc1", gop=30):
    return ["-c:v", "libx265", "-preset", "ultrafast", "-pix_fmt", pix_fmt,
            "-x265-params", "log-level=error:keyint=%d" % gop, "-tag:v", tag]


AAC = ["-c:a", "aac", "-b:a", "96k", "-ac", "2", "-ar", "48000"]
NO_AUDIO = ["-an"]


def created(when):
    return ["-metadata", "creation_time=" + when.strftime("%Y-%m-%dT%H:%M:%SZ")]


# ---- facts a parser must report ---------------------------------------------

def rate_one_decimal(x):
    return float("%.1f" % x)


def mp4_facts(path, video_index=0, stsz_before_mvhd=False):
    """The video facts of the chosen video track (the job says which)."""
    f = mp4box.Mp4File(path)
    ts, dur = mp4box.mvhd_values(f.moov)
    trak = mp4box.tracks_of(f.moov, b"vide")[video_index]
    ctime, width, height = mp4box.tkhd_values(trak)
    frames = len(mp4box.read_stsz(trak.path(b"mdia", b"minf", b"stbl")))
    rate = 0.0
    if not stsz_before_mvhd and dur and frames:
        rate = rate_one_decimal(frames * ts / dur)
    entry = mp4box.sample_entry_type(trak)
    return {
        "width": width,
        "height": height,
        "duration": dur // ts if ts else 0,
        "frameRate": rate,
        "codec": {b"avc1": 1, b"hvc1": 2}.get(entry, 0),
        "createTime": (EPOCH_1904 + datetime.timedelta(seconds=ctime)).isoformat(),
        "createTimeSecs": ctime,
        "videoFrames": frames,
    }


def avi_facts(path):
    with open(path, "rb") as f:
        head = f.read(12 + 12 + 8 + 56)
    if head[0:4] != b"RIFF" or head[8:12] != b"AVI " or head[24:28] != b"avih":
        raise ValueError("%s: unexpected AVI header" % path)
    usec, _, _, _, frames = struct.unpack_from("<5I", head, 32)
    width, height = struct.unpack_from("<II", head, 32 + 32)
    return {
        "width": width,
        "height": height,
        "duration": usec * frames // 1000000,
        "frameRate": 0.0,
        "codec": 0,
        "createTime": None,
        "createTimeSecs": None,
        "videoFrames": frames,
    }


def no_gps():
    return {"gpsKind": NO_GPS, "gpsLayout": "none", "gpsOffset": 0, "gpsCount": 0,
            "freeGpsOffset": 0, "rawSamples": []}


def expectation(facts, gps, **extra):
    out = dict(facts)
    out.update(gps)
    out["samples"] = gpsrecord.normalise(gps["rawSamples"], facts["duration"])
    out.update(extra)
    return out


# ---- plain media for the engine and the component ---------------------------

def plain_mp4(ctx, video, audio, inputs, nominal, extra_args=()):
    ctx.ffmpeg(inputs + video + audio + list(extra_args), ctx.target)
    return expectation(mp4_facts(ctx.target), no_gps(), **nominal)


@recording("engine/clip1080_F.mp4")
def clip1080(ctx):
    """20 s 1920x1080 30 fps H.264 (yuv420p, GOP 30) + AAC 48 kHz stereo sine."""
    return plain_mp4(ctx, h264(gop=30), AAC, testsrc("1920x1080", 30, 20) + sine(20),
                     dict(nominalFrameRate=30, hasAudio=True, videoCodec="h264"))


@recording("engine/clip_short_F.mp4")
def clip_short_front(ctx):
    """3 s 640x360 30 fps H.264 + AAC; the front of a pair."""
    return plain_mp4(ctx, h264(), AAC, testsrc("640x360", 30, 3) + sine(3),
                     dict(nominalFrameRate=30, hasAudio=True, videoCodec="h264"))


@recording("engine/clip_short_R.mp4")
def clip_short_rear(ctx):
    """3 s 640x360 30 fps H.264, no audio; the rear of the pair."""
    return plain_mp4(ctx, h264(), NO_AUDIO, testsrc("640x360", 30, 3),
                     dict(nominalFrameRate=30, hasAudio=False, videoCodec="h264"))


@recording("engine/clip_h265_F.mp4")
def clip_h265(ctx):
    """4 s 1280x720 30 fps H.265 tagged hvc1 + AAC."""
    return plain_mp4(ctx, h265(), AAC, testsrc("1280x720", 30, 4) + sine(4),
                     dict(nominalFrameRate=30, hasAudio=True, videoCodec="hevc"))


@recording("engine/clip_h265_10bit_F.mp4")
def clip_h265_10bit(ctx):
    """2 s 640x360 30 fps H.265 yuv420p10le (hvc1), no audio."""
    return plain_mp4(ctx, h265(pix_fmt="yuv420p10le"), NO_AUDIO, testsrc("640x360", 30, 2),
                     dict(nominalFrameRate=30, hasAudio=False, videoCodec="hevc"))


@recording("engine/clip_noaudio_F.mp4")
def clip_noaudio(ctx):
    """4 s 640x360 30 fps H.264, no audio."""
    return plain_mp4(ctx, h264(), NO_AUDIO, testsrc("640x360", 30, 4),
                     dict(nominalFrameRate=30, hasAudio=False, videoCodec="h264"))


MJPEG = ["-c:v", "mjpeg", "-pix_fmt", "yuvj422p", "-q:v", "5"]
PCM = ["-c:a", "pcm_s16le", "-ar", "48000", "-ac", "2"]


@recording("engine/clip_mjpeg_F.avi")
def clip_mjpeg(ctx):
    """4 s 640x360 25 fps MJPEG (yuvj422p) + PCM s16le 48 kHz stereo in AVI."""
    ctx.ffmpeg(testsrc("640x360", 25, 4) + sine(4) + MJPEG + PCM, ctx.target)
    return expectation(avi_facts(ctx.target), no_gps(),
                       nominalFrameRate=25, hasAudio=True, videoCodec="mjpeg")


SUBTITLES = """1
00:00:00,500 --> 00:00:01,800
First line

2
00:00:02,000 --> 00:00:03,500
Second line
"""


@recording("engine/clip_subtitle_F.mp4")
def clip_subtitle(ctx):
    """4 s 640x360 30 fps H.264 + AAC + a mov_text subtitle stream (two cues)."""
    srt = ctx.tmp("subs.srt")
    with open(srt, "w") as f:
        f.write(SUBTITLES)
    inputs = testsrc("640x360", 30, 4) + sine(4) + ["-i", srt]
    return plain_mp4(ctx, h264(), AAC, inputs,
                     dict(nominalFrameRate=30, hasAudio=True, videoCodec="h264"),
                     ["-map", "0:v", "-map", "1:a", "-map", "2:s", "-c:s", "mov_text"])


QUADRANTS = ("color=c=0xFF0000:s=320x180:r=30:d=3[a];color=c=0x00FF00:s=320x180:r=30:d=3[b];"
             "color=c=0x0000FF:s=320x180:r=30:d=3[c];color=c=0xFFFFFF:s=320x180:r=30:d=3[d];"
             "[a][b]hstack[t];[c][d]hstack[u];[t][u]vstack,format=yuv420p[out0]")


@recording("component/quadrants_F.mp4")
def quadrants(ctx):
    """3 s 640x360 30 fps H.264 + AAC: red, green / blue, white quadrants."""
    return plain_mp4(ctx, h264(crf=10), AAC, ["-f", "lavfi", "-i", QUADRANTS] + sine(3),
                     dict(nominalFrameRate=30, hasAudio=True, videoCodec="h264"))


def frame_number_pattern(duration, below):
    # Drawn at one pixel per 40x40 block and scaled up without filtering:
    # row 0 holds bit k of the frame number in column k, rows 1-8 the colour.
    r, g, b = below

    def plane(c):
        return "'if(lt(Y,1),if(bitand(N,pow(2,X)),255,0),%d)'" % c
    return ("nullsrc=s=16x9:r=30:d=%d,format=gbrp,geq=r=%s:g=%s:b=%s,"
            "scale=640:360:flags=neighbor,format=yuv420p" % (duration, plane(r), plane(g), plane(b)))


@recording("component/pair_F.mp4")
def pair_front(ctx):
    """5 s 640x360 30 fps H.264 + AAC; frame number in the top row, red below."""
    return plain_mp4(ctx, h264(crf=10), AAC,
                     ["-f", "lavfi", "-i", frame_number_pattern(5, (255, 0, 0))] + sine(5),
                     dict(nominalFrameRate=30, hasAudio=True, videoCodec="h264"))


@recording("component/pair_R.mp4")
def pair_rear(ctx):
    """5 s 640x360 30 fps H.264, no audio; frame number in the top row, blue below."""
    return plain_mp4(ctx, h264(crf=10), NO_AUDIO,
                     ["-f", "lavfi", "-i", frame_number_pattern(5, (0, 0, 255))],
                     dict(nominalFrameRate=30, hasAudio=False, videoCodec="h264"))


# ---- running ---------------------------------------------------------------

def generator_hash():
    h = hashlib.sha256()
    for name in sorted(os.listdir(HERE)):
        if name.endswith(".py"):
            with open(os.path.join(HERE, name), "rb") as f:
                h.update(name.encode() + b"\0" + f.read())
    version = subprocess.run([FFMPEG, "-version"], stdout=subprocess.PIPE).stdout
    h.update(version.split(b"\n", 1)[0])
    return h.hexdigest()[:16]


def expected_path(outdir, relpath):
    return os.path.join(outdir, relpath + ".expected.json")


def up_to_date(outdir, job, stamp):
    try:
        with open(expected_path(outdir, job.relpath)) as f:
            return json.load(f).get("generator") == stamp and \
                os.path.exists(os.path.join(outdir, job.relpath))
    except (OSError, ValueError):
        return False


def markers(relpath):
    name = os.path.basename(relpath)
    m = re.search(r"_(F|R)(_TL)?(\.[^.]+)$", name)
    if not m:
        return None, None
    camera = "front" if m.group(1) == "F" else "rear"
    other = "R" if m.group(1) == "F" else "F"
    partner = name[:m.start()] + "_" + other + (m.group(2) or "") + m.group(3)
    return camera, os.path.join(os.path.dirname(relpath), partner)


def run_job(job, outdir, stamp):
    started = time.monotonic()
    final = os.path.join(outdir, job.relpath)
    os.makedirs(os.path.dirname(final), exist_ok=True)
    scratch = tempfile.mkdtemp(prefix=".gen-", dir=outdir)
    try:
        ctx = Context(job, outdir, scratch)
        expected = job.fn(ctx)
        camera, partner = markers(job.relpath)
        expected = dict(expected)
        expected.setdefault("playable", True)
        expected.update(file=job.relpath, description=job.doc, camera=camera,
                        partner=partner if partner and any(j.relpath == partner for j in JOBS) else None,
                        generator=stamp)
        os.replace(ctx.target, final)
        tmp_json = os.path.join(scratch, "expected.json")
        with open(tmp_json, "w") as f:
            json.dump(expected, f, indent=1, sort_keys=True)
            f.write("\n")
        os.replace(tmp_json, expected_path(outdir, job.relpath))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return time.monotonic() - started


def write_manifest(outdir, stamp):
    entries = []
    for job in JOBS:
        with open(expected_path(outdir, job.relpath)) as f:
            e = json.load(f)
        entries.append({k: e.get(k) for k in ("file", "description", "camera", "partner",
                                              "gpsKind", "gpsLayout", "playable")})
    with open(os.path.join(outdir, "manifest.json.tmp"), "w") as f:
        json.dump({"generator": stamp, "recordings": entries}, f, indent=1)
        f.write("\n")
    os.replace(os.path.join(outdir, "manifest.json.tmp"), os.path.join(outdir, "manifest.json"))


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("outdir")
    ap.add_argument("--jobs", type=int, default=DEFAULT_JOBS)
    ap.add_argument("--force", action="store_true", help="make every file again")
    ap.add_argument("--only", help="make only the files whose path contains this")
    args = ap.parse_args(argv)

    outdir = os.path.abspath(args.outdir)
    os.makedirs(outdir, exist_ok=True)
    if shutil.which(FFMPEG) is None:
        print("make_test_media: ffmpeg not found", file=sys.stderr)
        return 2
    stamp = generator_hash()
    # CTest and the by-hand target may start at the same time.
    with open(os.path.join(outdir, ".lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        for leftover in os.listdir(outdir):
            if leftover.startswith(".gen-"):
                shutil.rmtree(os.path.join(outdir, leftover), ignore_errors=True)
        todo = [j for j in JOBS
                if (not args.only or args.only in j.relpath)
                and (args.force or not up_to_date(outdir, j, stamp))]
        started = time.monotonic()
        failures = 0
        with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
            futures = {pool.submit(run_job, j, outdir, stamp): j for j in todo}
            for fut in concurrent.futures.as_completed(futures):
                job = futures[fut]
                try:
                    print("made %-48s %5.1f s" % (job.relpath, fut.result()), flush=True)
                except Exception as e:  # one broken recording must not hide the others
                    failures += 1
                    print("FAILED %s: %s" % (job.relpath, e), file=sys.stderr, flush=True)
        if failures:
            return 1
        if not args.only:
            write_manifest(outdir, stamp)
        print("%d of %d recordings made in %.1f s, %d up to date"
              % (len(todo), len(JOBS), time.monotonic() - started, len(JOBS) - len(todo)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
