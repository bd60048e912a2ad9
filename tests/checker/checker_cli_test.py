#!/usr/bin/env python3
"""The checker's command line: run as a player would, natively or under Wine."""

import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

COMMAND = []
WINDOWS = False
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


def run(*args):
    env = dict(os.environ, WINEDEBUG="-all")
    done = subprocess.run(COMMAND + list(args), capture_output=True, text=True, env=env,
                          check=False)
    return done.returncode, done.stdout, done.stderr


class CheckerCommandLine(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.root = self.dir.name

    def tearDown(self):
        self.dir.cleanup()

    def write(self, relative, text):
        path = os.path.join(self.root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline="") as out:
            out.write(text)
        return path

    def test_clean_file_exits_0(self):
        path = self.write("clean.ini", "MoneyColor=255 0 0\r\nTimeColor=1 2 3 4\r\n")
        status, out, _ = run(host_path(path))
        self.assertEqual(status, 0, out)
        self.assertIn("no findings", out)
        self.assertIn("MoneyColor", out)

    def test_findings_exit_1_with_line_and_suggestion(self):
        path = self.write("bad.ini", "[HUD]\nmoneycolor=1 2 3\n")
        status, out, _ = run(host_path(path))
        self.assertEqual(status, 1, out)
        self.assertIn("line 2: unknown key \"moneycolor\"", out)
        self.assertIn("did you mean \"MoneyColor\"", out)

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

    def test_search_follows_the_plugins_order(self):
        self.write("plugins/Tessivar.VC.ini", "MoneyColor=1 1 1\n")
        self.write("scripts/Tessivar.VC.ini", "MoneyColor=2 2 2\n")
        status, out, _ = run("--game", host_path(self.root))
        self.assertEqual(status, 0, out)
        picked = [line for line in out.splitlines() if line.startswith("picked")]
        self.assertEqual(len(picked), 1, out)
        self.assertIn("plugins", picked[0])
        self.assertIn("1 1 1", out)

    def test_search_finding_nothing_reports_the_defaults(self):
        status, out, _ = run("--game", host_path(self.root))
        self.assertEqual(status, 1)
        self.assertIn("no Tessivar.VC.ini found", out)
        self.assertIn("0 207 133", out)  # MoneyColor's default

    def test_template_has_every_key_once(self):
        status, out, _ = run("--template")
        self.assertEqual(status, 0)
        keys = [line.split("=")[0] for line in out.splitlines()
                if line and not line.startswith(";")]
        self.assertEqual(keys, KEYS)

    def test_svg_is_well_formed_and_names_every_key(self):
        ini = self.write("palette.ini", "MoneyColor=10 200 30\nTimeColor=1 2 3 128\n"
                                        "AllWeaponsCursorSize=inf\n")
        svg = os.path.join(self.root, "palette.svg")
        status, out, _ = run(host_path(ini), "--svg", host_path(svg))
        self.assertEqual(status, 0, out)
        root = ElementTree.parse(svg).getroot()
        self.assertEqual(root.tag, "{http://www.w3.org/2000/svg}svg")
        text = " ".join("".join(node.itertext()) for node in root.iter())
        for key in KEYS:
            self.assertIn(key, text)
        fills = [node.get("fill") for node in root.iter()]
        self.assertIn("rgb(10,200,30)", fills)


def main():
    global COMMAND, WINDOWS
    args = sys.argv[1:]
    split = args.index("--")
    WINDOWS = "--windows=1" in args[:split]
    COMMAND = args[split + 1:]
    result = unittest.main(argv=[sys.argv[0], "-v"], exit=False).result
    print("%d passed, %d failed" % (result.testsRun - len(result.failures) - len(result.errors),
                                    len(result.failures) + len(result.errors)))
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
