#!/usr/bin/python3
"""Makes the game's effect sounds and the spoken card names.

    make_sounds.py effects OUTDIR     the effect sounds, OUTDIR/<NAME>.wav, and
                                      OUTDIR/peaks.txt with every sound's peak
    make_sounds.py voices OUTDIR      the voice module's recordings,
                                      OUTDIR/<NAME>.wav (24 cards x 10 languages)
    make_sounds.py --list-effects     the effect names, one per line
    make_sounds.py --list-voices      the voice names, one per line

Effects are synthesised here (additive tones, filtered noise) and finished
with sox (a little room, then normalised to a fixed peak below full scale).
Spoken words come from espeak-ng. Every file is 16-bit PCM WAVE, and its
name is the resource name in capitals.
"""

import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
PEAK_DB = -3.0          # every effect is normalised to this peak (dBFS)
LANGUAGES = ["Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"]
VOICES = ["en-gb", "ru", "de", "fr", "es", "cmn-latn-pinyin", "it", "cs", "ja", "ko"]

# Card names: suit prefix, rank part (as in the resource names) and the
# words in each language. Chinese is written in pinyin with tone numbers,
# Japanese in kana, which is what the espeak-ng voices read well.
SUITS = ["Bu", "Ch", "Kr", "Pi"]      # diamonds, hearts, clubs, spades
RANKS = ["09", "10", "2J", "3Q", "4K", "5A"]

WORDS = {
    "Eng": (["diamonds", "hearts", "clubs", "spades"],
            ["nine", "ten", "jack", "queen", "king", "ace"],
            lambda suit, rank, s, r: f"{r} of {s}"),
    "Rus": (["бубен", "червей", "треф", "пик"],
            ["девятка", "десятка", "валет", "дама", "король", "туз"],
            lambda suit, rank, s, r: f"{r} {s}"),
    "Deu": (["Karo", "Herz", "Kreuz", "Pik"],
            ["Neun", "Zehn", "Bube", "Dame", "König", "Ass"],
            lambda suit, rank, s, r: f"{s} {r}"),
    "Fra": (["carreau", "cœur", "trèfle", "pique"],
            ["neuf", "dix", "valet", "dame", "roi", "as"],
            lambda suit, rank, s, r: f"{r} de {s}"),
    "Spa": (["diamantes", "corazones", "tréboles", "picas"],
            ["nueve", "diez", "jota", "reina", "rey", "as"],
            lambda suit, rank, s, r: f"{r} de {s}"),
    "Chi": (["fang1 kuai4", "hong2 tao2", "mei2 hua1", "hei1 tao2"],
            ["jiu3", "shi2", "jie2 ke4", "wang2 hou4", "guo2 wang2", "jian1"],
            lambda suit, rank, s, r: f"{s} {r}"),
    "Ita": (["quadri", "cuori", "fiori", "picche"],
            ["nove", "dieci", "fante", "donna", "re", "asso"],
            lambda suit, rank, s, r: f"{r} di {s}"),
    # Czech suit adjectives agree with the rank's gender.
    "Cze": (["károv", "srdcov", "křížov", "pikov"],
            ["devítka", "desítka", "kluk", "dáma", "král", "eso"],
            lambda suit, rank, s, r: s + {0: "á", 1: "á", 2: "ý", 3: "á", 4: "ý", 5: "é"}[rank] + " " + r),
    "Jap": (["ダイヤ", "ハート", "クラブ", "スペード"],
            ["きゅう", "じゅう", "ジャック", "クイーン", "キング", "エース"],
            lambda suit, rank, s, r: f"{s}の {r}"),
    "Kor": (["다이아몬드", "하트", "클로버", "스페이드"],
            ["구", "십", "잭", "퀸", "킹", "에이스"],
            lambda suit, rank, s, r: f"{s} {r}"),
}

# The marriage calls, "twenty" and "forty", spoken in each language.
MARRIAGE_WORDS = {
    "Eng": ("twenty!", "forty!"), "Rus": ("двадцать!", "сорок!"),
    "Deu": ("zwanzig!", "vierzig!"), "Fra": ("vingt!", "quarante!"),
    "Spa": ("veinte!", "cuarenta!"), "Chi": ("er4 shi2", "si4 shi2"),
    "Ita": ("venti!", "quaranta!"), "Cze": ("dvacet!", "čtyřicet!"),
    "Jap": ("にじゅう", "よんじゅう"), "Kor": ("이십", "사십"),
}


