#!/usr/bin/env python3
"""Checks of the menu song's sound font (assets/music/make_song_font.py).

    song_font_check.py MIDIRENDER GM.sf2 MenuSong.sf2 MidiSong.mid
"""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "assets", "music"))
import make_song_font  # noqa: E402

MIDIRENDER, FULL_FONT, SONG_FONT, SONG = sys.argv[1:5]


def track(*events):
    body = b"".join(bytes([0]) + bytes(event) for event in events) + b"\x00\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(body)) + body


class SongFontTest(unittest.TestCase):
    def test_the_song_renders_as_with_the_full_font(self):
        with tempfile.TemporaryDirectory() as work:
            renders = []
            for font in (FULL_FONT, SONG_FONT):
                out = os.path.join(work, os.path.basename(font) + ".wav")
                subprocess.run([MIDIRENDER, font, SONG, out], check=True)
                with open(out, "rb") as wave:
                    renders.append(wave.read())
        self.assertEqual(renders[0], renders[1])
        samples = struct.unpack_from("<%dh" % ((len(renders[1]) - 44) // 2), renders[1], 44)
        self.assertGreater(max(samples), 1000)
        self.assertLess(os.path.getsize(SONG_FONT) * 4, os.path.getsize(FULL_FONT))

    def test_notes_follow_the_program_changes_of_other_tracks(self):
        # Track 1 switches channel 0 to the flute at tick 0 and plays; track 2
        # plays on channel 0 at the same tick and on the drum channel.
        song = b"MThd" + struct.pack(">IHHH", 6, 1, 2, 96) + \
            track((0xC0, 73), (0x90, 60, 100), (0x80, 60, 0)) + \
            track((0x90, 64, 90), (0x99, 36, 80), (0x90, 65, 0))
        self.assertEqual(make_song_font.song_notes(song),
                         {(0, 73): {(60, 100), (64, 90)}, (128, 0): {(36, 80)}})


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
