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
sys.dont_write_bytecode = True      # keep the source tree clean

import embed  # noqa: E402
import gpsrecord  # noqa: E402
import mp4box  # noqa: E402

FFMPEG = os.environ.get("FFMPEG", "ffmpeg")
# Two jobs keep a shared two-core machine busy without starving it.
DEFAULT_JOBS = 2
EPOCH_1904 = datetime.datetime(1904, 1, 1)


# ---- jobs ------------------------------------------------------------------

class Job:
    def __init__(self, relpath, fn, doc, listed=True):
        self.relpath = relpath
        self.fn = fn
        self.doc = doc
        # Containers the recording parsers do not read (MKV, raw streams) are
        # left out of the manifest, which lists what they must parse.
        self.listed = listed


JOBS = []


def recording(relpath, listed=True):
    def register(fn):
        JOBS.append(Job(relpath, fn, (fn.__doc__ or "").strip(), listed))
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
    return {"gpsKind": embed.NO_GPS, "gpsLayout": "none", "gpsOffset": 0, "gpsCount": 0,
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


ENGINE_TRIP_START = datetime.datetime(2024, 1, 2, 8, 0, 0)


@recording("engine/clip1080_F.mp4")
def clip1080(ctx):
    """20 s 1920x1080 30 fps H.264 (yuv420p, GOP 30) + AAC 48 kHz stereo sine; 'gps ' index box."""
    track = gpsrecord.Track(ENGINE_TRIP_START, 22)
    return camera_mp4(ctx, testsrc("1920x1080", 30, 20) + sine(20), h264(gop=30) + AAC,
                      lambda b: b.add_index_box(track),
                      dict(nominalFrameRate=30, hasAudio=True, videoCodec="h264"))


@recording("engine/clip_short_F.mp4")
def clip_short_front(ctx):
    """3 s 640x360 30 fps H.264 + AAC; the front of a pair; top-level 'gps0'."""
    track = gpsrecord.Track(ENGINE_TRIP_START, 5, 10)
    return camera_mp4(ctx, testsrc("640x360", 30, 3) + sine(3), h264() + AAC,
                      lambda b: b.add_gps0(track),
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


@recording("engine/clip_4fps_noaudio_F.mp4")
def clip_4fps_noaudio(ctx):
    """3 s 320x180 4 fps H.264 (a key frame every second), no audio: a time-lapse."""
    return plain_mp4(ctx, h264(gop=4), NO_AUDIO, testsrc(SMALL, 4, 3),
                     dict(nominalFrameRate=4, hasAudio=False, videoCodec="h264"))


@recording("engine/clip_10fps_noaudio_F.mp4")
def clip_10fps_noaudio(ctx):
    """2 s 320x180 10 fps H.264 (a key frame every second), no audio."""
    return plain_mp4(ctx, h264(gop=10), NO_AUDIO, testsrc(SMALL, 10, 2),
                     dict(nominalFrameRate=10, hasAudio=False, videoCodec="h264"))


@recording("engine/clip_5fps_aac_F.mp4")
def clip_5fps_aac(ctx):
    """4 s 320x180 5 fps H.264 (a key frame every second) + AAC."""
    return plain_mp4(ctx, h264(gop=5), AAC, testsrc(SMALL, 5, 4) + sine(4),
                     dict(nominalFrameRate=5, hasAudio=True, videoCodec="h264"))


def probed_facts(ctx, path, seconds, rate, audio, **extra):
    """The facts of a file the recording parsers do not read, from what was asked of ffmpeg."""
    facts = {"width": 320, "height": 180, "duration": seconds, "frameRate": float(rate), "codec": 1,
             "createTime": None, "createTimeSecs": None, "videoFrames": seconds * rate}
    facts.update(no_gps())
    facts.update(nominalFrameRate=rate, hasAudio=audio, videoCodec="h264", samples=[])
    facts.update(extra)
    return facts


@recording("engine/late_video_F.mkv", listed=False)
def late_video_mkv(ctx):
    """MKV: 6 s of 320x180 30 fps H.264 (a key frame every second) from about 0.85 s, AAC from 0."""
    inputs = ["-itsoffset", "0.821"] + testsrc(SMALL, 30, 6) + sine(6.821)
    ctx.ffmpeg(inputs + h264(gop=30) + AAC, ctx.target)
    return probed_facts(ctx, ctx.target, 6, 30, True, videoStartMs=821, containerDurationMs=6821)


@recording("engine/remux_F.mkv", listed=False)
def remux_mkv(ctx):
    """An MP4 of 3 s 320x180 30 fps H.264 + AAC remuxed into MKV: no stream carries a duration."""
    base = ctx.tmp("base.mp4")
    ctx.ffmpeg(testsrc(SMALL, 30, 3) + sine(3) + h264() + AAC, base)
    ctx.ffmpeg(["-i", base, "-c", "copy"], ctx.target)
    return probed_facts(ctx, ctx.target, 3, 30, True)


@recording("engine/raw_F.h264", listed=False)
def raw_h264(ctx):
    """A raw H.264 stream (Annex B), 2 s 320x180 10 fps: no container, no timestamps."""
    ctx.ffmpeg(testsrc(SMALL, 10, 2) + h264(gop=10) + NO_AUDIO + ["-f", "h264"], ctx.target)
    return probed_facts(ctx, ctx.target, 2, 10, False)


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


# Seven full-height colour bars, so a sheared picture shows as a bar that
# drifts sideways from the top rows to the bottom ones.
def bars(size, rate, duration):
    w, h = size.split("x")
    return ["-f", "lavfi", "-i",
            "smptebars=size=%sx240:rate=%s:duration=%s,crop=%s:150:0:0,scale=%s:%s:flags=neighbor,setsar=1"
            % (w, rate, duration, w, w, h)]


def bar_samples(ctx, path, matrix, rng):
    """RGB at each bar's centre on three rows, as the ffmpeg tool converts the first picture."""
    facts = avi_facts(path) if path.endswith(".avi") else mp4_facts(path)
    w, h = facts["width"], facts["height"]
    cmd = [FFMPEG, "-nostdin", "-v", "error", "-i", path, "-frames:v", "1", "-vf",
           "scale=in_color_matrix=%s:in_range=%s:flags=bicubic+accurate_rnd+full_chroma_int,format=rgb24"
           % (matrix, rng), "-f", "rawvideo", "-"]
    rgb = subprocess.run(cmd, stdout=subprocess.PIPE, check=True).stdout
    out = []
    for y in (h // 8, h // 2, h - 1 - h // 8):
        for i in range(7):
            x = (2 * i + 1) * w // 14
            at = (y * w + x) * 3
            out.append([x, y] + list(rgb[at:at + 3]))
    return out


COLOUR_STANDARDS = {
    "bt601": ["-colorspace", "smpte170m", "-color_primaries", "smpte170m", "-color_trc", "smpte170m"],
    "bt709": ["-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc", "bt709"],
}


def colour_bars(matrix, rng):
    """2 s 640x360 10 fps H.264 colour bars, no audio, with the given matrix and range signalled."""
    def make(ctx):
        encode = ["-vf", "scale=out_color_matrix=%s:out_range=%s,format=yuv420p" % (matrix, rng),
                  "-color_range", rng] + COLOUR_STANDARDS[matrix]
        result = plain_mp4(ctx, h264(crf=10), NO_AUDIO, bars("640x360", 10, 2),
                           dict(nominalFrameRate=10, hasAudio=False, videoCodec="h264"), encode)
        result["bars"] = bar_samples(ctx, ctx.target, matrix, rng)
        return result
    make.__doc__ = colour_bars.__doc__.replace("the given", "%s %s" % (matrix, rng))
    return make


for _matrix in ("bt601", "bt709"):
    for _range, _name in (("tv", "limited"), ("pc", "full")):
        recording("component/bars_%s_%s_F.mp4" % (_matrix, _name))(colour_bars(_matrix, _range))


@recording("component/bars_odd_641x361_F.avi")
def bars_odd(ctx):
    """2 s 641x361 10 fps MJPEG (yuvj420p) colour bars in AVI, no audio: odd width and height."""
    ctx.ffmpeg(bars("641x361", 10, 2) + ["-c:v", "mjpeg", "-pix_fmt", "yuvj420p", "-q:v", "2"] + NO_AUDIO,
               ctx.target)
    return expectation(avi_facts(ctx.target), no_gps(), nominalFrameRate=10, hasAudio=False,
                       videoCodec="mjpeg", bars=bar_samples(ctx, ctx.target, "bt601", "pc"))


def frame_number_pattern(duration, below, first=0):
    # Drawn at one pixel per 40x40 block and scaled up without filtering:
    # row 0 holds bit k of the frame number (counted from `first`) in column k,
    # rows 1-8 the colour.
    r, g, b = below
    number = "N" if first == 0 else "(N+%d)" % first

    def plane(c):
        return "'if(lt(Y,1),if(bitand(%s,pow(2,X)),255,0),%d)'" % (number, c)
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


def seam_clip(part, rear):
    """One of two 1 s clips of a drive; the second numbers its pictures on from the first's 30."""
    def make(ctx):
        pattern = frame_number_pattern(1, (0, 0, 255) if rear else (255, 0, 0), first=30 * (part - 1))
        return plain_mp4(ctx, h264(crf=10), NO_AUDIO if rear else AAC,
                         ["-f", "lavfi", "-i", pattern] + ([] if rear else sine(1, 440 + 220 * part)),
                         dict(nominalFrameRate=30, hasAudio=not rear, videoCodec="h264"))
    make.__doc__ = "1 s 640x360 30 fps H.264%s; pictures numbered from %d in the top row." % (
        "" if rear else " + AAC", 30 * (part - 1))
    return make


for _part in (1, 2):
    recording("engine/seam_%d_F.mp4" % _part)(seam_clip(_part, False))
    recording("engine/seam_%d_R.mp4" % _part)(seam_clip(_part, True))


# ---- dashboard-camera recordings with GPS --------------------------------

def start_of(relpath):
    """The clip's start time from its name (yyyymmdd_hhmmss)."""
    m = re.search(r"(\d{8})_(\d{6})", os.path.basename(relpath))
    return datetime.datetime.strptime(m.group(1) + m.group(2), "%Y%m%d%H%M%S")


def trip(ctx, count, offset=0, start=None):
    return gpsrecord.Track(start or start_of(ctx.job.relpath), count, offset)


def camera_mp4(ctx, inputs, codec_args, setup, nominal, mov=False, video_index=0,
               winner=None, truncate=None, extra_args=(), start=None):
    """Encodes with ffmpeg, lets `setup` add GPS to the builder, writes.
    `truncate(size, positions)` cuts the finished file to that many bytes."""
    base = ctx.tmp("base" + (".mov" if mov else ".mp4"))
    if start is None and re.search(r"\d{8}_\d{6}", ctx.job.relpath):
        start = start_of(ctx.job.relpath)
    when = created(start) if start else []
    ctx.ffmpeg(inputs + codec_args + list(extra_args) + when, base)
    builder = embed.Mp4Builder(base, mov_style=mov)
    setup(builder)
    gps = builder.write(ctx.target, winner)
    facts = mp4_facts(ctx.target, video_index, builder.mvhd_last)
    extra = dict(nominal)
    if truncate:
        with open(ctx.target, "rb") as f:
            data = f.read()
        data = data[:truncate(len(data), builder.positions)]
        with open(ctx.target, "wb") as f:
            f.write(data)
        gps["rawSamples"] = gpsrecord.read_samples(data, gps)
        extra["truncatedAt"] = len(data)
    return expectation(facts, gps, **extra)


def av(size, rate, seconds, codec=None, audio=True):
    inputs = testsrc(size, rate, seconds) + (sine(seconds) if audio else [])
    return inputs, (codec or h264()) + (AAC if audio else NO_AUDIO)


def nominal(rate, audio, codec="h264"):
    return dict(nominalFrameRate=rate, hasAudio=audio, videoCodec=codec)


@recording("gps/20240101_120000_F.mp4")
def gps_ext_front(ctx):
    """32 s H.264 + AAC; GPS in an "Ambarella EXT" track (34 records, 33 samples)."""
    inputs, codec = av("640x360", 30, 32)
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_ext_track(trip(ctx, 34)), nominal(30, True))


@recording("gps/20240101_120000_R.mp4")
def gps_meta_rear(ctx):
    """32 s H.264, no audio; GPS in a 'meta' track named "GPS data" (34 records)."""
    inputs, codec = av("640x360", 30, 32, audio=False)
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_meta_track(trip(ctx, 34)), nominal(30, False))


@recording("gps/20240101_120100_000001_F_TL.mp4")
def gps_index_front_tl(ctx):
    """10 s H.265 (hvc1) + AAC; 'gps ' index box, 10 records: 9 samples padded to 11."""
    inputs, codec = av("640x360", 30, 10, codec=h265())
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_index_box(trip(ctx, 10, 15)),
                      nominal(30, True, "hevc"))


