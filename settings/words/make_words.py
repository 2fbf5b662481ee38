#!/usr/bin/python3
"""Builds the C++ word table from its data files.

Usage: make_words.py --header OUT.h --source OUT.cpp DATA [DATA ...]

A data file is UTF-8 text. Blank lines and lines starting with "#" are
ignored. Every entry is one contiguous block:

    [EntryName]
    en "English text"
    ru "..."
    de "..."   (then fr es zh it cs ja ko, always in this order)

An entry with several rows numbers them from 0 without gaps; the rows of one
entry stay together:

    [ClubHeader]
    row 0
    en "Mode"
    ...
    row 1
    en " The members of club    Games    Score "
    ...

A text that is the same in every language (a proper name) may be written once:

    all "Tarvel"

Inside the quotes \\" is a quote, \\\\ a backslash, and a line break is written
\\n\\r: the program's line break is the two characters LF CR, in that order.

The generated header holds `enum class WordId` with one constant per entry, so
a misspelt entry name in the program fails to compile. Any fault in the data
(duplicate name, a row without exactly ten languages, a row gap, a bad escape)
stops the build with the file and line of the fault.
"""

import argparse
import re
import sys

LANGUAGES = ["en", "ru", "de", "fr", "es", "zh", "it", "cs", "ja", "ko"]
NAME_RE = re.compile(r"^[A-Z][A-Za-z0-9]*$")
HEADER_RE = re.compile(r"^\[(.*)\]$")
ROW_RE = re.compile(r"^row\s+(\S+)$")
TEXT_RE = re.compile(r"^([a-z]+)\s+(\".*)$")
MAX_ENTRIES = 65535  # WordId is a 16-bit enumeration


class DataError(Exception):
    def __init__(self, path, line, message):
        super().__init__(f"{path}:{line}: error: {message}")


class Entry:
    def __init__(self, name, path, line):
        self.name = name
        self.path = path
        self.line = line
        self.rows = []      # finished rows, each a list of ten texts
        self.current = []   # texts of the row being read
        self.row_open = False


def parse_quoted(raw, path, line):
    """Decodes a quoted text; returns the text. `raw` starts at the quote."""
    assert raw.startswith('"')
    out = []
    i = 1
    while True:
        if i >= len(raw):
            raise DataError(path, line, "unterminated quoted text")
        c = raw[i]
        if c == '"':
            break
        if c == "\\":
            if i + 1 >= len(raw):
                raise DataError(path, line, "unterminated quoted text")
            e = raw[i + 1]
            if e == '"':
                out.append('"')
            elif e == "\\":
                out.append("\\")
            elif e == "n":
                out.append("\n")
            elif e == "r":
                out.append("\r")
            else:
                raise DataError(path, line, f"unknown escape \\{e}")
            i += 2
            continue
        if ord(c) < 0x20 or ord(c) == 0x7F:
            raise DataError(path, line, f"control character U+{ord(c):04X} in text")
        out.append(c)
        i += 1
    rest = raw[i + 1:]
    if rest.strip():
        raise DataError(path, line, f"unexpected text after the closing quote: {rest.strip()!r}")
    text = "".join(out)
    # The line break of the program is LF followed by CR; a lone LF or CR is
    # a typing mistake that would show as a broken line.
    for k, ch in enumerate(text):
        if ch == "\n" and (k + 1 >= len(text) or text[k + 1] != "\r"):
            raise DataError(path, line, "a line break must be written \\n\\r (LF then CR)")
        if ch == "\r" and (k == 0 or text[k - 1] != "\n"):
            raise DataError(path, line, "a line break must be written \\n\\r (LF then CR)")
    return text


def close_row(entry, path, line):
    if len(entry.current) != len(LANGUAGES):
        raise DataError(path, line,
                        f"entry {entry.name}, row {len(entry.rows)}: "
                        f"{len(entry.current)} of {len(LANGUAGES)} languages")
    entry.rows.append(entry.current)
    entry.current = []
    entry.row_open = False


def close_entry(entry, path, line):
    if entry.row_open or entry.current:
        close_row(entry, path, line)
    if not entry.rows:
        raise DataError(path, line, f"entry {entry.name} has no texts")


