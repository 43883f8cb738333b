#!/usr/bin/env python3
"""Compares the dumps of one scenario run on two builds: the headless one and
the one on the real Windows platform (under Wine).

Each input file holds one `dump` a line (JSON lines, as tabulon-ide prints
them; other lines are ignored). The i-th state dump of one side is compared
with the i-th of the other, and likewise the i-th dump made inside a settings
dialog. Every path where they differ is reported, except the fields of
LISTED below: those depend on real time or on real font metrics, so instead
each is checked for consistency within its own side's dumps.

usage: compare_dumps.py [--waits N,N,...] HEADLESS.jsonl WIN32.jsonl
       compare_dumps.py --list
  --waits   the milliseconds the script waited before each state dump, since
            the previous one (a lower bound for the clock's advance)
  --list    prints LISTED as a Markdown table
exit status: 0 equal (modulo LISTED) and consistent, 1 otherwise, 2 on bad input
"""
import json
import sys

# The fields that may differ between the builds: the JSON pointer, why it
# differs, what is checked of it instead within each side's own dumps, and
# the function that checks it (below).
LISTED = [
    ("/time",
     "real time: on the real platform `wait N` runs the message loop for N ms of the"
     " clock, and every command takes time of its own",
     "a count that grows by at least the milliseconds waited since the dump before,"
     " less the real clock's step", "check_time"),
    ("/mainForm/sizeMessages",
     "the real window manager sends the main window WM_SIZE of its own when it is"
     " created, shown and framed",
     "a count that never falls", "check_size_messages"),
    ("/palette/rowCount",
     "a multi-line tab control's rows follow its captions' widths in the real font",
     "1 on a single-line control; else at least 1 (0 only with no tabs) and at most"
     " one a tab", "check_palette_rows"),
    ("/groupBar/rowCount",
     "a multi-line tab control's rows follow its captions' widths in the real font",
     "as /palette/rowCount, counting the visible sheets", "check_group_rows"),
    ("/palette/firstTab",
     "how far a single-line row that overflows scrolls follows its captions' widths in"
     " the real font",
     "0 on a multi-line control or one with no tabs; else a tab it has, and none after"
     " the selected tab, which the row keeps in view", "check_palette_first"),
    ("/groupBar/firstTab",
     "how far a single-line row that overflows scrolls follows its captions' widths in"
     " the real font",
     "as /palette/firstTab, counting the visible sheets", "check_group_first"),
    ("/expert/pageGroupHeight",
     "the add-in's sizing computes it from both tab controls' rows",
     "once the palette watch has ticked with grouping on: (8 + 10) x (group rows - 1)"
     " + (8 + 7) x (palette rows - 1) + 80", "check_group_height"),
    ("/groupBar/height",
     "the add-in sets it to the height it computed",
     "equal to /expert/pageGroupHeight at the same times", "check_group_height"),
    ("/palette/height",
     "inside the group bar the palette fills its sheet, whose tab area is as high as"
     " the real font's tabs (TCM_ADJUSTRECT)",
     "inside the group bar: the group bar's height less a tab area that stays the same"
     " for the same group rows; before the add-in: the IDE's own, unchanged; after"
     " unload: rows x (8 + 8)", "check_palette_height"),
]
LISTED_PATHS = {entry[0] for entry in LISTED}

# GetTickCount, a real clock, counts in steps of 10 to 16 ms: a wait timed
# by one clock may read up to a step short on another.
CLOCK_STEP = 16

# Both the group bar and the palette use the IDE's 8-point font (the dump
# does not carry it); the add-in's sizing takes font sizes as plain numbers.
FONT_SIZE = 8
# The group bar's height for its tab rows and the palette's: each group row
# adds the font size + 10, each palette row the font size + 7, from 80.
BASE_HEIGHT = 80


def sized_height(group_rows, palette_rows):
    return (FONT_SIZE + 10) * (group_rows - 1) + (FONT_SIZE + 7) * (palette_rows - 1) + BASE_HEIGHT


def get(dump, pointer):
    """The value at a JSON pointer, or KeyError."""
    value = dump
    for part in pointer.split("/")[1:]:
        value = value[int(part)] if isinstance(value, list) else value[part]
    return value


def has(dump, pointer):
    try:
        get(dump, pointer)
        return True
    except (KeyError, IndexError, TypeError, ValueError):
        return False


def is_count(value):
    return isinstance(value, int) and not isinstance(value, bool) and value >= 0


# Each check sees one side's state dumps in order (and the waits before
# each) and yields (dump index, message) for what does not hold.


def check_time(dumps, waits):
    before = None
    for i, d in enumerate(dumps):
        t = d.get("time")
        if not is_count(t):
            yield i, f"/time is {json.dumps(t)}, not a count of milliseconds"
            continue
        waited = waits[i] if i < len(waits) else 0
        if t + CLOCK_STEP < (before or 0) + waited:
            yield i, f"/time {t} is less than {before or 0} before it plus {waited} ms waited since"
        before = t


