#!/usr/bin/env python3
"""Cuts one face of an installed font down to the characters the program shows.

    subset_faces.py --source FONT --family-in "Noto Sans CJK SC"
                    --family-out "Kidsum Sans CJK SC" --output OUT.otf
                    --texts FILE...

The characters kept are printable ASCII, the full-width forms and the
ideographic space (a typed answer may hold any of them), and every character
above ASCII in the given files. Outlines, hinting, metrics and layout tables of the kept glyphs
are the source's own, so text drawn with the cut face comes out pixel for
pixel as with the whole one. The face is renamed, so the two never stand for
each other by name, and keeps the source's copyright and licence records.
Needs fontTools (Debian: python3-fonttools). The output depends only on the
inputs: the source's own time stamps are kept.
"""
import argparse
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection


def characters(files):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    chars |= {chr(c) for c in range(0xFF01, 0xFF5F)}  # full-width forms
    chars.add("\u3000")
    for name in files:
        with open(name, encoding="utf-8") as f:
            chars |= {c for c in f.read() if ord(c) > 0x7F and c.isprintable()}
    return "".join(sorted(chars))


def family_of(font):
    name = font["name"]
    return name.getDebugName(16) or name.getDebugName(1)


def face_number(source, family):
    """The number of the face named family within a collection, or 0."""
    if not source.lower().endswith((".ttc", ".otc")):
        return 0
    collection = TTCollection(source, lazy=True)
    for number, font in enumerate(collection.fonts):
        if family_of(font) == family:
            return number
    sys.exit(f"{source} holds no face named {family!r}")


def rename(font, family):
    postscript = family.replace(" ", "") + "-Regular"
    for record in font["name"].names:
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID == 4:
            record.string = family + " Regular"
        elif record.nameID == 6:
            record.string = postscript
        elif record.nameID == 3:
            record.string = postscript + ";subset"
    if "CFF " in font:
        font["CFF "].cff.fontNames = [postscript]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", required=True)
    parser.add_argument("--family-in", required=True)
    parser.add_argument("--family-out", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--texts", nargs="+", required=True)
    args = parser.parse_args()

    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.font_number = face_number(args.source, args.family_in)
    font = subset.load_font(args.source, options, lazy=False)
    if family_of(font) != args.family_in:
        sys.exit(f"{args.source} is {family_of(font)!r}, not {args.family_in!r}")
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters(args.texts))
    subsetter.subset(font)
    rename(font, args.family_out)
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    partial = args.output + ".part"
    subset.save_font(font, partial, options)
    os.replace(partial, args.output)


if __name__ == "__main__":
    main()
