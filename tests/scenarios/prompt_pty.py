#!/usr/bin/env python3
"""The prompt on a real (pseudo-)terminal, as a user meets it: Tab
completion (the commands on an empty line, Cyrillic group names), pasted
tabs, Ctrl-C and its ^C, an input box answered inline, Ctrl-D and its
status, the history written as each line is entered, typed Cyrillic in the
"C" locale, text wrapped at 40 columns, and the session typed replayed from
standard input to the same state.

usage: prompt_pty.py TABULON-IDE WORKDIR
"""
import os
import pty
import select
import shutil
import subprocess
import sys
import time


class Session:
    def __init__(self, program, work, args, columns=80):
        env = {"PATH": "/usr/bin:/bin", "HOME": work, "XDG_CONFIG_HOME": work,
               "TERM": "xterm", "LC_CTYPE": "C", "COLUMNS": str(columns), "LINES": "24"}
        # The sanitizer build's options (its leak suppressions) go through.
        env.update({k: v for k, v in os.environ.items() if k.endswith("SAN_OPTIONS")})
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.execve(program, [program] + args, env)
        self.seen = b""

    def expect(self, text, timeout=10.0):
        """Reads until text (bytes) has appeared after what was matched last."""
        end = time.monotonic() + timeout
        while text not in self.seen:
            left = end - time.monotonic()
            if left <= 0 or not select.select([self.fd], [], [], left)[0]:
                raise AssertionError("never saw %r; the screen had:\n%s" %
                                     (text, self.seen.decode("utf-8", "replace")))
            try:
                self.seen += os.read(self.fd, 4096)
            except OSError:
                raise AssertionError("the program ended before %r:\n%s" %
                                     (text, self.seen.decode("utf-8", "replace")))
        at = self.seen.index(text) + len(text)
        before, self.seen = self.seen[:at], self.seen[at:]
        return before

    def send(self, data):
        # A user types after the prompt is drawn; a moment's pause lets the
        # line editor finish setting the terminal up.
        time.sleep(0.1)
        os.write(self.fd, data)

    def status(self):
        # Drain what is left so the child is never blocked on a full pty.
        while True:
            try:
                if not select.select([self.fd], [], [], 5)[0] or not os.read(self.fd, 4096):
                    break
            except OSError:
                break
        for _ in range(100):
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                break
            time.sleep(0.1)
        else:
            os.kill(self.pid, 9)
            raise AssertionError("the program did not end")
        os.close(self.fd)
        return os.waitstatus_to_exitcode(status)


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def main():
    program, work = sys.argv[1], sys.argv[2]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    history = os.path.join(work, "tabulon", "history")

    s = Session(program, work, ["--hive", ":memory:"])
    s.expect(b"tabulon-ide> ")
    # Tab on an empty line lists the commands, in columns.
    s.send(b"\t")
    out = s.expect(b"tabulon-ide> ")
    check(b"activate" in out and b"uninstall" in out and b"  " in out,
          "Tab on an empty line: %r" % out)
    # Tab completes a command, lists the choices when there are several,
    # and completes the words of a command.
    s.send(b"sh\t")
    s.expect(b"o")
    s.send(b"\t")
    s.expect(b"shortcut  show")
    s.send(b"w\r")
    s.expect(b"tabulon-ide> ")
    s.send(b"menu c\t")
    s.expect(b"omponent ")
    time.sleep(0.2)
    # Ctrl-C cancels the line, marked ^C: the command never runs, the
    # session goes on.
    s.send(b"\x03")
    s.expect(b"^C\r\n")
    s.expect(b"tabulon-ide> ")
    # Typed Cyrillic in the "C" locale reaches the IDE whole.
    s.send("install Данные\r".encode())
    s.expect(b"tabulon-ide> ")
    # A line completed to its end is kept as typed, without the blank the
    # completion put after it.
    s.send(b"rend\t")
    s.expect(b"er ")
    s.send(b"\r")
    s.expect(b"tabulon-ide> ")
    # Each line is in the history as soon as it is entered.
    with open(history, "rb") as f:
        kept = f.read()
    check(b"install" in kept and b"show" in kept and b"menu" not in kept and
          b"\nrender\n" in kept, "history: %r" % kept)
    # A pasted line keeps its tabs as blanks.
    s.send(b"expect\t/hostPalette/pages/33\t\"\xd0\x94\xd0\xb0\xd0\xbd\xd0\xbd\xd1\x8b\xd0\xb5\"\r")
    out = s.expect(b"tabulon-ide> ")
    check(b"failed" not in out and b"unknown" not in out, out.decode("utf-8", "replace"))
    # In a block Ctrl-C cancels the line, and on an empty line drops the block.
    s.send(b"dialog\r")
    s.expect(b"dialog> ")
    # (The terminal flushes input not read yet at Ctrl-C: wait for the echo.)
    s.send(b"click Bt")
    s.expect(b"Bt")
    s.send(b"\x03")
    s.expect(b"the dialog block goes on")
    s.expect(b"dialog> ")
    s.send(b"\x03")
    s.expect(b"The dialog block is dropped.")
    s.expect(b"tabulon-ide> ")
    s.send(b"expect /host 0\r")
    s.expect(b"failed")
    s.expect(b"tabulon-ide> ")
    s.send(b"\x04")
    status = s.status()
    check(status == 1, "Ctrl-D after a failed expect: status %d, not 1" % status)

    # An input box of the dialog opened at the prompt asks there; the group
    # it names completes in Cyrillic, listed and by its first letter.
    typed = ["load", "show", "menu component", "sheet TSGroupPage", "click BtnAdd",
             "Данные", "select LBoxPageGroup 0", 'select LBoxPagePalette "ADO"',
             "click BtnMoveToLeftOne", "ok"]
    s = Session(program, work, ["--hive", ":memory:"])
    for line in typed:
        s.expect(b"input> " if line == "Данные" else b"> ")
        s.send(line.encode() + b"\r")
    s.expect(b"settings dialog: OK")
    s.expect(b"tabulon-ide> ")
    s.send(b"group \t")
    out = s.expect(b"tabulon-ide> ")
    check("Данные".encode() in out and "НетГруппы".encode() in out, "group <Tab>: %r" % out)
    s.send("\x15group Д".encode())
    s.expect("Д".encode())
    s.send(b"\t")
    s.expect("анные ".encode())
    s.send(b"\r")
    typed.append("group Данные")
    s.expect(b"tabulon-ide> ")
    s.send(b"dump\r")
    typed.append("dump")
    dumped = s.expect(b"tabulon-ide> ").replace(b"\r", b"")
    s.send(b"\x04")
    check(s.status() == 0, "the session with the input box failed")
    state = dumped[dumped.index(b"{"):dumped.rindex(b"}") + 1]
    check(b'"tabs":["ADO"]' in state, "the group's palette: %r" % state)

    # The session as it was typed, from standard input, ends in the same state.
    replay = subprocess.run([program, "--hive", ":memory:"], input="\n".join(typed).encode() + b"\n",
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60,
                            env={"PATH": "/usr/bin:/bin", "HOME": work, "XDG_CONFIG_HOME": work})
    check(replay.returncode == 0 and replay.stdout.strip() == state,
          "the replay (status %d): %r\n%r" % (replay.returncode, replay.stdout, replay.stderr))

    # Ctrl-D with a block unfinished: status 2, as --help says. On a
    # terminal 40 columns wide an error wraps to it, its later lines
    # indented.
    s = Session(program, work, ["--hive", ":memory:"], columns=40)
    s.banner = s.expect(b"tabulon-ide> ").replace(b"\r", b"")
    s.send(b"frob\r")
    out = s.expect(b"tabulon-ide> ").replace(b"\r", b"")
    told = out[out.index(b"tabulon-ide: unknown"):out.rindex(b"\n")].split(b"\n")
    check(len(told) == 2 and told[1].startswith(b"  ") and
          b" ".join(t.strip() for t in told) ==
          b"tabulon-ide: unknown command 'frob' (try 'help')" and
          all(len(t) <= 40 for t in told), "the error on 40 columns: %r" % out)
    # The banner and help wrap there too, at blanks.
    s.send(b"help group\r")
    out = s.expect(b"tabulon-ide> ").replace(b"\r", b"")
    shown = s.banner + out
    lines = [line for line in shown.split(b"\n") if not line.startswith(b"tabulon-ide> ")]
    check(all(len(line.decode()) <= 40 for line in lines), "wider than 40: %r" % shown)
    check(b"Ctrl-D to leave." in shown.replace(b"\n", b" ").replace(b"  ", b" ") and
          b"groupBar.activeIndex counts" in shown.replace(b"\n", b" ").replace(b"  ", b" "),
          "broken inside a word: %r" % shown)
    s.send(b"dialog\r")
    s.expect(b"dialog> ")
    s.send(b"\x04")
    s.expect(b"the dialog block has no end")
    status = s.status()
    check(status == 2, "Ctrl-D in a block: status %d, not 2" % status)
    print("prompt under a terminal: as expected")


if __name__ == "__main__":
    main()
