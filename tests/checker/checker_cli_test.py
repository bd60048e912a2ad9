#!/usr/bin/env python3
"""The checker's command line: run as a player would, natively or under Wine."""

import json
import os
import shlex
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree

COMMAND = []
WINDOWS = False
SIMULATED_HOSTS = {}  # build name: the simulated host's executable, in the Windows build
RUN_WITH = None  # the Windows build's helper that gives broken arguments and locked files
KEYS = ["Messagebox", "Messagebox2", "Styledtext", "WantedActiveColor", "WantedNotActiveColor",
        "WantedFlashColor", "WastedBusted", "WastedBustedTextStyle", "MoneyColor",
        "MoneyTextStyle", "TimeColor", "TimeTextStyle", "TimerColor", "TimerTextStyle",
        "CounterColor", "Counter2Color", "Counter3Color", "ZoneColor", "ZoneTextStyle",
        "VehicleColor", "VehicleTextStyle", "ArmourNumberColor", "ArmourIconColor",
        "HealthAndArmourTextStyle", "HealthNumberColor", "HealthIconColor",
        "BulletNumberColor", "BulletNumberTextStyle", "RiflesCursorNoZoomColor",
        "RiflesCursorNoZoomSize", "RiflesCursorZoomColor", "OtherWeaponsCursorSize",
        "NormalWeaponsCursorColor", "AllWeaponsCursorSize"]


def host_path(path):
    """A path as the checker takes it: a Windows path under Wine."""
    return "Z:" + path.replace("/", "\\") if WINDOWS else path


def run(*args, cwd=None, locked=None, as_nobody=False, units=False, answers=None):
    """The checker's exit status and output; `locked` a file another program holds open
    unshared meanwhile and `units` \\uXXXX in the arguments one UTF-16 unit each (Windows),
    `as_nobody` the checker run without root's rights, `answers` what is typed at it."""
    env = dict(os.environ, WINEDEBUG="-all")
    command = COMMAND + list(args)
    if WINDOWS and (locked or units):
        options = (["--lock", host_path(locked)] if locked else []) + (["--units"] if units else [])
        command = COMMAND[:-1] + [RUN_WITH] + options + ["--", COMMAND[-1]] + list(args)
    drop = (lambda: os.setuid(65534)) if as_nobody and os.geteuid() == 0 else None
    done = subprocess.run(command, capture_output=True, text=True, env=env, check=False,
                          cwd=cwd, preexec_fn=drop, input=answers,
                          stdin=subprocess.DEVNULL if answers is None else None)
    return done.returncode, done.stdout, done.stderr


CALL_SITES = {0x667BF0: 0x600411, 0x667C40: 0x600431, 0x666BA0: 0x600071}


def fake_game_exe(build_address, carried=b"", image_base=0x400000, call=b"\xE8\0\0\0\0",
                  dynamic_base=False):
    """A minimal PE file: a 32-bit optional header with its image base; a section that
    holds the signature at a build's address (none for 0), one that holds the build's call
    site with `call` there; then the bytes `carried` (an ASI loader's "*.asi" search)."""
    sections = [(0x266000, 0x400, 0x2000), (0x200000, 0x2400, 0x1000)]  # rva, raw at, size
    data = bytearray(0x3400)
    data[0:2] = b"MZ"
    data[0x3C:0x40] = (0x40).to_bytes(4, "little")
    data[0x40:0x44] = b"PE\0\0"
    data[0x44:0x46] = (0x14C).to_bytes(2, "little")      # i386
    data[0x46:0x48] = len(sections).to_bytes(2, "little")
    data[0x54:0x56] = (224).to_bytes(2, "little")         # the optional header's size
    data[0x56:0x58] = (0x102 if not dynamic_base else 0x100).to_bytes(2, "little")
    optional = 0x58
    data[optional:optional + 2] = (0x10B).to_bytes(2, "little")  # PE32
    data[optional + 28:optional + 32] = image_base.to_bytes(4, "little")
    data[optional + 70:optional + 72] = (0x40 if dynamic_base else 0).to_bytes(2, "little")
    table = optional + 224
    for i, (rva, raw_at, raw_size) in enumerate(sections):
        entry = table + 40 * i
        data[entry:entry + 8] = b".text\0\0\0"
        data[entry + 12:entry + 16] = rva.to_bytes(4, "little")
        data[entry + 16:entry + 20] = raw_size.to_bytes(4, "little")
        data[entry + 20:entry + 24] = raw_at.to_bytes(4, "little")
    def put(address, value):
        for rva, raw_at, raw_size in sections:
            if rva <= address - 0x400000 < rva + raw_size:
                at = raw_at + address - 0x400000 - rva
                data[at:at + len(value)] = value
    if build_address:
        put(build_address, bytes([0x55, 0x89, 0xE5, 0x53]))
        if build_address in CALL_SITES:
            put(CALL_SITES[build_address], call)
    return bytes(data) + carried


