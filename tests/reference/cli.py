"""Running kazutama-cli: a folder to work in, a history imported into a fresh database, JSON read back."""

import json
import os
import shutil
import subprocess
import tempfile

from history import to_csv


class CliFailure(Exception):
    pass


class Cli:
    """kazutama-cli run in a temporary folder, which is kept (and named) when a check fails."""

    def __init__(self, path):
        self.path = os.path.abspath(path)
        self.folder = tempfile.mkdtemp(prefix="kazutama-reference-")
        self.keep = False

    def file(self, name):
        return os.path.join(self.folder, name)

    def write(self, name, text):
        with open(self.file(name), "w", encoding="utf-8", newline="") as f:
            f.write(text)
        return self.file(name)

    def run(self, *args):
        try:
            proc = subprocess.run([self.path, *args], cwd=self.folder, capture_output=True, timeout=120)
        except (OSError, subprocess.TimeoutExpired) as error:
            raise CliFailure("kazutama-cli %s: %s" % (" ".join(args), error))
        if proc.returncode != 0:
            raise CliFailure("kazutama-cli %s exited with %d: %s" % (" ".join(args), proc.returncode,
                                                                     proc.stderr.decode("utf-8", "replace")))
        return proc.stdout.decode("utf-8")

    def json(self, *args):
        text = self.run(*args)
        try:
            return json.loads(text)
        except ValueError as error:
            raise CliFailure("kazutama-cli %s printed no valid JSON (%s): %s" % (" ".join(args), error,
                                                                                 text[:300]))

    def import_history(self, name, history):
        """A fresh database holding the history; returns its path."""
        db = self.file(name + ".db")
        self.run("import", db, self.write(name + ".csv", to_csv(history)))
        return db

    def close(self):
        if self.keep:
            print("files kept in %s" % self.folder)
        else:
            shutil.rmtree(self.folder, ignore_errors=True)


def diff(expected, actual, path=""):
    """Readable differences between two JSON values."""
    if isinstance(expected, dict) and isinstance(actual, dict):
        lines = []
        for key in list(expected) + [k for k in actual if k not in expected]:
            if key not in actual or key not in expected:
                lines.append("%s.%s: %s" % (path, key, "missing" if key not in actual else "unexpected"))
            else:
                lines += diff(expected[key], actual[key], "%s.%s" % (path, key))
        return lines
    if (isinstance(expected, list) and isinstance(actual, list) and len(expected) == len(actual)
            and any(isinstance(x, list) for x in expected)):
        return [line for i, (e, a) in enumerate(zip(expected, actual)) for line in diff(e, a, "%s[%d]" % (path, i))]
    if expected == actual and type(expected) is type(actual):
        return []
    dump = lambda value: json.dumps(value, ensure_ascii=False)  # noqa: E731
    return ["%s: expected %s" % (path, dump(expected)), "%s:   actual %s" % (path, dump(actual))]
