"""The camera's 312-byte GPS record, the test trip, and what a reader makes of it.

The trip is defined once here; every generated recording takes its records
from it, and the expectations written beside the recordings are computed
from the same definition (not from the bytes), so a self-check that decodes
the bytes again compares two independent paths.
"""

import datetime
import math
import struct

RECORD_SIZE = 312
MASK = 0x3C
# Bytes that carry no field are filled with a non-digit, non-space byte so
# that no number scan can run on into them.
FILLER = b"_"


class TripPoint:
    """One second of the trip, in the units the record stores."""

    __slots__ = ("lat_ref", "lat_deg", "lat_min", "lon_ref", "lon_deg", "lon_min",
                 "speed", "speed_text", "gsensor", "extra_number", "mark_a", "mark_b")

    def __init__(self, lat, lon, speed, gsensor, extra_number, mark_a="A", mark_b="M",
                 speed_text=None):
        self.lat_ref, self.lat_deg, self.lat_min = lat      # min = minutes * 10000
        self.lon_ref, self.lon_deg, self.lon_min = lon
        self.speed = speed
        self.speed_text = speed_text if speed_text is not None else "%03d" % speed
        self.gsensor = gsensor                             # (Z, Y, X) groups of 4 chars
        self.extra_number = extra_number
        self.mark_a = mark_a
        self.mark_b = mark_b


def _moves(start_lat, start_lon, step_lat, step_lon, speeds, g_offset):
    points = []
    lat_ref, lat_deg, lat_min = start_lat
    lon_ref, lon_deg, lon_min = start_lon
    for n, speed in enumerate(speeds):
        points.append(TripPoint((lat_ref, lat_deg, lat_min + n * step_lat),
                                (lon_ref, lon_deg, lon_min + n * step_lon),
                                speed, _gsensor(g_offset + n), 40 + g_offset + n))
    return points


# Z carries gravity; the groups cycle with different lengths so that sign
# characters meet in many combinations. A sign other than '+' or '-' means 0.
_G_Z = ["+100", "+098", "+102", "-003", " 105", "+099", "-105", "*050", "+101", "0100", "+097"]
_G_Y = ["+005", "-012", "+250", "-199", "+000", "x033", "-001", "+110", " 020"]
_G_X = ["-020", "+015", "+001", "-250", "+300", "#100", "+042", "-077"]


def _gsensor(n):
    return (_G_Z[n % len(_G_Z)], _G_Y[n % len(_G_Y)], _G_X[n % len(_G_X)])


def _build_trip():
    trip = []
    # North-east: moving with both coordinates changing, accelerating.
    trip += _moves(("N", 35, 412345), ("E", 139, 410000), 150, 200, [0, 12, 25, 40, 55, 60], 0)
    # Standing still at the last position.
    still = trip[-1]
    for n in range(3):
        trip.append(TripPoint((still.lat_ref, still.lat_deg, still.lat_min),
                              (still.lon_ref, still.lon_deg, still.lon_min),
                              0, _gsensor(6 + n), 46 + n))
    # Along the meridian (longitude unchanged), then along the parallel.
    base = trip[-1]
    for n, speed in enumerate([60, 75, 88]):
        trip.append(TripPoint(("N", 35, base.lat_min + 300 * (n + 1)),
                              ("E", 139, base.lon_min), speed, _gsensor(9 + n), 49 + n,
                              speed_text=" 75" if speed == 75 else None))
    base = trip[-1]
    for n, speed in enumerate([99, 100, 120]):
        trip.append(TripPoint(("N", 35, base.lat_min),
                              ("E", 139, base.lon_min + 400 * (n + 1)), speed,
                              _gsensor(12 + n), 52 + n))
    # North-west, south-east, south-west.
    trip += _moves(("N", 40, 427680), ("W", 74, 3600), 200, 250, [140, 160, 180, 200, 220], 15)
    trip += _moves(("S", 33, 521234), ("E", 151, 125678), 100, -150, [220, 200, 150, 100, 50], 20)
    trip += _moves(("S", 34, 362222), ("W", 58, 229999), -120, 90, [30, 20, 10, 5, 0], 25)
    trip[-2].speed_text = "  5"
    # No fix: blank hemisphere letters and no position; then blank letters with
    # a position, which reads as north and east.
    trip.append(TripPoint((" ", 0, 0), (" ", 0, 0), 0, _gsensor(30), 0, mark_a="V", mark_b="V"))
    trip.append(TripPoint((" ", 1, 300000), (" ", 2, 450000), 0, _gsensor(31), 0, mark_a="V"))
    # Back north-east, heading south-west.
    trip += _moves(("N", 35, 420000), ("E", 139, 420000), -180, -240,
                   [10, 20, 40, 80, 160, 200, 210, 215], 32)
    return trip


