#!/usr/bin/env python3
"""Makes the editor one self-contained page: the WebAssembly core (its wasm inlined by
the compiler) and the page's script, its parts joined in order, put into the page.
Usage: bundle.py PAGE CORE OUT SCRIPT_PART..."""

import sys

page, core, out = sys.argv[1:4]
parts = sys.argv[4:]


def inline(text):
    # A script's text must not close the element it sits in.
    return text.replace("</script", "<\\/script")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


script = '"use strict";\n' + "\n".join(read(part) for part in parts)
html = read(page)
html = html.replace("/*@CORE@*/", inline(read(core)))
html = html.replace("/*@EDITOR@*/", inline(script))
with open(out, "w", encoding="utf-8", newline="\n") as f:
    f.write(html)
