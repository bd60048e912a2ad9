#!/usr/bin/env python3
"""A mutation run: one small fault at a time put into the code (a table value, a boundary
moved by one, a check left out, a condition turned round), the build and the tests that
cover that code run on it, and the fault counted as killed when a test fails. It prints
each fault and the share killed, per kind and in all, and leaves every file as it was.

Usage: tools/mutate.py [--kind KIND] [--list]
It needs the presets built once (tools/test.sh does that); a fault of the host's code runs
the Windows tests under Wine, the others run natively."""

import argparse
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# (kind, file, what is there, the fault, the preset whose tests run)
NATIVE, WIN32 = "native", "win32"
MUTATIONS = [
    # the named colours a player writes
    ("named colour", "src/ini_rules/value_advice.cpp", '{"orange", 255, 165, 0}', '{"orange", 255, 166, 0}', NATIVE),
    ("named colour", "src/ini_rules/value_advice.cpp", '{"gold", 255, 215, 0}', '{"gold", 255, 215, 1}', NATIVE),
    ("named colour", "src/ini_rules/value_advice.cpp", '{"navy", 0, 0, 128}', '{"navy", 0, 0, 127}', NATIVE),
    ("named colour", "src/ini_rules/value_advice.cpp", '{"pink", 255, 192, 203}', '{"pink", 255, 192, 230}', NATIVE),
    ("named colour", "src/ini_rules/value_advice.cpp", '{"teal", 0, 128, 128}', '{"teal", 0, 128, 129}', NATIVE),
    ("named colour", "src/ini_rules/value_advice.cpp", '{"violet", 238, 130, 238}', '{"violet", 238, 130, 237}', NATIVE),
    ("named colour", "src/ini_rules/value_advice.cpp", '{"brown", 165, 42, 42}', '{"brown", 165, 42, 43}', NATIVE),
    # documented boundaries
    ("boundary", "src/ini_rules/value_findings.cpp", "if (alpha < 64) return", "if (alpha <= 64) return", NATIVE),
    ("boundary", "src/ini_rules/value_findings.cpp", "if (alpha < 192) return", "if (alpha <= 192) return", NATIVE),
    ("boundary", "src/install/ini_presence.cpp", "if (*length < config::path_capacity) return true;", "if (*length <= config::path_capacity) return true;", NATIVE),
    ("boundary", "src/config/settings_location.cpp", "if (candidate_length(folder, name) >= out.size()) return false;", "if (candidate_length(folder, name) > out.size()) return false;", NATIVE),
    ("boundary", "src/config/settings_location.cpp", "if (path.size() >= settings_path.size()", "if (path.size() > settings_path.size()", NATIVE),
    ("boundary", "src/hud/apply_settings.cpp", "if (static_cast<std::uint32_t>(value) <= 255u)", "if (static_cast<std::uint32_t>(value) < 255u)", NATIVE),
    ("boundary", "src/ini_rules/pass_extent.cpp", "for (int read = 0; read < config::pass_piece_limit; ++read)", "for (int read = 0; read <= config::pass_piece_limit; ++read)", NATIVE),
    ("boundary", "src/ini_rules/size_sanity.cpp", "if (std::fabs(written) <= largest_usual_size)", "if (std::fabs(written) < largest_usual_size)", NATIVE),
    ("boundary", "src/config/settings_location.hpp", "        if (candidate_length(folder, settings_folders[index]) >= path_capacity) continue;\n", "", NATIVE),
    # colour codes
    ("share code", "src/colour/share_code.cpp", "    if (packed[crc_at - 1] >> (byte_components % 8)) return std::nullopt;\n", "", NATIVE),
    ("share code", "src/colour/share_code.cpp", "if (code.size() != share_code_length)", "if (code.size() > share_code_length)", NATIVE),
    # contrast
    ("contrast", "src/colour/element_contrast.cpp", "for (const int target : {255, 0})", "for (const int target : {255})", NATIVE),
    ("contrast", "src/colour/element_contrast.cpp", "for (const int target : {255, 0})", "for (const int target : {0})", NATIVE),
    ("contrast", "src/colour/colour.cpp", "return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);", "return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.5);", NATIVE),
    # text made safe
    ("control character", "src/common/printable.cpp", "if (byte < 0x20 || byte >= 0x7F)", "if (byte < 0x1F || byte >= 0x7F)", NATIVE),
    ("control character", "src/common/printable.cpp", "if (byte < 0x20 || byte >= 0x7F)", "if (byte < 0x20 || byte > 0x7F)", NATIVE),
    ("control character", "src/common/json_text.cpp", "} else if (byte < 0x20 || byte == 0x7F) {", "} else if (byte < 0x20) {", NATIVE),
    # line ends of an added line
    ("line end", "src/edit/apply_fixes.cpp", "if (at > 0 && bytes[at - 1] != '\\n') line = bytes[at - 1] == '\\r' ? \"\\n\" : eol;", "if (at > 0 && bytes[at - 1] != '\\n') line = eol;", NATIVE),
    ("line end", "src/edit/piece_edits.cpp", "if (at > 0 && bytes[at - 1] != '\\n') line = bytes[at - 1] == '\\r' ? \"\\n\" : eol;", "if (at > 0 && bytes[at - 1] != '\\n') line = eol;", NATIVE),
    ("line end", "src/edit/apply_fixes.cpp", "return lf_only ? \"\\n\" : \"\\r\\n\";", "return lf_only ? \"\\r\\n\" : \"\\n\";", NATIVE),
    ("line end", "src/edit/apply_fixes.cpp", "if (bytes[i] == '\\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\\n')) out += '\\n';", "if (bytes[i] == '\\r' && i + 1 < bytes.size() && bytes[i + 1] != '\\n') out += '\\n';", NATIVE),
    # UTF-8 at the edges of its lengths
    ("utf-8", "src/common/json_text.cpp", "        if ((next & 0xC0) != 0x80) return 0;\n", "", NATIVE),
    ("utf-8", "src/common/json_text.cpp", "constexpr std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};", "constexpr std::uint32_t least[] = {0, 0, 0x80, 0x7FF, 0x10000};", NATIVE),
    ("utf-8", "src/edit/text_encoding.cpp", "} else if (code < 0x800) {", "} else if (code <= 0x800) {", NATIVE),
    ("utf-8", "src/edit/text_encoding.cpp", "} else if (code < 0x10000) {", "} else if (code <= 0x10000) {", NATIVE),
    ("utf-8", "src/ini_rules/encoding.cpp", "if (code < least[length] || code > 0x10FFFF ||", "if (code < least[length] || code > 0x110000 ||", NATIVE),
    # the host's memory: guarded reads and writes
    ("guarded access", "src/injector/guarded_access.cpp", "usable_ = changed_ || platform::accessible(address_, size_, access);", "usable_ = true;", WIN32),
    ("guarded access", "src/injector/guarded_access.cpp", "    if (!changed_) return;\n    std::uint32_t scratch = 0;", "    std::uint32_t scratch = 0;", WIN32),
    ("guarded access", "src/injector/guarded_access.cpp", "const bool allowed = unprotect ? guard.usable() : platform::accessible(address, count, access);", "const bool allowed = unprotect || platform::accessible(address, count, access);", WIN32),
    # the hook and its giving back
    ("hook", "src/injector/hooking/function_hooker.hpp", "if (branch_target(this->saved_address()) == trampoline_at) {", "if (true) {", WIN32),
    ("hook", "src/injector/hooking/scoped_patch.cpp", "for (HostAddress padding = at + 5; padding < at + length; ++padding)", "for (HostAddress padding = at + 5; padding < at + 5; ++padding)", WIN32),
    ("hook", "src/plugin/kelvora.cpp", "hostCallEvent().subscribe(hostCallEvent().after,", "hostCallEvent().subscribe(hostCallEvent().before,", WIN32),
    # beside these: the other decoders and detections
    ("detection", "src/ini_rules/encoding.cpp", "return matching * 4 >= (sample / 2) * 3;", "return matching * 2 >= (sample / 2);", NATIVE),
    ("detection", "src/ini_rules/key_suggestion.cpp", "std::size_t best_distance = 3; // more than two edits away is no suggestion", "std::size_t best_distance = 4; // more than two edits away is no suggestion", NATIVE),
    ("detection", "src/install/loader_settings.cpp", "const std::size_t close = line.rfind(']');", "const std::size_t close = line.find(']');", NATIVE),
    ("detection", "src/install/loader_settings.cpp", "&& sections_seen++ == 0;", ";", NATIVE),
    ("detection", "src/install/loader_settings.cpp", "if (value.substr(0, 2) == \"0x\") {", "if (false) {", NATIVE),
    ("detection", "src/install/game_tree.cpp", "if (loader(parts[0])) return parts.size() == 1 ? 1 : parts.size() == 2 ? 2 : 4;", "if (loader(parts[0])) return 4;", NATIVE),
    ("detection", "src/install/game_executables.cpp", "if (headers.image_base != default_image_base)", "if (false)", NATIVE),
    ("detection", "src/install/asi_loader.cpp", "return {carries_loader_marks(dll) ? ProxyKind::loader : ProxyKind::other_library, i386};", "return {ProxyKind::loader, i386};", NATIVE),
]


