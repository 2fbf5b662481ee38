#!/usr/bin/env python3
"""Writes the menu song's sound font: a new font holding only what the song
plays out of the General MIDI font.

    make_song_font.py --font GM.sf2 --song MidiSong.mid --out MenuSong.sf2

FluidSynth parses every preset, instrument and zone of a font when it loads
it and keeps zone tables for every instrument a preset names; with dynamic
sample loading it then reads all samples of a preset when a channel selects
it. The song's font therefore keeps only the presets the song selects, of
those only the zones whose key and velocity ranges hold a note the song
plays with that preset, and only the samples those zones name. Zone
selection depends on nothing else, so the song sounds exactly as with the
full font (the synthesiser renders it to the same samples).
"""
import argparse
import struct

KEY_RANGE = 43
VELOCITY_RANGE = 44
INSTRUMENT = 41
SAMPLE_ID = 53
DRUM_CHANNEL = 9
DRUM_BANK = 128
# A sample is followed by at least 46 zero sample points in the font.
SAMPLE_PADDING = 46

RECORDS = {  # pdta sub-chunk: record layout
    b"phdr": "<20sHHHIII",
    b"pbag": "<HH",
    b"pmod": "<HHhHH",
    b"pgen": "<HH",
    b"inst": "<20sH",
    b"ibag": "<HH",
    b"imod": "<HHhHH",
    b"igen": "<HH",
    b"shdr": "<20sIIIIIBbHH",
}
PDTA_ORDER = list(RECORDS)


