#pragma once

#include <QByteArray>

namespace kazutama {

// Makes the text of a PDF that Qt wrote read and search as it was printed.
//
// Qt's PDF writer tells a reader which character each glyph stands for by the lowest code point the font
// maps to the glyph. The CJK font draws each Kangxi radical (U+2F00...) and each of a few CJK radicals
// with the glyph of the ideograph it looks like, so 一 is written as ⼀ (U+2F00), 入 as ⼊, 日 as ⼇, and a
// search for 一発 finds nothing. No installed CJK face tells the two apart (every Noto Sans and Serif CJK
// face maps both code points to one glyph), so no choice of font helps; the map is mended instead.
class PdfIdeographs {
public:
    // Rewrites, in each character map (ToUnicode CMap) of the PDF, a radical a glyph stands for as the
    // ideograph it decomposes to. Both are four hex digits, so the file keeps its length and offsets.
    static void restore(QByteArray& pdf);
};

} // namespace kazutama
