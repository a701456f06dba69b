"""分割7データ分析: seven groups."""

from views import bunkatsu_data

WINDOW_NAME = "分割7データ分析"
CAPTION = "7分割データ分析"
GROUPS = [(1, 5), (6, 10), (11, 15), (16, 20), (21, 25), (26, 30), (31, 37)]
LETTERS = [" " * 9 + x + " " * 10 for x in "ＡＢＣＤＥＦ"] + [" " * 13 + "Ｇ" + " " * 10]


def build(history, summary):
    return bunkatsu_data.build(history, summary, GROUPS, LETTERS, " 数　　 字")