@recording("gps/20240101_120100_000001_R_TL.mp4")
def gps_top_rear_tl(ctx):
    """10 s H.265 (hvc1), no audio; top-level 'gps0', 15 records: 14 samples cut to 11."""
    inputs, codec = av("640x360", 30, 10, codec=h265(), audio=False)
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(trip(ctx, 15, 20)),
                      nominal(30, False, "hevc"))


def free_gps(ctx, probe, offset):
    return lambda b: b.add_free_gps(lambda chunks: trip(ctx, chunks, offset), probe)


@recording("gps/20240101_120200_F.mov")
def gps_free64_front_mov(ctx):
    """8 s H.264 + AAC in MOV; freeGPS blocks 64 KiB + 4 into each one-second sound chunk."""
    inputs, codec = av("640x360", 30, 8)
    return camera_mp4(ctx, inputs, codec, free_gps(ctx, 65540, 24), nominal(30, True), mov=True)


@recording("gps/20240101_120200_R.mov")
def gps_free128_rear_mov(ctx):
    """8 s H.264 + AAC in MOV; freeGPS blocks 128 KiB + 4 into each sound chunk."""
    inputs, codec = av("640x360", 30, 8)
    return camera_mp4(ctx, inputs, codec, free_gps(ctx, 131076, 28), nominal(30, True), mov=True)


