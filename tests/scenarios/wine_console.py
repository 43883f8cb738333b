#!/usr/bin/env python3
"""The Windows build's prompt on a console, under Wine: text goes to the
console as UTF-16, so Cyrillic is right whatever its code page; to a pipe
as UTF-8; the banner and --help give the Windows keys and name no history
file; Ctrl-C cancels the line and Ctrl-D leaves.

usage: wine_console.py WINE-RUN PREFIX TABULON-IDE.EXE
"""
import os
import pty
import select
import subprocess
import sys
import time

GROUP = "НетГруппы".encode()


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def on_console(command, keys):
    """Runs command on a pseudo-terminal, which Wine's console draws on,
    types each key once the screen is quiet, and returns what it showed and
    the status."""
    pid, fd = pty.fork()
    if pid == 0:
        os.environ.update(LANG="C.UTF-8", LC_ALL="C.UTF-8", TERM="xterm")
        os.execv(command[0], command)
    seen = b""

    def read_until(text, timeout=60.0):
        nonlocal seen
        end = time.monotonic() + timeout
        while text not in seen:
            left = end - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise AssertionError("never saw %r; the console had:\n%s"
                                     % (text, seen.decode("utf-8", "replace")))
            try:
                seen += os.read(fd, 4096)
            except OSError:
                raise AssertionError("the program ended before %r:\n%s"
                                     % (text, seen.decode("utf-8", "replace")))

    for wait_for, key in keys:
        read_until(wait_for)
        time.sleep(0.3)
        os.write(fd, key)
    while True:
        try:
            if not select.select([fd], [], [], 30)[0]:
                break
            data = os.read(fd, 4096)
        except OSError:
            break
        if not data:
            break
        seen += data
    _, status = os.waitpid(pid, 0)
    os.close(fd)
    return seen, os.waitstatus_to_exitcode(status)


def main():
    wine_run, prefix, program = sys.argv[1:4]
    run = [wine_run, prefix, program, "--hive", ":memory:"]

    help_text = subprocess.run(run[:3] + ["--help"], stdout=subprocess.PIPE, check=True).stdout
    words = b" ".join(help_text.split())
    check(b"Ctrl-Z then Enter" in words and b"tabulon/history" not in words and
          b"no history kept" in words, "--help on Windows:\n" + help_text.decode("utf-8", "replace"))
    piped = subprocess.run(run + ["-e", "show", "-e", "load", "-e", "render"],
                           stdout=subprocess.PIPE, check=True).stdout
    check(GROUP in piped, "Cyrillic to a pipe is UTF-8:\n%r" % piped)

    prompt = b"tabulon-ide>"
    shown, status = on_console(run, [
        (prompt, b"show\r"), (prompt, b"load\r"), (prompt, b"render\r"),
        # The typed line is cancelled: the command never runs.
        (b"(greyed)", b"unload"), (b"unload", b"\x03"),
        (b"^C", b"expect /package/loaded true\r"),
        (b"true", b"\x04")])
    text = shown.decode("utf-8", "replace")
    check(b"Ctrl-Z then Enter" in b" ".join(shown.split()) and b"Ctrl-D" in shown,
          "the banner:\n" + text)
    check(GROUP in shown, "Cyrillic on the console:\n" + text)
    check(b"failed" not in shown and b"error" not in shown, "after Ctrl-C:\n" + text)
    check(status == 0, "Ctrl-D on an empty line: status %d, not 0\n%s" % (status, text))
    print("the Windows console under Wine: as expected")


if __name__ == "__main__":
    main()