TRIP = _build_trip()


def trip_point(n):
    return TRIP[n % len(TRIP)]


def _f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def _mask(raw):
    out = bytearray(raw)
    for n in range(2, RECORD_SIZE):
        out[n] ^= MASK
    return bytes(out)


def extra_text(n):
    return "EXTRA-%08d" % (n % 100000000)


def encode_record(point, when, serial):
    """The stored (masked) record for one trip point at time `when`."""
    text = bytearray(FILLER * RECORD_SIZE)
    text[0:2] = struct.pack(">H", RECORD_SIZE)
    fields = [
        (8, when.strftime("%Y%m%d%H%M%S")),
        (22, point.mark_a),
        (23, extra_text(serial)),
        (37, point.mark_b),
        (38, point.lat_ref),
        (39, "%02d%06d" % (point.lat_deg, point.lat_min)),
        (47, point.lon_ref),
        (48, "%03d%06d" % (point.lon_deg, point.lon_min)),
        (57, "%05d" % point.extra_number),
        (62, point.speed_text),
        (173, "".join(point.gsensor)),
    ]
    for pos, value in fields:
        data = value.encode("ascii")
        text[pos:pos + len(data)] = data
    assert len(text) == RECORD_SIZE
    return _mask(text)


def _axis(group):
    sign, whole, hundredths = group[0], int(group[1]), int(group[2:4])
    value = _f32(_f32(hundredths / 100) + whole)
    if sign == "+":
        return value
    if sign == "-":
        return -value
    return 0.0


def expected_sample(point, when, serial, index):
    """What a reader reports for this point, straight from the definition."""
    lat = point.lat_deg + (point.lat_min / 10000) / 60
    lon = point.lon_deg + (point.lon_min / 10000) / 60
    if point.lat_ref == "S":
        lat = 0 - lat
    if point.lon_ref == "W":
        lon = 0 - lon
    gz, gy, gx = (_axis(g) for g in point.gsensor)
    return {
        "index": index,
        "dateTime": when.strftime("%Y%m%d%H%M%S"),
        "markA": point.mark_a,
        "extraText": extra_text(serial),
        "markB": point.mark_b,
        "latitudeRef": point.lat_ref,
        "latitude": lat,
        "longitudeRef": point.lon_ref,
        "longitude": lon,
        "extraNumber": point.extra_number,
        "speed": point.speed,
        "gsensorX": gx,
        "gsensorY": gy,
        "gsensorZ": gz,
    }


def get_azimuth(lon1, lat1, lon2, lat2):
    def mp(lat):
        return math.log10(math.tan((lat * 0.5 + 45) * 0.017453292519943295))
    dmp = (mp(lat2) - mp(lat1)) * 7915.70447
    dlon = (lon2 - lon1) * 60
    a = abs(math.atan(dlon / dmp)) * 57.29577951308232
    if lon2 >= lon1:
        return a if lat2 >= lat1 else 180 - a
    return 360 - a if lat2 >= lat1 else 180 + a


class HeadingState:
    """The reader's running heading, fed records in increasing order."""

    def __init__(self):
        self.last_index = 0
        self.last_lat = 0.0
        self.last_lon = 0.0
        self.last_heading = 0.0

    def update(self, k, latitude, longitude):
        lat, lon = abs(latitude), abs(longitude)
        if (k > self.last_index and abs(lon - self.last_lon) > 0.00001
                and abs(lat - self.last_lat) > 0.00001):
            self.last_heading = get_azimuth(self.last_lon, self.last_lat, lon, lat)
        heading = self.last_heading
        self.last_lat, self.last_lon, self.last_index = lat, lon, k
        return heading


def add_headings(samples):
    """Samples are in reading order; sample i came from record i + 1."""
    state = HeadingState()
    for s in samples:
        s["heading"] = state.update(s["index"] + 1, s["latitude"], s["longitude"])
    return samples


def _scan_int(buf, pos, width):
    """One "%<width>d" conversion of the C formatted scan; (value or None, next pos)."""
    while pos < len(buf) and buf[pos] in b" \t\n\v\f\r":
        pos += 1
    start = pos
    if pos < len(buf) and buf[pos] in b"+-":
        pos += 1
    digits_start = pos
    while pos < len(buf) and pos - start < width and 0x30 <= buf[pos] <= 0x39:
        pos += 1
    if pos == digits_start:
        return None, pos
    return int(bytes(buf[start:pos]).decode("ascii")), pos