@recording("gps/20240101_120400_F.mp4")
def gps_free256_front(ctx):
    """6 s H.264 + AAC, front without rear; freeGPS only at 256 KiB + 4 into each sound chunk."""
    inputs, codec = av("640x360", 30, 6)
    return camera_mp4(ctx, inputs, codec, free_gps(ctx, 262148, 30), nominal(30, True))


@recording("gps/20240101_120500_R.mp4")
def gps_ext_rear_only(ctx):
    """6 s H.265 (hvc1) + AAC, rear without front; "Ambarella EXT" track, 8 records."""
    inputs, codec = av("640x360", 30, 6, codec=h265())
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_ext_track(trip(ctx, 8, 5)),
                      nominal(30, True, "hevc"))


@recording("trip/20240105_090000_F.mp4")
def trip_first(ctx):
    """6 s H.264 + AAC; top-level 'gps0' from trip point 0, 8 records. The drive goes on in the next file."""
    inputs, codec = av("320x180", 30, 6)
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(trip(ctx, 8, 0)), nominal(30, True))


@recording("trip/20240105_090006_F.mp4")
def trip_second(ctx):
    """6 s H.264 + AAC; top-level 'gps0' from trip point 6, 8 records: the drive of the file before, continued."""
    inputs, codec = av("320x180", 30, 6)
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(trip(ctx, 8, 6)), nominal(30, True))


