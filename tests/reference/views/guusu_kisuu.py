"""偶数奇数の組合せパターン分析: the low/high table with even and odd main numbers counted; odd numbers
are painted white, and the letter goes by the odd count (A: seven even, H: seven odd)."""

from views.teisuji_kousuji import pattern_table, WHITE

WINDOW_NAME = "偶数奇数の組合せパターン分析"
CAPTION = "偶数・奇数の組合せパターン分析"


def build(history, summary):
    return pattern_table(history, summary, ("偶数", "奇数"), lambda n: n % 2 == 0, WHITE, True)
