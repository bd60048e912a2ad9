#!/usr/bin/env python3
"""Makes the editor one self-contained page: the WebAssembly core (its wasm inlined by
the compiler) and the page's scripts, put into the page.
Usage: bundle.py PAGE CORE SCRIPT... OUT"""

import sys

page, core, scripts, out = sys.argv[1], sys.argv[2], sys.argv[3:-1], sys.argv[-1]


def inline(text):
    # A script's text must not close the element it sits in.
    return text.replace("</script", "<\\/script")


with open(page, encoding="utf-8") as f:
    html = f.read()
with open(core, encoding="utf-8") as f:
    html = html.replace("/*@CORE@*/", inline(f.read()))
script = ""
for name in scripts:
    with open(name, encoding="utf-8") as f:
        script += f.read() + "\n"
html = html.replace("/*@EDITOR@*/", inline(script))
with open(out, "w", encoding="utf-8", newline="\n") as f:
    f.write(html)