@recording("gps/20240101_120600_000002_R_TL.mp4")
def gps_top_rear_tl_only(ctx):
    """6 s H.264, no audio, R_TL without F_TL; top-level 'gps0', 8 records."""
    inputs, codec = av("640x360", 30, 6, audio=False)
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(trip(ctx, 8, 33)), nominal(30, False))


@recording("gps/20240101_120700_000003_F_TL.mov")
def gps_meta_front_tl_only_mov(ctx):
    """6 s H.264 + AAC in MOV, F_TL without R_TL; 'meta' track, 8 records."""
    inputs, codec = av("640x360", 30, 6)
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_meta_track(trip(ctx, 8, 17)),
                      nominal(30, True), mov=True)


@recording("gps/20240101_120800_nogps.mp4")
def gps_none_unmarked(ctx):
    """4 s H.264 + AAC, no camera marker in the name, no GPS."""
    inputs, codec = av("640x360", 30, 4)
    return camera_mp4(ctx, inputs, codec, lambda b: None, nominal(30, True))


def camera_avi(ctx, seconds, audio, track, offset_override=None, truncate=None):
    inputs = testsrc("320x240", 25, seconds) + (sine(seconds) if audio else [])
    ctx.ffmpeg(inputs + MJPEG + (PCM if audio else NO_AUDIO), ctx.target)
    facts = avi_facts(ctx.target)
    gps = embed.add_avi_block(ctx.target, track, offset_override) if track else no_gps()
    if truncate:
        with open(ctx.target, "r+b") as f:
            f.truncate(truncate(os.path.getsize(ctx.target)))
        gps = no_gps()
    return expectation(facts, gps, **nominal(25, audio, "mjpeg"))