def apply_fixes(data, fixes):
    """The JSON report's line fixes applied as docs/checker.md says, apart from the checker's
    code: lines end at a line feed (a CR before it belongs to the line end), the last first."""
    lines = data.split(b"\n")
    for fix in sorted(fixes, key=lambda f: -f["line"]):
        at = fix["line"] - 1
        cr = b"\r" if lines[at].endswith(b"\r") else b""
        if fix["action"] == "replace-line":
            lines[at] = fix["text"].encode() + cr
        elif fix["action"] == "delete-line":
            del lines[at]
        elif fix["action"] == "comment-line":
            lines[at] = b"; " + lines[at]
        else:
            raise AssertionError("not a line action: " + fix["action"])
    return b"\n".join(lines)


class CheckerCommandLine(unittest.TestCase):
    screens = 0  # terminals opened, each its own tmux server

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.root = self.dir.name

    def tearDown(self):
        self.dir.cleanup()

    def install(self, folder=None):
        """A game folder with the game (build 100), an ASI loader and the plugin."""
        folder = folder or self.root
        for relative, data in (("gta-vc.exe", fake_game_exe(0x667BF0)),
                               ("dinput8.dll", fake_game_exe(0, b"*.asi")),
                               ("scripts/Tessivar.VC.asi", fake_game_exe(0))):
            os.makedirs(os.path.dirname(os.path.join(folder, relative)), exist_ok=True)
            with open(os.path.join(folder, relative), "wb") as out:
                out.write(data)
        return folder

    def write(self, relative, text):
        path = os.path.join(self.root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline="") as out:
            out.write(text)
        return path

    def report(self, *args):
        """The JSON report: exactly one document on stdout, and the text's exit status."""
        status, out, err = run("--format=json", *args)
        self.assertEqual(status, run(*args)[0], args)
        document = json.loads(out)  # one document and nothing else, or this fails
        self.assertEqual(document["schema"], 1)
        self.assertEqual(document["language"], "en")
        self.assertRegex(document["version"], r"^\d+\.\d+\.\d+$")
        answer = document["answer"]
        self.assertIn(answer["verdict"], ("yes", "no", "cant-tell"))
        codes = [f["code"] for f in document["findings"]]
        self.assertIn(answer["code"], codes)
        self.assertTrue(answer["message"])
        self.assertEqual([s["key"] for s in document["settings"]], KEYS)
        for setting in document["settings"]:
            self.assertIsInstance(setting["value"], str)
            self.assertTrue(setting["line"] is None or setting["line"] >= 1)
        for finding in document["findings"]:
            self.assertRegex(finding["code"], r"^(INI\d{3}|INSTALL-\d{3})$")
            self.assertIn(finding["severity"], ("error", "warning", "info"))
            self.assertTrue(finding["message"])
            fix = finding.get("fix")
            if fix and fix["action"] in ("replace-line", "delete-line", "comment-line"):
                self.assertEqual(fix["line"], finding["line"])
        return status, document

    def test_json_follows_the_contract_on_every_kind_of_input(self):
        clean = self.write("clean.ini", "MoneyColor=255 0 0\n")
        broken = self.write("broken.ini", "MoneyColor=#FF0000\r\n[HUD]\r\n")
        os.makedirs(os.path.join(self.root, "folder.ini"))
        cases = [((host_path(clean),), 0, "yes", "INI000"),
                 ((host_path(broken),), 1, "yes", "INI030"),
                 ((host_path(os.path.join(self.root, "absent.ini")),), 2, "no", "INI013"),
                 ((host_path(os.path.join(self.root, "folder.ini")),), 2, "no", "INI014"),
                 (("--game", host_path(os.path.join(self.root, "nowhere"))), 2, "cant-tell",
                  "INSTALL-042")]
        for args, status, verdict, code in cases:
            with self.subTest(args=args):
                got, document = self.report(*args)
                self.assertEqual((got, document["answer"]["verdict"], document["answer"]["code"]),
                                 (status, verdict, code))
        self.install()
        self.write("scripts/Tessivar.VC.ini", "MoneyColor=1 2 3\n")
        status, document = self.report("--game", host_path(self.root))
        self.assertEqual((status, document["answer"]["code"]), (0, "INSTALL-001"))
        self.assertEqual(document["ini"], {"path": "scripts\\Tessivar.VC.ini", "encoding": "ascii"})
        money = [s for s in document["settings"] if s["key"] == "MoneyColor"][0]
        self.assertEqual((money["value"], money["line"]), ("1 2 3", 1))

    def test_json_fixes_applied_give_the_colours_meant(self):
        path = self.write("meant.ini", "MoneyColor=rgb(255, 0, 0)\r\nZoneColor=#00FF00\r\n"
                                       "timercolor=1 2 3\r\nAllWeaponsCursorSize=1,5\r\n")
        _, document = self.report(host_path(path))
        with open(path, "rb") as original:
            fixed = apply_fixes(original.read(), [f["fix"] for f in document["findings"]
                                                  if "fix" in f])
        with open(path, "wb") as out:
            out.write(fixed)
        status, after = self.report(host_path(path))
        self.assertEqual(status, 0, after["findings"])
        values = {s["key"]: s["value"] for s in after["settings"]}
        self.assertEqual((values["MoneyColor"], values["ZoneColor"], values["TimerColor"],
                          values["AllWeaponsCursorSize"]), ("255 0 0", "0 255 0", "1 2 3 255", "1.5"))

    def test_unreadable_paths_exit_2_with_a_message(self):
        status, _, err = run(host_path(os.path.join(self.root, "absent.ini")))
        self.assertEqual(status, 2)
        self.assertIn("does not exist", err)
        status, _, err = run(host_path(self.root))
        self.assertEqual(status, 2)
        self.assertIn("is a folder", err)
        status, _, err = run("--colour")
        self.assertEqual(status, 2)
        self.assertIn("unknown option --colour", err)

    def test_an_ini_that_cannot_be_read_is_a_no(self):
        """The plugin takes the first ini that exists, then cannot read it: the defaults."""
        self.install()
        ini = self.write("scripts/Tessivar.VC.ini", "MoneyColor=1 2 3\n")
        if WINDOWS:
            held, why = {"locked": ini}, "another program holds it open"
        else:
            os.chmod(self.root, 0o755)
            os.chmod(os.path.dirname(ini), 0o755)
            os.chmod(ini, 0)
            held, why = {"as_nobody": True}, "no permission to read it"
        for args in ((host_path(ini),), ("--game", host_path(self.root))):
            with self.subTest(args=args):
                status, out, _ = run("--format=json", *args, **held)
                document = json.loads(out)
                self.assertNotEqual(status, 0)
                self.assertEqual((document["answer"]["verdict"], document["answer"]["code"]),
                                 ("no", "INI012"))
                self.assertIn(why, document["answer"]["message"])
                status, out, err = run(*args, **held)
                self.assertIn("Tessivar.VC.ini", out + err)
                self.assertIn(why, out + err)

    def test_an_argument_that_is_not_text_is_refused_clearly(self):
        if not WINDOWS:
            self.skipTest("only Windows names a file with half of a UTF-16 character")
        for args in (("--game", "C:\\Games\\Vice\\uD800City"), ("broken\\uDC00.ini",)):
            with self.subTest(args=args):
                status, out, err = run(*args, units=True)
                self.assertEqual(status, 2, out + err)
                self.assertIn("half of a UTF-16 character", err)
                self.assertNotIn("terminate", err)

    def test_search_follows_the_plugins_order_and_names_the_ignored(self):
        self.write("plugins/Tessivar.VC.ini", "MoneyColor=1 1 1\n")
        self.write("scripts/Tessivar.VC.ini", "MoneyColor=2 2 2\n")
        self.write("Tessivar.VC.ini", "MoneyColor=3 3 3\n")
        self.install()
        status, out, _ = run("--game", host_path(self.root))
        self.assertEqual(status, 0, out)
        self.assertTrue(out.startswith("Will your colours apply? Yes: dinput8.dll loads "
                                       "scripts\\Tessivar.VC.asi into gta-vc.exe"), out)
        picked = [line for line in out.splitlines() if line.strip().startswith("the plugin reads")]
        self.assertEqual(len(picked), 1, out)
        self.assertIn("plugins", picked[0])
        ignored = [line for line in out.splitlines() if line.strip().startswith("edits to")]
        self.assertEqual(len(ignored), 2, out)
        self.assertIn("scripts", ignored[0])
        self.assertIn("do nothing while", ignored[0])
        self.assertIn("1 1 1", out)

    def test_a_folder_path_too_long_for_windows_leaves_the_verdict_as_it_is(self):
        self.install()
        self.write("scripts/Tessivar.VC.ini", "MoneyColor=1 2 3\n")
        deep = os.path.join(self.root, "mods", *(["a" * 120] * 3))  # past 260 characters
        os.makedirs(deep)
        with open(os.path.join(deep, "model.dff"), "wb"):
            pass
        status, document = self.report("--game", host_path(self.root))
        self.assertEqual((status, document["answer"]["verdict"], document["answer"]["code"]),
                         (0, "yes", "INSTALL-001"), document["findings"])

    def test_from_the_scripts_folder_it_looks_from_the_game_folder(self):
        self.install()
        os.remove(os.path.join(self.root, "gta-vc.exe"))
        with open(os.path.join(self.root, "game.exe"), "wb") as exe:
            exe.write(fake_game_exe(0x667C40))
        self.write("Tessivar.VC.ini", "MoneyColor=3 3 3\n")
        os.makedirs(os.path.join(self.root, "scripts", "colours"))
        for folder in ("scripts", os.path.join("scripts", "colours")):
            status, out, _ = run(cwd=os.path.join(self.root, folder))
            self.assertEqual(status, 0, out)
            self.assertIn("3 3 3", out)
            self.assertIn("game.exe: build 110", out)
            self.assertIn("0x600431", out)
        with open(os.path.join(self.root, "game.exe"), "wb") as exe:
            exe.write(b"MZ" + bytes(200))
        status, out, _ = run("--game", host_path(self.root))
        self.assertEqual(status, 1, out)
        self.assertIn("Will your colours apply? No: this build of the game is not supported", out)

    def detected_build(self, exe_bytes):
        with open(os.path.join(self.root, "game.exe"), "wb") as exe:
            exe.write(exe_bytes)
        status, out, _ = run("--game", host_path(self.root))
        self.assertIn(status, (0, 1), out)
        return [line.strip() for line in out.splitlines() if line.strip().startswith("game.exe: ")]

    def test_each_build_is_told_by_its_signature(self):
        said = {"100": "game.exe: build 100 of the game; the plugin hooks its call at 0x600411",
                "110": "game.exe: build 110 of the game; the plugin hooks its call at 0x600431",
                "120": "game.exe: build 120 of the game; the plugin hooks its call at 0x600071",
                "none": "game.exe: not one of the three builds the plugin knows; the plugin "
                        "does nothing in it"}
        probes = {"100": 0x667BF0, "110": 0x667C40, "120": 0x666BA0, "none": 0x667BF4}
        for build, probe in probes.items():
            with self.subTest(build=build):
                self.assertEqual(self.detected_build(fake_game_exe(probe)), [said[build]])
        # The game's own files, as the simulated hosts lay them out.
        for build, exe in SIMULATED_HOSTS.items():
            with self.subTest(simulated_host=build), open(exe, "rb") as image:
                self.assertEqual(self.detected_build(image.read()),
                                 [said[build.split("_")[0]]])

    def test_a_game_the_plugin_cannot_recolour_is_told(self):
        """What keeps the plugin from writing into a known build, seen in its file."""
        cases = [(dict(image_base=0x10000000), "INSTALL-043"),
                 (dict(dynamic_base=True), "INSTALL-044"),
                 (dict(call=b"\xE9\x10\x00\x00\x00"), "INSTALL-045"),
                 (dict(call=b"\xFF\x15\x00\x10\x40\x00"), "INSTALL-001")]
        self.install()
        self.write("scripts/Tessivar.VC.ini", "MoneyColor=1 2 3\n")
        for options, code in cases:
            with self.subTest(code=code):
                with open(os.path.join(self.root, "gta-vc.exe"), "wb") as exe:
                    exe.write(fake_game_exe(0x667BF0, **options))
                _, document = self.report("--game", host_path(self.root))
                self.assertEqual(document["answer"]["code"], code)
        # The game's files as the simulated hosts lay them out: the one made to load away
        # from 0x400000 is the one the plugin, in it, writes nothing into.
        for build, exe in SIMULATED_HOSTS.items():
            if not build.startswith("100"):
                continue
            with open(exe, "rb") as image, open(os.path.join(self.root, "gta-vc.exe"), "wb") as out:
                out.write(image.read())
            _, document = self.report("--game", host_path(self.root))
            self.assertEqual(document["answer"]["code"],
                             "INSTALL-043" if build.endswith("rebased") else "INSTALL-001", build)

    def on_screen(self, cwd, *args, width=80, height=25):
        """The checker started in `cwd` as a double-click starts it, in a terminal of
        width x height (tmux): the screen where it stops, and every line it printed (with
        the lines the terminal wrapped joined again)."""
        CheckerCommandLine.screens += 1
        session = "tessivar-%d-%d" % (os.getpid(), CheckerCommandLine.screens)
        done = "[the checker ended]"
        script = "cd %s && WINEDEBUG=-all %s; echo %s; sleep 600" % (
            shlex.quote(cwd), " ".join(map(shlex.quote, COMMAND + list(args))), shlex.quote(done))
        tmux = ["tmux", "-L", session]
        subprocess.run(tmux + ["new-session", "-d", "-s", session, "-x", str(width),
                               "-y", str(height), script], check=True)
        try:
            deadline = time.time() + 120
            while True:
                screen = subprocess.run(tmux + ["capture-pane", "-p", "-t", session],
                                        capture_output=True, text=True, check=True).stdout
                if "press Enter" in screen or done in screen or time.time() > deadline:
                    break
                time.sleep(0.3)
            printed = subprocess.run(tmux + ["capture-pane", "-p", "-J", "-S", "-", "-t", session],
                                     capture_output=True, text=True, check=True).stdout
        finally:
            subprocess.run(tmux + ["kill-server"], check=False)
        return screen.rstrip("\n").splitlines(), printed.rstrip("\n").splitlines()

    def test_the_answer_is_the_first_and_the_last_thing_on_an_80_by_25_screen(self):
        self.install()
        scripts = os.path.join(self.root, "scripts")
        self.write("scripts/Tessivar.VC.ini", "MoneyColor=#FF0000\r\nTimerColor=255 128 0\r\n")
        cases = [("Yes, but 1 setting will not apply as written: MoneyColor",
                  "what to do: write MoneyColor=255 0 0", self.on_screen(scripts, "--all"))]
        os.remove(os.path.join(self.root, "dinput8.dll"))
        cases.append(("No: there is no ASI loader", "what to do: put an ASI loader",
                      self.on_screen(scripts)))
        for answer, advice, (screen, printed) in cases:
            with self.subTest(answer=answer):
                self.assertTrue(" ".join(printed[:3]).startswith("Will your colours apply? " +
                                                                 answer), printed[:3])
                rules = [i for i, line in enumerate(screen) if line and set(line) == {"-"}]
                self.assertTrue(rules, screen)  # the closing block starts on the last screen
                closing = " ".join(screen[rules[-1] + 1:])
                self.assertTrue(closing.startswith(answer), screen)
                self.assertIn(advice, closing)
                for line in printed:  # nothing the terminal had to wrap: no number split
                    self.assertLessEqual(len(line), 80, line)
                if WINDOWS:  # Wine's console prints escapes as text: none are sent
                    self.assertNotIn("[48;2;", "\n".join(printed))

    def test_the_table_wraps_between_words_at_the_terminals_width(self):
        self.install()
        self.write("scripts/Tessivar.VC.ini", "MoneyColor=1 2 3\r\n")
        words = []
        for width in (80, 200):
            _, printed = self.on_screen(self.root, "--all", width=width)
            table = printed[printed.index(next(l for l in printed if l.startswith("key "))):]
            table = table[:table.index("")]
            words.append(sorted(" ".join(table).split()))
            for line in printed:
                self.assertLessEqual(len(line), width, line)
        self.assertEqual(words[0], words[1])  # no name cut: the same words at both widths

    def test_the_command_line_helps(self):
        for option in ("--help", "-h", "/?"):
            status, out, _ = run(option)
            self.assertEqual(status, 0)
            for word in ("--game", "--svg", "--template", "--output", "--version", "Exit status",
                         "Examples"):
                self.assertIn(word, out)
        status, _, err = run("--game")
        self.assertEqual(status, 2)
        self.assertIn("--game needs a folder", err)
        status, _, err = run("--game", host_path(os.path.join(self.root, "nowhere")))
        self.assertEqual(status, 2)
        self.assertIn("does not exist", err)

    def test_lines_fit_100_columns_and_nothing_raw_is_printed(self):
        path = self.write("wide.ini", "NormalWeaponsCursorColor=300 -1 99999 77777\n"
                                      "Mon\x01ey\xe9=#FF0000\nMoneyColor=0, 255, 0\n"
                                      "MoneyColor \x1b]0;PWNED\x07\x1b[2J\x1b[H\x1b[32mno\n"
                                      "ZoneColor=1 2 3\x1b[2J\nRiflesCursorNoZoomSize=0,6\x1b[H\n")
        status, out, _ = run(host_path(path))
        self.assertEqual(status, 1)
        for line in out.splitlines():
            self.assertLessEqual(len(line), 100, line)
            self.assertTrue(all(" " <= c < "\x7f" for c in line), line)

    def test_a_game_folder_named_in_other_letters(self):
        # The plugin gets the game's path in the ANSI code page (Wine's: Windows-1252):
        # it reaches an ini under "Jeux-\u00e9", and none under "\u30b2\u30fc\u30e0".
        for name, works in (("Jeux-\u00e9", True), ("\u30b2\u30fc\u30e0", not WINDOWS)):
            game = self.install(os.path.join(self.root, name))
            self.write(os.path.join(name, "plugins", "Tessivar.VC.ini"), "MoneyColor=1 2 3\n")
            status, out, _ = run("--game", host_path(game))
            self.assertEqual(status, 0 if works else 1, out)
            self.assertIn("Yes" if works else "No: the game folder's path has letters", out)
            self.assertIn("1 2 3" if works else "every setting takes its default", out)

    @unittest.skipIf(sys.platform == "win32", "no devices or FIFOs by name on Windows")
    def test_devices_and_pipes_neither_hang_nor_grow_it(self):
        if WINDOWS:
            return
        fifo = os.path.join(self.root, "fifo.ini")
        os.mkfifo(fifo)
        for path in ("/dev/zero", fifo):
            done = subprocess.run(COMMAND + [path], capture_output=True, text=True, timeout=20,
                                  check=False)
            self.assertEqual(done.returncode, 2)
            self.assertIn("no ordinary file", done.stderr)
        big = os.path.join(self.root, "big.ini")
        with open(big, "wb") as out:
            out.truncate(64 * 1024 * 1024)
        status, out, _ = run(host_path(big))
        self.assertEqual(status, 1)
        self.assertIn("far more than an ini holds", out)

    def test_file_names_and_arguments_are_never_printed_raw(self):
        if WINDOWS:
            self.skipTest("Windows file names hold no control characters")
        game = os.path.join(self.root, "game\x1b[2J")
        os.makedirs(os.path.join(game, "scripts"))
        with open(os.path.join(game, "game\x1b]0;x\x07.exe"), "wb") as exe:
            exe.write(fake_game_exe(0x667BF0))
        self.write(os.path.join(game, "scripts", "Tessivar.VC.ini"), "MoneyColor=1 2 3\n")
        for args in (["--game", game], ["--\x1b[2J"], [os.path.join(game, "absent\x1b.ini")]):
            _, out, err = run(*args)
            self.assertNotIn("\x1b", out + err, args)
        self.assertIn("\\x1B[2J", run("--game", game)[1])

    def test_output_replaces_a_file_whole_or_leaves_it_as_it_was(self):
        path = self.write("Tessivar.VC.ini", "MoneyColor=1 2 3\r\n")
        status, _, err = run("--template", "--output", host_path(path))
        self.assertEqual(status, 0, err)
        self.assertIn("replaced the file that was there", err)
        with open(path, "rb") as written:
            self.assertIn(b"MoneyColor=0 207 133\r\n", written.read())
        folder = os.path.join(self.root, "folder.ini")
        os.makedirs(folder)
        status, _, err = run("--template", "--output", host_path(folder))
        self.assertEqual(status, 2)
        self.assertIn("no ordinary file", err)
        self.assertEqual(os.listdir(folder), [])
        self.assertEqual(sorted(os.listdir(self.root)), ["Tessivar.VC.ini", "folder.ini"])
        if WINDOWS:
            return
        fifo = os.path.join(self.root, "fifo.ini")
        os.mkfifo(fifo)
        done = subprocess.run(COMMAND + ["--template", "--output", fifo], capture_output=True,
                              text=True, timeout=20, check=False)
        self.assertEqual(done.returncode, 2)
        self.assertIn("no ordinary file", done.stderr)

        # A disk that fills up half-way: the old file stays, whole, and no scrap is left.
        def small_disk():
            import resource
            import signal
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (1000, 1000))
        done = subprocess.run(COMMAND + ["--template", "--output", path], capture_output=True,
                              text=True, timeout=20, check=False, preexec_fn=small_disk)
        self.assertEqual(done.returncode, 2, done.stderr)
        self.assertIn("nothing was changed", done.stderr)
        with open(path, "rb") as kept:
            self.assertIn(b"MoneyColor=0 207 133\r\n", kept.read())
        self.assertEqual(sorted(os.listdir(self.root)), ["Tessivar.VC.ini", "fifo.ini", "folder.ini"])

    def test_template_output_is_crlf_without_a_mark(self):
        path = os.path.join(self.root, "new.ini")
        status, _, _ = run("--template", "--output", host_path(path))
        self.assertEqual(status, 0)
        with open(path, "rb") as written:
            data = written.read()
        self.assertTrue(data.startswith(b";"))
        self.assertEqual(data.count(b"\n"), data.count(b"\r\n"))

    def test_the_readme_picture_is_the_default_palette(self):
        svg = os.path.join(self.root, "palette.svg")
        run("--game", host_path(self.root), "--svg", host_path(svg))
        picture = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs",
                               "default-palette.svg")
        with open(svg, "rb") as made, open(picture, "rb") as kept:
            self.assertEqual(made.read(), kept.read(), "run the checker with --svg anew")

    def repairable(self):
        """A game folder with two repairs: an ini saved as .txt, a copy of the plugin as .dll
        in the game folder while the one in scripts\ is loaded."""
        folder = self.install()
        self.write("scripts/Tessivar.VC.ini.txt", "MoneyColor=1 2 3\r\n")
        with open(os.path.join(folder, "Tessivar.VC.dll"), "wb") as out:
            out.write(fake_game_exe(0))
        return folder

    def snapshot(self):
        files = {}
        for folder, _, names in os.walk(self.root):
            for name in names:
                with open(os.path.join(folder, name), "rb") as f:
                    files[os.path.relpath(os.path.join(folder, name), self.root)] = f.read()
        return files

    def test_repair_asks_for_each_and_changes_nothing_unasked(self):
        folder = self.repairable()
        before = self.snapshot()
        for answers in (None, "", "\n\n", "n\nno\n", "yy\nja\n"):
            with self.subTest(answers=answers):
                status, out, _ = run("--game", host_path(folder), "--repair", answers=answers)
                self.assertEqual(status, 1)
                self.assertIn("repair 1 of 2: rename scripts\\Tessivar.VC.ini.txt to "
                              "scripts\\Tessivar.VC.ini? [y/N] left as it is", out)
                self.assertEqual(self.snapshot(), before)
        # Without --repair nothing is asked at all.
        self.assertNotIn("[y/N]", run("--game", host_path(folder), answers="y\ny\n")[1])

    def test_repairs_said_yes_to_turn_the_answer_to_yes_with_the_old_file_kept(self):
        folder = self.repairable()
        dll = self.snapshot()["Tessivar.VC.dll"]
        status, out, _ = run("--game", host_path(folder), "--repair", "--lang=de",
                             answers="j\nY\n")
        self.assertEqual(status, 0, out)
        files = self.snapshot()
        self.assertNotIn("Tessivar.VC.dll", files)
        self.assertEqual(files["scripts/Tessivar.VC.ini"], b"MoneyColor=1 2 3\r\n")
        kept = [path for path in files if path.startswith("Tessivar.VC.backup")]
        self.assertEqual(len(kept), 1)
        self.assertTrue(kept[0].endswith("Tessivar.VC.dll"))
        self.assertEqual(files[kept[0]], dll)
        # Diagnosed again: the kept copy is not a copy of the plugin to the install.
        self.assertIn("der Spielordner, noch einmal geprüft:", out)
        self.assertTrue(out.rstrip().split("------")[-1].lstrip("-\n").startswith("Ja: "), out)
        self.assertEqual(run("--game", host_path(folder))[0], 0)

    def test_search_finding_nothing_reports_the_defaults(self):
        self.install()
        status, out, _ = run("--game", host_path(self.root))
        self.assertEqual(status, 1)
        self.assertIn("Will your colours apply? No: there is no Tessivar.VC.ini", out)
        self.assertIn("every setting takes its default", out)
        self.assertNotIn("0 207 133", out)  # the defaults listed only when asked for
        self.assertIn("0 207 133", run("--game", host_path(self.root), "--all")[1])

    def test_template_has_every_key_once(self):
        status, out, _ = run("--template")
        self.assertEqual(status, 0)
        keys = [line.split("=")[0] for line in out.splitlines()
                if line and not line.startswith(";")]
        self.assertEqual(keys, KEYS)

    def test_a_code_becomes_an_ini_that_gives_it_back(self):
        ini = self.write("mine.ini", "MoneyColor=10 200 30\nTimeColor=1 2 3 128\n"
                                     "Messagebox=300 0 0\nAllWeaponsCursorSize=24.5\n")
        status, out, _ = run(host_path(ini), "--code")
        self.assertEqual(status, 1, out)  # the 300 is a finding; the code is printed all the same
        code = out.splitlines()[-1]
        made = os.path.join(self.root, "made.ini")
        status, _, err = run("--from-code", code, "--output", host_path(made))
        self.assertEqual(status, 0, err)
        with open(made, "rb") as written:
            data = written.read()
        self.assertFalse(data.startswith(b"\xef\xbb\xbf"))
        self.assertEqual(data.count(b"\n"), data.count(b"\r\n"))
        for line in (b"MoneyColor=10 200 30", b"TimeColor=1 2 3 128", b"Messagebox=-1 0 0",
                     b"AllWeaponsCursorSize=24.5"):
            self.assertIn(line + b"\r\n", data)
        self.assertEqual(run(host_path(made), "--code")[1].splitlines()[-1], code)
        status, out, err = run("--from-code", code[:-1] + ("1" if code[-1] != "1" else "2"),
                               "--output", host_path(made + ".x"))
        self.assertEqual(status, 2)
        self.assertIn("damaged", err)
        self.assertFalse(os.path.exists(made + ".x"))

    def test_svg_is_well_formed_and_names_every_key(self):
        ini = self.write("palette.ini", "MoneyColor=10 200 30\nTimeColor=1 2 3 128\n"
                                        "AllWeaponsCursorSize=inf\n")
        svg = os.path.join(self.root, "palette.svg")
        status, out, _ = run(host_path(ini), "--svg", host_path(svg))
        self.assertEqual(status, 1, out)  # the plugin would write infinity as the size
        self.assertIn("the plugin writes infinity into the game", out)
        root = ElementTree.parse(svg).getroot()
        self.assertEqual(root.tag, "{http://www.w3.org/2000/svg}svg")
        text = " ".join("".join(node.itertext()) for node in root.iter())
        for key in KEYS:
            self.assertIn(key, text)
        fills = [node.get("fill") for node in root.iter()]
        self.assertIn("rgb(10,200,30)", fills)


def main():
    global COMMAND, WINDOWS, RUN_WITH
    args = sys.argv[1:]
    split = args.index("--")
    WINDOWS = "--windows=1" in args[:split]
    COMMAND = args[split + 1:]
    for arg in args[:split]:
        if arg.startswith("--run-with="):
            RUN_WITH = arg[len("--run-with="):]
        if arg.startswith("--simulated-host="):
            build, exe = arg[len("--simulated-host="):].split("=", 1)
            SIMULATED_HOSTS[build] = exe
    # The checker speaks the system's language; these tests read its English.
    for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
        os.environ.pop(name, None)
    os.environ["LANG"] = "C.UTF-8"
    result = unittest.main(argv=[sys.argv[0], "-v"], exit=False).result
    print("%d passed, %d failed" % (result.testsRun - len(result.failures) - len(result.errors),
                                    len(result.failures) + len(result.errors)))
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