def read_varlen(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def song_events(song):
    """(tick, order, channel, command, data1, data2) of the channel events
    of every track, in playing order."""
    events = []
    pos = 14
    while pos + 8 <= len(song):
        kind, size = song[pos:pos + 4], struct.unpack_from(">I", song, pos + 4)[0]
        pos += 8
        end = pos + size
        status = 0
        tick = 0
        while kind == b"MTrk" and pos < end:
            delta, pos = read_varlen(song, pos)
            tick += delta
            if song[pos] & 0x80:
                status = song[pos]
                pos += 1
            if status == 0xFF:
                pos += 1
                length, pos = read_varlen(song, pos)
                pos += length
            elif status in (0xF0, 0xF7):
                length, pos = read_varlen(song, pos)
                pos += length
            else:
                command = status & 0xF0
                single = command in (0xC0, 0xD0)
                data2 = 0 if single else song[pos + 1]
                # A program change sounds for the notes of its own tick.
                order = 0 if command == 0xC0 else 1
                events.append((tick, order, status & 0x0F, command, song[pos], data2))
                pos += 1 if single else 2
        pos = end
    return sorted(events)


def song_notes(song):
    """{(bank, program): {(key, velocity)}}: the notes each preset plays."""
    programs = {}
    notes = {}
    for _, _, channel, command, data1, data2 in song_events(song):
        if command == 0xC0:
            programs[channel] = data1
        elif command == 0x90 and data2 > 0:
            bank = DRUM_BANK if channel == DRUM_CHANNEL else 0
            notes.setdefault((bank, programs.get(channel, 0)), set()).add((data1, data2))
    return notes


def chunks(data, pos, end):
    while pos < end:
        kind, size = bytes(data[pos:pos + 4]), struct.unpack_from("<I", data, pos + 4)[0]
        yield kind, pos + 8, size
        pos += 8 + size + (size & 1)


def read_font(font):
    """The font's INFO bytes, its 16-bit sample data and its pdta records."""
    info, samples, pdta = b"", b"", {}
    for kind, pos, size in chunks(font, 12, len(font)):
        if kind != b"LIST":
            continue
        form = bytes(font[pos:pos + 4])
        if form == b"INFO":
            info = bytes(font[pos + 4:pos + size])
        for sub, subpos, subsize in chunks(font, pos + 4, pos + size):
            if sub == b"smpl":
                samples = bytes(font[subpos:subpos + subsize])
            elif sub in RECORDS:
                layout = RECORDS[sub]
                step = struct.calcsize(layout)
                pdta[sub] = [list(struct.unpack_from(layout, font, subpos + i * step))
                             for i in range(subsize // step)]
    return info, samples, pdta


def zones(headers, bag_index, bags, gens, mods):
    """Per header (the terminal one left out): its zones as (generators,
    modulators) lists of records."""
    result = []
    for header, following in zip(headers, headers[1:]):
        first, last = header[bag_index], following[bag_index]
        result.append([(gens[bags[b][0]:bags[b + 1][0]], mods[bags[b][1]:bags[b + 1][1]])
                       for b in range(first, last)])
    return result


def in_range(amount, value):
    return amount & 0xFF <= value <= amount >> 8


def zone_plays(generators, notes):
    """The notes of `notes` within the zone's key and velocity ranges."""
    ranges = {oper: amount for oper, amount in generators if oper in (KEY_RANGE, VELOCITY_RANGE)}
    return {(key, velocity) for key, velocity in notes
            if in_range(ranges.get(KEY_RANGE, 0x7F00), key)
            and in_range(ranges.get(VELOCITY_RANGE, 0x7F00), velocity)}


def target(generators, oper):
    """The instrument or sample a zone names (its last generator), or None
    for a global zone."""
    return generators[-1][1] if generators and generators[-1][0] == oper else None


def kept_zones(all_zones, notes, oper):
    """The zones that sound some of `notes`, with the notes each plays; a
    global zone stays while any zone after it does."""
    kept = [(zone, zone_plays(zone[0], notes)) for zone in all_zones if target(zone[0], oper) is not None]
    kept = [(zone, played) for zone, played in kept if played]
    if kept and all_zones and target(all_zones[0][0], oper) is None:
        kept.insert(0, (all_zones[0], set()))
    return kept


def subset_font(font, wanted):
    """A new font of the presets in `wanted` ({(bank, program): notes})."""
    info, samples, pdta = read_font(font)
    presets = zones(pdta[b"phdr"], 3, pdta[b"pbag"], pdta[b"pgen"], pdta[b"pmod"])
    instruments = zones(pdta[b"inst"], 1, pdta[b"ibag"], pdta[b"igen"], pdta[b"imod"])

    out_presets = []  # (header, zones)
    inst_notes = {}  # instrument -> the notes its preset zones send it
    for header, preset_zones in zip(pdta[b"phdr"], presets):
        notes = wanted.get((header[2], header[1]))
        if not notes:
            continue
        kept = kept_zones(preset_zones, notes, INSTRUMENT)
        for zone, played in kept:
            inst = target(zone[0], INSTRUMENT)
            if inst is not None:
                inst_notes.setdefault(inst, set()).update(played)
        out_presets.append((header, [zone for zone, _ in kept]))

    inst_index = {inst: i for i, inst in enumerate(sorted(inst_notes))}
    out_instruments = []
    sample_ids = set()
    for inst in sorted(inst_notes):
        kept = [zone for zone, _ in kept_zones(instruments[inst], inst_notes[inst], SAMPLE_ID)]
        sample_ids.update(s for s in (target(z[0], SAMPLE_ID) for z in kept) if s is not None)
        out_instruments.append((pdta[b"inst"][inst], kept))
    # A stereo sample's partner goes along with it.
    sample_ids.update([pdta[b"shdr"][s][8] for s in sample_ids if pdta[b"shdr"][s][9] & 0x6])

    sample_index = {s: i for i, s in enumerate(sorted(sample_ids))}
    out_samples, data = [], bytearray()
    for s in sorted(sample_ids):
        name, start, end, loop_start, loop_end, rate, pitch, correction, link, kind = pdta[b"shdr"][s]
        at = len(data) // 2
        data += samples[start * 2:end * 2] + bytes(SAMPLE_PADDING * 2)
        out_samples.append([name, at, at + end - start, at + loop_start - start, at + loop_end - start,
                            rate, pitch, correction, sample_index.get(link, 0), kind])

    records = {kind: [] for kind in PDTA_ORDER}

    def add_zones(header_kind, header, bag_field, bag_kind, gen_kind, mod_kind, zone_list, oper, index):
        header = list(header)
        header[bag_field] = len(records[bag_kind])
        records[header_kind].append(header)
        for generators, modulators in zone_list:
            records[bag_kind].append([len(records[gen_kind]), len(records[mod_kind])])
            for gen_oper, amount in generators:
                records[gen_kind].append([gen_oper, index[amount] if gen_oper == oper else amount])
            records[mod_kind].extend(list(m) for m in modulators)

    for header, zone_list in out_presets:
        add_zones(b"phdr", header, 3, b"pbag", b"pgen", b"pmod", zone_list, INSTRUMENT, inst_index)
    for header, zone_list in out_instruments:
        add_zones(b"inst", header, 1, b"ibag", b"igen", b"imod", zone_list, SAMPLE_ID, sample_index)
    # The terminal records close each list.
    records[b"phdr"].append([b"EOP", 0, 0, len(records[b"pbag"]), 0, 0, 0])
    records[b"pbag"].append([len(records[b"pgen"]), len(records[b"pmod"])])
    records[b"pmod"].append([0, 0, 0, 0, 0])
    records[b"pgen"].append([0, 0])
    records[b"inst"].append([b"EOI", len(records[b"ibag"])])
    records[b"ibag"].append([len(records[b"igen"]), len(records[b"imod"])])
    records[b"imod"].append([0, 0, 0, 0, 0])
    records[b"igen"].append([0, 0])
    records[b"shdr"] = out_samples + [[b"EOS", 0, 0, 0, 0, 0, 0, 0, 0, 0]]

    def chunk(kind, body):
        return kind + struct.pack("<I", len(body)) + body + bytes(len(body) & 1)

    pdta_body = b"pdta" + b"".join(
        chunk(kind, b"".join(struct.pack(RECORDS[kind], *record) for record in records[kind]))
        for kind in PDTA_ORDER)
    body = b"sfbk" + chunk(b"LIST", b"INFO" + info) + chunk(b"LIST", b"sdta" + chunk(b"smpl", bytes(data))) + \
        chunk(b"LIST", pdta_body)
    return chunk(b"RIFF", body)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--font", required=True)
    parser.add_argument("--song", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    with open(args.song, "rb") as song:
        wanted = song_notes(song.read())
    with open(args.font, "rb") as source:
        font = source.read()
    with open(args.out, "wb") as out:
        out.write(subset_font(font, wanted))


if __name__ == "__main__":
    main()