@recording("gps/20240101_120300_F.AVI")
def gps_avi_front(ctx):
    """8 s 320x240 25 fps MJPEG + PCM; "GPSL" trailer with 10 records (9 samples)."""
    return camera_avi(ctx, 8, True, trip(ctx, 10, 9))


@recording("gps/20240101_120300_R.AVI")
def gps_avi_rear(ctx):
    """8 s 320x240 25 fps MJPEG, no audio; "GPSL" trailer with 6 records: 5 samples padded to 9."""
    return camera_avi(ctx, 8, False, trip(ctx, 6, 12))


# ---- a trip of two recordings for the export -------------------------------

# Two 4 s recordings back to back, front over colour bars (so a side-by-side
# export has known pixels) and a solid blue rear; the second front carries its
# GPS in another layout and goes on along the same trip.
EXPORT_SMALL = "320x180"


def solid(colour, size, rate, duration):
    return ["-f", "lavfi", "-i", "color=c=%s:s=%s:r=%s:d=%s" % (colour, size, rate, duration)]


def export_front(ctx, trip_offset, setup):
    inputs = bars(EXPORT_SMALL, 30, 4) + sine(4)
    return camera_mp4(ctx, inputs, h264() + AAC, lambda b: setup(b, trip(ctx, 6, trip_offset)),
                      nominal(30, True))


def export_rear(ctx):
    return camera_mp4(ctx, solid("0x0000FF", EXPORT_SMALL, 30, 4), h264() + NO_AUDIO,
                      lambda b: None, nominal(30, False))


@recording("export/20240103_100000_F.mp4")
def export_trip_first_front(ctx):
    """4 s 320x180 colour bars + AAC, GOP 30; EXT track (6 records, trip points 0-4)."""
    return export_front(ctx, 0, lambda b, t: b.add_ext_track(t))


@recording("export/20240103_100004_F.mp4")
def export_trip_second_front(ctx):
    """4 s 320x180 colour bars + AAC, GOP 30, 4 s after the first; 'gps0' (trip points 4-8)."""
    return export_front(ctx, 4, lambda b, t: b.add_gps0(t))


@recording("export/20240103_100000_R.mp4")
def export_trip_first_rear(ctx):
    """4 s 320x180 solid blue, no sound, no GPS."""
    return export_rear(ctx)


@recording("export/20240103_100004_R.mp4")
def export_trip_second_rear(ctx):
    """4 s 320x180 solid blue, no sound, no GPS."""
    return export_rear(ctx)


# ---- awkward structure -------------------------------------------------

# A leap day running into March, so the samples' dates cross midnight.
AWKWARD_START = datetime.datetime(2024, 2, 29, 23, 59, 57)
SMALL = "320x180"


def awkward(ctx, count, offset=0, start=AWKWARD_START):
    return gpsrecord.Track(start, count, offset)


def small_av(seconds=4, audio=True, codec=None):
    return av(SMALL, 30, seconds, codec=codec, audio=audio)


def two_videos(first, second, audio):
    """Two video streams (size, rate, codec args) and an optional sound track."""
    inputs = testsrc(first[0], first[1], 4) + testsrc(second[0], second[1], 4)
    maps = ["-map", "0:v", "-map", "1:v"]
    if audio:
        inputs += sine(4)
        maps += ["-map", "2:a"]
    codecs = [a.replace(":v", ":v:0") if a.startswith("-c:v") or a.startswith("-tag:v") else a
              for a in first[2]]
    codecs += [a.replace(":v", ":v:1") if a.startswith("-c:v") or a.startswith("-tag:v") else a
               for a in second[2]]
    return inputs, maps + codecs + (AAC if audio else NO_AUDIO)


@recording("awkward/two_video_wider_second_F.mp4")
def two_video_wider_second(ctx):
    """Two video tracks: 320x180 15 fps H.264, then a wider 640x360 30 fps H.265 (hvc1); + AAC and 'gps0'."""
    inputs, codec = two_videos(("320x180", 15, h264()), ("640x360", 30, h265()), True)

    def setup(b):
        b.set_video_ctime(0, 3000000000)
        b.set_video_ctime(1, 3000003600)
        b.add_gps0(awkward(ctx, 6))
    return camera_mp4(ctx, inputs, codec, setup, nominal(30, True, "hevc"), video_index=1)


