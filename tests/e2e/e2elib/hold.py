"""Another process holding a file or folder open without any sharing."""
import contextlib
import os
import time


@contextlib.contextmanager
def held_open(case, unix_path):
    """winprobe holds the path open (no sharing) for the block; case is the running
    DorvaneTestCase, whose prefix and tools it uses and whose fail() it calls."""
    ready = case.prefix.scratch_file(".ready")
    os.unlink(ready)
    proc = case.prefix.start(case.tools.winprobe, "hold", case.prefix.to_windows(unix_path),
                             case.prefix.to_windows(ready), "120000")
    try:
        deadline = time.monotonic() + 60
        while not os.path.exists(ready):
            if proc.poll() is not None or time.monotonic() > deadline:
                case.fail("winprobe could not hold " + unix_path)
            time.sleep(0.05)
        yield
    finally:
        if os.path.exists(ready):
            os.unlink(ready)
        proc.communicate(timeout=60)
