#!/usr/bin/env python3
"""The catalogues (translations/LANG.po) as tables the tools compile in: the checker's and
the reports' texts for the C++ (--cpp FILE), the editor page's own for its script
(--js FILE). A text goes where the template says it is used (its "#:" places).

Usage: po_tables.py [--cpp FILE] [--js FILE] LANG.po...
"""

import json
import os
import sys

# The languages, their own names and their plural rules (which form a count takes).
LANGUAGES = {
    "en": ("English", "one-other"),
    "de": ("Deutsch", "one-other"),
    "es": ("Español", "one-other"),
    "fr": ("Français", "zero-one"),
    "it": ("Italiano", "one-other"),
    "pl": ("Polski", "polish"),
    "pt-BR": ("Português (Brasil)", "zero-one"),
    "ru": ("Русский", "russian"),
}
FORMS = {"one-other": 2, "zero-one": 2, "polish": 3, "russian": 3}


def unquote(text):
    text = text.strip()
    assert text.startswith('"') and text.endswith('"'), text
    out, at = "", 1
    while at < len(text) - 1:
        if text[at] == "\\":
            out += {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}[text[at + 1]]
            at += 2
        else:
            out += text[at]
            at += 1
    return out


def read_po(path):
    """[{"msgid", "plural", "forms": [...], "places": [...], "fuzzy"}], the header left out."""
    entries, entry, field = [], None, None

    def finish():
        if entry and entry.get("msgid"):
            entries.append(entry)

    with open(path, encoding="utf-8") as file:
        lines = file.read().splitlines()
    for raw in lines:
        line = raw.rstrip("\n")
        if not line.strip():
            continue
        if line.startswith("#:"):
            if entry is None or "msgid" in entry:
                finish()
                entry = {"places": [], "forms": {}, "fuzzy": False}
            entry["places"] += line[2:].split()
            continue
        if line.startswith("#,"):
            if entry is None or "msgid" in entry:
                finish()
                entry = {"places": [], "forms": {}, "fuzzy": False}
            entry["fuzzy"] = "fuzzy" in line
            continue
        if line.startswith("#"):
            continue
        if line.startswith("msgid "):
            if entry is None or "msgid" in entry:
                finish()
                entry = {"places": [], "forms": {}, "fuzzy": False}
            entry["msgid"], field = unquote(line[6:]), ("msgid",)
        elif line.startswith("msgid_plural "):
            entry["plural"], field = unquote(line[13:]), ("plural",)
        elif line.startswith("msgstr["):
            index = int(line[7:line.index("]")])
            entry["forms"][index] = unquote(line[line.index("]") + 1:])
            field = ("forms", index)
        elif line.startswith("msgstr "):
            entry["forms"][0] = unquote(line[7:])
            field = ("forms", 0)
        elif line.startswith('"'):
            if field[0] == "forms":
                entry["forms"][field[1]] += unquote(line)
            else:
                entry[field[0]] += unquote(line)
    finish()
    return entries


def language_of(path):
    return os.path.splitext(os.path.basename(path))[0].replace("_", "-")


def cpp_string(text):
    out = '"'
    for byte in text.encode("utf-8"):
        c = chr(byte)
        if c in '"\\':
            out += "\\" + c
        elif 32 <= byte < 127:
            out += c
        else:
            out += "\\%03o" % byte
    return out + '"'


def for_cpp(places):
    return any(p.startswith(("src/", "tools/checker/")) for p in places)


def for_page(places):
    # The edit library's words (the encodings' names) are the page's alone.
    return any(p.startswith(("tools/editor/page/", "palettes/", "src/edit/")) for p in places)


def translated(entries, keep):
    """(english, [forms]) of each entry the tools use, sorted as bytes sort, untranslated ones
    left out (the English then stands)."""
    out = []
    for e in entries:
        forms = [e["forms"][i] for i in sorted(e["forms"])]
        if not keep(e["places"]) or e["fuzzy"] or not any(forms):
            continue
        out.append((e["msgid"], forms))
    return sorted(out, key=lambda pair: pair[0].encode("utf-8"))


def write_cpp(path, catalogues):
    out = ["// Made by tools/translations/po_tables.py from translations/*.po; do not edit.",
           '#include "findings/catalogue_tables.hpp"', "", "namespace checker {", "namespace {", ""]
    for code, (entries, _) in catalogues.items():
        name = code.replace("-", "_")
        out.append("constexpr CatalogueEntry %s[] = {" % name)
        for english, forms in entries:
            out.append("    {%s, {%s}}," % (cpp_string(english), ", ".join(cpp_string(f) for f in forms)))
        out.append("    {\"\", {}},  // so that no table is empty")
        out.append("};")
        out.append("")
    out.append("constexpr LanguageTable tables[] = {")
    for code, (entries, _) in catalogues.items():
        label, rule = LANGUAGES[code]
        out.append("    {%s, %s, PluralRule::%s, {%s, std::size_t{%d}}}," % (
            cpp_string(code), cpp_string(label), rule.replace("-", "_"), code.replace("-", "_"),
            len(entries)))
    out += ["};", "", "} // namespace", "",
            "std::span<const LanguageTable> language_tables() {", "    return tables;", "}", "",
            "} // namespace checker", ""]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out))


def write_js(path, catalogues):
    languages = [{"code": code, "name": LANGUAGES[code][0], "plural": LANGUAGES[code][1],
                  "texts": {english: forms for english, forms in page}}
                 for code, (_, page) in catalogues.items()]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("// Made by tools/translations/po_tables.py from translations/*.po; do not edit.\n")
        f.write("export const languages = " + json.dumps(languages, ensure_ascii=False) + ";\n")


def main():
    args = sys.argv[1:]
    outputs = {}
    while args and args[0] in ("--cpp", "--js"):
        outputs[args[0]] = args[1]
        args = args[2:]
    catalogues = {"en": ([], [])}
    for path in sorted(args, key=lambda p: list(LANGUAGES).index(language_of(p))):
        entries = read_po(path)
        catalogues[language_of(path)] = (translated(entries, for_cpp), translated(entries, for_page))
    if "--cpp" in outputs:
        write_cpp(outputs["--cpp"], catalogues)
    if "--js" in outputs:
        write_js(outputs["--js"], catalogues)


if __name__ == "__main__":
    main()