@recording("awkward/two_video_equal_width_F.mp4")
def two_video_equal_width(ctx):
    """Two video tracks of equal width: 640x360 25 fps H.264 (reported), then 640x480 30 fps H.265."""
    inputs, codec = two_videos(("640x360", 25, h264()), ("640x480", 30, h265()), False)

    def setup(b):
        b.set_video_ctime(0, 3000000000)
        b.set_video_ctime(1, 3000003600)
    return camera_mp4(ctx, inputs, codec, setup, nominal(25, False, "h264"), video_index=0)


@recording("awkward/stsz_before_mvhd_F.mp4")
def stsz_before_mvhd(ctx):
    """'mvhd' after every track, so the video 'stsz' comes first: frame rate 0; 'meta' GPS track."""
    inputs, codec = small_av()

    def setup(b):
        b.mvhd_last = True
        b.add_meta_track(awkward(ctx, 6))
    return camera_mp4(ctx, inputs, codec, setup, nominal(30, True), extra_args=["-use_editlist", "0"])


@recording("awkward/box64_F.mp4")
def box64(ctx):
    """64-bit box sizes: the 'mdat', a 'free' box first in 'moov', and the top-level 'gps0'."""
    inputs, codec = small_av()

    def setup(b):
        b.large_mdat = True
        b.large_free_in_moov = True
        b.add_gps0(awkward(ctx, 7, 3), large=True)
    return camera_mp4(ctx, inputs, codec, setup, nominal(30, True))


LONG_EXT_NAME = "Ambarella EXT data stream of the dashboard camera, firmware 1.2.3"
LONG_LATE_GPS_NAME = "Telemetry of the dashboard camera: position, speed and gps fix"


@recording("awkward/long_handler_ext_F.mp4")
def long_handler_ext(ctx):
    """An "Ambarella EXT" track first in 'moov' whose handler name is over 55 bytes long."""
    assert len(LONG_EXT_NAME) > 55
    inputs, codec = small_av()
    return camera_mp4(ctx, inputs, codec,
                      lambda b: b.add_ext_track(awkward(ctx, 6, 8), name=LONG_EXT_NAME, first=True),
                      nominal(30, True))


@recording("awkward/long_handler_gps_late_F.mp4")
def long_handler_gps_late(ctx):
    """A 'meta' track first in 'moov' whose handler name has "gps" only after byte 55: no GPS."""
    assert LONG_LATE_GPS_NAME.lower().index("gps") >= 55
    inputs, codec = small_av()
    return camera_mp4(ctx, inputs, codec,
                      lambda b: b.add_meta_track(awkward(ctx, 6), name=LONG_LATE_GPS_NAME, first=True),
                      nominal(30, True))


@recording("awkward/gps_box_then_gps0_F.mp4")
def gps_box_then_gps0(ctx):
    """A 'gps ' index box in 'moov' (another trip) and a later top-level 'gps0', which wins."""
    inputs, codec = small_av()

    def setup(b):
        b.add_index_box(awkward(ctx, 6, 20, datetime.datetime(2023, 12, 31, 23, 59, 58)))
        b.add_gps0(awkward(ctx, 6))
    return camera_mp4(ctx, inputs, codec, setup, nominal(30, True))


@recording("awkward/ext_then_meta_F.mp4")
def ext_then_meta(ctx):
    """An "Ambarella EXT" track, then a 'meta' GPS track with another trip, which wins."""
    inputs, codec = small_av()

    def setup(b):
        b.add_ext_track(awkward(ctx, 6, 20, datetime.datetime(2023, 12, 31, 23, 59, 58)))
        b.add_meta_track(awkward(ctx, 6, 10))
    return camera_mp4(ctx, inputs, codec, setup, nominal(30, True))


@recording("awkward/gps0_empty_F.mp4")
def gps0_empty(ctx):
    """A top-level 'gps0' box without records (count 0): no samples."""
    inputs, codec = small_av()
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(awkward(ctx, 0)), nominal(30, True))


@recording("awkward/gps0_one_F.mp4")
def gps0_one(ctx):
    """A top-level 'gps0' box with one record (count 1): no samples."""
    inputs, codec = small_av()
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(awkward(ctx, 1)), nominal(30, True))


@recording("awkward/ext_one_F.mp4")
def ext_one(ctx):
    """An "Ambarella EXT" track with a single chunk (count 1): no samples."""
    inputs, codec = small_av()
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_ext_track(awkward(ctx, 1)), nominal(30, True))


