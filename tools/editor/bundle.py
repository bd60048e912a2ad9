#!/usr/bin/env python3
"""Makes the editor one self-contained page: the WebAssembly core (its wasm inlined by
the compiler) and the page's script, put into the page."""

import sys

page, core, script, out = sys.argv[1:5]


def inline(text):
    # A script's text must not close the element it sits in.
    return text.replace("</script", "<\\/script")


with open(page, encoding="utf-8") as f:
    html = f.read()
with open(core, encoding="utf-8") as f:
    html = html.replace("/*@CORE@*/", inline(f.read()))
with open(script, encoding="utf-8") as f:
    html = html.replace("/*@EDITOR@*/", inline(f.read()))
with open(out, "w", encoding="utf-8", newline="\n") as f:
    f.write(html)
