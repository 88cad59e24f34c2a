#!/usr/bin/env python3
"""Writes a realistic Traditional Chinese text for the benchmarks, in UTF-8, one sentence a line.

The text is made of the words of the segmentation dictionary in build/data (dpphvbdn.byt), the
sentences of the bundled samples and their characters, with ordinary punctuation, so that the
segmenter meets the dictionary as it does in real prose. Nothing third-party is committed: the
text is made on demand.

    bench/make-text.py DATA_DIR CHARACTERS > text.txt   (e.g. build/data 2000000)
"""
import os
import random
import sys


def ordinal_chars():
    """Unicode character of each Big5 table ordinal (the hanzi A440..C67E and C940..F9DC)."""
    chars = {}
    for hi in range(0xA4, 0xFA):
        for lo in list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF)):
            code = (hi << 8) | lo
            if code > 0xF9DC or 0xC67E < code < 0xC940:
                continue
            raw = (hi - 164) * 157 + (lo - 64 if lo <= 126 else lo - 98)
            if raw > 5400:
                raw -= 408
            try:
                chars[raw] = bytes([hi, lo]).decode("cp950")
            except UnicodeDecodeError:
                pass
    return chars


def decode_units(table, start, length):
    out = []
    raw = table[start - 1:start - 1 + ((length + 1) // 2) * 2]
    for i in range(0, len(raw) - 1, 2):
        if raw[i] >= 0x80:
            try:
                out.append(raw[i:i + 2].decode("cp950"))
            except UnicodeDecodeError:
                out.append("\ufffd")
    return "".join(out)


def dictionary_words(data_dir):
    with open(os.path.join(data_dir, "dpphvbdn.byt"), "rb") as f:
        image = f.read()
    index, words2, longer = image[:130600], image[130600:337988], image[337988:746230]
    chars = ordinal_chars()
    two, long_ = [], []
    for block, table, out in ((0, words2, two), (65300, longer, long_)):
        for k in range(13060):
            e = index[block + 5 * k:block + 5 * k + 5]
            start, length = (e[0] << 16) | (e[1] << 8) | e[2], (e[3] << 8) | e[4]
            if e[0] >= 0x80 or e[3] >= 0x80 or start == 0 or k not in chars:
                continue
            group = decode_units(table, start, length)
            if table is words2:
                out.extend(chars[k] + c for c in group)
            else:
                # Tails of three (four-character words) and two characters lie side by side;
                # taking them three at a time gives words and near-words alike, as text has.
                out.extend(chars[k] + group[i:i + 3] for i in range(0, len(group) - 2, 3))
    return two, long_


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    data_dir, size = sys.argv[1], int(sys.argv[2])
    here = os.path.dirname(os.path.abspath(__file__))
    samples = os.path.join(here, "..", "data", "samples")
    sentences = []
    for name in sorted(os.listdir(samples)):
        with open(os.path.join(samples, name), encoding="utf-8") as f:
            for line in f:
                sentences.extend(s for s in line.strip().replace("！", "。").split("。") if s)
    sample_chars = [c for s in sentences for c in s if "\u4e00" <= c <= "\u9fff"]
    two, long_ = dictionary_words(data_dir)
    rng = random.Random(20261208)
    out, line, written = [], [], 0
    while written < size:
        r = rng.random()
        if r < 0.45:
            piece = rng.choice(two)
        elif r < 0.60:
            piece = rng.choice(long_)
        elif r < 0.80:
            piece = rng.choice(sample_chars)
        elif r < 0.85:
            piece = rng.choice(sentences)
        elif r < 0.95:
            piece = rng.choice("，，，、；：「」")
        else:
            piece = "。\n"
        out.append(piece)
        written += len(piece)
        if len(out) >= 4096:
            sys.stdout.write("".join(out))
            out = []
    sys.stdout.write("".join(out) + "。\n")


if __name__ == "__main__":
    main()