@recording("awkward/meta_empty_F.mp4")
def meta_empty(ctx):
    """A 'meta' GPS track whose 'stco' has no entries (count 0): no samples."""
    inputs, codec = small_av()
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_meta_track(awkward(ctx, 0)), nominal(30, True))


@recording("awkward/meta_no_stco_F.mp4")
def meta_no_stco(ctx):
    """A 'meta' GPS track without any 'stco' box: the kind is set, with count 0."""
    inputs, codec = small_av()
    expected = camera_mp4(ctx, inputs, codec,
                          lambda b: b.add_meta_track(awkward(ctx, 4), with_stco=False), nominal(30, True))
    # ffmpeg logs "missing mandatory atoms" for the GPS track and plays the rest.
    expected["playable"] = False
    return expected


@recording("awkward/named_like_avi_F.avi.mp4")
def named_like_avi(ctx):
    """An MP4 file whose name ends in .avi.mp4 (it is not an AVI); top-level 'gps0'."""
    inputs, codec = small_av()
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(awkward(ctx, 6, 26)), nominal(30, True))


@recording("awkward/hev1_F.mp4")
def hev1(ctx):
    """H.265 tagged 'hev1' (not 'hvc1'): codec 0."""
    inputs, codec = small_av(codec=h265(tag="hev1"))
    return camera_mp4(ctx, inputs, codec, lambda b: None, nominal(30, True, "hevc"))


@recording("awkward/audio_longer_F.mp4")
def audio_longer(ctx):
    """4 s of 30 fps video with 4.5 s of sound: duration 4, frame rate 120 frames / 4.5 s = 26.7."""
    inputs = testsrc(SMALL, 30, 4) + sine(4.5)
    return camera_mp4(ctx, inputs, h264() + AAC, lambda b: b.add_gps0(awkward(ctx, 7)), nominal(30, True))


@recording("awkward/truncated_moov_first_F.mp4")
def truncated_moov_first(ctx):
    """'moov' first, 'meta' GPS records last; cut 100 bytes into record 4, records 5-7 missing."""
    inputs, codec = small_av()
    state = {}

    def setup(b):
        b.moov_first = True
        b.add_meta_track(awkward(ctx, 8))
        state["piece"] = next(p.name for p in b.data_pieces if p.name.startswith("gps-track"))
    return camera_mp4(ctx, inputs, codec, setup, nominal(30, True),
                      truncate=lambda size, pos: pos[state["piece"]] + 8 + 4 * 312 + 100)


@recording("awkward/truncated_gps0_F.mp4")
def truncated_gps0(ctx):
    """A top-level 'gps0' of 10 records at the end, cut 50 bytes into record 6."""
    inputs, codec = small_av()
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(awkward(ctx, 10)), nominal(30, True),
                      truncate=lambda size, pos: pos["gps0-0"] + 8 + 6 * 311 + 50)


