"""Puts GPS records into recordings that ffmpeg wrote, in each layout a
camera uses, and works out where a walker must find them."""

import copy
import struct

import gpsrecord
import mp4box

NO_GPS, EXT_TRACK, INDEX_BOX, FREE_GPS, TOP_LEVEL, META_TRACK, AVI_BLOCK = 0, 1, 2, 3, 4, 6, 7

EXT_HANDLER_NAME = "Ambarella EXT"
META_HANDLER_NAME = "GPS data"
# The camera's GPS block: a 'free' box whose payload starts "GPS " and whose
# record begins 18 bytes in; the sound-chunk layout and the 'gps ' index use it.
BLOCK_HEADER = 18
BLOCK_SIZE = BLOCK_HEADER + gpsrecord.RECORD_SIZE
EXT_PREFIX = struct.pack(">H", gpsrecord.RECORD_SIZE)   # 2 bytes before each EXT record
TOP_LEVEL_STRIDE = 311
FREE_GPS_PROBES = (65540, 131076, 262148)


def gps_block(record):
    return struct.pack(">I4s4s", BLOCK_SIZE, b"free", b"GPS ") + b"\0" * 6 + record


def _source(kind, layout, offset, count, samples, free_offset=0):
    return {"gpsKind": kind, "gpsLayout": layout, "gpsOffset": offset, "gpsCount": count,
            "freeGpsOffset": free_offset, "rawSamples": samples}


def _track_id(trak):
    return struct.unpack_from(">I", trak.find(b"tkhd").payload, 12)[0]


def locate(data, track_id=None, box=b"stco"):
    """Absolute position of a box's payload in the written file: 'moov', then
    the track with `track_id` (when given), then `box` below it."""
    for t, pos, header, size in mp4box.iter_boxes(data):
        if t != b"moov":
            continue
        return _find_below(data, pos + header, pos + size, track_id, box)
    raise KeyError("no moov")


def _find_below(data, start, end, track_id, box):
    for t, pos, header, size in mp4box.iter_boxes(data, start, end):
        if t == box:
            return pos + header
        if t == b"trak" and track_id is not None:
            tkhd = next((p for tt, p, h, s in mp4box.iter_boxes(data, pos + header, pos + size)
                         if tt == b"tkhd"), None)
            if tkhd is None or struct.unpack_from(">I", data, tkhd + 8 + 12)[0] != track_id:
                continue
        if t in mp4box.CONTAINERS:
            found = _find_below(data, pos + header, pos + size, track_id, box)
            if found is not None:
                return found
    return None


