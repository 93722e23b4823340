#!/usr/bin/env python3
"""Plays a whole game in a pseudo-terminal, typing each answer only once the game waits for the
keyboard with its question already on the screen. Usage: terminal_game.py GAME_BINARY"""
import os, pathlib, platform, pty, select, signal, sys, tempfile, time

TIMEOUT = 20  # seconds the game may take to come to its next wait
NAME = "Tess"
ASK_AGAIN = "Would you like to play again? "
# The read system call's number in /proc/PID/syscall on the processors CI runs on.
READ = {"x86_64": "0", "aarch64": "63"}.get(platform.machine())


def check(ok, message):
    if not ok:
        raise AssertionError(message)


class Game:
    """The game on the far side of a pseudo-terminal, and all it has shown."""

    def __init__(self, binary, folder):
        self.folder = folder
        self.screen, self.reads = "", -1  # all output, CR LF as newline; reads at the last wait
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            try:
                os.chdir(folder)
                os.execv(binary, [binary])
            finally:
                os._exit(127)

    def proc(self, name):
        try:
            with open(f"/proc/{self.pid}/{name}") as f:
                return f.read()
        except OSError:
            return ""

    def pump(self, timeout):
        """Takes what the game has shown; False once it has closed the terminal."""
        if not select.select([self.fd], [], [], timeout)[0]:
            return True
        try:
            data = os.read(self.fd, 4096)
        except OSError:  # EIO: the game's side is closed
            return False
        self.screen += data.decode("latin-1").replace("\r\n", "\n")
        return bool(data)

    def read_count(self):
        return int(dict(n.split(": ") for n in self.proc("io").splitlines()).get("syscr", -1))

    def waiting(self):
        """True while the game sleeps in a read of the keyboard begun after the last answer was
        taken: its count of reads, the same before and after the look, has grown since then."""
        before = self.read_count()
        call = self.proc("syscall").split()[:2]
        if call != [READ, "0x0"] or self.read_count() != before or before <= self.reads:
            return False
        self.reads = before
        return True

    def type(self, answer, question=""):
        """Types an answer (None: none); returns what the game then showed, less the echo."""
        if answer is not None:
            os.write(self.fd, answer.encode() + b"\r")
        start, deadline = len(self.screen), time.monotonic() + TIMEOUT
        while not self.waiting():
            check(self.pump(0.01), "the game ended instead of waiting for the keyboard")
            if time.monotonic() > deadline:
                raise AssertionError(f"no wait for the keyboard in {TIMEOUT} s: /proc shows the "
                                     f"call {self.proc('syscall')!r} and {self.read_count()} reads")
        while select.select([self.fd], [], [], 0)[0] and self.pump(0):
            pass  # what the game wrote before it began to wait
        shown = self.screen[start:]
        echo = "" if answer is None else answer + "\n"
        check(shown.startswith(echo), f"the answer {answer!r} was not echoed where it was typed")
        check(shown.endswith(question), f"the game waits for the keyboard before {question!r}")
        return shown[len(echo):]


def play(game):
    """A game where the player discards the first unit at every command, then booked."""
    game.type(None, "Player, enter your name: ")
    check("New player!\n" in game.type(NAME, "Your region? "), "a new player was not greeted")
    game.type("Pongi", "Call heads or tails: ")
    shown = game.type("heads")
    waits = commands = 0
    while not shown.endswith(ASK_AGAIN) and waits < 1000:
        waits += 1
        if shown.endswith("Enter the number of the unit you wish to command: "):
            commands += 1
            game.type("14", "Discard which unit? ")
            shown = game.type("1")
            check(shown.startswith("You have discarded your "), "the discard was not told")
        else:  # a turn was told and the game waits for a key before the next
            check(shown.endswith("\n") and shown.strip(), "a wait without a question or a turn")
            shown = game.type("")
    check(shown.endswith(ASK_AGAIN) and 0 < commands < waits, f"{waits} waits, {commands} commands")
    os.write(game.fd, b"n\r")
    deadline = time.monotonic() + TIMEOUT
    while game.pump(0.05):
        check(time.monotonic() < deadline, "the game did not end after the last answer")
    status = os.waitstatus_to_exitcode(os.waitpid(game.pid, 0)[1])
    game.pid = None
    check(status == 0, f"the run ended with status {status}")
    lost = "Your Kingdom of Pongi lies in ruins.\n" in game.screen
    won = "You stand victorious over the Kingdom of " in game.screen
    check(lost != won, "the match did not end with exactly one of defeat and victory")
    overkill = int(won and "OVERKILL!!\n" in game.screen)
    record = f"1\n{NAME} {int(won)} {int(lost)} {100 * int(won)} 1 {overkill}\n~\n"
    booked = pathlib.Path(game.folder, "standings.txt").read_text()
    check(booked == record, f"standings.txt holds {booked!r}, not {record!r}")
    return "won" if won else "lost"


def main():
    if not READ:
        sys.exit(f"cannot tell when the game waits for the keyboard on {platform.machine()}")
    with tempfile.TemporaryDirectory(prefix="realmsfall-terminal-") as folder:
        pathlib.Path(folder, "standings.txt").write_text("0\n~\n")
        game = Game(os.path.abspath(sys.argv[1]), folder)
        try:
            print(f"A whole game in a terminal, {play(game)} and booked.")
        except AssertionError as failure:
            print(f"FAILED: {failure}\n--- the screen's last lines ---")
            print("\n".join(game.screen.splitlines()[-15:]))
            return 1
        finally:
            if game.pid:
                os.kill(game.pid, signal.SIGKILL)
                os.waitpid(game.pid, 0)
            os.close(game.fd)
    return 0


if __name__ == "__main__":
    sys.exit(main())
