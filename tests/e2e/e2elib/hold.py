"""Another process holding a file or folder open without any sharing, or holding the
turn that runs for the same user take."""
import contextlib
import os
import time


def held_open(case, unix_path):
    """winprobe holds the path open (no sharing) for the block; case is the running
    DorvaneTestCase, whose prefix and tools it uses and whose fail() it calls."""
    return _held(case, case.prefix.to_windows(unix_path))


def held_turn(case):
    """Another run for the user holds the turn to install for the block: the lock named
    after the user's templates folder as Dorvane spells it."""
    folder = case.profile.templates_win.replace("\\", "/").upper().rstrip("/")
    return _held(case, "mutex:Local\\Dorvane.Turn." + folder)


@contextlib.contextmanager
def _held(case, what):
    ready = case.prefix.scratch_file(".ready")
    os.unlink(ready)
    proc = case.prefix.start(case.tools.winprobe, "hold", what, case.prefix.to_windows(ready),
                             "120000")
    try:
        deadline = time.monotonic() + 60
        while not os.path.exists(ready):
            if proc.poll() is not None or time.monotonic() > deadline:
                case.fail("winprobe could not hold " + what)
            time.sleep(0.05)
        yield
    finally:
        if os.path.exists(ready):
            os.unlink(ready)
        proc.communicate(timeout=60)
