#!/usr/bin/env python3
"""Makes the palettes folder part of the program: a C++ source that holds each palette
file's name and bytes, so the checker's tests and the editor page use the same files
as the release archive. Usage: embed_palettes.py OUT.cpp PALETTE.ini..."""

import os
import sys

out, files = sys.argv[1], sorted(sys.argv[2:], key=os.path.basename)


def literal(data):
    # Octal escapes for everything but plain printable ASCII: any byte survives.
    text = "".join(chr(b) if 32 <= b < 127 and chr(b) not in '"\\?' else "\\%03o" % b for b in data)
    return '"' + text + '"'


rows = []
for path in files:
    with open(path, "rb") as f:
        data = f.read()
    rows.append("    {%s, {%s, %d}}," % (literal(os.path.basename(path).encode()), literal(data), len(data)))
source = """// Made by tools/embed_palettes.py from the palettes folder; not to be edited.
#include "colour/palettes.hpp"

namespace checker {

namespace {
const PaletteFile table[] = {
%s
};
} // namespace

std::span<const PaletteFile> palette_files() {
    return table;
}

} // namespace checker
""" % "\n".join(rows)
os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
if not os.path.exists(out) or open(out).read() != source:
    with open(out, "w") as f:
        f.write(source)