class Mp4Builder:
    """Collects the changes to one ffmpeg-written MP4/MOV file and writes it."""

    def __init__(self, src, mov_style=False):
        self.src = mp4box.Mp4File(src)
        if self.src.mdat_count != 1:
            raise ValueError("%s: expected the one 'mdat' ffmpeg writes" % src)
        self.mov_style = mov_style
        self.data_pieces = []      # top-level pieces between the media data and 'moov'
        self.tail_pieces = []      # top-level pieces after 'moov'
        self.new_traks = []        # (make(pos) -> trak, first?)
        self.moov_boxes = []       # (make(pos) -> box) appended to 'moov'
        self.trak_edits = []       # (track id, edit(trak, pos))
        self.moov_first = False
        self.large_mdat = False
        self.mvhd_last = False
        self.large_free_in_moov = False
        self.sources = []          # (name, finish(data) -> source)
        self.next_id = mp4box.next_track_id(self.src.moov)

    # -- sources --

    def _seen_name(self, name):
        """The handler name as a walker compares it: the first 55 bytes of the
        name field (a counted string in QuickTime files keeps its count byte)."""
        raw = name.encode("latin-1")
        field = bytes([len(raw)]) + raw if self.mov_style else raw
        return field[:55].split(b"\0")[0].decode("latin-1").lower()

    def _gps_trak(self, track, htype, name, prefix, first, with_stco):
        track_id = self.next_id
        self.next_id += 1
        records = track.records()
        sample = [prefix + r for r in records]
        piece = "gps-track-%d" % track_id
        if records:
            self.data_pieces.append(mp4box.Piece(piece, mp4box.Box(b"mdat", b"".join(sample)).to_bytes()))
        sample_size = len(prefix) + gpsrecord.RECORD_SIZE
        _, movie_duration = mp4box.mvhd_values(self.src.moov)

        def make(pos):
            base = pos.get(piece, 0) + 8
            offsets = [base + n * sample_size for n in range(len(records))]
            return mp4box.data_trak(track_id, htype, name, offsets, sample_size, movie_duration,
                                    mov_style=self.mov_style, with_stco=with_stco)
        self.new_traks.append((make, first))
        return track_id, records

    def add_ext_track(self, track, name=EXT_HANDLER_NAME, first=False, htype=b"meta"):
        track_id, records = self._gps_trak(track, htype, name, EXT_PREFIX, first, True)
        if "ambarella ext" not in self._seen_name(name):
            return
        self.sources.append(("ext", lambda data, pos: _source(
            EXT_TRACK, "track with handler name %r, records 2 bytes into each chunk" % name,
            locate(data, track_id) + 8, len(records), track.expected())))

    def add_meta_track(self, track, name=META_HANDLER_NAME, first=False, with_stco=True):
        track_id, records = self._gps_trak(track, b"meta", name, b"", first, with_stco)
        if "gps" not in self._seen_name(name):
            return

        def finish(data, pos):
            table = locate(data, track_id) if with_stco else None
            return _source(META_TRACK, "'meta' track with handler name %r, one record per chunk" % name,
                           table + 8 if table is not None else 0,
                           len(records) if with_stco else 0,
                           track.expected() if with_stco else [])
        self.sources.append(("meta", finish))

    def add_index_box(self, track):
        records = track.records()
        piece = "gps-blocks"
        self.data_pieces.append(mp4box.Piece(piece, mp4box.Box(
            b"free", b"".join(gps_block(r) for r in records)).to_bytes()))

        def make(pos):
            base = pos.get(piece, 0) + 8
            entries = b"".join(struct.pack(">II", base + n * BLOCK_SIZE, BLOCK_SIZE)
                               for n in range(len(records)))
            return mp4box.full_box(b"gps ", 0, 0, struct.pack(">I", len(records)) + entries)
        self.moov_boxes.append(make)
        self.sources.append(("index", lambda data, pos: _source(
            INDEX_BOX, "'gps ' box in 'moov' listing 'free' GPS blocks (record 18 bytes in)",
            locate(data, None, b"gps ") + 8, len(records), track.expected())))

    def add_free_gps(self, make_track, probe):
        """Moves the sound chunks (one per second) into a region where each
        chunk has a GPS block `probe` bytes after its start."""
        moov = self.src.moov
        sound = mp4box.tracks_of(moov, b"soun")[0]
        stbl = sound.path(b"mdia", b"minf", b"stbl")
        timescale = struct.unpack_from(">I", sound.path(b"mdia", b"mdhd").payload, 12)[0]
        chunks = []
        t = 0
        for (offset, size), delta in zip(mp4box.sample_locations(stbl), mp4box.read_stts(stbl)):
            second = t // timescale
            while len(chunks) <= second:
                chunks.append([])
            chunks[second].append(self.src.data[offset:offset + size])
            t += delta
        track = make_track(len(chunks))
        records = track.records()
        stride = (probe - 4 + BLOCK_SIZE + 15) // 16 * 16
        region = bytearray(stride * len(chunks))
        for n, samples in enumerate(chunks):
            audio = b"".join(samples)
            if len(audio) > probe - 4:
                raise ValueError("sound chunk %d too large for probe %d" % (n, probe))
            region[n * stride:n * stride + len(audio)] = audio
            region[n * stride + probe - 4:n * stride + probe - 4 + BLOCK_SIZE] = gps_block(records[n])
        piece = "sound-with-gps"
        self.data_pieces.append(mp4box.Piece(piece, mp4box.Box(b"mdat", bytes(region)).to_bytes()))
        sound_id = _track_id(sound)
        per_chunk = [len(c) for c in chunks]

        def edit(trak, pos):
            base = pos.get(piece, 0) + 8
            st = trak.path(b"mdia", b"minf", b"stbl")
            mp4box.replace_child(st, b"stco", mp4box.make_stco([base + n * stride for n in range(len(chunks))]))
            mp4box.replace_child(st, b"stsc", mp4box.make_stsc(per_chunk))
        self.trak_edits.append((sound_id, edit))
        self.sources.append(("free", lambda data, pos: _source(
            FREE_GPS, "freeGPS blocks at %d bytes into each sound chunk" % probe,
            locate(data, sound_id) + 8, len(chunks), track.expected(), probe)))
        return track

    def add_gps0(self, track, large=False):
        records = track.records()
        body = b"".join(r[:TOP_LEVEL_STRIDE] for r in records)
        box = mp4box.Box(b"gps0", body, large=large)
        piece = "gps0-%d" % len(self.tail_pieces)
        self.tail_pieces.append(mp4box.Piece(piece, box.to_bytes()))
        header = 16 if large else 8
        self.sources.append(("gps0", lambda data, pos: _source(
            TOP_LEVEL, "top-level 'gps0' box, records %d bytes apart" % TOP_LEVEL_STRIDE,
            pos[piece] + header, len(records), track.expected())))

    def set_video_ctime(self, index, ctime):
        trak = mp4box.tracks_of(self.src.moov, b"vide")[index]

        def edit(t, pos):
            tkhd = t.find(b"tkhd")
            p = bytearray(tkhd.payload)
            struct.pack_into(">I", p, 4, ctime)
            tkhd.payload = bytes(p)
        self.trak_edits.append((_track_id(trak), edit))

    # -- writing --

    def _moov(self, pos, mdat_shift):
        moov = copy.deepcopy(self.src.moov)
        for trak in moov.find_all(b"trak"):
            mp4box.shift_chunk_offsets(trak, mdat_shift)
            for track_id, edit in self.trak_edits:
                if _track_id(trak) == track_id:
                    edit(trak, pos)
        first = [make(pos) for make, at_front in self.new_traks if at_front]
        last = [make(pos) for make, at_front in self.new_traks if not at_front]
        children = moov.children
        mvhd_at = children.index(moov.find(b"mvhd"))
        children[mvhd_at + 1:mvhd_at + 1] = first
        children += last
        children += [make(pos) for make in self.moov_boxes]
        moov.children = children
        mp4box.set_next_track_id(moov, self.next_id)
        if self.mvhd_last:
            mvhd = moov.find(b"mvhd")
            children.remove(mvhd)
            children.append(mvhd)
        if self.large_free_in_moov:
            children.insert(0, mp4box.Box(b"free", b"\0" * 24, large=True))
        return moov.to_bytes()

    def write(self, path, winner=None):
        src = self.src
        head = []
        for t, pos, _, size in src.top:
            if t == b"mdat":
                break
            head.append((t, src.data[pos:pos + size]))
        if self.large_mdat:
            if head and head[-1][0] in (b"free", b"wide") and len(head[-1][1]) == 8:
                head.pop()          # the slot ffmpeg leaves for a 64-bit size
        pieces = [mp4box.Piece("head-%d" % n, raw) for n, (_, raw) in enumerate(head)]
        mdat = src.mdat_box(large=self.large_mdat).to_bytes()
        mdat_header = 16 if self.large_mdat else 8
        moov_piece = mp4box.Piece("moov", build=None)
        media = [mp4box.Piece("mdat", mdat)] + self.data_pieces
        order = pieces + ([moov_piece] + media if self.moov_first else media + [moov_piece]) \
            + self.tail_pieces

        def build(pos):
            return self._moov(pos, pos["mdat"] + mdat_header - src.mdat_data_pos)
        moov_piece.build = build
        data, pos = mp4box.layout(order)
        self.positions = pos
        with open(path, "wb") as f:
            f.write(data)
        return self._result(data, pos, winner)

    def _result(self, data, pos, winner):
        if not self.sources:
            return _source(NO_GPS, "none", 0, 0, [])
        name, finish = self.sources[-1] if winner is None else \
            next(s for s in self.sources if s[0] == winner)
        return finish(data, pos)


def add_avi_block(path, track, offset_override=None):
    """Appends the camera's GPS trailer: "GPSL", a count, the records, and the
    block's offset in the file's last four bytes."""
    with open(path, "rb") as f:
        data = f.read()
    records = track.records()
    at = len(data)
    block = b"GPSL" + struct.pack(">I", len(records)) + b"".join(records)
    trailer = struct.pack(">I", offset_override(at, len(block)) if offset_override else at)
    with open(path, "ab") as f:
        f.write(block + trailer)
    if offset_override:
        return _source(NO_GPS, "GPSL block whose trailer offset points past the end", 0, 0, [])
    return _source(AVI_BLOCK, "AVI \"GPSL\" block found through the last 4 bytes",
                   at + 8, len(records), track.expected())
