"""Values in the prefix's registry, read and written through Wine's reg.exe."""
import re


class Registry:
    def __init__(self, prefix):
        self.prefix = prefix

    def _reg(self, *args):
        code, out = self.prefix.run("reg", *args)
        return code, out

    def set(self, key, name, data, kind="REG_SZ"):
        """name None sets the key's default value."""
        value = ["/ve"] if name is None else ["/v", name]
        code, out = self._reg("add", key, *value, "/t", kind, "/d", data, "/f")
        if code != 0:
            raise RuntimeError(f"reg add {key} {name}: {out}")

    def delete(self, key, name=None):
        """Removes the value (the whole key when name is None); nothing there is fine."""
        self._reg("delete", key, *(["/v", name] if name else []), "/f")

    def get(self, key, name):
        """(type, data) of the value, or None when there is none."""
        code, out = self._reg("query", key, "/v", name)
        if code != 0:
            return None
        for line in out.splitlines():
            m = re.match(r"^\s+(\S.*?)\s{2,}(REG_\w+)(?:\s{2,}(.*?))?\s*$", line)
            if m and m.group(1).lower() == name.lower():
                return m.group(2), m.group(3) or ""
        return None
