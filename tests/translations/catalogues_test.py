#!/usr/bin/env python3
"""The catalogues kept whole: the template is what the sources say, every language has
every text, with the English placeholders and all its plural forms, gettext's own check
passes, and nothing is left in English but names and ini syntax on a short list."""

import os
import re
import subprocess
import sys
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tools", "translations"))
import po_tables  # noqa: E402

FOLDER = os.path.join(ROOT, "translations")
FILES = {"de": "de.po", "es": "es.po", "fr": "fr.po", "it": "it.po", "pl": "pl.po",
         "pt-BR": "pt_BR.po", "ru": "ru.po"}
# What a language writes as English does: words it has taken in, and nothing else.
SAME_AS_ENGLISH = {
    "de": {"Screenshot…"},
    "es": {"No: {reason}"},
    "fr": {"alpha", "style", "Palettes… ▾"},
    "it": {"No: {reason}", "file", "Screenshot…"},
}
PLACEHOLDER = re.compile(r"\{\w+\}")


def entries(name):
    return {e["msgid"]: e for e in po_tables.read_po(os.path.join(FOLDER, name))}


def no_words(text):
    return not re.search(r"[^\W\d_]", PLACEHOLDER.sub("", text))


class Catalogues(unittest.TestCase):
    template = entries("messages.pot")

    def test_the_template_is_what_the_sources_hold(self):
        done = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "translations",
                                                            "extract.py"), "--check"],
                              capture_output=True, text=True, check=False)
        self.assertEqual(done.returncode, 0, done.stderr)

    def test_every_language_is_complete_and_keeps_the_placeholders(self):
        for code, name in FILES.items():
            forms_wanted = po_tables.FORMS[po_tables.LANGUAGES[code][1]]
            catalogue = entries(name)
            self.assertEqual(sorted(catalogue), sorted(self.template), code)
            for msgid, entry in catalogue.items():
                with self.subTest(language=code, text=msgid):
                    self.assertFalse(entry["fuzzy"])
                    forms = [entry["forms"].get(i, "") for i in range(len(entry["forms"]))]
                    plural = bool(self.template[msgid].get("plural"))
                    self.assertEqual(len(forms), forms_wanted if plural else 1)
                    wanted = sorted(PLACEHOLDER.findall(msgid))
                    for form in forms:
                        self.assertTrue(form, "untranslated")
                        self.assertEqual(sorted(PLACEHOLDER.findall(form)), wanted, form)
                        # what stands before or after the text (a space, a bracket) stays
                        self.assertEqual(form[:1].isspace(), msgid[:1].isspace(), form)

    def test_nothing_is_left_in_english_but_the_listed(self):
        for code, name in FILES.items():
            same = {msgid for msgid, e in entries(name).items()
                    if msgid in e["forms"].values() and not no_words(msgid)}
            self.assertEqual(same, SAME_AS_ENGLISH.get(code, set()), code)

    def test_gettext_finds_no_fault(self):
        for name in FILES.values():
            done = subprocess.run(["msgfmt", "--check", "-o", os.devnull,
                                   os.path.join(FOLDER, name)],
                                  capture_output=True, text=True, check=False)
            self.assertEqual(done.returncode, 0, done.stderr)


if __name__ == "__main__":
    unittest.main()