def check_size_messages(dumps, waits):
    before = 0
    for i, d in enumerate(dumps):
        n = d["mainForm"].get("sizeMessages")
        if not is_count(n) or n < before:
            yield i, f"/mainForm/sizeMessages {json.dumps(n)} after {before}: a count never falls"
        else:
            before = n


def visible_sheets(d):
    return sum(1 for s in d["groupBar"]["sheets"] if s["tabVisible"])


def check_rows(pointer, multi_pointer, most):
    """A single-line tab control has one row; a multi-line one at least one
    (none only when it shows no tab) and never more than it has tabs."""

    def check(dumps, waits):
        for i, d in enumerate(dumps):
            if not has(d, pointer):
                continue
            rows, multi, tabs = get(d, pointer), get(d, multi_pointer), most(d)
            if not is_count(rows):
                yield i, f"{pointer} is {json.dumps(rows)}"
            elif not multi and rows != 1 and tabs > 0:
                yield i, f"{pointer} is {rows} on a single-line tab control"
            elif rows > max(tabs, 1) or (rows == 0 and tabs > 0):
                yield i, f"{pointer} is {rows} for {tabs} tabs shown"

    return check


check_palette_rows = check_rows("/palette/rowCount", "/palette/multiLine",
                                lambda d: len(d["palette"]["tabs"]))
check_group_rows = check_rows("/groupBar/rowCount", "/groupBar/multiLine", visible_sheets)


def check_first(control, most):
    """The first tab in view of a row: 0 unless a single-line row has
    scrolled, and never past the selected tab."""
    pointer = f"/{control}/firstTab"

    def check(dumps, waits):
        for i, d in enumerate(dumps):
            if not has(d, pointer):
                continue
            first, c, tabs = get(d, pointer), d[control], most(d)
            if not is_count(first):
                yield i, f"{pointer} is {json.dumps(first)}"
            elif (c["multiLine"] or tabs == 0) and first != 0:
                yield i, f"{pointer} is {first} on a row that cannot scroll"
            elif first >= max(tabs, 1) or 0 <= c["tabIndex"] < first:
                yield i, f"{pointer} is {first} with tab {c['tabIndex']} of {tabs} selected"

    return check


check_palette_first = check_first("palette", lambda d: len(d["palette"]["tabs"]))
check_group_first = check_first("groupBar", visible_sheets)


def grouped(d):
    """The add-in is loaded and has sized its group bar at least once."""
    return d.get("groupBar") is not None and d["expert"]["pageGroupHeight"] >= 0


def settled(d):
    """Grouping is on and no palette watch is pending: the watch's tick ends
    in the sizing, so until it comes the height may lag the rows."""
    return (grouped(d) and d["expert"]["groupsActive"]
            and not d["timers"]["paletteChange"]["enabled"])


def check_group_height(dumps, waits):
    for i, d in enumerate(dumps):
        if not settled(d):
            continue
        want = sized_height(d["groupBar"]["rowCount"], d["palette"]["rowCount"])
        if d["expert"]["pageGroupHeight"] != want:
            yield i, (f"/expert/pageGroupHeight {d['expert']['pageGroupHeight']} is not {want},"
                      f" the height for {d['groupBar']['rowCount']} group and"
                      f" {d['palette']['rowCount']} palette rows")
        if d["groupBar"]["height"] != d["expert"]["pageGroupHeight"]:
            yield i, (f"/groupBar/height {d['groupBar']['height']} is not the"
                      f" {d['expert']['pageGroupHeight']} the add-in applied")


def check_palette_height(dumps, waits):
    """Inside the group bar the palette fills its sheet: the group bar less
    a tab area that is the same for the same group rows in the same font
    (bold or not). Given back to the IDE after the add-in, it is rows x
    (font size + 8) high."""
    tab_area = {}
    loaded_before = False
    ide_own = None
    for i, d in enumerate(dumps):
        p = d["palette"]
        if not is_count(p["height"]):
            yield i, f"/palette/height is {json.dumps(p['height'])}"
            continue
        if grouped(d) and p["parent"].startswith("groupBar.sheets["):
            rows = d["groupBar"]["rowCount"]
            font = (rows, d["groupBar"]["fontBold"])
            area = d["groupBar"]["height"] - p["height"]
            if area <= 0:
                yield i, (f"/palette/height {p['height']} does not fit in the group bar's"
                          f" {d['groupBar']['height']}")
            elif tab_area.setdefault(font, area) != area:
                yield i, (f"/palette/height {p['height']} leaves {area} for {rows} group rows"
                          f" of tabs, not {tab_area[font]} as before")
        elif p["parent"] == "host" and not loaded_before and not d["package"]["loaded"]:
            if ide_own is None:
                ide_own = p["height"]
            elif p["height"] != ide_own:
                yield i, f"/palette/height {p['height']} is not the IDE's own {ide_own}"
        elif p["parent"] == "host" and loaded_before and not d["package"]["loaded"]:
            want = p["rowCount"] * (FONT_SIZE + 8)
            if p["height"] != want:
                yield i, (f"/palette/height {p['height']} after unload is not {want}"
                          f" for {p['rowCount']} rows")
        loaded_before = loaded_before or d["package"]["loaded"]


