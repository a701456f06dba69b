"""分割6データ分析: six groups."""

from views import bunkatsu_data

WINDOW_NAME = "分割6データ分析"
CAPTION = "6分割データ分析"
GROUPS = [(1, 6), (7, 12), (13, 18), (19, 24), (25, 30), (31, 37)]
LETTERS = [" " * 11 + x + " " * 12 for x in "ＡＢＣＤＥ"] + [" " * 13 + "Ｆ" + " " * 10]


def build(history, summary):
    return bunkatsu_data.build(history, summary, GROUPS, LETTERS, "  数　　 字")
