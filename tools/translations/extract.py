#!/usr/bin/env python3
"""Collects every text the tools say to a player, for the catalogues (translations/*.po):
the checker's and the reports' (C++: tr("..."), and tr_plural("...") for the plural form of
the tr() just before it), the editor page's (JavaScript: t("...") and tn("...", "...")), and
the page's own HTML (the text of elements marked data-t, and every title, aria-label and
placeholder), and the ready palettes' names and purposes (the comment each palette's ini
starts with, "Name: purpose"). Writes translations/messages.pot, the template the catalogues follow.

Usage: extract.py [--check]   (--check: fail when the template is not what the sources give)
"""

import html.parser
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TEMPLATE = os.path.join(ROOT, "translations", "messages.pot")
CPP_DIRS = ["src", "tools/checker"]
JS_DIR = "tools/editor/page"
HTML = "tools/editor/page/editor.html"
PALETTES = "palettes"

ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


def literals(text, at):
    """The string literals from `at` on, joined as the compiler joins adjacent ones (and as
    JavaScript's + joins them), up to the call's comma or closing parenthesis."""
    out, parts = "", 0
    while True:
        while at < len(text) and (text[at].isspace() or text[at] == "+"):
            at += 1
        if text.startswith("//", at):
            at = text.index("\n", at)
            continue
        if at >= len(text) or text[at] not in "\"'":
            return (out, at) if parts else (None, at)
        quote, at = text[at], at + 1
        while text[at] != quote:
            if text[at] == "\\":
                out += ESCAPES.get(text[at + 1], text[at + 1])
                at += 2
            else:
                out += text[at]
                at += 1
        at += 1
        parts += 1


def calls(text, names):
    """(name, [texts]) of every call of one of `names` whose arguments are literals."""
    pattern = re.compile(r"(?<![\w.])(" + "|".join(names) + r")\(")
    for match in pattern.finditer(text):
        at, texts = match.end(), []
        while True:
            found, at = literals(text, at)
            if found is None:
                break
            texts.append(found)
            while at < len(text) and text[at].isspace():
                at += 1
            if at < len(text) and text[at] == ",":
                at += 1
                continue
            break
        if texts:
            yield match.group(1), texts, text.count("\n", 0, match.start()) + 1


class HtmlTexts(html.parser.HTMLParser):
    """The page's own words: marked elements' text, and the attributes a player reads."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.found, self.marked, self.text = [], 0, ""

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for name in ("title", "aria-label", "placeholder"):
            if attrs.get(name):
                self.found.append((attrs[name], self.getpos()[0]))
        if self.marked:
            self.marked += 1
        elif "data-t" in attrs:
            self.marked, self.text, self.line = 1, "", self.getpos()[0]

    def handle_endtag(self, tag):
        if self.marked:
            self.marked -= 1
            if not self.marked:
                self.found.append((" ".join(self.text.split()), self.line))

    def handle_data(self, data):
        if self.marked:
            self.text += data


def collect():
    """msgid -> {"plural": msgid_plural or None, "where": [file:line]}, in first-seen order."""
    entries = {}

    def add(msgid, where, plural=None):
        entry = entries.setdefault(msgid, {"plural": None, "where": []})
        if plural:
            entry["plural"] = plural
        entry["where"].append(where)

    cpp_files = sorted(os.path.join(d, f) for base in CPP_DIRS
                       for d, _, fs in os.walk(os.path.join(ROOT, base)) for f in fs
                       if f.endswith((".cpp", ".hpp")))
    for path in cpp_files:
        text = open(path, encoding="utf-8").read()
        relative = os.path.relpath(path, ROOT)
        last = None
        for name, texts, line in calls(text, ["tr", "tr_plural"]):
            if name == "tr_plural":
                if last is None:
                    sys.exit("%s:%d: tr_plural without a tr before it" % (relative, line))
                entries[last]["plural"] = texts[0]
                continue
            last = texts[0]
            add(texts[0], "%s:%d" % (relative, line))
    js_files = sorted(os.path.join(ROOT, JS_DIR, f) for f in os.listdir(os.path.join(ROOT, JS_DIR))
                      if f.endswith(".js"))
    for path in js_files:
        text = open(path, encoding="utf-8").read()
        relative = os.path.relpath(path, ROOT)
        for name, texts, line in calls(text, ["t", "tn"]):
            where = "%s:%d" % (relative, line)
            if name == "tn":
                add(texts[0], where, texts[1] if len(texts) > 1 else None)
            else:
                add(texts[0], where)
    parser = HtmlTexts()
    parser.feed(open(os.path.join(ROOT, HTML), encoding="utf-8").read())
    for text, line in parser.found:
        add(text, "%s:%d" % (HTML, line))
    for name in sorted(os.listdir(os.path.join(ROOT, PALETTES))):
        if name.endswith(".ini"):
            for text in palette_title(os.path.join(ROOT, PALETTES, name)):
                add(text, "%s/%s:1" % (PALETTES, name))
    return entries


def palette_title(path):
    """The name and the purpose, as the editor reads them from the palette's first comment."""
    lines = []
    for line in open(path, encoding="utf-8"):
        if not line.startswith(";"):
            break
        lines.append(line[1:].strip())
    name, _, purpose = " ".join(lines).partition(": ")
    return [name, purpose] if purpose else [name]


def po_string(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n").replace("\t", "\\t")
    return '"%s"' % escaped


def template(entries):
    out = ['# The texts the checker and the editor say to players, in English: the template',
           '# every catalogue follows. Made by tools/translations/extract.py; do not edit.',
           'msgid ""', 'msgstr ""', '"Content-Type: text/plain; charset=UTF-8\\n"', '']
    for msgid, entry in entries.items():
        places = sorted(set(w.rsplit(":", 1)[0] for w in entry["where"]))
        out.append("#: " + " ".join(places))
        if "{" in msgid:
            out.append("#, python-brace-format")
        out.append("msgid " + po_string(msgid))
        if entry["plural"]:
            out.append("msgid_plural " + po_string(entry["plural"]))
            out += ['msgstr[0] ""', 'msgstr[1] ""']
        else:
            out.append('msgstr ""')
        out.append("")
    return "\n".join(out)


def main():
    made = template(collect())
    if "--check" in sys.argv[1:]:
        kept = open(TEMPLATE, encoding="utf-8").read() if os.path.exists(TEMPLATE) else ""
        if kept != made:
            sys.exit("translations/messages.pot is not what the sources hold: run "
                     "tools/translations/extract.py and update the catalogues")
        return
    with open(TEMPLATE, "w", encoding="utf-8", newline="\n") as out:
        out.write(made)
    print("%s: %d texts" % (os.path.relpath(TEMPLATE, ROOT), made.count("\nmsgid ") ))


if __name__ == "__main__":
    main()