def differences(a, b, path=""):
    """(path, headless value, win32 value) for every place where a and b
    differ, LISTED paths left out."""
    if path in LISTED_PATHS:
        return
    if isinstance(a, dict) and isinstance(b, dict):
        for key in list(a) + [k for k in b if k not in a]:
            sub = f"{path}/{key.replace('~', '~0').replace('/', '~1')}"
            if key not in a or key not in b:
                if sub not in LISTED_PATHS:
                    yield sub, a.get(key, "(absent)"), b.get(key, "(absent)")
            else:
                yield from differences(a[key], b[key], sub)
    elif isinstance(a, list) and isinstance(b, list) and len(a) == len(b):
        for i, (x, y) in enumerate(zip(a, b)):
            yield from differences(x, y, f"{path}/{i}")
    elif a != b or type(a) is not type(b):
        yield path or "/", a, b


def split_dumps(lines):
    """The state dumps and the dialog dumps among printed lines."""
    states, dialogs = [], []
    for line in lines:
        line = line.strip()
        if not line.startswith("{"):
            continue
        try:
            d = json.loads(line)
        except ValueError:
            continue
        if isinstance(d, dict) and "host" in d and "time" in d:
            states.append(d)
        elif isinstance(d, dict) and list(d) == ["dialog"]:
            dialogs.append(d)
    return states, dialogs


def short(value):
    text = json.dumps(value, ensure_ascii=False)
    return text if len(text) <= 120 else text[:117] + "..."


def grouped_report(found):
    """One line per key of (key, where, text), the first place it was seen
    in full and how many more places share the key: a difference that runs
    through the whole session reads as one line."""
    first, more = {}, {}
    for key, where, text in found:
        if key in first:
            more[key] += 1
        else:
            first[key], more[key] = (where, text), 0
    lines = []
    for key, (where, text) in first.items():
        tail = f" (and {more[key]} more after it)" if more[key] else ""
        lines.append(f"{where}: {text}{tail}")
    return lines


def compare(headless, win32, waits=(), labels=(), dialog_labels=()):
    """Report lines for two sides' printed lines; empty when they agree."""
    report = []
    sides = {"headless": split_dumps(headless), "win32": split_dumps(win32)}
    for kind, index, names in (("state", 0, labels), ("dialog", 1, dialog_labels)):
        h, w = sides["headless"][index], sides["win32"][index]
        if len(h) != len(w):
            report.append(f"{kind} dumps: headless printed {len(h)}, win32 {len(w)}")
        found = []
        for i, (x, y) in enumerate(zip(h, w)):
            where = names[i] if i < len(names) else f"{kind} dump {i + 1}"
            for path, u, v in differences(x, y):
                found.append((path, where, f"{path}: headless {short(u)}, win32 {short(v)}"))
        report += grouped_report(found)
    checks = dict.fromkeys(entry[3] for entry in LISTED)
    found = []
    for side, (states, _) in sides.items():
        for name in checks:
            try:
                problems = list(globals()[name](states, list(waits)))
            except (KeyError, IndexError, TypeError) as e:
                problems = [(0, f"{name}: a field it needs is missing or malformed ({e!r})")]
            for i, message in problems:
                where = labels[i] if i < len(labels) else f"state dump {i + 1}"
                # Keyed by the field the message names first.
                found.append(((side, message.split()[0]), f"{side}, {where}", message))
    return report + grouped_report(found)


def main(argv):
    args = argv[1:]
    if args == ["--list"]:
        print("| field | why it differs | checked instead |\n|---|---|---|")
        for pointer, why, instead, _ in LISTED:
            print(f"| `{pointer}` | {why} | {instead} |")
        return 0
    waits = []
    if args[:1] == ["--waits"] and len(args) >= 2:
        waits = [int(n) for n in args[1].split(",") if n]
        args = args[2:]
    if len(args) != 2:
        sys.stderr.write(__doc__)
        return 2
    texts = []
    for name in args:
        try:
            with open(name, encoding="utf-8") as f:
                texts.append(f.read().splitlines())
        except (OSError, UnicodeDecodeError) as e:
            sys.stderr.write(f"compare_dumps.py: cannot read {name}: {e}\n")
            return 2
    report = compare(texts[0], texts[1], waits)
    for line in report:
        print(line)
    return 1 if report else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