def voice_names():
    return [f"{s}{r}Voice{lang}".upper() for lang in LANGUAGES for s in SUITS for r in RANKS]


# ---------------------------------------------------------------------------
# Synthesis

def silence(seconds):
    return [0.0] * int(seconds * RATE)


def mix(into, sound, at, gain=1.0):
    start = int(at * RATE)
    if len(into) < start + len(sound):
        into.extend([0.0] * (start + len(sound) - len(into)))
    for i, value in enumerate(sound):
        into[start + i] += value * gain
    return into


def note_freq(name):
    """'C5', 'F#4', 'Bb3' -> Hz."""
    steps = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
    semis = steps[name[0]]
    rest = name[1:]
    if rest[0] == "#":
        semis, rest = semis + 1, rest[1:]
    elif rest[0] == "b":
        semis, rest = semis - 1, rest[1:]
    midi = 12 * (int(rest) + 1) + semis
    return 440.0 * 2 ** ((midi - 69) / 12)


def tone(freq, seconds, partials, attack=0.01, decay=0.4, release=0.05, vibrato=0.0):
    """A note of harmonic (or given-ratio) partials with an exponential decay."""
    n = int(seconds * RATE)
    out = []
    phases = [0.0] * len(partials)
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / attack) * math.exp(-t / decay)
        if t > seconds - release:
            env *= max(0.0, (seconds - t) / release)
        wobble = 1.0 + vibrato * math.sin(2 * math.pi * 5.5 * t) * min(1.0, t / 0.15)
        value = 0.0
        for k, (ratio, amp) in enumerate(partials):
            phases[k] += 2 * math.pi * freq * ratio * wobble / RATE
            value += amp * math.sin(phases[k])
        out.append(value * env)
    return out


BRASS = [(1, 1.0), (2, 0.6), (3, 0.4), (4, 0.25), (5, 0.12), (6, 0.06)]
MELLOW = [(1, 1.0), (2, 0.2), (3, 0.05)]
CLARINET = [(1, 1.0), (3, 0.35), (5, 0.15), (7, 0.05)]
BELL = [(1, 1.0), (2.76, 0.35), (5.40, 0.15), (8.93, 0.05)]


def noise_burst(seconds, decay, low, high, rng):
    """White noise through a one-pole high-pass and low-pass, decaying fast."""
    n = int(seconds * RATE)
    a_low = math.exp(-2 * math.pi * high / RATE)   # low-pass keeps below `high`
    a_high = math.exp(-2 * math.pi * low / RATE)   # high-pass removes below `low`
    lp = hp_prev_in = hp = 0.0
    out = []
    for i in range(n):
        x = rng.uniform(-1, 1)
        lp = (1 - a_low) * x + a_low * lp
        hp = a_high * (hp + lp - hp_prev_in)
        hp_prev_in = lp
        t = i / RATE
        out.append(hp * min(1.0, t / 0.0008) * math.exp(-t / decay))
    return out


def card_snap(rng):
    snap = noise_burst(0.12, 0.018, 900, 5000, rng)
    thump = tone(150, 0.12, [(1, 1.0)], attack=0.002, decay=0.03, release=0.02)
    return mix(snap, thump, 0, 0.5)


def sequence(notes, partials, gap, hold, decay, vibrato=0.0):
    """Notes one after another; the last one is held."""
    out = []
    for i, name in enumerate(notes):
        last = i == len(notes) - 1
        length = hold if last else gap * 1.6
        names = name if isinstance(name, tuple) else (name,)
        for n in names:
            mix(out, tone(note_freq(n), length, partials, decay=decay * (3 if last else 1),
                          release=0.08, vibrato=vibrato), i * gap, 1.0 / len(names))
    return out


