"""Runs a program under dbgcap and reads back what it sent to the debugger."""
import os
import struct
import time
from dataclasses import dataclass, field

# The prefix's ANSI code page (Wine derives it from the locale; C.UTF-8 and en_US give
# 1252). The raw bytes stay available for exact comparisons.
ANSI = "cp1252"
TIMEOUT_EXIT = 124


def read_records(path):
    """[(kind, payload bytes)] from a dbgcap output file: kind 'A' (ANSI bytes) or 'W'
    (UTF-16LE bytes), each record a kind byte, a 4-byte little-endian length and the
    payload."""
    with open(path, "rb") as f:
        data = f.read()
    records, i = [], 0
    while i < len(data):
        if i + 5 > len(data):
            raise ValueError(f"truncated record header at offset {i}")
        kind = chr(data[i])
        (n,) = struct.unpack_from("<I", data, i + 1)
        if kind not in "AW" or i + 5 + n > len(data):
            raise ValueError(f"bad record at offset {i}")
        records.append((kind, data[i + 5:i + 5 + n]))
        i += 5 + n
    return records


def record_text(kind, payload):
    return payload.decode("utf-16-le") if kind == "W" else payload.decode(ANSI, "replace")


@dataclass
class DebugRun:
    exit_code: int
    records: list = field(default_factory=list)
    output: str = ""  # what dbgcap itself printed (its complaints)

    @property
    def lines(self):
        """Every debug string as text, in order."""
        return [record_text(k, p) for k, p in self.records]

    @property
    def timed_out(self):
        return self.exit_code == TIMEOUT_EXIT


def _hex(text):
    return text.encode("utf-8").hex()


def dbgcap_args(tools, prefix, outfile, program, args=None, tail=None, cmdline=None,
                env=None, cwd=None, timeout_ms=60000, pidfile=None, stdout=None):
    cmd = [tools.dbgcap]
    if stdout:
        cmd += ["--stdout", prefix.to_windows(stdout)]
    for name, value in (env or {}).items():
        cmd += ["--env", f"{name}={value}"]
    if cwd:
        cmd += ["--cwd", cwd]
    if timeout_ms:
        cmd += ["--timeout", str(timeout_ms)]
    if pidfile:
        cmd += ["--pidfile", prefix.to_windows(pidfile)]
    if tail is not None:
        cmd += ["--rawhex", _hex(tail)]
    if cmdline is not None:
        cmd += ["--cmdlinehex", _hex(cmdline)]
    cmd += [prefix.to_windows(outfile), program, *(args or [])]
    return cmd


class RunningCapture:
    """A program started under dbgcap that runs on while the test looks at it."""

    def __init__(self, prefix, tools, program, timeout_ms=60000, **kw):
        self.prefix = prefix
        self.timeout_ms = timeout_ms
        self.outfile = prefix.scratch_file(".dbg")
        self.pidfile = prefix.scratch_file(".pid")
        os.unlink(self.pidfile)
        cmd = dbgcap_args(tools, prefix, self.outfile, program, timeout_ms=timeout_ms,
                          pidfile=self.pidfile, **kw)
        self.proc = prefix.start(*cmd)
        self._pid = None

    @property
    def pid(self):
        """The Windows process id of the program (waits until dbgcap has started it)."""
        deadline = time.monotonic() + 30
        while self._pid is None:
            try:
                with open(self.pidfile) as f:
                    text = f.read().strip()
                if text:
                    self._pid = int(text)
                    break
            except FileNotFoundError:
                pass
            if self.proc.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError("dbgcap did not start the program")
            time.sleep(0.05)
        return self._pid

    def running(self):
        return self.proc.poll() is None

    def wait(self, timeout=None):
        """Waits for the end; returns a DebugRun. Raises subprocess.TimeoutExpired."""
        if timeout is None:
            timeout = self.timeout_ms / 1000 + 30
        out, _ = self.proc.communicate(timeout=timeout)
        run = DebugRun(self.proc.returncode, read_records(self.outfile),
                       out.decode("utf-8", "replace"))
        for path in (self.outfile, self.pidfile):
            if os.path.exists(path):
                os.unlink(path)
        return run

    def kill(self):
        """Ends dbgcap; the debuggee dies with its debugger."""
        if self.running():
            self.proc.kill()
            self.proc.communicate()


def capture(prefix, tools, program, **kw):
    """Runs a program under dbgcap to its end. Keyword arguments: args (a list, quoted
    for the child), tail (the exact text after the quoted program path), cmdline (the
    whole command line), env (dict), cwd (Windows path), timeout_ms, stdout (a Unix path
    that receives the program's standard output)."""
    return RunningCapture(prefix, tools, program, **kw).wait()
