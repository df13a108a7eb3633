"""Prints the id of every end-to-end test case (module.Class.method), one a line, for
CMake to register each as its own CTest test."""
import os
import sys
import unittest

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)


def walk(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from walk(item)
        else:
            yield item


suite = unittest.defaultTestLoader.discover(here, pattern="test_*.py", top_level_dir=here)
errors = [t for t in walk(suite) if type(t).__name__ == "_FailedTest"]
for t in errors:
    print(f"list_tests.py: cannot load {t.id()}", file=sys.stderr)
for t in walk(suite):
    print(t.id())
sys.exit(1 if errors else 0)
