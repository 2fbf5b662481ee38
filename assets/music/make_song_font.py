#!/usr/bin/env python3
"""Writes the menu song's sound font: the General MIDI font with every preset
the song does not play left without instruments.

    make_song_font.py --font GM.sf2 --song MidiSong.mid --out MenuSong.sf2

FluidSynth builds its zone tables for every instrument a preset names when it
loads a font (several megabytes for a whole General MIDI set), even when it
reads the samples on demand; a preset without instruments costs nearly
nothing. The samples and instruments stay as they are, so the file keeps the
font's size on disk but the song sounds exactly as with the full font.
"""
import argparse
import struct

INSTRUMENT = 41  # the preset generator that names an instrument
START_OFFSET = 0  # a generator FluidSynth ignores at preset level


def read_varlen(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def song_presets(song):
    """(bank, program) of every preset the song's channels play."""
    programs = {}  # channel -> programs chosen there
    sounding = set()
    pos = 14
    while pos + 8 <= len(song):
        kind, size = song[pos:pos + 4], struct.unpack_from(">I", song, pos + 4)[0]
        pos += 8
        end = pos + size
        status = 0
        while kind == b"MTrk" and pos < end:
            _, pos = read_varlen(song, pos)
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
                channel, command = status & 0x0F, status & 0xF0
                if command == 0xC0:
                    programs.setdefault(channel, set()).add(song[pos])
                elif command == 0x90 and song[pos + 1] > 0:
                    sounding.add(channel)
                pos += 1 if command in (0xC0, 0xD0) else 2
        pos = end
    presets = set()
    for channel in sounding:
        bank = 128 if channel == 9 else 0
        for program in programs.get(channel, {0}):
            presets.add((bank, program))
    return presets


def chunks(data, pos, end):
    while pos < end:
        kind, size = bytes(data[pos:pos + 4]), struct.unpack_from("<I", data, pos + 4)[0]
        yield kind, pos + 8, size
        pos += 8 + size + (size & 1)


def strip_font(font, keep):
    lists = {}
    for kind, pos, size in chunks(font, 12, len(font)):
        if kind == b"LIST":
            for sub, subpos, subsize in chunks(font, pos + 4, pos + size):
                lists[sub] = (subpos, subsize)
    phdr, pbag, pgen = lists[b"phdr"], lists[b"pbag"], lists[b"pgen"]
    headers = [struct.unpack_from("<20sHHH", font, phdr[0] + i * 38) for i in range(phdr[1] // 38)]
    bags = [struct.unpack_from("<H", font, pbag[0] + i * 4)[0] for i in range(pbag[1] // 4)]
    # The last header and the last bag only close the lists.
    for index in range(len(headers) - 1):
        _, program, bank, first_bag = headers[index]
        if (bank, program) in keep:
            continue
        for bag in range(first_bag, headers[index + 1][3]):
            for gen in range(bags[bag], bags[bag + 1]):
                at = pgen[0] + gen * 4
                if struct.unpack_from("<H", font, at)[0] == INSTRUMENT:
                    struct.pack_into("<H", font, at, START_OFFSET)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--font", required=True)
    parser.add_argument("--song", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    with open(args.song, "rb") as song:
        keep = song_presets(song.read())
    with open(args.font, "rb") as source:
        font = bytearray(source.read())
    strip_font(font, keep)
    with open(args.out, "wb") as out:
        out.write(font)


if __name__ == "__main__":
    main()
