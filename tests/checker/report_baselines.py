#!/usr/bin/env python3
"""What the checker finds in tricky inis, compared with what is checked in beside them
(baselines/NAME.ini, baselines/NAME.findings): the answer, then one finding a line (its
code, severity, line, key, sentence, advice and fix), then the exit status. Taken from the
JSON report, so that a change of the text layout rewrites none of them.

Usage: report_baselines.py [--regenerate] -- CHECKER_COMMAND...
With --regenerate (or TESSIVAR_REGENERATE_BASELINES=1 in the environment) it writes them
anew instead; review the change with git diff."""

import difflib
import json
import os
import subprocess
import sys

BASELINES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "baselines")


def findings_of(command, name):
    # Run from the baselines folder with the bare name, so nothing names a machine path.
    done = subprocess.run(command + ["--format=json", "--lang=en", name], cwd=BASELINES, capture_output=True,
                          env=dict(os.environ, WINEDEBUG="-all"), check=False)
    report = json.loads(done.stdout.decode("utf-8"))
    answer = report["answer"]
    lines = ["answer %s %s: %s" % (answer["verdict"], answer["code"], answer["message"])]
    for f in report["findings"]:
        where = "line %d" % f["line"] if "line" in f else "file"
        lines.append("%s %s %s%s: %s | %s%s" % (
            f["code"], f["severity"], where, " " + f["key"] if "key" in f else "", f["message"],
            f.get("advice", ""), " | fix " + json.dumps(f["fix"], sort_keys=True)
            if "fix" in f else ""))
    lines.append("exit %d" % done.returncode)
    return "\n".join(lines) + "\n"


def main():
    args = sys.argv[1:]
    split = args.index("--")
    regenerate = "--regenerate" in args[:split] or bool(os.environ.get(
        "TESSIVAR_REGENERATE_BASELINES"))
    command = args[split + 1:]
    names = sorted(name for name in os.listdir(BASELINES) if name.endswith(".ini"))
    differing = []
    for name in names:
        made = findings_of(command, name)
        expected_path = os.path.join(BASELINES, name[:-len(".ini")] + ".findings")
        if regenerate:
            with open(expected_path, "w", newline="\n", encoding="utf-8") as out:
                out.write(made)
            continue
        expected = (open(expected_path, encoding="utf-8").read()
                    if os.path.exists(expected_path) else "")
        if made != expected:
            differing.append(name)
            sys.stdout.writelines(difflib.unified_diff(
                expected.splitlines(True), made.splitlines(True), expected_path, "checker " + name))
    if regenerate:
        print("wrote %d baselines in %s" % (len(names), BASELINES))
        return 0
    print("%d as checked in, %d differ%s" % (
        len(names) - len(differing), len(differing),
        ": " + ", ".join(differing) if differing else ""))
    if differing:
        print("if the change is meant, write them anew: "
              "TESSIVAR_REGENERATE_BASELINES=1 ctest --preset native -R checker_report_baselines")
    return 1 if differing or not names else 0


if __name__ == "__main__":
    sys.exit(main())
