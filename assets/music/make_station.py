#!/usr/bin/python3
"""Makes one station of the services' internet radio: an MP3 loop that plays
on without a gap when its last frame is followed by its first.

    make_station.py --sox SOX --lame LAME --out STATION.mp3 --work DIR SONG.wav...

The songs are joined and levelled by sox into 44.1 kHz 16-bit stereo and
padded with silence to a whole number of MP3 frames (1152 samples). lame
encodes three copies of that loop at a constant 128 kbit/s without the bit
reservoir (every frame decodes on its own, so a listener may join at any
frame) and without a leading tag frame. The frames of the middle copy are
the loop: the encoder's delay and start-up lie in the first copy, its
padding in the last, and the middle copy's last frame is followed in the
encoded signal by a frame equal to its first.
"""

import argparse
import os
import subprocess
import sys
import wave

FRAME_SAMPLES = 1152
BITRATES = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320]


def frames(data):
    """Offsets and lengths of the MPEG-1 Layer III frames of `data`."""
    out = []
    at = data.find(b"\xff\xfb")
    while at >= 0 and at + 4 <= len(data):
        header = data[at:at + 4]
        if header[0] != 0xFF or (header[1] & 0xFE) != 0xFA:
            raise ValueError("lost frame sync at %d" % at)
        bitrate = BITRATES[header[2] >> 4] * 1000
        if (header[2] >> 2) & 3 != 0 or bitrate == 0:
            raise ValueError("unexpected frame header at %d" % at)
        length = 144 * bitrate // 44100 + ((header[2] >> 1) & 1)
        if at + length > len(data):
            break
        out.append((at, length))
        at += length
    return out


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--sox", required=True)
    parser.add_argument("--lame", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("songs", nargs="+")
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    loop = os.path.join(args.work, "loop.wav")
    subprocess.run([args.sox, "-q"] + args.songs + ["-r", "44100", "-c", "2", "-b", "16", loop, "gain", "-n", "-3"],
                   check=True)
    with wave.open(loop, "rb") as source:
        params = source.getparams()
        pcm = source.readframes(source.getnframes())
    samples = len(pcm) // 4
    loop_frames = -(-samples // FRAME_SAMPLES)
    pcm += b"\0" * ((loop_frames * FRAME_SAMPLES - samples) * 4)
    triple = os.path.join(args.work, "triple.wav")
    with wave.open(triple, "wb") as target:
        target.setparams(params)
        target.writeframes(pcm * 3)
    encoded = os.path.join(args.work, "triple.mp3")
    subprocess.run([args.lame, "--quiet", "--nores", "-t", "--cbr", "-b", "128", "-q", "2", triple, encoded],
                   check=True)
    with open(encoded, "rb") as f:
        data = f.read()
    found = frames(data)
    if len(found) < 2 * loop_frames + 2:
        sys.exit("make_station.py: lame wrote %d frames for a loop of %d" % (len(found), loop_frames))
    middle = found[loop_frames:2 * loop_frames]
    with open(args.out, "wb") as f:
        for at, length in middle:
            f.write(data[at:at + length])
    for name in (loop, triple, encoded):
        os.remove(name)


if __name__ == "__main__":
    main()
