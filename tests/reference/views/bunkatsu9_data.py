"""分割9データ分析: nine groups."""

from views import bunkatsu_data

WINDOW_NAME = "分割9データ分析"
CAPTION = "9分割データ分析"
GROUPS = [(1, 4), (5, 8), (9, 12), (13, 16), (17, 20), (21, 24), (25, 28), (29, 32), (33, 37)]
LETTERS = [" " * 7 + x + " " * 8 for x in "ＡＢＣＤＥＦＧＨ"] + [" " * 9 + "Ｉ" + " " * 8]


def build(history, summary):
    return bunkatsu_data.build(history, summary, GROUPS, LETTERS, "数　　 字")
