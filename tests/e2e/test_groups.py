"""Configurations for some users only: the Groups key against Wine's token, in which
BUILTIN\\Users and Administrators are enabled groups and Guests (S-1-5-32-546) is not."""
from e2elib.case import DorvaneTestCase
from e2elib.install_record import forget_records

NOT_FOR = "InstallConfig: {}: not installed, only for members of {}"
UNDECIDED = ("InstallConfig: {}: not installed, cannot tell whether it is for this user: "
             'the group "{}" cannot be looked up: ')

# configuration, Groups as written, installed, the line it leaves (a prefix: for an
# unknown name the system's reason follows)
CASES = (
    ("Member", "BUILTIN\\Users", True, None),
    ("NonMember", "Guests", False, NOT_FOR.format("NonMember", "Guests")),
    ("OneOfThem", " Guests ;; administrators ", True, None),
    ("Sid", "S-1-5-32-545", True, None),
    ("OtherSid", "S-1-5-32-546", False, NOT_FOR.format("OtherSid", "S-1-5-32-546")),
    ("Unknown", "Guests; No Such Group", False, UNDECIDED.format("Unknown", "No Such Group")),
    ("Everyone", "", True, None),
    # A line "Groups" without "=" before the key is no key, as Windows reads it.
    ("Bare", "Guests", False, NOT_FOR.format("Bare", "Guests")),
)
# Then, at the next run: configuration, Groups changed to, its files removed
CHANGES = (("Member", "Guests", True), ("Sid", "No Such Group", False))


class GroupsTests(DorvaneTestCase):
    def setUp(self):
        super().setUp()
        forget_records(self.prefix)
        for name, groups, _, _ in CASES:
            self.app.write(f"Templates/{name}.dotx", name.encode())
            self.app.write_config(name, template=f"{name}.dotx", shortcut=name, groups=groups,
                                  icon="\r\nGroups" if name == "Bare" else "")

    def check(self, run, cases):
        said = sorted(l.strip() for l in run.lines if l.strip().startswith("InstallConfig: "))
        expected = sorted(line for _, _, _, line in cases if line)
        self.assertEqual(len(said), len(expected), run.lines)
        for got, prefix in zip(said, expected):
            self.assertTrue(got.startswith(prefix), (got, prefix))
        self.assertEqual(run.exit_code, int(any(n == "Unknown" for n, *_ in cases)), run.lines)
        installed = [name for name, _, yes, _ in cases if yes]
        self.assertEqual(self.profile.templates(), sorted(n + ".dotx" for n in installed))
        self.assertEqual(self.profile.desktop(), sorted(n + ".lnk" for n in installed))

    def test_a_configuration_installs_only_for_members_of_its_groups(self):
        for case in CASES:
            with self.subTest(case[0]):
                self.profile.reset()
                self.check(self.run_dorvane("/install " + case[0]), [case])
        self.profile.reset()
        self.check(self.run_dorvane("/installall"), CASES)
        # Positively not for the user any more: what it installed goes. Undecided: kept.
        for name, groups, _ in CHANGES:
            self.app.write_config(name, template=f"{name}.dotx", shortcut=name, groups=groups)
        run = self.run_dorvane("/installall")
        self.assertEqual(sorted(l.strip() for l in run.lines if "removed: " in l), [
            "removed: " + self.profile.templates_win + "\\Member.dotx",
            "removed: " + self.profile.desktop_win + "\\Member.lnk"], run.lines)
        self.assertEqual(run.exit_code, 1)
        gone = {name for name, _, removed in CHANGES if removed}
        self.assertEqual(self.profile.templates(), sorted(
            n + ".dotx" for n, _, yes, _ in CASES if yes and n not in gone))
