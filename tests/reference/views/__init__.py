"""One module per analysis window, each with WINDOW_NAME, CAPTION and build(history, summary) -> Table.

A window's reference is one module here and its line in MODULES.
"""

import importlib

MODULES = [
    "shutsugen_hindo",
    "kaisubetsu_shutsugen",
    "shutsugen_kaisu",
    "shutsugen_kankaku",
    "suji_kankaku",
    "renban_tobiishi",
    "suji_goukei",
    "baratsuki",
    "hippari",
    "teisuji_kousuji",
    "guusu_kisuu",
    "bunkatsu4_keikou",
    "bunkatsu6_data",
    "bunkatsu7_data",
    "bunkatsu9_data",
    "shimohitoketa_keikou",
    "shimohitoketa_renzoku",
]


def all_views():
    """{window name: module}, in the order of MODULES."""
    modules = [importlib.import_module(__name__ + "." + name) for name in MODULES]
    return {module.WINDOW_NAME: module for module in modules}
