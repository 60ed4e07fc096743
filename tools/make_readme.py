#!/usr/bin/env python3
"""Writes the player's readme: python3 tools/make_readme.py SOURCE VERSION BUILD OUTFILE.

The source is UTF-8 with @VERSION@ where the version goes; a line that starts with a
build's name in brackets ("[x86]", "[x64]") is kept, without it, only in that build's
readme. The readme is Shift-JIS
(code page 932) with CRLF line ends, as Notepad on a Japanese Windows opens it. A
character that code page 932 cannot hold stops the build instead of turning into '?'.
"""
import sys


def main():
    source, version, build, target = sys.argv[1:5]
    with open(source, encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", version)
    lines = []
    for line in text.splitlines():
        if line.startswith("["):
            name, _, rest = line[1:].partition("]")
            if name != build:
                continue
            line = rest
        lines.append(line)
    with open(target, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp932"))


if __name__ == "__main__":
    main()