def parse_file(path, entries, seen):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as e:
        raise DataError(path, 0, f"cannot read: {e.strerror}")
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as e:
        line = data[:e.start].count(b"\n") + 1
        raise DataError(path, line, "the file is not valid UTF-8")
    if text.startswith("\ufeff"):
        text = text[1:]
    entry = None
    last_line = 0  # last line with content: where a fault at the end of the file shows
    for lineno, raw in enumerate(text.split("\n"), start=1):
        stripped = raw.rstrip("\r").strip()
        if not stripped or stripped.startswith("#"):
            continue
        last_line = lineno
        m = HEADER_RE.match(stripped)
        if m:
            if entry is not None:
                close_entry(entry, path, lineno)
            name = m.group(1)
            if not NAME_RE.match(name):
                raise DataError(path, lineno,
                                f"entry name {name!r} is not a CamelCase identifier")
            if name in seen:
                first = seen[name]
                raise DataError(path, lineno,
                                f"duplicate entry name {name} (first at {first.path}:{first.line})")
            entry = Entry(name, path, lineno)
            seen[name] = entry
            entries.append(entry)
            continue
        if entry is None:
            raise DataError(path, lineno, "text outside an entry (an entry starts with [Name])")
        m = ROW_RE.match(stripped)
        if m:
            if entry.current:
                close_row(entry, path, lineno)
            elif entry.row_open:
                raise DataError(path, lineno,
                                f"entry {entry.name}, row {len(entry.rows)}: 0 of {len(LANGUAGES)} languages")
            expected = len(entry.rows)
            if not m.group(1).isdigit() or int(m.group(1)) != expected:
                raise DataError(path, lineno,
                                f"entry {entry.name}: row gap, expected row {expected}, found row {m.group(1)}")
            entry.row_open = True
            continue
        m = TEXT_RE.match(stripped)
        if not m:
            raise DataError(path, lineno, f"cannot read line: {stripped!r}")
        code, quoted = m.group(1), m.group(2)
        value = parse_quoted(quoted, path, lineno)
        # The first text of an entry opens row 0 when no "row 0" line came;
        # later rows always start with their own "row N" line.
        entry.row_open = True
        if code == "all":
            if entry.current:
                raise DataError(path, lineno, f"entry {entry.name}: 'all' must replace the ten language lines")
            entry.current = [value] * len(LANGUAGES)
            continue
        if code not in LANGUAGES:
            raise DataError(path, lineno, f"unknown language code {code!r}")
        if len(entry.current) >= len(LANGUAGES):
            raise DataError(path, lineno,
                            f"entry {entry.name}, row {len(entry.rows)}: more than {len(LANGUAGES)} languages")
        expected = LANGUAGES[len(entry.current)]
        if code != expected:
            raise DataError(path, lineno,
                            f"entry {entry.name}, row {len(entry.rows)}: expected language {expected}, found {code}")
        entry.current.append(value)
    if entry is not None:
        close_entry(entry, path, last_line)


def cpp_literal(text):
    """A narrow string literal holding the UTF-8 bytes of `text`."""
    out = ['"']
    for b in text.encode("utf-8"):
        if b == 0x22:
            out.append('\\"')
        elif b == 0x5C:
            out.append("\\\\")
        elif b == 0x3F:
            out.append("\\?")  # no trigraphs, whatever the compiler mode
        elif 0x20 <= b < 0x7F:
            out.append(chr(b))
        else:
            out.append(f"\\{b:03o}")  # octal escapes stop after three digits
    out.append('"')
    return "".join(out)


def comment_text(text):
    shown = text.replace("\n", "\\n").replace("\r", "\\r")
    shown = shown.replace("/*", "/ *").replace("*/", "* /")
    return '"' + shown + '"'


def write_header(path, entries):
    lines = [
        "// Generated by make_words.py from the word table data. Do not edit.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "",
        "namespace tarvel {",
        "",
        "// One constant per word table entry; the comment shows its English text",
        "// (row 0).",
        "enum class WordId : std::uint16_t {",
    ]
    for e in entries:
        rows = f" [{len(e.rows)} rows]" if len(e.rows) > 1 else ""
        lines.append(f"  {e.name},  // {comment_text(e.rows[0][0])}{rows}")
    lines += [
        "};",
        "",
        f"inline constexpr int kWordCount = {len(entries)};",
        "",
        "}  // namespace tarvel",
        "",
    ]
    write_if_changed(path, "\n".join(lines))


def write_source(path, header_name, entries):
    lines = [
        "// Generated by make_words.py from the word table data. Do not edit.",
        '#include "word_data.h"',
        "",
        f'#include "{header_name}"',
        "",
        "namespace tarvel::words_detail {",
        "",
        "const std::string_view kTexts[] = {",
    ]
    first = []
    count = 0
    for e in entries:
        first.append(count)
        lines.append(f"    // {e.name}")
        for row in e.rows:
            for text in row:
                lines.append(f"    {cpp_literal(text)},")
                count += 1
    lines += ["};", "", "const WordEntry kEntries[] = {"]
    for e, start in zip(entries, first):
        lines.append(f'    {{"{e.name}", {start}, {len(e.rows)}}},')
    lines += ["};", "", "const std::uint16_t kEntriesByName[] = {"]
    order = sorted(range(len(entries)), key=lambda i: entries[i].name.encode("ascii"))
    for i in range(0, len(order), 16):
        lines.append("    " + ", ".join(str(k) for k in order[i:i + 16]) + ",")
    lines += [
        "};",
        "",
        f"static_assert(sizeof(kEntries) / sizeof(kEntries[0]) == {len(entries)});",
        f"static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == {count});",
        "",
        "}  // namespace tarvel::words_detail",
        "",
    ]
    write_if_changed(path, "\n".join(lines))


def write_if_changed(path, content):
    # Leaving an unchanged output alone keeps its time stamp, so editing one
    # text does not rebuild everything that includes the header.
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == content:
                return
    except OSError:
        pass
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(content)


def main(argv):
    parser = argparse.ArgumentParser(description="Builds the C++ word table from its data files.")
    parser.add_argument("--header", required=True, help="generated header with enum class WordId")
    parser.add_argument("--source", required=True, help="generated source with the string table")
    parser.add_argument("data", nargs="+", help="word table data files")
    args = parser.parse_args(argv)
    entries = []
    seen = {}
    try:
        for path in args.data:
            parse_file(path, entries, seen)
        if not entries:
            raise DataError(args.data[0], 0, "no entries")
        if len(entries) > MAX_ENTRIES:
            raise DataError(args.data[-1], 0, f"more than {MAX_ENTRIES} entries")
    except DataError as e:
        print(e, file=sys.stderr)
        return 1
    header_name = args.header.replace("\\", "/").rsplit("/", 1)[-1]
    write_header(args.header, entries)
    write_source(args.source, header_name, entries)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
