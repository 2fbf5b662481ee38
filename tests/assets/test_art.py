"""Checks of the picture generator: font metrics, pip layouts, the picture list."""

import os
import re
import struct
import subprocess
import tempfile
import unittest

import backs
import catalog
import contact_sheet
import faces
import fontmetrics
import lettering
import suits


class FontMetricsTest(unittest.TestCase):
    def test_widths_grow_with_text_and_size(self):
        font = fontmetrics.font("DejaVu Serif:condensed:bold")
        self.assertGreater(font.width("10", 12), font.width("1", 12))
        self.assertAlmostEqual(font.width("KQ", 24), 2 * font.width("KQ", 12))
        self.assertTrue(font.has("A"))

    def test_collection_file_with_cjk(self):
        font = fontmetrics.font("WenQuanYi Micro Hei")
        self.assertTrue(font.has("精"))
        self.assertGreater(font.width("精英", 20), 30)

    def test_damaged_fonts_raise_font_error(self):
        with open(subprocess_font_path("DejaVu Sans"), "rb") as handle:
            real = handle.read()
        head = real[:12 + 16 * struct.unpack_from(">H", real, 4)[0]]
        cases = {
            "empty": b"",
            "short": b"\x00\x01\x00\x00\x00",
            "collection header only": b"ttcf\x00\x01",
            "directory only": head,
            "truncated": real[:len(real) // 3],
            "noise": bytes(range(256)) * 8,
            "huge table count": b"\x00\x01\x00\x00\xff\xff" + b"\x00" * 40,
        }
        for label, data in cases.items():
            with self.subTest(label):
                with self.assertRaises(fontmetrics.FontError):
                    fontmetrics.Font(data)


def subprocess_font_path(pattern):
    return subprocess.run(["fc-match", "-f", "%{file}", pattern], check=True, capture_output=True,
                          text=True).stdout.strip()


def pip_spots(svg):
    """(x, y, flipped) of each pip placed on a face."""
    spots = []
    for m in re.finditer(r'xlink:href="#p[hdcs]" transform="translate\(([-\d.]+) ([-\d.]+)\) scale\(([\d.]+)\)'
                         r'( rotate\(180 50 50\))?"', svg):
        k = float(m.group(3))
        spots.append((float(m.group(1)) + 50 * k, float(m.group(2)) + 50 * k, bool(m.group(4))))
    return spots


class PipLayoutTest(unittest.TestCase):
    def test_nines_and_tens(self):
        for size in (faces.SMALL, faces.LARGE):
            for rank, count in (("9", 9), ("10", 10)):
                with self.subTest(size=size.width, rank=rank):
                    spots = pip_spots(faces._pips(size, rank, "h"))
                    self.assertEqual(len(spots), count)
                    self.assertEqual(len(set((x, y) for x, y, _ in spots)), count)
                    for x, y, flipped in spots:
                        self.assertEqual(flipped, y > size.height / 2 + 0.5)
                        half = size.pip / 2
                        self.assertGreater(x - half, size.index_x + size.index_max / 2)
                        self.assertLess(x + half, size.width - size.index_x - size.index_max / 2)
                        self.assertGreater(y - half, 0)
                        self.assertLess(y + half, size.height)
                    # the layout is symmetric under a half turn
                    turned = sorted((round(size.width - x, 2), round(size.height - y, 2)) for x, y, _ in spots)
                    self.assertEqual(turned, sorted((round(x, 2), round(y, 2)) for x, y, _ in spots))

    def test_every_face_has_two_indices(self):
        for size in (faces.SMALL, faces.LARGE):
            for rank in faces.RANKS:
                svg = faces.face(faces.CLASSIC, size, rank, "s")
                with self.subTest(size=size.width, rank=rank):
                    self.assertIn(">%s</text>" % rank, svg)
                    self.assertIn('<use xlink:href="#idx" transform="rotate(180', svg)


class CatalogTest(unittest.TestCase):
    def test_names_unique_and_sizes_positive(self):
        seen = set()
        for p in catalog.pictures():
            key = (p.set, p.name)
            self.assertNotIn(key, seen)
            seen.add(key)
            if p.ext != "json":
                self.assertGreater(p.width, 0)
                self.assertGreater(p.height, 0)
            self.assertRegex(p.name, r"^[A-Za-z0-9_]+$")

    def test_modules_are_complete(self):
        by_set = {}
        for p in catalog.pictures():
            by_set.setdefault(p.set, []).append(p.name)
        for module, theme in faces.MODULE_DECKS:
            with self.subTest(deck=theme.code):
                code = theme.code
                expected = [s + r + code + b for s in ("Ch", "Bu", "Kr", "Pi")
                            for r in ("09", "10", "2J", "3Q", "4K", "5A") for b in ("", "B")]
                expected += [s + code + b for s in ("Cher", "Bubi", "Kres", "Piki") for b in ("", "B")]
                self.assertEqual(sorted(n for n in by_set[module] if n in expected), sorted(expected))
        codes = [theme.code for _, theme in faces.MODULE_DECKS]
        self.assertGreaterEqual(len(codes), 9)  # Medieval and at least eight more
        self.assertEqual(len(set(codes)), len(codes))
        backs_expected = [d + code + b for _, code, count in catalog.MODULE_BACKS
                          for d in (backs.DAYS + backs.EXTRA)[:count] for b in ("", "B")]
        self.assertEqual(sorted(by_set["QorCards06B"]), sorted(backs_expected))
        self.assertIn("Ob10XXAniB", by_set["QorCards06B"])
        self.assertEqual(len(by_set["QorBackG03"]), 2 * (7 * len(catalog.MODULE_BACKGROUNDS) - 1))
        self.assertNotIn("Fon02Gr", by_set["QorBackG03"])
        self.assertIn("Fon03FiB", by_set["QorBackG03"])

    def test_module_decks_look_different(self):
        # The SVG of a court card and of an ace differs between every two
        # decks, and from the program's own.
        themes = [faces.CLASSIC] + [theme for _, theme in faces.MODULE_DECKS]
        for rank in ("K", "A", "9"):
            drawn = [faces.face(theme, faces.LARGE, rank, "d") for theme in themes]
            self.assertEqual(len(set(drawn)), len(drawn), rank)

    def test_subtitles_fit_their_box(self):
        for kind, texts in lettering.SUBTITLES.items():
            for lang, words in texts.items():
                with self.subTest(kind=kind, lang=lang):
                    pattern = "WenQuanYi Micro Hei" if lang == "Chi" else "DejaVu Serif:bold:italic"
                    size = lettering._fit(words, pattern, 318, 27)
                    self.assertLessEqual(fontmetrics.font(pattern).width(words, size), 318.01)
                    self.assertGreater(size, 12, "too small to read")
                    for char in words:
                        self.assertTrue(fontmetrics.font(pattern).has(char) or char == " ", char)


class SuitShapeTest(unittest.TestCase):
    def test_every_suit_has_a_symbol(self):
        defs = suits.pip_defs("x", ("#f00", "#e00", "#d00"), ("#111", "#000", "#000"))
        for suit in suits.SUITS:
            self.assertIn('id="x%s"' % suit, defs)


class ContactSheetTest(unittest.TestCase):
    def test_malformed_pictures_are_refused(self):
        with tempfile.TemporaryDirectory() as folder:
            cases = {"empty.png": b"", "text.png": b"hello world, not a picture",
                     "cut.jpg": b"\xff\xd8\xff\xe0\x00\x10JFIF", "zeros.jpg": b"\x00" * 64}
            for name, data in cases.items():
                path = os.path.join(folder, name)
                with open(path, "wb") as handle:
                    handle.write(data)
                reader = contact_sheet.jpeg_size if name.endswith(".jpg") else contact_sheet.png_size
                with self.subTest(name):
                    with self.assertRaises(ValueError):
                        reader(path)


@unittest.skipUnless(os.environ.get("TARVEL_BACKGEN"), "the background generator is built by CMake")
class BackgroundGeneratorTest(unittest.TestCase):
    def run_tool(self, *args):
        return subprocess.run([os.environ["TARVEL_BACKGEN"]] + list(args), capture_output=True,
                              env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))

    def test_writes_jpegs_of_the_asked_size(self):
        with tempfile.TemporaryDirectory() as folder:
            felt, sun = os.path.join(folder, "a.jpg"), os.path.join(folder, "b.jpg")
            done = self.run_tool("felt", "40", "30", felt, "sun", "33", "21", sun)
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertEqual(contact_sheet.jpeg_size(felt), (40, 30))
            self.assertEqual(contact_sheet.jpeg_size(sun), (33, 21))

    def test_bad_arguments_are_refused_without_output(self):
        cases = {
            "no arguments": [],
            "missing file": ["felt", "10", "10"],
            "zero width": ["felt", "0", "10", "{out}"],
            "negative height": ["felt", "10", "-3", "{out}"],
            "huge": ["felt", "100000", "100000", "{out}"],
            "text size": ["felt", "ten", "10", "{out}"],
            "unknown recipe": ["marble", "10", "10", "{out}"],
        }
        with tempfile.TemporaryDirectory() as folder:
            out = os.path.join(folder, "x.jpg")
            for label, args in cases.items():
                with self.subTest(label):
                    done = self.run_tool(*[a.format(out=out) for a in args])
                    self.assertEqual(done.returncode, 2, done.stderr)
                    self.assertFalse(os.path.exists(out))

    def test_unwritable_target_is_an_error(self):
        done = self.run_tool("felt", "8", "8", "/nonexistent-folder/x.jpg")
        self.assertEqual(done.returncode, 1)


if __name__ == "__main__":
    unittest.main()
