#!/usr/bin/env python3
"""Copies a PNG without its time and text chunks, so that the same picture is the same bytes.

    png-without-time.py IN.png OUT.png
"""
import struct
import sys

SIGNATURE = b"\x89PNG\r\n\x1a\n"
# tIME holds the hour the file was written; the text chunks hold dates too (date:create ...).
DROPPED = {b"tIME", b"tEXt", b"zTXt", b"iTXt"}


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as source:
        data = source.read()
    if not data.startswith(SIGNATURE):
        sys.exit(f"{sys.argv[1]}: not a PNG file")
    kept = [SIGNATURE]
    at = len(SIGNATURE)
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind = data[at + 4:at + 8]
        end = at + 12 + length
        if end > len(data):
            sys.exit(f"{sys.argv[1]}: cut short inside a {kind!r} chunk")
        if kind not in DROPPED:
            kept.append(data[at:end])
        at = end
    with open(sys.argv[2], "wb") as out:
        out.write(b"".join(kept))


if __name__ == "__main__":
    main()
