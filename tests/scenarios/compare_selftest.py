#!/usr/bin/env python3
"""The comparison of scenario runs, checked with the headless build on both
sides: every scenario agrees with itself through the runner, and dumps
perturbed as the real platform might (or as a fault would) pass or fail as
they must.

usage: compare_selftest.py TABULON-IDE WORK-DIR
"""
import contextlib
import copy
import glob
import io
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# Nothing is written beside the sources.
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)
import compare_dumps  # noqa: E402
import run_compare  # noqa: E402


def runner(ide, work, script, win32=None, headless_only="run", host=7):
    out = io.StringIO()
    with contextlib.redirect_stdout(out):
        status = run_compare.compare_script(script, host, work, [ide], win32 or [ide],
                                            headless_only, timeout=120)
    return status, out.getvalue()


def runner_cases(ide, work):
    """(name, status, text the report holds, wanted status, wanted text)."""
    scripts = sorted(glob.glob(os.path.join(HERE, "*.tide")))
    for script in scripts:
        name = os.path.basename(script)
        with open(script, encoding="utf-8") as f:
            hosts = (run_compare.header(f.read().splitlines(), "hosts") or "5 6 7").split()
        # A build of fewer hosts (the sanitizers' in CI) compares what it has.
        for host in (h for h in hosts if os.path.isfile(f"{ide}-{h}")):
            status, text = runner(ide, os.path.join(work, f"{name}.{host}"), script, host=host)
            yield f"{name}, host {host}, agrees with itself", status, text, 0, "agree"
    basics = os.path.join(HERE, "palette_basics.tide")
    yield ("a headless-only script is skipped on the real platform", *runner(
        ide, os.path.join(work, "skip"), basics, headless_only="skip"), 77, "headless build only")
    yield ("a missing headless build skips, naming the build to make",
           *runner(os.path.join(work, "no-build", "tabulon-ide"), os.path.join(work, "nb"),
                   basics), 77, "cmake --preset run")
    other_palette = [ide, "--palette", os.path.join(HERE, "cyrillic.palette")]
    yield ("another IDE palette on one side is reported by path", *runner(
        ide, os.path.join(work, "palette"), os.path.join(HERE, "engine_lifecycle.tide"),
        win32=other_palette), 1, "line 4 (load): /palette/tabs: headless")
    bad = os.path.join(work, "bad.tide")
    with open(bad, "w", encoding="utf-8") as f:
        f.write("show\n# a comment\nfrobnicate\n")
    yield ("a failing run names the script's own line", *runner(ide, os.path.join(work, "bad"),
                                                                 bad), 1, "bad.tide:3:")


def base_run(ide, work, name):
    """One headless run of a scenario: its printed lines, its state and dialog
    dumps, and what the runner knows of each state dump."""
    script = os.path.join(HERE, name)
    with open(script, encoding="utf-8") as f:
        source = f.read().splitlines()
    args = (run_compare.header(source, "args") or "").replace("@DIR@", HERE).split()
    lines, _, labels, dialog_labels, waits = run_compare.instrument(source)
    status, out, err = run_compare.run_side([ide], 7, args, name, lines,
                                            os.path.join(work, name + ".base"), 120)
    if status != 0:
        raise SystemExit(f"{name} failed: {err}")
    states, dialogs = compare_dumps.split_dumps(out.splitlines())
    return out.splitlines(), states, dialogs, (waits, labels, dialog_labels)


