#!/usr/bin/python3
"""Writes the game's music as standard MIDI files (General MIDI instruments).

    make_music.py --out DIR            every tune: DIR/<file>.mid
    make_music.py --list               one line per tune: file|artist|title
    make_music.py --playlist-file F    the playlist page of the songs (every tune
                                       but the first), one "<file>.mp3" per line

The first tune, "MidiSong", is the calm loop of the menu screens; the others
are the songs of the music player's playlist. Every tune is composed here
from a chord progression: a bass line, a soft string pad, a broken-chord
accompaniment and a melody built from a motif that follows the chords. The
melody's small choices come from a generator seeded per tune, so every build
writes the same notes.
"""

import argparse
import os
import random
import struct
import sys

TICKS = 480  # per quarter note

# Degrees of the major and the natural minor scale, in semitones.
MAJOR = [0, 2, 4, 5, 7, 9, 11]
MINOR = [0, 2, 3, 5, 7, 8, 10]

# General MIDI programs used below.
PIANO, EPIANO, HARP, CELESTA, VIBES, MUSIC_BOX = 0, 4, 46, 8, 11, 10
NYLON, FLUTE, CLARINET, OBOE, CELLO, STRINGS, WARM_PAD = 24, 73, 71, 68, 42, 48, 89
ACOUSTIC_BASS, FRETLESS = 32, 35


class Tune:
    def __init__(self, file, artist, title, key, scale, tempo, beats, progression,
                 repeats, bass, pad, accomp, lead, style, seed):
        self.file = file
        self.artist = artist
        self.title = title
        self.key = key            # MIDI note of the tonic in the middle octave
        self.scale = scale
        self.tempo = tempo        # quarter notes per minute
        self.beats = beats        # quarter notes per bar
        self.progression = progression  # scale degrees (1-based), one per bar
        self.repeats = repeats    # how often the progression is played
        self.bass, self.pad, self.accomp, self.lead = bass, pad, accomp, lead
        self.style = style        # accompaniment pattern
        self.seed = seed


TUNES = [
    Tune("MidiSong", "Tarvel", "Menu", 60, MAJOR, 76, 4,
         [1, 6, 4, 5, 1, 3, 4, 5, 6, 4, 1, 5, 4, 5, 1, 1], 2,
         ACOUSTIC_BASS, STRINGS, PIANO, FLUTE, "arpeggio", 25),
    Tune("Tarvel_Salon_Trio~Quiet_Harbour", "Tarvel Salon Trio", "Quiet Harbour", 62, MAJOR, 72, 4,
         [1, 5, 6, 4, 1, 5, 4, 5, 6, 3, 4, 1, 2, 5, 1, 1], 1,
         ACOUSTIC_BASS, STRINGS, PIANO, CLARINET, "arpeggio", 1),
    Tune("Card_Table_Quartet~Morning_Tea", "Card Table Quartet", "Morning Tea", 55, MAJOR, 100, 3,
         [1, 4, 5, 1, 6, 2, 5, 1, 1, 4, 1, 5, 6, 4, 5, 1], 2,
         FRETLESS, STRINGS, NYLON, FLUTE, "waltz", 2),
    Tune("Evening_Lamps~Slow_River", "Evening Lamps", "Slow River", 63, MAJOR, 66, 4,
         [1, 4, 6, 5, 4, 1, 2, 5, 1, 4, 6, 3, 4, 5, 1, 1], 1,
         FRETLESS, WARM_PAD, EPIANO, VIBES, "block", 3),
    Tune("Maple_Harp~Autumn_Letters", "Maple Harp", "Autumn Letters", 57, MINOR, 70, 4,
         [1, 6, 3, 7, 1, 4, 5, 5, 6, 7, 3, 6, 4, 5, 1, 1], 1,
         CELLO, STRINGS, HARP, OBOE, "arpeggio", 4),
    Tune("Lantern_Duo~Lantern_Walk", "Lantern Duo", "Lantern Walk", 65, MAJOR, 84, 4,
         [1, 2, 5, 1, 4, 5, 3, 6, 2, 5, 1, 6, 4, 5, 1, 1], 1,
         ACOUSTIC_BASS, WARM_PAD, NYLON, VIBES, "pick", 5),
    Tune("Music_Box_Club~Evening_Cards", "Music Box Club", "Evening Cards", 58, MAJOR, 66, 3,
         [1, 5, 6, 3, 4, 1, 4, 5, 1, 5, 6, 3, 4, 5, 1, 1], 2,
         CELLO, STRINGS, MUSIC_BOX, CELESTA, "waltz", 6),
]