def _scan(buf, pos, widths):
    # Emulates sscanf on a NUL-terminated buffer: the first failure ends the scan.
    end = buf.find(b"\0", pos)
    view = buf[:end] if end >= 0 else buf
    values = []
    for w in widths:
        v, pos = _scan_int(view, pos, w)
        if v is None:
            break
        values.append(v)
    return values + [0] * (len(widths) - len(values))


def _chars(buf, a, b):
    return bytes(buf[a:b]).decode("latin-1")


def unmask(stored):
    """312 stored bytes (a short read already padded with zeros) to record text."""
    data = bytearray(stored[:RECORD_SIZE].ljust(RECORD_SIZE, b"\0"))
    for n in range(2, RECORD_SIZE):
        data[n] ^= MASK
    return bytes(data)


def decode_record(record, index):
    """Decodes unmasked record text the way the reader does (no heading)."""
    d, m = _scan(record, 39, (2, 6))
    lat = d + (m / 10000) / 60
    if record[38:39] == b"S":
        lat = 0 - lat
    d, m = _scan(record, 48, (3, 6))
    lon = d + (m / 10000) / 60
    if record[47:48] == b"W":
        lon = 0 - lon
    extra_number = _scan(record, 57, (5,))[0]
    speed = _scan(record, 62, (3,))[0]
    axes = []
    for a in range(3):
        sign = record[173 + 4 * a]
        w, h = _scan(record, 174 + 4 * a, (1, 2))
        value = _f32(_f32(h / 100) + w)
        axes.append(value if sign == ord("+") else -value if sign == ord("-") else 0.0)

    def cstr(a, b):
        raw = bytes(record[a:b])
        cut = raw.find(b"\0")
        return (raw if cut < 0 else raw[:cut]).decode("latin-1")
    return {
        "index": index,
        "dateTime": cstr(8, 22),
        "markA": _chars(record, 22, 23),
        "extraText": cstr(23, 37),
        "markB": _chars(record, 37, 38),
        "latitudeRef": _chars(record, 38, 39),
        "latitude": lat,
        "longitudeRef": _chars(record, 47, 48),
        "longitude": lon,
        "extraNumber": extra_number,
        "speed": speed,
        "gsensorZ": axes[0],
        "gsensorY": axes[1],
        "gsensorX": axes[2],
    }


def normalise(samples, duration):
    """One sample per second of video: padded with the last one, or cut."""
    if not samples:
        return []
    target = duration + 1
    out = [dict(s) for s in samples[:target]]
    while len(out) < target:
        out.append(dict(out[-1]))
    return out


class Track:
    """The records of one recording: record 0 is the one no reader decodes."""

    def __init__(self, start, count, trip_offset=0, serial_base=0, points=None):
        self.start = start
        self.count = count
        self.trip_offset = trip_offset
        self.serial_base = serial_base
        self.points = points          # a trip of its own instead of TRIP

    def _point(self, n):
        if self.points is None:
            return trip_point(n)
        return self.points[n % len(self.points)]

    def _point_time(self, k):
        return (self._point(self.trip_offset + k - 1),
                self.start + datetime.timedelta(seconds=k - 1),
                self.serial_base + k)

    def records(self):
        return [encode_record(*self._point_time(k)) for k in range(self.count)]

    def expected(self):
        samples = [expected_sample(*self._point_time(k), index=k - 1)
                   for k in range(1, self.count)]
        return add_headings(samples)


# GpsSourceKind values whose records are reached through a 32-bit table.
_TABLE_KINDS = {1: 2, 2: 18, 6: 0}     # kind -> bytes from the table entry to the record


def _read(data, pos, n):
    return bytes(data[pos:pos + n]).ljust(n, b"\0") if pos >= 0 else b"\0" * n


def record_position(data, source, k):
    kind, offset = source["gpsKind"], source["gpsOffset"]
    if kind in _TABLE_KINDS:
        step = 8 if kind == 2 else 4
        entry = struct.unpack(">I", _read(data, offset + step * k, 4))[0]
        return (entry + _TABLE_KINDS[kind]) & 0xFFFFFFFF
    if kind == 3:
        entry = struct.unpack(">I", _read(data, offset + 4 * k, 4))[0]
        return (entry + source["freeGpsOffset"] + 14) & 0xFFFFFFFF
    if kind == 4:
        return offset + 311 * k
    if kind == 7:
        return offset + RECORD_SIZE * k
    return None


def read_samples(data, source):
    """Every sample the reader yields from the file bytes for a located source."""
    samples = []
    state = HeadingState()
    for i in range(max(0, source["gpsCount"] - 1)):
        pos = record_position(data, source, i + 1)
        if pos is None:
            break
        s = decode_record(unmask(_read(data, pos, RECORD_SIZE)), i)
        s["heading"] = state.update(i + 1, s["latitude"], s["longitude"])
        samples.append(s)
    return samples
