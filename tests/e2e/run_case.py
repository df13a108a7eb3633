"""Runs one end-to-end test case: run_case.py module.Class.method. Exit code 0 when it
passed, 1 when it failed, 77 when it was skipped (CTest's SKIP_RETURN_CODE)."""
import os
import sys
import unittest

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
SKIPPED = 77

if len(sys.argv) != 2:
    sys.exit("usage: run_case.py module.Class.method")
suite = unittest.defaultTestLoader.loadTestsFromName(sys.argv[1])
result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
if not result.wasSuccessful():
    sys.exit(1)
sys.exit(SKIPPED if result.testsRun and len(result.skipped) == result.testsRun else 0)
