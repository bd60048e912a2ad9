#!/usr/bin/env python3
"""Stages what players get into a folder: the plugin (.asi) and the checker, stripped,
the colour editor page, the template ini, the ready palettes, the players' guide, and the release
archive Tessivar.VC-<version>.zip.
The archive is reproducible: fixed timestamps, modes and order."""

import argparse
import os
import shutil
import struct
import subprocess
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
PALETTES = os.path.join(HERE, "..", "palettes")
GUIDES = os.path.join(HERE, "dist")


def guide_names():
    """README.txt in English, README.<language>.txt for each other language."""
    return sorted(name for name in os.listdir(GUIDES)
                  if name.startswith("README") and name.endswith(".txt"))


ARCHIVED = guide_names() + ["Tessivar.VC.asi", "Tessivar.VC.check.exe", "Tessivar.VC.editor.html",
                            "Tessivar.VC.ini"]


def palette_names():
    return sorted(name for name in os.listdir(PALETTES) if name.endswith(".ini"))


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def pe_checksum(data, checksum_at):
    total = 0
    for i in range(0, len(data), 2):
        if i in (checksum_at, checksum_at + 2):
            continue
        total += int.from_bytes(data[i:i + 2].ljust(2, b"\0"), "little")
        total = (total & 0xFFFF) + (total >> 16)
    return ((total + (total >> 16)) & 0xFFFF) + len(data)


def strip(source, target):
    """Strips a PE file. strip stamps the time into its header: that goes back to 0 and
    the header's checksum is made anew, so the same build gives the same bytes."""
    subprocess.run(["i686-w64-mingw32-strip", "-o", target, source], check=True)
    with open(target, "rb") as f:
        data = bytearray(f.read())
    (header,) = struct.unpack_from("<I", data, 0x3C)
    struct.pack_into("<I", data, header + 8, 0)  # the COFF header's TimeDateStamp
    checksum_at = header + 24 + 64               # the optional header's CheckSum
    struct.pack_into("<I", data, checksum_at, pe_checksum(data, checksum_at))
    with open(target, "wb") as f:
        f.write(data)


def stage(binaries, editor, out, version):
    os.makedirs(out, exist_ok=True)
    shutil.copyfile(editor, os.path.join(out, "Tessivar.VC.editor.html"))
    for name in ("Tessivar.VC.asi", "Tessivar.VC.check.exe"):
        strip(os.path.join(binaries, name), os.path.join(out, name))
    env = dict(os.environ, WINEDEBUG="-all")
    subprocess.run(["wine", os.path.join(out, "Tessivar.VC.check.exe"), "--template",
                    "--output", os.path.join(out, "Tessivar.VC.ini")], check=True, env=env)
    for name in guide_names():
        with open(os.path.join(GUIDES, name), encoding="utf-8") as guide:
            text = crlf(guide.read().replace("@VERSION@", version))
        with open(os.path.join(out, name), "wb") as f:
            # Notepad before Windows 10 reads UTF-8 as UTF-8 only after a byte-order mark.
            f.write(text.encode("ascii") if name == "README.txt" else text.encode("utf-8-sig"))
    os.makedirs(os.path.join(out, "palettes"), exist_ok=True)
    for name in palette_names():
        shutil.copyfile(os.path.join(PALETTES, name), os.path.join(out, "palettes", name))


def archive(out, version):
    path = os.path.join(out, "Tessivar.VC-%s.zip" % version)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name in ARCHIVED + ["palettes/" + name for name in palette_names()]:
            info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # plain MS-DOS attributes, whatever the builder's system
            info.external_attr = 0x20  # archive bit
            with open(os.path.join(out, name), "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    return path


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binaries", required=True, help="the win32 build's bin folder")
    parser.add_argument("--version-file", required=True, help="the build's version.txt")
    parser.add_argument("--editor", required=True, help="the wasm build's editor page")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    with open(args.version_file) as f:
        version = f.read().strip()
    stage(args.binaries, args.editor, args.out, version)
    print(archive(args.out, version))


if __name__ == "__main__":
    main()
