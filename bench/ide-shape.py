#!/usr/bin/env python3
"""Writes the scaling benchmark's palette shape for tabulon-ide.

    bench/ide-shape.py PAGES GROUPS PREFIX

PREFIX.pal gets the pages Page0 ... one a line, PREFIX.reg a REGEDIT4 hive
with GROUPS groups of twenty consecutive pages, wrapping round the palette,
named as the benchmark names them (Г and base-32 Cyrillic digits), for
--palette and --hive of a Delphi 7 IDE.
"""
import sys


def group_name(number):
    name = bytes([0xC3])
    while True:
        name += bytes([0xC0 + number % 32])
        number //= 32
        if number == 0:
            return name


def main():
    pages, groups, prefix = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    names = ["Page%d" % i for i in range(pages)]
    key = b"HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\7.0\\ORVExpert"
    lines = [b"REGEDIT4", b"", b"[" + key + b"]", b"", b"[" + key + b"\\Pages]"]
    order = b""
    for g in range(groups):
        name = group_name(g)
        order += name + b"\x1f\x1f"
        listed = b"".join(names[(g * 20 + k) % pages].encode() + b"\x1f\x1f" for k in range(20))
        lines.append(b'"' + name + b'"="' + listed + b'"')
    lines += [b"", b"[" + key + b"\\Timer]", b'"PagesSort"="' + order + b'"', b""]
    with open(prefix + ".reg", "wb") as f:
        f.write(b"\r\n".join(lines))
    with open(prefix + ".pal", "w", encoding="utf-8") as f:
        f.write("\n".join(names) + "\n")


if __name__ == "__main__":
    main()