def perturbation_cases(ide, work):
    """The dumps of a multi-row run (and of the IDE alone, for the IDE's own
    palette height), one side changed as each case says."""
    bases = {"rows": base_run(ide, work, "multiline_rows.tide"),
             "ide": base_run(ide, work, "panel_layout.tide")}
    _, states, _, (waits, _, _) = bases["rows"]
    rows = [i for i, d in enumerate(states) if compare_dumps.settled(d)
            and d["groupBar"]["rowCount"] > 1 and d["palette"]["rowCount"] > 1]
    assert rows, "the run shows no settled state with several rows on both controls"
    r = rows[-1]
    one_tab = next(i for i, d in enumerate(states)
                   if compare_dumps.settled(d) and len(d["palette"]["tabs"]) == 1)
    waited = next(i for i, w in enumerate(waits) if w == 1000)
    unloaded = len(states) - 1

    def time_later(s, d):
        for i, x in enumerate(s):
            x["time"] += 3 + 7 * i

    def size_messages_more(s, d):
        for i, x in enumerate(s):
            x["mainForm"]["sizeMessages"] += i

    def size_messages_fall(s, d):
        s[-2]["mainForm"]["sizeMessages"], s[-1]["mainForm"]["sizeMessages"] = 5, 4

    def third_group_row(s, d):
        s[r]["groupBar"]["rowCount"] = 3
        s[r]["groupBar"]["height"] += 18
        s[r]["expert"]["pageGroupHeight"] += 18

    def heights_off(s, d):
        s[r]["groupBar"]["height"] += 1
        s[r]["expert"]["pageGroupHeight"] += 1
        s[r]["palette"]["height"] += 1

    def rows_beyond_tabs(s, d):
        s[one_tab]["palette"]["rowCount"] = 2
        for key in (("groupBar", "height"), ("expert", "pageGroupHeight"), ("palette", "height")):
            s[one_tab][key[0]][key[1]] += 15

    def set_(index, *path_value):
        *path, value = path_value

        def change(s, d):
            target = s[index]
            for key in path[:-1]:
                target = target[key]
            target[path[-1]] = value(target[path[-1]]) if callable(value) else value

        return change

    def dialog_item(s, d):
        d[-1]["dialog"]["controls"]["LBoxPageGroup"]["itemIndex"] += 1

    def drop_key(s, d):
        del s[0]["hostCalls"]["mainForm.OnShow"]

    def clock_short(s, d):
        s[waited]["time"] = s[waited - 1]["time"] + 500

    cases = [
        # Fields outside the list must be equal.
        ("a palette index differs", set_(r, "palette", "tabIndex", lambda v: v + 1), 1,
         "/palette/tabIndex: headless"),
        ("a dialog's list index differs", dialog_item, 1, "/dialog/controls/LBoxPageGroup"),
        ("a key only on one side", drop_key, 1, "/hostCalls/mainForm.OnShow: headless 1"),
        ("a state dump missing", lambda s, d: s.pop(), 1, "headless printed"),
        # Listed fields changed consistently pass.
        ("a real clock, later at every dump", time_later, 0, ""),
        ("more WM_SIZE on the real platform", size_messages_more, 0, ""),
        ("a third group row, heights following it", third_group_row, 0, ""),
        # Listed fields changed inconsistently fail.
        ("the clock short of a wait", clock_short, 1, "plus 1000 ms"),
        ("a WM_SIZE count that falls", size_messages_fall, 1, "a count never falls"),
        ("heights not those of the rows", heights_off, 1, "the height for 2 group"),
        ("the group bar not at the height applied",
         set_(r, "groupBar", "height", lambda v: v + 18), 1, "/groupBar/height"),
        ("the palette not filling its sheet",
         set_(r, "palette", "height", lambda v: v - 2), 1, "not 44 as before"),
        ("two rows on a single-line palette", set_(0, "palette", "rowCount", 2), 1,
         "single-line"),
        ("more palette rows than tabs", rows_beyond_tabs, 1, "is 2 for 1 tabs"),
        ("a palette given back at the wrong height",
         set_(unloaded, "palette", "height", lambda v: v + 1), 1, "after unload is not 16"),
        ("the IDE's own palette height changing", set_(-1, "palette", "height", 47), 1,
         "is not the IDE's own 48", "ide"),
    ]
    for name, change, want_status, want_text, *base in cases:
        lines, states, dialogs, known = bases[base[0] if base else "rows"]
        s, d = copy.deepcopy(states), copy.deepcopy(dialogs)
        change(s, d)
        other = [json.dumps(x, ensure_ascii=False) for x in s + d]
        report = compare_dumps.compare(lines, other, *known)
        yield name, 1 if report else 0, "\n".join(report), want_status, want_text


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    ide, work = argv[1], argv[2]
    os.makedirs(work, exist_ok=True)
    failures = 0
    for cases in (perturbation_cases(ide, work), runner_cases(ide, work)):
        for name, status, text, want_status, want_text in cases:
            ok = status == want_status and want_text in text
            failures += not ok
            print(f"{'ok  ' if ok else 'FAIL'} {name}")
            if not ok:
                print(f"     status {status}, wanted {want_status} with {want_text!r}:")
                print("     " + text.strip().replace("\n", "\n     "))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
