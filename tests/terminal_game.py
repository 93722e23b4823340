#!/usr/bin/env python3
"""Plays one whole game of Realmsfall in a pseudo-terminal, the way a person at the keyboard does.

Every answer is typed only once the game sits waiting for the keyboard and its question is already
on the screen. A game that waits while its question is still held back in an output buffer fails
at once; so does one that never comes to wait, or that asks something unexpected. The player
answers every command with a discard of the first unit, so the computer wins (or loses) by its
own plays; afterwards the run must end with status 0 and "standings.txt" must hold that one game.

Usage: terminal_game.py GAME_BINARY
"""
import os
import platform
import pty
import select
import signal
import sys
import tempfile
import time

TIMEOUT = 20  # seconds the game may take to come to its next wait
NAME = "Tess"

ASK_NAME = "Player, enter your name: "
ASK_REGION = "Your region? "
ASK_COIN = "Call heads or tails: "
ASK_COMMAND = "Enter the number of the unit you wish to command: "
ASK_DISCARD = "Discard which unit? "
ASK_AGAIN = "Would you like to play again? "

# The read system call's number as /proc/PID/syscall shows it, by processor.
READ = str({"x86_64": 0, "aarch64": 63, "riscv64": 63, "loongarch64": 63,
             "i686": 3, "armv7l": 3, "ppc64le": 3, "s390x": 3}.get(platform.machine(), ""))


class Failure(Exception):
    pass


class Terminal:
    """The game on the far side of a pseudo-terminal, and everything it has shown."""

    def __init__(self, binary, folder):
        self.screen = ""  # all output so far; the terminal's CR LF read as a plain newline
        self.mark = 0  # where the output that followed the last answer begins
        self.reads = None  # the game's count of reads when it last waited
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            try:
                os.chdir(folder)
                os.execv(binary, [binary])
            finally:
                os._exit(127)

    def _proc(self, name):
        try:
            with open(f"/proc/{self.pid}/{name}") as f:
                return f.read()
        except OSError:
            return ""

    def _pump(self, timeout):
        """Takes what the game has shown; False once the terminal is closed."""
        ready, _, _ = select.select([self.fd], [], [], timeout)
        if not ready:
            return True
        try:
            data = os.read(self.fd, 4096)
        except OSError:  # EIO: the game has closed its side
            return False
        if not data:
            return False
        self.screen += data.decode("latin-1").replace("\r\n", "\n")
        return True

    def _reads(self):
        counts = dict(line.split(": ") for line in self._proc("io").splitlines())
        return int(counts["syscr"]) if "syscr" in counts else None

    def _waiting(self):
        """True while the game sleeps reading the keyboard, in a read begun after the last answer
        was taken. The kernel shows the system call only of a sleeping process; the count of
        reads, the same before and after, shows that it is one read all along."""
        before = self._reads()
        call = self._proc("syscall").split()
        reading_keyboard = len(call) > 1 and call[0] == READ and int(call[1], 16) == 0
        if before is None or not reading_keyboard or self._reads() != before:
            return False
        if self.reads is not None and before <= self.reads:
            return False  # still the read that the last answer has not reached yet
        self.reads = before
        return True

    def wait(self):
        """Waits until the game waits for the keyboard; returns what it showed since the last
        answer, less the echo of that answer."""
        deadline = time.monotonic() + TIMEOUT
        while not self._waiting():
            if not self._pump(0.01):
                raise Failure("the game ended instead of waiting for the keyboard")
            if time.monotonic() > deadline:
                if self._reads() is None or not self._proc("syscall"):
                    raise Failure(f"/proc/{self.pid} does not show what the game is doing")
                raise Failure(f"the game did not wait for the keyboard within {TIMEOUT} s")
        # Polling the terminal pushes through whatever the game wrote before it began to wait.
        while select.select([self.fd], [], [], 0)[0]:
            if not self._pump(0):
                break
        return self.screen[self.mark:]

    def send(self, answer):
        """Types an answer and Enter."""
        os.write(self.fd, answer.encode() + b"\r")
        self.mark = len(self.screen)

    def type(self, answer):
        """Types an answer and Enter; returns what the game showed until it waited again."""
        self.send(answer)
        echo = answer + "\n"
        shown = self.wait()
        if not shown.startswith(echo):
            raise Failure(f"the answer {answer!r} was not echoed where it was typed")
        self.mark += len(echo)
        return shown[len(echo):]

    def finish(self):
        """Reads to the end of the output; returns the exit status."""
        deadline = time.monotonic() + TIMEOUT
        while self._pump(0.05):
            if time.monotonic() > deadline:
                raise Failure("the game did not end after the last answer")
        while True:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.pid = None
                return os.waitstatus_to_exitcode(status)
            if time.monotonic() > deadline:
                raise Failure("the game did not exit after closing the terminal")
            time.sleep(0.05)

    def stop(self):
        if self.pid:
            os.kill(self.pid, signal.SIGKILL)
            os.waitpid(self.pid, 0)
        os.close(self.fd)


