#!/usr/bin/env python3
"""The checker in each of its languages: the option and the system choose it, everything it
says to a player is translated (what is ini syntax stays), counts take the language's plural
form, and the JSON report differs only in its words."""

import json
import os
import sys
import unittest

import checker_cli_test as cli

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools", "translations"))
import po_tables  # noqa: E402  the build's own reader of the catalogues

BASELINES = os.path.join(HERE, "baselines")
LANGUAGES = ["de", "es", "fr", "it", "pl", "pt-BR", "ru"]
QUIET = {"LANGUAGE": "", "LC_ALL": "", "LC_MESSAGES": "", "LANG": "C.UTF-8"}


def run(*args, cwd=None, **env):
    """The checker with the system's language set by `env` alone."""
    saved = {name: os.environ.get(name) for name in QUIET}
    os.environ.update(dict(QUIET, **env))
    try:
        return cli.run(*args, cwd=cwd)
    finally:
        for name, value in saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value


def english_left(text, code):
    """The stretches of English (two words or more between placeholders) of the texts
    the language's catalogue translates that stand in `text` untranslated."""
    entries = po_tables.read_po(os.path.join(ROOT, "translations", code.replace("-", "_") + ".po"))
    left = set()
    for entry in entries:
        forms = [f for f in entry["forms"].values() if f]
        for english in (entry["msgid"], entry.get("plural", "")):
            for part in literal_parts(english):
                if len(part) >= 8 and " " in part and part in text and \
                        not any(part in f for f in forms):
                    left.add(part)
    return sorted(left)


def literal_parts(text):
    """The text between its placeholders."""
    out, depth, part = [], 0, ""
    for c in text:
        if c == "{":
            out.append(part.strip())
            part, depth = "", 1
        elif c == "}" and depth:
            depth = 0
        elif not depth:
            part += c
    return out + [part.strip()]


def without_words(value):
    """A JSON report with its sentences and its language left out."""
    if isinstance(value, dict):
        return {k: without_words(v) for k, v in value.items()
                if k not in ("message", "advice", "language")}
    if isinstance(value, list):
        return [without_words(v) for v in value]
    return value


class CheckerLanguages(unittest.TestCase):
    setUp = cli.CheckerCommandLine.setUp
    tearDown = cli.CheckerCommandLine.tearDown
    install = cli.CheckerCommandLine.install

    def cases(self):
        """(name, arguments, folder to run in): broken inis and install layouts. Under Wine,
        where each run takes longer, fewer inis."""
        inis = sorted(n for n in os.listdir(BASELINES) if n.endswith(".ini"))
        if cli.WINDOWS:
            inis = inis[::5]
        cases = [(name, [name], BASELINES) for name in inis]
        layouts = {
            "hex in scripts": {"scripts/Tessivar.VC.ini": "MoneyColor=#FF0000\r\n"},
            "ignored copy": {"plugins/Tessivar.VC.ini": "MoneyColor=1 2 3\r\n",
                             "scripts/Tessivar.VC.ini": "MoneyColor=4 5 6\r\n"},
            "named .txt": {"scripts/Tessivar.VC.ini.txt": "MoneyColor=1 2 3\r\n"},
        }
        for name, files in layouts.items():
            folder = self.install(os.path.join(self.root, name.replace(" ", "-")))
            for relative, text in files.items():
                path = os.path.join(folder, relative)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "w", newline="") as out:
                    out.write(text)
            cases.append((name, ["--game", cli.host_path(folder)], None))
        bare = os.path.join(self.root, "no-loader")
        self.install(bare)
        os.remove(os.path.join(bare, "dinput8.dll"))
        cases.append(("no loader", ["--game", cli.host_path(bare)], None))
        return cases

    def test_every_sentence_is_in_the_language_asked_for(self):
        cases = self.cases() + [("help", ["--help"], None), ("bad option", ["--colour"], None)]
        for name, args, cwd in cases:
            for code in LANGUAGES:
                with self.subTest(case=name, language=code):
                    status, out, err = run("--lang=" + code, *args, cwd=cwd)
                    self.assertEqual(english_left(out + err, code), [])
                    self.assertEqual(status, run(*args, cwd=cwd)[0])

    def test_json_is_the_same_in_every_language_but_its_words(self):
        for name, args, cwd in self.cases():
            english = json.loads(run("--format=json", *args, cwd=cwd)[1])
            self.assertEqual(english["language"], "en")
            for code in LANGUAGES:
                with self.subTest(case=name, language=code):
                    document = json.loads(run("--format=json", "--lang", code, *args, cwd=cwd)[1])
                    self.assertEqual(document["language"], code)
                    self.assertEqual(without_words(document), without_words(english))
                    if english["findings"]:
                        self.assertNotEqual(document["answer"]["message"],
                                            english["answer"]["message"])

    def test_the_option_then_the_system_choose_the_language(self):
        ini = os.path.join(BASELINES, "clean.ini")
        rows = [  # arguments, environment, language spoken
            (["--lang=de"], {}, "de"),
            (["--lang", "PT_br"], {}, "pt-BR"),
            (["--lang=de"], {"LANG": "ru_RU.UTF-8"}, "de"),
            ([], {}, "en"),
        ]
        if not cli.WINDOWS:  # the UI language there is Windows' own, not the environment's
            rows += [
                ([], {"LANG": "ru_RU.UTF-8"}, "ru"),
                ([], {"LANG": "de_DE.UTF-8", "LANGUAGE": "pl:en"}, "pl"),
                ([], {"LANG": "de_DE.UTF-8", "LC_ALL": "fr_FR.UTF-8"}, "fr"),
                ([], {"LANG": "de_DE.UTF-8", "LC_MESSAGES": "it_IT.UTF-8"}, "it"),
                ([], {"LANG": "pt_PT.UTF-8"}, "pt-BR"),
                ([], {"LANG": "ja_JP.UTF-8", "LANGUAGE": "ja:es"}, "es"),
                ([], {"LANG": "ja_JP.UTF-8"}, "en"),
                ([], {"LANG": "C"}, "en"),
            ]
        for args, env, code in rows:
            with self.subTest(args=args, env=env):
                status, out, _ = run("--format=json", *args, cli.host_path(ini), **env)
                self.assertEqual(json.loads(out)["language"], code)
        status, _, err = run("--lang=xx", cli.host_path(ini))
        self.assertEqual(status, 2)
        self.assertIn("--lang takes one of en, de, es, fr, it, pl, pt-BR, ru, not xx", err)

    def test_a_count_takes_the_languages_plural_form(self):
        folder = self.install()
        lines = ["Bogus%d=1" % i for i in range(5)]
        rows = [  # findings, language, heading
            (1, "ru", "1 замечание:"), (3, "ru", "3 замечания:"), (5, "ru", "5 замечаний:"),
            (1, "pl", "1 uwaga:"), (3, "pl", "3 uwagi:"), (5, "pl", "5 uwag:"),
            (1, "fr", "1 remarque :"), (5, "fr", "5 remarques :"), (1, "de", "1 Befund:"),
        ]
        for count, code, heading in rows:
            with self.subTest(count=count, language=code):
                path = os.path.join(folder, "scripts", "Tessivar.VC.ini")
                with open(path, "w", newline="") as out:
                    out.write("".join(line + "\r\n" for line in lines[:count]))
                out = run("--lang=" + code, cli.host_path(path))[1]
                self.assertIn("\n" + heading + "\n", out)


if __name__ == "__main__":
    cli.main()
