"""End-to-end test framework: runs Windows programs in the build's Wine prefix and
looks at what they leave behind. See case.DorvaneTestCase for the entry point."""
