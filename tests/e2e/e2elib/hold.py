"""Another process holding a file or folder open without any sharing, or holding the
turn that runs for the same user take."""
import contextlib
import os
import time

LOCK_FILE = "~dvturn.lock"


def held_open(case, unix_path):
    """winprobe holds the path open (no sharing) for the block; case is the running
    DorvaneTestCase, whose prefix and tools it uses and whose fail() it calls."""
    return _held(case, case.prefix.to_windows(unix_path))


@contextlib.contextmanager
def held_turn(case):
    """Another run for the user holds the turn to install for the block: the lock file in
    the user's templates folder, held open without sharing as a running Dorvane holds it."""
    os.makedirs(case.profile.templates_unix, exist_ok=True)
    lock = os.path.join(case.profile.templates_unix, LOCK_FILE)
    open(lock, "wb").close()
    try:
        with _held(case, case.prefix.to_windows(lock)):
            yield
    finally:
        if os.path.exists(lock):  # Dorvane deletes the lock when it closes it
            os.unlink(lock)


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
