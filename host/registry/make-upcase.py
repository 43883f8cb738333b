#!/usr/bin/env python3
"""Writes HiveUpcase.inc, the table of how Windows' registry upper-cases a
UTF-16 code unit when it compares key and value names, from the Unicode
Character Database's UnicodeData.txt (Debian: unicode-data):

    host/registry/make-upcase.py /usr/share/unicode/UnicodeData.txt

The registry takes a unit's simple upper-case mapping only where the two
letters are a pair, that is where the capital's simple lower-case mapping
leads back: the micro sign, dotless i, long s, final sigma, the title-case
digraphs and the Greek symbol forms keep their case. Only units of the
Basic Multilingual Plane are mapped; a surrogate is compared as it is.
Wine's registry compares names by the same table (tests/registry/win32
checks all 65,536 units against it).
"""
import sys

upper, lower = {}, {}
with open(sys.argv[1], encoding="ascii") as data:
    for line in data:
        fields = line.split(";")
        code = int(fields[0], 16)
        if code > 0xFFFF:
            continue
        if fields[12]:
            upper[code] = int(fields[12], 16)
        if fields[13]:
            lower[code] = int(fields[13], 16)
pairs = sorted((c, u) for c, u in upper.items() if u <= 0xFFFF and lower.get(u) == c)

# Runs of units that move by the same distance, one apart or every other.
runs = []
i = 0
while i < len(pairs):
    first, to = pairs[i]
    best = (1, 1)
    for stride in (1, 2):
        n = 1
        while (i + n < len(pairs) and pairs[i + n][0] == first + n * stride
               and pairs[i + n][1] - pairs[i + n][0] == to - first):
            n += 1
        if n > best[0]:
            best = (n, stride)
    runs.append((first, best[0], best[1], to - first))
    i += best[0]

out = ["// Written by make-upcase.py from UnicodeData.txt; do not edit.",
       "// {first unit, units, stride, distance to the capital}"]
row = []
for run in runs:
    row.append("{0x%04X, %d, %d, %d}," % run)
    if len(row) == 4:
        out.append(" ".join(row))
        row = []
if row:
    out.append(" ".join(row))
with open(__file__.replace("make-upcase.py", "HiveUpcase.inc"), "w", encoding="ascii") as f:
    f.write("\n".join(out) + "\n")
print(f"{len(pairs)} units in {len(runs)} runs")