def run(command, log):
    done = subprocess.run(command, cwd=ROOT, stdout=log, stderr=subprocess.STDOUT, check=False)
    return done.returncode == 0


def mutate(kind, relative, original, fault, preset, log):
    path = os.path.join(ROOT, relative)
    with open(path, encoding="utf-8") as f:
        text = f.read()
    if text.count(original) != 1:
        return "not found"
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(text.replace(original, fault))
        if not run(["cmake", "--build", "--preset", preset], log):
            return "does not build"
        # Under Wine, the tests of the host's code only: the rest runs natively anyway.
        only = ["-R", "host_tests|e2e_tests|core_tests"] if preset == WIN32 else []
        return ("survived" if run(["ctest", "--preset", preset, "--timeout", "300"] + only, log)
                else "killed")
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--kind")
    parser.add_argument("--list", action="store_true")
    options = parser.parse_args()
    chosen = [m for m in MUTATIONS if not options.kind or m[0] == options.kind]
    if options.list:
        for kind, relative, original, fault, preset in chosen:
            print(f"{kind:18} {relative}: {original.strip()[:60]} -> {fault.strip()[:60]}")
        return 0
    outcomes = {}
    with open(os.path.join(ROOT, "build", "mutate.log"), "w") as log:
        for kind, relative, original, fault, preset in chosen:
            started = time.time()
            outcome = mutate(kind, relative, original, fault, preset, log)
            outcomes.setdefault(kind, []).append(outcome)
            print(f"{outcome:14} {kind:18} {relative}: {fault.strip()[:70]} ({time.time() - started:.0f} s)",
                  flush=True)
        # the tree as it was, built again
        for preset in sorted({m[4] for m in chosen}):
            run(["cmake", "--build", "--preset", preset], log)
    total = killed = 0
    for kind, results in outcomes.items():
        valid = [r for r in results if r in ("killed", "survived")]
        total += len(valid)
        killed += valid.count("killed")
        print(f"{kind:18} {valid.count('killed')} of {len(valid)} killed")
    print(f"in all: {killed} of {total} killed ({100 * killed // max(total, 1)}%)")
    return 0 if total and killed == total else 1


if __name__ == "__main__":
    sys.exit(main())
