#!/usr/bin/env python3
"""Checks what players download: the release archive holds the five files and the ready
palettes (each listed in the players' guide), is the same
byte for byte when made twice, its guide has Windows line ends, and both binaries carry
the build's version in their version resource; the plugin stays under 256 KiB."""

import os
import subprocess
import sys
import tempfile
import zipfile

root, binaries, version_file, editor = sys.argv[1:5]
if not os.path.isfile(editor):
    # The page comes from the wasm preset; tools/test.sh builds it before this one.
    print("SKIPPED: no editor page at %s to put in the archive; build it first with "
          "cmake --preset wasm && cmake --build --preset wasm" % editor)
    sys.exit(1 if os.environ.get("TESSIVAR_NO_SKIP") else 77)
version = open(version_file).read().strip()
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def make(out):
    subprocess.run([sys.executable, os.path.join(root, "tools", "make_dist.py"), "--binaries",
                    binaries, "--version-file", version_file, "--editor", editor, "--out", out],
                   check=True,
                   stdout=subprocess.DEVNULL)
    return os.path.join(out, "Tessivar.VC-%s.zip" % version)


def resource_value(data, name):
    """The text of a StringFileInfo value: its UTF-16 name, padding, then the text."""
    at = data.find(name.encode("utf-16-le") + b"\0\0")
    if at < 0:
        return None
    at += 2 * len(name) + 2
    at += (-at) % 4  # values start on a 32-bit boundary
    end = data.find(b"\0\0", at)
    while end >= 0 and (end - at) % 2:
        end = data.find(b"\0\0", end + 1)
    return data[at:end].decode("utf-16-le")


with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
    archive = make(first)
    with open(archive, "rb") as a, open(make(second), "rb") as b:
        check(a.read() == b.read(), "the archive differs between two builds")
    with zipfile.ZipFile(archive) as z:
        names = sorted(z.namelist())
        palettes = sorted(n for n in os.listdir(os.path.join(root, "palettes")) if n.endswith(".ini"))
        check(len(palettes) >= 6, "fewer than six palettes")
        guides = ["README.txt"] + ["README.%s.txt" % code
                                   for code in ("de", "es", "fr", "it", "pl", "pt-BR", "ru")]
        check(names == sorted(guides + ["Tessivar.VC.asi", "Tessivar.VC.check.exe",
                                        "Tessivar.VC.editor.html", "Tessivar.VC.ini"] +
                              ["palettes/" + n for n in palettes]), "archive holds %s" % names)
        for name in palettes:
            check(z.read("palettes/" + name) == open(os.path.join(root, "palettes", name), "rb").read(),
                  "palettes/%s is not the repository's" % name)
        for guide_name in guides:
            guide = z.read(guide_name)
            # English in plain ASCII; the others UTF-8 that Notepad of any age reads as such
            check(guide.isascii() if guide_name == "README.txt" else
                  guide.startswith(b"\xef\xbb\xbf") and bool(guide.decode("utf-8")),
                  guide_name + " is not in its encoding")
            for name in palettes:
                check(b"palettes\\" + name.encode() in guide, guide_name + " does not list " + name)
            check(b"\r\n" in guide and b"\n" not in guide.replace(b"\r\n", b""),
                  guide_name + " does not end every line with CRLF")
            check(("Tessivar %s" % version).encode() in guide, guide_name + " does not name the version")
            # the same steps: as many numbered steps and ini places, every option named
            english = z.read("README.txt").decode("ascii")
            text = guide.decode("utf-8-sig")
            for mark in ("\r\n1. ", "\r\n2. ", "\r\n3. ", "\r\n4. ", "\\plugins\\Tessivar.VC.ini",
                         "--code", "--from-code", "--lang=", "--repair", "Tessivar.VC.backup",
                         "MoneyColor=255 0 0"):
                check(text.count(mark) == english.count(mark), "%s: %r" % (guide_name, mark))
        check(z.read("Tessivar.VC.ini").startswith(b";") and b"\r\n" in z.read("Tessivar.VC.ini"),
              "the ini is not the template with CRLF")
        for name, description in (("Tessivar.VC.asi", "Tessivar: recolours"),
                                  ("Tessivar.VC.check.exe", "Tessivar ini checker")):
            data = z.read(name)
            check(resource_value(data, "ProductName") == "Tessivar", name + ": product name")
            check(resource_value(data, "FileVersion") == version, name + ": file version")
            check((resource_value(data, "FileDescription") or "").startswith(description),
                  name + ": description")
        check(len(z.read("Tessivar.VC.asi")) < 256 * 1024, "the plugin is 256 KiB or more")
        stripped = os.path.join(first, "Tessivar.VC.asi")
        check(subprocess.run(["bash", os.path.join(root, "tests", "binary", "check_binary.sh"),
                              stripped, os.path.join(first, "Tessivar.VC.check.exe")]).returncode
              == 0, "the stripped binaries' imports or exports")

for failure in failures:
    print("FAIL:", failure)
if not failures:
    print("ok: Tessivar.VC-%s.zip holds the five files and the palettes, is reproducible, and "
          "carries the version"
          % version)
sys.exit(1 if failures else 0)
