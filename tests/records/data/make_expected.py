#!/usr/bin/env python3
"""Writes the expected history and club files of the scripted games in
records_files_test.cpp, built from the file layouts alone (an independent
check of the C++ writer). Run it from this folder; the outputs are kept in
the repository.

Games, all stamped 14:05 on 17.05.2024:
  1. Anna, new player, password "abc": first game, result +200
  2. Boris, new player, empty password: first game, result -100
  3. Anna, member in line 1: second game, result -300
"""

MARK = bytes([187])
OFFSET = 317


def sums(body):
    s1 = sum(body)
    s2 = sum(body[i - 1] for i in range(2, len(body) + 1, 2))
    s3 = sum(body[i - 1] for i in range(3, len(body) + 1, 3))
    return s1, s2, s3


def history_line(name, kon, res, rating_text, kind):
    body = b"14:05" + b"17.05.2024" + name.ljust(51) + str(kon).rjust(3).encode()
    body += str(res).rjust(10).encode() + rating_text.rjust(10).encode() + kind + b"#" * 9
    assert len(body) == 99
    return body + b"".join(b"%05d" % s for s in sums(body))


def history():
    lines = [
        history_line(b"Anna", 1, 200, "1,00", b"L"),
        history_line(b"Boris", 1, -100, "-0,50", b"L"),
        history_line(b"Anna", 1, -300, "-0,25", b"L"),
    ]
    end = (b"$" + MARK + b"}").ljust(99, b"#")
    lines.append(end + b"".join(b"%05d" % s for s in sums(end)))
    totals = [0, 0, 0]
    for line in lines:
        for i, s in enumerate(sums(line[:99])):
            totals[i] += s
    lines.append(b"".join(b"%010d" % t for t in totals))
    return b"".join(line + b"\r\n" for line in lines)


def code(password):
    return b"".join(b"%03d" % (c + OFFSET) for c in password.ljust(5))


def club():
    members = [
        b"Anna".ljust(20) + b" -0,250000" + b"      2" + b" " + b"  -100" + code(b"abc"),
        b"Boris".ljust(20) + b" -0,500000" + b"      1" + b" " + b"  -100" + code(b""),
    ]
    members += [b"#" * 37 + b" " + b"#" * 21] * 3
    top = [b" " * 20 + b"     0"] * 10
    mark = MARK + b"}" + b"Qor Games Tarvel club file"
    lines = members + top + [mark]
    for line in lines[:5]:
        assert len(line) == 59
    joined = b"".join(lines)[:583]
    lines.append(b"QorClbstd#" + b"".join(b"%06d" % s for s in sums(joined)))
    return b"".join(line + b"\r\n" for line in lines)


with open("scripted.hst", "wb") as f:
    f.write(history())
with open("scripted.clb", "wb") as f:
    f.write(club())
