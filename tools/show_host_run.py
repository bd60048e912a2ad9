#!/usr/bin/env python3
"""Runs the plugin in the simulated host and shows what it did: the call site while
loaded and after unload, each HUD target before and after, and the palette.

By default the game is started with an ASI loader and the plugin in its scripts folder,
as players install it: the plugin loads during the game's start-up, before its code runs.
With --plugin-loader the game's own code loads it from plugins instead."""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile


def run_host(binaries, plugin, build, ini, rebased, asi_loader):
    game = tempfile.mkdtemp(prefix="tessivar-game-")
    try:
        host = "simulated_host_%s%s.exe" % (build, "_rebased" if rebased else "")
        shutil.copy(os.path.join(binaries, host), game)
        folder = "scripts" if asi_loader else "plugins"
        for name in ("plugins", "scripts"):
            os.makedirs(os.path.join(game, name))
        shutil.copy(plugin, os.path.join(game, folder, "Tessivar.VC.asi"))
        if ini:
            shutil.copy(ini, os.path.join(game, "plugins", "Tessivar.VC.ini"))
        if asi_loader:
            script = ["--asi-loader", "dump", "loaded", "call", "1", "dump", "called",
                      "unload-asi", "0", "dump", "after"]
        else:
            script = ["dump", "start", "load", "plugins\\Tessivar.VC.asi", "dump", "loaded",
                      "call", "1", "dump", "called", "unload", "dump", "after"]
        env = dict(os.environ, WINEDEBUG="-all")
        out = subprocess.run(["wine", os.path.join(game, host)] + script,
                             cwd=game, env=env, capture_output=True, text=True, check=False)
        return out.stdout
    finally:
        shutil.rmtree(game, ignore_errors=True)


def parse(output):
    views, calls, other = {}, [], []
    for line in output.splitlines():
        words = line.split()
        if len(words) >= 3 and words[1] in ("site", "hud"):
            label, kind, address = words[0], words[1], int(words[2], 16)
            head, _, note = line.partition(" # ")
            values = []
            for word in head.split()[3:]:
                if word in ("protect", "unrebased"):
                    break
                values.append(word)
            view = views.setdefault(label, {"site": {}, "hud": {}, "notes": {}})
            view[kind][address] = " ".join(values)
            if note:
                view["notes"][address] = note.split(" ", 2)
        elif words[:1] == ["call"]:
            calls.append(line)
        else:
            other.append(line)
    return views, calls, other


def value_text(raw):
    parts = raw.split()
    if len(parts) == 4:
        return "%g" % struct.unpack("<f", bytes(int(p, 16) for p in parts))[0]
    return str(int(parts[0], 16))


def show(views, calls, other):
    for line in other:
        print(line)
    print()
    print("call sites (%s):" % "loaded / after unload")
    before, loaded, after = views["start"], views["loaded"], views["after"]
    for address, original in before["site"].items():
        state = "patched" if loaded["site"][address] != original else "untouched"
        back = "restored" if after["site"][address] == original else "NOT RESTORED"
        if state == "untouched":
            back = "unchanged" if after["site"][address] == original else "CHANGED"
        print("  0x%06x  before %s  loaded %s (%s)  after %s (%s)" % (
            address, original, loaded["site"][address], state, after["site"][address], back))
    print()
    for line in calls:
        print(line)
    print()
    print("%-26s %-30s %-6s %-9s %10s %10s" % ("key", "HUD element", "part", "address",
                                              "before", "after"))
    for address, raw in before["hud"].items():
        key, part, element = before["notes"][address]
        now = after["hud"][address]
        mark = "" if now != raw else "  (unchanged)"
        print("%-26s %-30s %-6s 0x%06x %10s %10s%s" % (key, element, part, address,
                                                      value_text(raw), value_text(now), mark))
    return after


def palette(after):
    colour = sys.stdout.isatty()
    rows = {}
    for address, (key, part, element) in after["notes"].items():
        rows.setdefault(key, {"element": element})[part] = value_text(after["hud"][address])
    print()
    print("palette after the pass:")
    for key, parts in rows.items():
        if "red" not in parts:
            detail = "  ".join("%s %s" % (k, v) for k, v in parts.items() if k != "element")
            print("  %-26s %s" % (key, detail))
            continue
        rgb = tuple(int(parts[c]) for c in ("red", "green", "blue"))
        alpha = " alpha %s" % parts["alpha"] if "alpha" in parts else ""
        swatch = "\x1b[48;2;%d;%d;%dm      \x1b[0m" % rgb if colour else "[#%02x%02x%02x]" % rgb
        print("  %s %-26s %3d %3d %3d%s  %s" % ((swatch, key) + rgb + (alpha, parts["element"])))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("ini", nargs="?", help="an ini to drop into the game's plugins folder")
    parser.add_argument("--binaries", required=True, help="the build's bin folder")
    parser.add_argument("--plugin", required=True, help="the plugin to load")
    parser.add_argument("--build", default="100", choices=("100", "110", "120", "none"))
    parser.add_argument("--rebased", action="store_true")
    parser.add_argument("--plugin-loader", action="store_true",
                        help="load from plugins in the game's code, not with an ASI loader")
    args = parser.parse_args()
    if args.rebased and args.build != "100":
        sys.exit("--rebased is built for build 100 only")
    output = run_host(args.binaries, args.plugin, args.build, args.ini, args.rebased,
                      not args.plugin_loader)
    views, calls, other = parse(output)
    if not all(label in views for label in ("start", "loaded", "after")):
        sys.stdout.write(output)
        sys.exit("the simulated host did not run to the end")
    palette(show(views, calls, other))


if __name__ == "__main__":
    main()