def effects():
    rng = random.Random(87)
    sounds = {}
    sounds["WHODSDO"] = mix(card_snap(rng), silence(0.25), 0)

    shuffle = []
    t = 0.0
    for i in range(36):  # a riffle: quick clicks, faster in the middle
        mix(shuffle, noise_burst(0.02, 0.004, 1500, 7000, rng), t, rng.uniform(0.35, 0.7))
        t += 0.024 - 0.01 * math.sin(math.pi * i / 36)
    for k in range(3):   # then three cards are dealt
        mix(shuffle, card_snap(rng), t + 0.2 + 0.18 * k, 0.9)
    sounds["WTASOKO"] = mix(shuffle, silence(0.2), t + 0.8)

    sounds["WKOGUTX"] = sequence(["C5", "E5", "G5", ("C5", "E5", "G5", "C6")], BRASS, 0.11, 0.7, 0.25, 0.004)
    sounds["WKOBADX"] = sequence(["E4", "C4"], MELLOW, 0.22, 0.6, 0.2)
    sounds["WNICHYA"] = sequence(["G4", "G4"], MELLOW, 0.22, 0.45, 0.15)
    sounds["WKOGOOD"] = sequence(["G4", "C5", "E5", "G5", ("C5", "E5", "G5", "C6")], BRASS, 0.13, 1.0, 0.3, 0.005)
    sounds["WKOBADS"] = sequence(["A4", "F4", "D4"], CLARINET, 0.28, 0.8, 0.25, 0.003)
    best = sequence(["C5", "C5", "C5", "G5", "E5", ("C5", "E5", "G5", "C6")], BRASS, 0.14, 1.4, 0.3, 0.005)
    for k, n in enumerate(["C7", "G6", "E7", "C7"]):   # a sparkle of bells over the chord
        mix(best, tone(note_freq(n), 0.5, BELL, decay=0.25), 0.75 + 0.12 * k, 0.25)
    sounds["WFIBEST"] = best
    sounds["WFIGOOD"] = sequence(["E5", "G5", ("E5", "G5", "C6")], BRASS, 0.14, 0.9, 0.3, 0.004)
    sounds["WFIBADS"] = sequence(["D4", "Bb3", "G3"], CLARINET, 0.3, 0.8, 0.25, 0.003)
    chime = tone(note_freq("E6"), 0.6, BELL, decay=0.2)
    sounds["WOPENFO"] = mix(chime, tone(note_freq("B5"), 0.6, BELL, decay=0.22), 0.09, 0.8)
    message = []
    for k, n in enumerate(["C6", "E6", "G6"]):
        mix(message, tone(note_freq(n), 0.5, BELL, decay=0.18), 0.1 * k, 0.8)
    sounds["WTOMENK"] = message
    wrong = tone(180, 0.3, CLARINET, attack=0.005, decay=0.08)
    sounds["WWRONGS"] = mix(wrong, tone(150, 0.3, CLARINET, attack=0.005, decay=0.09), 0.07, 0.8)
    sounds["STIMERA"] = tone(1200, 0.08, [(1, 1.0), (2.4, 0.3)], attack=0.001, decay=0.012)
    sounds["STIMERB"] = mix(tone(2000, 0.07, [(1, 1.0), (2.4, 0.3)], attack=0.001, decay=0.01),
                            tone(1600, 0.07, [(1, 1.0)], attack=0.001, decay=0.01), 0.05, 0.8)
    return sounds


# ---------------------------------------------------------------------------
# Files

def write_wave(path, samples):
    peak = max(1e-9, max(abs(v) for v in samples))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(v / peak * 30000)) for v in samples))


def run(*args):
    subprocess.run(args, check=True)


def finish(raw, path, reverb, cutoff):
    """sox: the top softened above `cutoff` Hz (no hiss, no piercing
    partials), a little room (optional), then the peak set to PEAK_DB."""
    effects_chain = ["gain", "-8", "lowpass", str(cutoff), "lowpass", str(cutoff)]
    if reverb:
        effects_chain += ["reverb", str(reverb), "50", "40"]
    run("sox", "-q", raw, "-b", "16", path, *effects_chain, "gain", "-n", str(PEAK_DB))


def peak_of(path):
    """The peak amplitude (0..1) as sox measures it."""
    result = subprocess.run(["sox", path, "-n", "stat"], capture_output=True, text=True, check=True)
    for line in result.stderr.splitlines():
        if line.startswith("Maximum amplitude"):
            return float(line.split(":")[1])
    raise RuntimeError(f"no peak for {path}")


