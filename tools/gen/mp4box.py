"""Just enough of the MP4/QuickTime box structure to add GPS data to a file
that ffmpeg wrote: a box tree for 'moov', sample tables, new tracks, and a
file layout that places pieces and fixes chunk offsets."""

import struct

CONTAINERS = {b"moov", b"trak", b"mdia", b"minf", b"stbl", b"edts", b"dinf"}


class Box:
    def __init__(self, type_, payload=b"", children=None, large=False):
        self.type = type_
        self.payload = payload
        self.children = children
        self.large = large

    def body(self):
        if self.children is None:
            return bytes(self.payload)
        return b"".join(c.to_bytes() for c in self.children)

    def to_bytes(self):
        body = self.body()
        if self.large:
            return struct.pack(">I4sQ", 1, self.type, len(body) + 16) + body
        return struct.pack(">I4s", len(body) + 8, self.type) + body

    def find_all(self, type_):
        return [c for c in self.children if c.type == type_]

    def find(self, type_):
        for c in self.children:
            if c.type == type_:
                return c
        return None

    def path(self, *types):
        box = self
        for t in types:
            box = box.find(t)
            if box is None:
                return None
        return box

    def index(self, type_):
        return [n for n, c in enumerate(self.children) if c.type == type_]


def iter_boxes(data, start=0, end=None):
    """(type, offset, header size, total size) of the boxes between start and end."""
    end = len(data) if end is None else end
    pos = start
    while pos + 8 <= end:
        size, type_ = struct.unpack_from(">I4s", data, pos)
        header = 8
        if size == 1:
            size = struct.unpack_from(">Q", data, pos + 8)[0]
            header = 16
        elif size == 0:
            size = end - pos
        if size < header or pos + size > end:
            raise ValueError("bad box %r at %d" % (type_, pos))
        yield type_, pos, header, size
        pos += size


def parse_tree(data, start, end):
    boxes = []
    for type_, pos, header, size in iter_boxes(data, start, end):
        if type_ in CONTAINERS:
            boxes.append(Box(type_, children=parse_tree(data, pos + header, pos + size),
                             large=header == 16))
        else:
            boxes.append(Box(type_, payload=data[pos + header:pos + size], large=header == 16))
    return boxes


def full_box(type_, version, flags, body):
    return Box(type_, struct.pack(">I", (version << 24) | flags) + body)


# ---- sample tables ---------------------------------------------------------

def handler_type(trak):
    hdlr = trak.path(b"mdia", b"hdlr")
    return hdlr.payload[8:12] if hdlr is not None else b""


def tracks_of(moov, htype):
    return [t for t in moov.find_all(b"trak") if handler_type(t) == htype]


def read_stco(stbl):
    p = stbl.find(b"stco").payload
    n = struct.unpack_from(">I", p, 4)[0]
    return list(struct.unpack_from(">%dI" % n, p, 8))


def make_stco(offsets):
    return full_box(b"stco", 0, 0, struct.pack(">I%dI" % len(offsets), len(offsets), *offsets))


def read_stsz(stbl):
    p = stbl.find(b"stsz").payload
    uniform, n = struct.unpack_from(">II", p, 4)
    if uniform:
        return [uniform] * n
    return list(struct.unpack_from(">%dI" % n, p, 12))


def read_stsc(stbl):
    p = stbl.find(b"stsc").payload
    n = struct.unpack_from(">I", p, 4)[0]
    return [struct.unpack_from(">III", p, 8 + 12 * i) for i in range(n)]


def make_stsc(samples_per_chunk):
    entries = []
    for chunk, count in enumerate(samples_per_chunk, 1):
        if not entries or entries[-1][1] != count:
            entries.append((chunk, count, 1))
    body = struct.pack(">I", len(entries)) + b"".join(struct.pack(">III", *e) for e in entries)
    return full_box(b"stsc", 0, 0, body)


def read_stts(stbl):
    p = stbl.find(b"stts").payload
    n = struct.unpack_from(">I", p, 4)[0]
    durations = []
    for i in range(n):
        count, delta = struct.unpack_from(">II", p, 8 + 8 * i)
        durations += [delta] * count
    return durations


def sample_locations(stbl):
    """(offset, size) of every sample, in order."""
    sizes = read_stsz(stbl)
    offsets = read_stco(stbl)
    stsc = read_stsc(stbl)
    out = []
    sample = 0
    for ci, chunk_offset in enumerate(offsets, 1):
        per_chunk = 0
        for first, count, _ in stsc:
            if first <= ci:
                per_chunk = count
        pos = chunk_offset
        for _ in range(per_chunk):
            out.append((pos, sizes[sample]))
            pos += sizes[sample]
            sample += 1
    assert sample == len(sizes), "sample table does not add up"
    return out


def replace_child(parent, type_, new_box):
    for n, c in enumerate(parent.children):
        if c.type == type_:
            parent.children[n] = new_box
            return
    raise KeyError(type_)


def mvhd_values(moov):
    p = moov.find(b"mvhd").payload
    return struct.unpack_from(">II", p, 12)           # time scale, duration


def set_next_track_id(moov, value):
    mvhd = moov.find(b"mvhd")
    p = bytearray(mvhd.payload)
    struct.pack_into(">I", p, 96, value)
    mvhd.payload = bytes(p)