def expect(shown, question):
    if not shown.endswith(question):
        raise Failure(f"the game waits for the keyboard, but the screen does not end with "
                      f"{question!r}")


def play(term):
    """One game by a player who discards the first unit every turn. Returns the counts of
    commands given and pauses passed."""
    expect(term.wait(), ASK_NAME)
    shown = term.type(NAME)
    if "New player!\n" not in shown:
        raise Failure("a fresh standings file did not greet a new player")
    expect(shown, ASK_REGION)
    expect(term.type("Pongi"), ASK_COIN)
    shown = term.type("heads")
    commands = pauses = 0
    while not shown.endswith(ASK_AGAIN):
        if shown.endswith(ASK_COMMAND):
            commands += 1
            expect(term.type("14"), ASK_DISCARD)
            shown = term.type("1")
            if not shown.startswith("You have discarded your "):
                raise Failure("the discard was not told")
        elif shown.endswith("\n") and shown.strip():
            pauses += 1  # a turn was told and the game waits for a key before the next
            shown = term.type("")
        else:
            raise Failure("the game waits for the keyboard without a question or a finished turn")
        if commands + pauses > 1000:
            raise Failure("the match does not end")
    if commands == 0 or pauses == 0:
        raise Failure(f"a match of {commands} commands and {pauses} pauses proves nothing")
    term.send("n")
    return commands, pauses


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    binary = os.path.abspath(sys.argv[1])
    if not READ:
        sys.exit(f"cannot tell when the game waits for the keyboard on {platform.machine()}")
    with tempfile.TemporaryDirectory(prefix="realmsfall-terminal-") as folder:
        standings = os.path.join(folder, "standings.txt")
        with open(standings, "w") as f:
            f.write("0\n~\n")
        term = Terminal(binary, folder)
        try:
            commands, pauses = play(term)
            status = term.finish()
            if status != 0:
                raise Failure(f"the run ended with status {status}")
            lost = "Your Kingdom of Pongi lies in ruins.\n" in term.screen
            won = "You stand victorious over the Kingdom of " in term.screen
            if lost == won:
                raise Failure("the match did not end with exactly one of defeat and victory")
            overkill = int(won and "OVERKILL!!\n" in term.screen)
            with open(standings) as f:
                booked = f.read()
            record = f"{NAME} {int(won)} {int(lost)} {100 * int(won)} 1 {overkill}"
            if booked != f"1\n{record}\n~\n":
                raise Failure(f"standings.txt holds {booked!r}, not the one game {record!r}")
        except Failure as failure:
            print(f"FAILED: {failure}\n--- the screen's last lines ---")
            print("\n".join(term.screen.splitlines()[-15:]))
            return 1
        finally:
            term.stop()
    print(f"A whole game in a terminal: {commands} commands, {pauses} pauses, "
          f"{'won' if won else 'lost'} and booked.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
