#include "grid/ui/PdfIdeographs.h"

#include <QChar>
#include <QString>
#include <algorithm>
#include <vector>

namespace kazutama {

namespace {

// The radicals that share a glyph with an ideograph: the CJK Radicals Supplement and the Kangxi Radicals.
constexpr char16_t kFirstRadical = 0x2E80;
constexpr char16_t kLastRadical = 0x2FDF;

// The ideograph `code` (four hex digits) stands for, or nothing.
QByteArray ideographFor(const QByteArray& code) {
    bool ok = false;
    const uint value = code.toUInt(&ok, 16);
    if (!ok || value < kFirstRadical || value > kLastRadical)
        return {};
    const QChar radical{char16_t(value)};
    const QString decomposed = radical.decomposition();
    if (radical.decompositionTag() != QChar::Compat || decomposed.size() != 1)
        return {};
    return QByteArray::number(decomposed.front().unicode(), 16).toUpper().rightJustified(4, '0');
}

// The hex codes of one range line, `<first> <last> <code>` or `<first> <last> [<code> ...]`: the codes it
// maps to are mended, where they stand one for each glyph (not the start of a run of consecutive codes).
void mendLine(QByteArray& pdf, qsizetype from, qsizetype to) {
    std::vector<std::pair<qsizetype, qsizetype>> codes; // (start, length) of each hex text
    for (qsizetype at = pdf.indexOf('<', from); at >= 0 && at < to; at = pdf.indexOf('<', at + 1)) {
        const qsizetype end = pdf.indexOf('>', at);
        if (end < 0 || end > to)
            return;
        codes.emplace_back(at + 1, end - at - 1);
    }
    const bool list = pdf.indexOf('[', from) >= 0 && pdf.indexOf('[', from) < to;
    if (codes.size() < 3 || (!list && (codes.size() != 3 || pdf.mid(codes[0].first, codes[0].second) !=
                                                                pdf.mid(codes[1].first, codes[1].second))))
        return;
    for (std::size_t i = 2; i < codes.size(); ++i) {
        const auto [start, length] = codes[i];
        if (length != 4)
            continue;
        if (const QByteArray ideograph = ideographFor(pdf.mid(start, length)); !ideograph.isEmpty())
            pdf.replace(start, length, ideograph);
    }
}

} // namespace

void PdfIdeographs::restore(QByteArray& pdf) {
    for (qsizetype map = pdf.indexOf("begincmap"); map >= 0; map = pdf.indexOf("begincmap", map + 1)) {
        const qsizetype mapEnd = pdf.indexOf("endcmap", map);
        if (mapEnd < 0)
            return;
        for (qsizetype ranges = pdf.indexOf("beginbfrange", map); ranges >= 0 && ranges < mapEnd;
             ranges = pdf.indexOf("beginbfrange", ranges + 1)) {
            const qsizetype rangesEnd = pdf.indexOf("endbfrange", ranges);
            if (rangesEnd < 0 || rangesEnd > mapEnd)
                break;
            for (qsizetype line = pdf.indexOf('\n', ranges) + 1; line > 0 && line < rangesEnd;) {
                const qsizetype lineEnd = pdf.indexOf('\n', line);
                mendLine(pdf, line, lineEnd < 0 ? rangesEnd : std::min(lineEnd, rangesEnd));
                line = lineEnd < 0 ? -1 : lineEnd + 1;
            }
        }
    }
}

} // namespace kazutama
