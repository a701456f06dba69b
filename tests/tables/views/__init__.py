"""One module per analysis window; each defines WINDOW_NAME, CAPTION and build(history, summary) -> Table."""

import importlib
import pkgutil


def all_views():
    """{window name: module} for every module in this package."""
    found = {}
    for info in sorted(pkgutil.iter_modules(__path__), key=lambda i: i.name):
        module = importlib.import_module(__name__ + "." + info.name)
        if hasattr(module, "WINDOW_NAME") and hasattr(module, "build"):
            if module.WINDOW_NAME in found:
                raise RuntimeError("two modules build %s" % module.WINDOW_NAME)
            found[module.WINDOW_NAME] = module
    return found