@recording("awkward/truncated_no_moov_F.mp4")
def truncated_no_moov(ctx):
    """'moov' at the end and the file cut inside 'mdat': nothing to report."""
    base = ctx.tmp("base.mp4")
    ctx.ffmpeg(testsrc(SMALL, 30, 4) + sine(4) + h264() + AAC, base)
    with open(base, "rb") as f:
        data = f.read()
    src = mp4box.Mp4File(base)
    with open(ctx.target, "wb") as f:
        f.write(data[:src.mdat_data_pos + len(src.mdat_payload) // 2])
    facts = {"width": 0, "height": 0, "duration": 0, "frameRate": 0.0, "codec": 0,
             "createTime": None, "createTimeSecs": None, "videoFrames": 0}
    return expectation(facts, no_gps(), playable=False, **nominal(30, True))


@recording("awkward/gpsl_one_F.avi")
def gpsl_one(ctx):
    """AVI whose "GPSL" block has one record (count 1): no samples."""
    return camera_avi(ctx, 2, True, awkward(ctx, 1))


@recording("awkward/gpsl_offset_past_end_F.avi")
def gpsl_offset_past_end(ctx):
    """AVI with a "GPSL" block whose trailer offset is past the end of the file: no GPS."""
    return camera_avi(ctx, 2, True, awkward(ctx, 4), offset_override=lambda at, n: at + n + 4 + 100)


@recording("awkward/gpsl_offset_not_block_F.avi")
def gpsl_offset_not_block(ctx):
    """AVI whose trailer offset points at the RIFF header instead of "GPSL": no GPS."""
    return camera_avi(ctx, 2, True, awkward(ctx, 4), offset_override=lambda at, n: 0)


@recording("awkward/truncated_F.avi")
def truncated_avi(ctx):
    """AVI with a "GPSL" trailer, cut at 60 %: the trailer is gone, the main header is intact."""
    expected = camera_avi(ctx, 4, True, awkward(ctx, 6), truncate=lambda size: size * 6 // 10)
    expected["playable"] = False
    return expected


# ---- planted driving events ----------------------------------------------

# Gravity on Z, nothing on Y and X: (Z, Y, X) groups.
CALM_G = ("+100", "+000", "+000")


def event_point(n, speed, gsensor=CALM_G, fix=True):
    """One second of a drive north-east; without a fix, no position and speed 0."""
    if not fix:
        return gpsrecord.TripPoint((" ", 0, 0), (" ", 0, 0), 0, gsensor, 0, mark_a="V", mark_b="V")
    return gpsrecord.TripPoint(("N", 35, 412345 + 40 * n), ("E", 139, 410000 + 50 * n), speed, gsensor, n)


def events_first_trip():
    """21 seconds: braking at 3 (14 km/h), acceleration at 5 (12), impacts on X
    at 7 (1.80 g), on Y at 10 (1.60 g) and on Z at 13 (3.10 g), each back to
    calm a second later (two seconds of change, one event); no fix at 14, so
    15 is no acceleration; a run of braking 17-19 that is one event at 18
    (16 km/h)."""
    speeds = [50, 50, 50, 36, 36, 48, 48, 48, 48, 48, 48, 48, 48, 48, 0, 48, 48, 34, 18, 6, 6]
    g = {7: ("+100", "+000", "+180"), 10: ("+100", "-160", "+000"), 13: ("+310", "+000", "+000")}
    return [event_point(n, speed, g.get(n, CALM_G), fix=(n != 14)) for n, speed in enumerate(speeds)]


def events_second_trip():
    """11 seconds going on one second after the first trip: 6 km/h there, 20
    here, an acceleration only across the seam; then gentle rises."""
    return [event_point(21 + n, 20 + 4 * n) for n in range(11)]


EVENTS_START = datetime.datetime(2024, 3, 1, 9, 0, 0)


@recording("events/20240301_090000_F.mp4")
def events_first(ctx):
    """20 s H.264 + AAC; 'gps0' with planted events (22 records, 21 samples)."""
    inputs, codec = small_av(20)
    track = gpsrecord.Track(EVENTS_START, 22, points=events_first_trip())
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(track), nominal(30, True))


@recording("events/20240301_090021_F.mp4")
def events_second(ctx):
    """10 s H.264 + AAC; 'gps0' (12 records, 11 samples) continuing the first trip after 1 s."""
    inputs, codec = small_av(10)
    track = gpsrecord.Track(EVENTS_START + datetime.timedelta(seconds=21), 12, points=events_second_trip())
    return camera_mp4(ctx, inputs, codec, lambda b: b.add_gps0(track), nominal(30, True))


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
    for job in (j for j in JOBS if j.listed):
        with open(expected_path(outdir, job.relpath)) as f:
            e = json.load(f)
        entries.append({k: e.get(k) for k in ("file", "description", "camera", "partner",
                                              "gpsKind", "gpsLayout", "playable")})
    with open(os.path.join(outdir, "manifest.json.tmp"), "w") as f:
        json.dump({"generator": stamp, "recordings": entries}, f, indent=1)
        f.write("\n")
    os.replace(os.path.join(outdir, "manifest.json.tmp"), os.path.join(outdir, "manifest.json"))


def remove_stale(outdir):
    """Drops recordings an older generator made under names no job uses now."""
    keep = {"manifest.json", ".lock"}
    for job in JOBS:
        keep.update({job.relpath, job.relpath + ".expected.json"})
    for folder in {os.path.dirname(j.relpath) for j in JOBS}:
        for name in os.listdir(os.path.join(outdir, folder)):
            rel = os.path.join(folder, name)
            if rel not in keep and os.path.isfile(os.path.join(outdir, rel)):
                os.remove(os.path.join(outdir, rel))


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
            remove_stale(outdir)
            write_manifest(outdir, stamp)
        print("%d of %d recordings made in %.1f s, %d up to date"
              % (len(todo), len(JOBS), time.monotonic() - started, len(JOBS) - len(todo)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
