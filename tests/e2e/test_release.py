"""The release folder signed with a throw-away self-signed certificate, laid out by the
same script the build runs: the signature checks out, SHA256SUMS matches what ships,
and the signed program installs the demo exactly as the unsigned one does.

osslsigncode verify with the test certificate as the only trusted root shows that the
signature is well formed and that the program's digest matches the signed one (a
changed byte fails it). It cannot say whether Windows trusts the publisher: that
depends on the organisation's certificate chain, and SmartScreen reputation on nothing
a build can show."""
import hashlib
import os
import re
import shutil
import subprocess
import tempfile

from e2elib.case import DorvaneTestCase

REPO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
DATA_FOLDERS = ("Templates", "AltIcons", "Configs")


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


class SignedReleaseTests(DorvaneTestCase):
    def tool(self, name):
        path = shutil.which(name)
        if not path:
            self.skipTest(f"{name} is not installed (scripts/setup-debian.sh installs it)")
        return path

    def run_tool(self, *cmd):
        proc = subprocess.run(cmd, capture_output=True, text=True, timeout=120)
        return proc.returncode, proc.stdout + proc.stderr

    def check_tool(self, *cmd):
        code, out = self.run_tool(*cmd)
        self.assertEqual(code, 0, f"{' '.join(cmd)}:\n{out}")

    def make_certificate(self, scratch):
        openssl = self.tool("openssl")
        key, cert = os.path.join(scratch, "key.pem"), os.path.join(scratch, "cert.pem")
        p12, password = os.path.join(scratch, "sign.p12"), os.path.join(scratch, "pass.txt")
        with open(password, "w") as f:
            f.write("throw-away\n")
        self.check_tool(openssl, "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=Dorvane test signer", "-addext",
                        "extendedKeyUsage=codeSigning", "-keyout", key, "-out", cert)
        self.check_tool(openssl, "pkcs12", "-export", "-inkey", key, "-in", cert,
                        "-out", p12, "-passout", "file:" + password)
        return cert, p12, password

    def install_demo(self, exe):
        """/installall on a copy of the release's demo folders run by exe: what the user
        got."""
        self.profile.reset()
        shutil.copy2(exe, self.app.path("Dorvane.exe"))
        run = self.run_dorvane("/installall")
        links = {name: {k: v for k, v in link.items() if k != "fields"}
                 for name, link in self.profile.links().items()}
        return (run.exit_code, {n: self.profile.template_bytes(n)
                                for n in self.profile.templates()}, links)

    def test_signed_release_verifies_and_installs_the_demo_like_the_unsigned_one(self):
        signer = self.tool("osslsigncode")
        cmake = self.tool("cmake")
        scratch = tempfile.mkdtemp(prefix="dorvane-release-")
        self.addCleanup(shutil.rmtree, scratch, ignore_errors=True)
        cert, p12, password = self.make_certificate(scratch)
        out = os.path.join(scratch, "release")
        self.check_tool(cmake, "-DEXE=" + self.tools.dorvane, "-DSOURCE_DIR=" + REPO,
                        "-DOUT=" + out, "-DPKCS12=" + p12, "-DPASSWORD_FILE=" + password,
                        "-DOSSLSIGNCODE=" + signer, "-P",
                        os.path.join(REPO, "cmake", "StageRelease.cmake"))
        signed = os.path.join(out, "Dorvane.exe")
        self.check_tool(signer, "verify", "-CAfile", cert, "-in", signed)
        tampered = os.path.join(scratch, "tampered.exe")
        with open(signed, "rb") as f:
            data = bytearray(f.read())
        data[0x400] ^= 1  # in the code, far from the headers the digest leaves out
        with open(tampered, "wb") as f:
            f.write(data)
        self.assertNotEqual(self.run_tool(signer, "verify", "-CAfile", cert, "-in", tampered)[0],
                            0, "a changed byte still verified")

        with open(os.path.join(out, "SHA256SUMS"), encoding="ascii") as f:
            sums = dict(reversed(line.split("  ", 1)) for line in f.read().splitlines())
        shipped = {os.path.relpath(os.path.join(d, n), out).replace(os.sep, "/")
                   for d, _, names in os.walk(out) for n in names} - {"SHA256SUMS"}
        self.assertEqual(set(sums), shipped)
        with open(os.path.join(REPO, "README.md"), encoding="utf-8") as f:
            pictures = set(re.findall(r"\]\((docs/[^)]+\.png)\)", f.read()))
        self.assertTrue(pictures and pictures <= shipped, pictures - shipped)
        for name, digest in sums.items():
            self.assertEqual(sha256(os.path.join(out, name)), digest, name)
        self.assertNotEqual(sums["Dorvane.exe"], sha256(self.tools.dorvane), "not signed")

        for folder in DATA_FOLDERS:
            shutil.copytree(os.path.join(out, folder), self.app.path(folder))
        unsigned_result = self.install_demo(self.tools.dorvane)
        signed_result = self.install_demo(signed)
        self.assertEqual(unsigned_result[0], 0, "the demo does not install cleanly")
        self.assertTrue(unsigned_result[1] and unsigned_result[2])
        self.assertEqual(signed_result, unsigned_result)
