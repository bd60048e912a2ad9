#!/usr/bin/env python3
"""The checker's whole report on tricky inis, compared with the reports checked in beside
them (baselines/NAME.ini, baselines/NAME.report: the output, then the exit status).

Usage: report_baselines.py [--regenerate] -- CHECKER_COMMAND...
With --regenerate (or TESSIVAR_REGENERATE_BASELINES=1 in the environment) it writes the
reports anew instead; review the change with git diff."""

import difflib
import os
import subprocess
import sys

BASELINES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "baselines")


def report_of(command, name):
    # Run from the baselines folder with the bare name, so the report names no machine path.
    done = subprocess.run(command + [name], cwd=BASELINES, capture_output=True, text=True,
                          errors="replace", env=dict(os.environ, WINEDEBUG="-all"), check=False)
    return done.stdout + done.stderr + "exit %d\n" % done.returncode


def main():
    args = sys.argv[1:]
    split = args.index("--")
    regenerate = "--regenerate" in args[:split] or bool(os.environ.get(
        "TESSIVAR_REGENERATE_BASELINES"))
    command = args[split + 1:]
    names = sorted(name for name in os.listdir(BASELINES) if name.endswith(".ini"))
    differing = []
    for name in names:
        made = report_of(command, name)
        expected_path = os.path.join(BASELINES, name[:-len(".ini")] + ".report")
        if regenerate:
            with open(expected_path, "w", newline="\n") as out:
                out.write(made)
            continue
        expected = open(expected_path).read() if os.path.exists(expected_path) else ""
        if made != expected:
            differing.append(name)
            sys.stdout.writelines(difflib.unified_diff(
                expected.splitlines(True), made.splitlines(True), expected_path, "checker " + name))
    if regenerate:
        print("wrote %d reports in %s" % (len(names), BASELINES))
        return 0
    print("%d reports as checked in, %d differ%s" % (
        len(names) - len(differing), len(differing),
        ": " + ", ".join(differing) if differing else ""))
    if differing:
        print("if the change is meant, rewrite them: "
              "TESSIVAR_REGENERATE_BASELINES=1 ctest --preset native -R checker_report_baselines")
    return 1 if differing or not names else 0


if __name__ == "__main__":
    sys.exit(main())