def next_track_id(moov):
    return struct.unpack_from(">I", moov.find(b"mvhd").payload, 96)[0]


def tkhd_values(trak):
    """(creation time, width, height) from a version-0 'tkhd'."""
    p = trak.find(b"tkhd").payload
    ctime = struct.unpack_from(">I", p, 4)[0]
    w, h = struct.unpack_from(">II", p, 76)
    return ctime, w >> 16, h >> 16


def sample_entry_type(trak):
    stsd = trak.path(b"mdia", b"minf", b"stbl", b"stsd").payload
    return stsd[12:16]


# ---- new tracks ------------------------------------------------------------

UNITY_MATRIX = struct.pack(">9I", 0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000)


def handler_box(htype, name, mov_style):
    # QuickTime writes the name as a counted string, ISO files as a C string.
    raw = name.encode("latin-1")
    name_bytes = bytes([len(raw)]) + raw if mov_style else raw + b"\0"
    component = b"mhlr" if mov_style else b"\0\0\0\0"
    return full_box(b"hdlr", 0, 0, component + htype + b"\0" * 12 + name_bytes)


def data_trak(track_id, htype, handler_name, chunk_offsets, sample_size, movie_duration,
              mov_style=False, with_stco=True):
    """A timed data track with one sample per chunk."""
    n = len(chunk_offsets)
    timescale = 1000
    delta = movie_duration // n if n else 0
    duration = delta * n
    tkhd = full_box(b"tkhd", 0, 1, struct.pack(">IIIII", 0, 0, track_id, 0, duration)
                    + b"\0" * 8 + struct.pack(">hhhh", 0, 0, 0, 0) + UNITY_MATRIX
                    + struct.pack(">II", 0, 0))
    mdhd = full_box(b"mdhd", 0, 0, struct.pack(">IIIIHH", 0, 0, timescale, duration, 0x55C4, 0))
    entry_body = (b"\0" * 6 + struct.pack(">H", 1) + b"\0" + b"application/octet-stream\0")
    entry = struct.pack(">I4s", 8 + len(entry_body), b"mett") + entry_body
    stsd = full_box(b"stsd", 0, 0, struct.pack(">I", 1) + entry)
    stts = full_box(b"stts", 0, 0, struct.pack(">III", 1, n, delta) if n else struct.pack(">I", 0))
    stsc = make_stsc([1] * n)
    stsz = full_box(b"stsz", 0, 0, struct.pack(">II", sample_size, n))
    stbl_children = [stsd, stts, stsc, stsz]
    if with_stco:
        stbl_children.append(make_stco(chunk_offsets))
    dref = full_box(b"dref", 0, 0, struct.pack(">I", 1) + struct.pack(">I4sI", 12, b"url ", 1))
    minf = Box(b"minf", children=[
        full_box(b"nmhd", 0, 0, b""),
        Box(b"dinf", children=[dref]),
        Box(b"stbl", children=stbl_children),
    ])
    mdia = Box(b"mdia", children=[mdhd, handler_box(htype, handler_name, mov_style), minf])
    return Box(b"trak", children=[tkhd, mdia])


# ---- file layout -----------------------------------------------------------

class Mp4File:
    """A file that ffmpeg wrote, taken apart at the top level."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.top = list(iter_boxes(self.data))
        types = [t for t, _, _, _ in self.top]
        self.mdat_count = types.count(b"mdat")
        if types.count(b"moov") != 1:
            raise ValueError("%s: expected one moov" % path)
        for t, pos, header, size in reversed(self.top):
            if t == b"moov":
                self.moov = Box(b"moov", children=parse_tree(self.data, pos + header, pos + size))
            elif t == b"mdat":
                self.mdat_data_pos = pos + header
                self.mdat_payload = self.data[pos + header:pos + size]
        self.ftyp = self.raw(b"ftyp")

    def raw(self, type_):
        for t, pos, _, size in self.top:
            if t == type_:
                return self.data[pos:pos + size]
        return None

    def mdat_box(self, large=False):
        return Box(b"mdat", self.mdat_payload, large=large)


class Piece:
    """A top-level piece of the output: fixed bytes, or the movie box built
    once the positions of all pieces are known."""

    def __init__(self, name, data=None, build=None, data_start=0):
        self.name = name
        self.data = data
        self.build = build
        self.data_start = data_start      # where this piece's own payload begins


def layout(pieces):
    """Concatenates the pieces; `build(pos)` gets {name: absolute start}."""
    dummy = {p.name: 0 for p in pieces}
    sizes = {}
    for p in pieces:
        sizes[p.name] = len(p.data) if p.build is None else len(p.build(dummy))
    pos, at = {}, 0
    for p in pieces:
        pos[p.name] = at
        at += sizes[p.name]
    out = []
    for p in pieces:
        blob = p.data if p.build is None else p.build(pos)
        if len(blob) != sizes[p.name]:
            raise AssertionError("piece %s changed size" % p.name)
        out.append(blob)
    return b"".join(out), pos


def shift_chunk_offsets(trak, delta):
    stbl = trak.path(b"mdia", b"minf", b"stbl")
    offsets = [o + delta for o in read_stco(stbl)]
    replace_child(stbl, b"stco", make_stco(offsets))