def speak(text, voice, path, scratch):
    raw = os.path.join(scratch, "spoken.wav")
    run("espeak-ng", "-v", voice, "-s", "150", "-w", raw, text)
    # Trim the silence around the words; mono 22050 Hz is plenty for a voice.
    run("sox", "-q", raw, "-r", "22050", "-b", "16", path,
        "silence", "1", "0.02", "0.5%", "reverse", "silence", "1", "0.02", "0.5%", "reverse",
        "gain", "-n", str(PEAK_DB))


def make_effects(outdir):
    os.makedirs(outdir, exist_ok=True)
    report = []
    with tempfile.TemporaryDirectory() as scratch:
        for name, samples in effects().items():
            raw = os.path.join(scratch, name + ".wav")
            write_wave(raw, samples)
            dry = name in ("STIMERA", "STIMERB", "WHODSDO")
            noisy = name in ("WHODSDO", "WTASOKO")
            finish(raw, os.path.join(outdir, name + ".wav"), 0 if dry else 20, 6000 if noisy else 9000)
        # The marriage calls: a bell, then the number spoken in each language.
        for index, lang in enumerate(LANGUAGES):
            for number, word in zip(("20", "40"), MARRIAGE_WORDS[lang]):
                spoken = os.path.join(scratch, "word.wav")
                speak(word, VOICES[index], spoken, scratch)
                bell = os.path.join(scratch, "bell.wav")
                write_wave(bell, tone(note_freq("G5" if number == "20" else "C6"), 0.35, BELL, decay=0.15))
                bell44 = os.path.join(scratch, "bell44.wav")
                run("sox", "-q", bell, "-r", "22050", bell44, "gain", "-6")
                joined = os.path.join(scratch, "joined.wav")
                run("sox", "-q", bell44, spoken, joined)
                name = f"WSAYS{number}{lang.upper()}"
                run("sox", "-q", joined, "-b", "16", os.path.join(outdir, name + ".wav"), "gain", "-n", str(PEAK_DB))
                if lang == "Eng":  # the name without a language part
                    run("sox", "-q", joined, "-b", "16", os.path.join(outdir, f"WSAYS{number}.wav"),
                        "gain", "-n", str(PEAK_DB))
    for file in sorted(os.listdir(outdir)):
        if file.endswith(".wav"):
            peak = peak_of(os.path.join(outdir, file))
            if peak >= 0.99:
                raise RuntimeError(f"{file} clips (peak {peak})")
            report.append(f"{file[:-4]} {peak:.3f} {20 * math.log10(peak):.1f} dBFS")
    with open(os.path.join(outdir, "peaks.txt"), "w") as out:
        out.write("\n".join(report) + "\n")


def make_voices(outdir):
    os.makedirs(outdir, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        for index, lang in enumerate(LANGUAGES):
            suits, ranks, phrase = WORDS[lang]
            for s, suit in enumerate(SUITS):
                for r, rank in enumerate(RANKS):
                    text = phrase(s, r, suits[s], ranks[r])
                    name = f"{suit}{rank}Voice{lang}".upper()
                    speak(text, VOICES[index], os.path.join(outdir, name + ".wav"), scratch)


def effects_names_static():
    base = ["WHODSDO", "WTASOKO", "WKOGUTX", "WKOBADX", "WNICHYA", "WKOGOOD", "WKOBADS", "WFIBEST",
            "WFIGOOD", "WFIBADS", "WOPENFO", "WTOMENK", "WWRONGS", "STIMERA", "STIMERB",
            "WSAYS20", "WSAYS40"]
    return base + [f"WSAYS{n}{lang.upper()}" for lang in LANGUAGES for n in ("20", "40")]


def main(argv):
    if argv[1:] == ["--list-effects"]:
        print("\n".join(effects_names_static()))
    elif argv[1:] == ["--list-voices"]:
        print("\n".join(voice_names()))
    elif len(argv) == 3 and argv[1] == "effects":
        make_effects(argv[2])
    elif len(argv) == 3 and argv[1] == "voices":
        make_voices(argv[2])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