def vlq(value):
    """A MIDI variable-length quantity."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Track:
    def __init__(self, channel):
        self.channel = channel
        self.events = []  # (tick, order, bytes); note-offs sort before note-ons

    def program(self, number, volume, pan, reverb):
        c = self.channel
        self.events += [(0, 0, bytes([0xC0 | c, number])),
                        (0, 0, bytes([0xB0 | c, 7, volume])),
                        (0, 0, bytes([0xB0 | c, 10, pan])),
                        (0, 0, bytes([0xB0 | c, 91, reverb]))]

    def note(self, start, length, pitch, velocity):
        pitch = max(0, min(127, pitch))
        velocity = max(1, min(127, velocity))
        self.events.append((start, 1, bytes([0x90 | self.channel, pitch, velocity])))
        self.events.append((start + length, 0, bytes([0x80 | self.channel, pitch, 0])))

    def chunk(self, meta=b""):
        data = bytearray(meta)
        now = 0
        for tick, _, message in sorted(self.events, key=lambda e: (e[0], e[1])):
            data += vlq(tick - now) + message
            now = tick
        data += b"\x00\xFF\x2F\x00"
        return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def chord_tones(tune, degree):
    """The chord of a scale degree as semitones above the tonic (root, third, fifth)."""
    scale = tune.scale
    tones = []
    for step in (0, 2, 4):
        index = degree - 1 + step
        tones.append(scale[index % 7] + 12 * (index // 7))
    return tones


def scale_pitches(tune, low, high):
    """Every scale note between two MIDI pitches."""
    result = []
    for octave in range(-3, 4):
        for step in tune.scale:
            pitch = tune.key + 12 * octave + step
            if low <= pitch <= high:
                result.append(pitch)
    return sorted(set(result))


def compose(tune):
    rng = random.Random(tune.seed)
    bar = TICKS * tune.beats
    bars = tune.progression * tune.repeats
    bass, pad, accomp, lead = Track(0), Track(1), Track(2), Track(3)
    bass.program(tune.bass, 88, 64, 40)
    pad.program(tune.pad, 52, 44, 80)
    accomp.program(tune.accomp, 84, 84, 60)
    lead.program(tune.lead, 92, 60, 70)

    # A two-bar motif: rhythm in eighths and a contour of scale steps. It is
    # varied a little in every phrase so the tune does not repeat itself.
    eighths = tune.beats * 2

    def motif():
        rhythm, left = [], eighths * 2
        while left > 0:
            length = rng.choice([2, 2, 3, 4, 1, 2] if left > 4 else [left])
            length = min(length, left)
            rhythm.append(length)
            left -= length
        contour = [rng.choice([-2, -1, -1, 1, 1, 2, 0]) for _ in rhythm]
        return rhythm, contour

    melody_range = scale_pitches(tune, tune.key + 5, tune.key + 21)
    current = min(melody_range, key=lambda p: abs(p - (tune.key + 12)))
    theme = motif()

    for index, degree in enumerate(bars):
        start = index * bar
        tones = chord_tones(tune, degree)
        root = tune.key - 24 + tones[0]
        last_bar = index == len(bars) - 1
        velocity = 58 + (6 if index % 4 == 0 else 0)

        # Bass: the root on the first beat, the fifth later in the bar.
        if last_bar:
            bass.note(start, bar * 2, root, 70)
        else:
            bass.note(start, bar // 2 if tune.beats == 4 else TICKS * 2, root, 72)
            if tune.beats == 4:
                bass.note(start + bar // 2, bar // 2, root + (tones[2] - tones[0]), 62)
            else:
                bass.note(start + TICKS * 2, TICKS, root + 12, 56)

        # Pad: the whole chord held through the bar, quietly.
        for tone in tones:
            pad.note(start, bar * (2 if last_bar else 1), tune.key - 12 + tone, 44)

        # Accompaniment.
        chord = [tune.key + t for t in tones] + [tune.key + tones[0] + 12]
        if last_bar:
            for p in chord:
                accomp.note(start, bar * 2, p, 60)
        elif tune.style == "arpeggio":
            order = [0, 1, 2, 3, 2, 1, 2, 1][:eighths]
            for i, k in enumerate(order):
                accomp.note(start + i * TICKS // 2, TICKS, chord[k], velocity - (6 if i % 2 else 0))
        elif tune.style == "waltz":
            accomp.note(start, TICKS, chord[0] - 12, velocity)
            for beat in (1, 2):
                for p in chord[1:3]:
                    accomp.note(start + beat * TICKS, TICKS - 60, p, velocity - 10)
        elif tune.style == "block":
            for beat in range(tune.beats):
                if beat % 2 == 0 or rng.random() < 0.3:
                    for p in chord[:3]:
                        accomp.note(start + beat * TICKS, TICKS * 2 - 40, p, velocity - 8)
        else:  # "pick": a finger-picked pattern
            order = [0, 2, 1, 3, 0, 2, 1, 2][:eighths]
            for i, k in enumerate(order):
                accomp.note(start + i * TICKS // 2, TICKS // 2 + 40, chord[k], velocity - 4)

        # Melody: two-bar phrases from the motif; strong beats land on chord
        # tones, the rest move by scale steps. The last bar holds the tonic.
        if last_bar:
            lead.note(start, bar * 2, min(melody_range, key=lambda p: abs(p - (tune.key + 12))), 70)
            continue
        if index % 2 == 1:
            continue
        if index % 8 == 4 and rng.random() < 0.6:
            theme = motif()  # a new idea for the middle of a section
        rhythm, contour = theme
        tick = start
        next_tones = chord_tones(tune, bars[index + 1]) if index + 1 < len(bars) else tones
        for i, (length, step) in enumerate(zip(rhythm, contour)):
            in_second_bar = tick >= start + bar
            harmony = next_tones if in_second_bar else tones
            position = melody_range.index(current) if current in melody_range else 0
            position = max(0, min(len(melody_range) - 1, position + step))
            candidate = melody_range[position]
            strong = (tick - start) % TICKS == 0 and ((tick - start) // TICKS) % 2 == 0
            if strong:
                # The nearest chord tone of the bar.
                pcs = {(tune.key + t) % 12 for t in harmony}
                choices = [p for p in melody_range if p % 12 in pcs]
                candidate = min(choices, key=lambda p: (abs(p - candidate), p))
            current = candidate
            gap = 30 if i < len(rhythm) - 1 else TICKS // 2
            lead.note(tick, max(60, length * TICKS // 2 - gap), current,
                      68 + (8 if strong else 0) + rng.randint(-4, 4))
            tick += length * TICKS // 2

    microseconds = int(60_000_000 / tune.tempo)
    numerator = tune.beats
    tempo_meta = (b"\x00\xFF\x51\x03" + struct.pack(">I", microseconds)[1:]
                  + b"\x00\xFF\x58\x04" + bytes([numerator, 2, 24, 8]))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, 4, TICKS)
    return header + bass.chunk(tempo_meta) + pad.chunk() + accomp.chunk() + lead.chunk()


def seconds(tune):
    bars = len(tune.progression) * tune.repeats + 1  # the last chord rings a bar longer
    return bars * tune.beats * 60.0 / tune.tempo


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--playlist-file")
    args = parser.parse_args()
    if args.list:
        for tune in TUNES:
            print(f"{tune.file}|{tune.artist}|{tune.title}|{seconds(tune):.1f}")
        return 0
    if args.playlist_file:
        with open(args.playlist_file, "w", encoding="utf-8", newline="\r\n") as page:
            for tune in TUNES[1:]:
                page.write(tune.file + ".mp3\n")
        return 0
    if not args.out:
        parser.error("--out, --list or --playlist-file is needed")
    os.makedirs(args.out, exist_ok=True)
    for tune in TUNES:
        with open(os.path.join(args.out, tune.file + ".mid"), "wb") as out:
            out.write(compose(tune))
    return 0


if __name__ == "__main__":
    sys.exit(main())
