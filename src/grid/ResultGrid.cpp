#include "grid/ResultGrid.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <span>
#include <stdexcept>

namespace kazutama {

namespace {

// What a format change does, with its argument in the low bits: changes are remembered by these.
enum Operation : std::uint32_t {
    kForeground = 1u << 24,
    kBackground = 2u << 24,
    kAlignment = 3u << 24,
    kHorizontalAlignment = 4u << 24,
    kStatic = 5u << 24,
    kNoBorders = 6u << 24,
    kBorders = 7u << 24, // | sides << 8 | colour slot
};

} // namespace

ResultGrid::ResultGrid(int columns, int rows) {
    relayout(columns, rows);
}

void ResultGrid::setColumnCount(int columns) {
    relayout(columns, m_rows);
}

void ResultGrid::setRowCount(int rows) {
    relayout(m_columns, rows);
}

void ResultGrid::relayout(int columns, int rows) {
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    if (m_wrappingColumns.size() > std::size_t(columns))
        m_wrappingColumns.resize(std::size_t(columns));
    const std::size_t count = std::size_t(columns) * std::size_t(rows);
    if (columns == m_columns) {
        m_cellTexts.resize(count);
        m_cellFormats.resize(count);
    } else {
        const auto kept = [&](auto& cells) {
            std::remove_reference_t<decltype(cells)> moved(count);
            const int keptColumns = std::min(columns, m_columns);
            const int keptRows = std::min(rows, m_rows);
            for (int r = 0; r < keptRows; ++r)
                std::copy_n(cells.begin() + std::ptrdiff_t(r) * m_columns, keptColumns,
                            moved.begin() + std::ptrdiff_t(r) * columns);
            cells = std::move(moved);
        };
        kept(m_cellTexts);
        kept(m_cellFormats);
    }
    m_columnWidths.resize(std::size_t(columns), m_allColumnsWidth);
    m_rowHeights.resize(std::size_t(rows), m_allRowsHeight);
    m_columns = columns;
    m_rows = rows;
    m_runOnsValid = false;
}

const ResultGrid::Format& ResultGrid::formatAt(int column, int row) const {
    return m_formats[contains(column, row) ? m_cellFormats[cellIndex(column, row)] : 0];
}

ResultGrid::FormatId ResultGrid::formatId(const Format& format) {
    std::uint64_t key = 0;
    static_assert(sizeof key == sizeof format);
    std::memcpy(&key, &format, sizeof key);
    if (const auto found = m_formatIds.find(key); found != m_formatIds.end())
        return found->second;
    // Ids are two bytes to keep cells small; a table combines a few dozen colours and borders at most.
    if (m_formats.size() > std::numeric_limits<FormatId>::max())
        throw std::length_error("ResultGrid: more than 65,536 distinct cell formats");
    const auto id = FormatId(m_formats.size());
    m_formats.push_back(format);
    m_formatIds.emplace(key, id);
    return id;
}

void ResultGrid::setText(int column, int row, std::string_view text) {
    if (contains(column, row))
        setTextId(column, row, internText(text));
}

void ResultGrid::setText(int column, int row, TextId text) {
    if (contains(column, row))
        setTextId(column, row, text.index);
}

void ResultGrid::setNumber(int column, int row, long long value) {
    if (!contains(column, row))
        return;
    if (value < kLowestCachedNumber || value > kHighestCachedNumber) {
        setTextId(column, row, internText(std::to_string(value)));
        return;
    }
    const auto index = std::size_t(value - kLowestCachedNumber);
    if (index >= m_numberTexts.size())
        m_numberTexts.resize(index + 1);
    if (m_numberTexts[index] == 0)
        m_numberTexts[index] = internText(std::to_string(value));
    setTextId(column, row, m_numberTexts[index]);
}

void ResultGrid::setTextId(int column, int row, std::uint32_t id) {
    std::uint32_t& text = m_cellTexts[cellIndex(column, row)];
    // Run-on depends on which cells are empty, not on what the others say.
    if ((text == 0) != (id == 0))
        m_runOnsValid = false;
    text = id;
}

std::uint32_t ResultGrid::internText(std::string_view text) {
    if (text.empty())
        return 0;
    // Tables write one mark or word into cell after cell: comparing it with the last text is cheaper than
    // hashing it again.
    if (m_texts[m_lastTextId] == text)
        return m_lastTextId;
    if (2 * m_texts.size() >= m_textSlots.size())
        growTextSlots();
    const auto hash = std::uint32_t(std::hash<std::string_view>{}(text));
    const std::size_t mask = m_textSlots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        TextSlot& slot = m_textSlots[i];
        if (slot.id == 0) {
            slot = TextSlot{hash, std::uint32_t(m_texts.size())};
            m_texts.emplace_back(text);
            return m_lastTextId = slot.id;
        }
        if (slot.hash == hash && m_texts[slot.id] == text)
            return m_lastTextId = slot.id;
    }
}

void ResultGrid::growTextSlots() {
    std::vector<TextSlot> slots(std::max<std::size_t>(64, 2 * m_textSlots.size()));
    const std::size_t mask = slots.size() - 1;
    for (const TextSlot& slot : m_textSlots) {
        if (slot.id == 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (slots[i].id != 0)
            i = (i + 1) & mask;
        slots[i] = slot;
    }
    m_textSlots = std::move(slots);
}

std::string_view ResultGrid::text(int column, int row) const {
    return contains(column, row) ? std::string_view(m_texts[m_cellTexts[cellIndex(column, row)]])
                                 : std::string_view();
}

void ResultGrid::setColumnWidth(int column, double width) {
    if (column == kAll) {
        m_allColumnsWidth = width;
        std::fill(m_columnWidths.begin(), m_columnWidths.end(), width);
    } else if (column >= 1 && column <= m_columns) {
        m_columnWidths[std::size_t(column - 1)] = width;
    }
}

void ResultGrid::setRowHeight(int row, double height) {
    if (row == kAll) {
        m_allRowsHeight = height;
        std::fill(m_rowHeights.begin(), m_rowHeights.end(), height);
    } else if (row >= 1 && row <= m_rows) {
        m_rowHeights[std::size_t(row - 1)] = height;
    }
}

double ResultGrid::columnWidth(int column) const {
    return column >= 1 && column <= m_columns ? m_columnWidths[std::size_t(column - 1)] : m_allColumnsWidth;
}

double ResultGrid::rowHeight(int row) const {
    return row >= 1 && row <= m_rows ? m_rowHeights[std::size_t(row - 1)] : m_allRowsHeight;
}

ResultGrid::Range ResultGrid::clip(const GridBlock& block) const {
    const auto first = [](int value) { return value == kAll ? 1 : std::max(value, 1); };
    const auto last = [](int value, int count) { return value == kAll ? count : std::min(value, count); };
    return Range{first(block.firstColumn), last(block.lastColumn, m_columns), first(block.firstRow),
                 last(block.lastRow, m_rows)};
}

template <typename Change>
ResultGrid::FormatId ResultGrid::changedFormat(FormatId from, std::uint32_t operation, Change change) {
    // A builder formats cell after cell the same way: each change made is remembered by the old format and
    // the operation, which sets the new format apart from working out and looking up its bytes again.
    const std::uint64_t key = std::uint64_t(operation) << 16 | from;
    if (m_changes.empty())
        m_changes.resize(256);
    FormatChange& known = m_changes[std::size_t((key * 0x9E3779B97F4A7C15ull) >> 56)];
    if (known.key == key)
        return known.to;
    Format format = m_formats[from];
    change(format);
    const FormatId to = formatId(format);
    known = FormatChange{key, to};
    return to;
}

template <typename Change>
void ResultGrid::reformat(const GridBlock& block, std::uint32_t operation, Change change) {
    const Range range = clip(block);
    if (range.empty())
        return;
    FormatId from = m_cellFormats[cellIndex(range.firstColumn, range.firstRow)];
    FormatId to = changedFormat(from, operation, change);
    const auto width = std::size_t(range.lastColumn - range.firstColumn + 1);
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (FormatId& id : std::span(&m_cellFormats[cellIndex(range.firstColumn, row)], width)) {
            if (id != from) {
                from = id;
                to = changedFormat(from, operation, change);
            }
            id = to;
        }
}

std::uint8_t ResultGrid::paletteSlot(Rgb colour) {
    // Cell by cell, a table mostly formats in the colour it used last.
    if (m_lastSlot != 0 && m_palette[m_lastSlot - 1] == colour)
        return m_lastSlot;
    m_lastSlot = findPaletteSlot(colour);
    return m_lastSlot;
}

std::uint8_t ResultGrid::findPaletteSlot(Rgb colour) {
    const auto found = std::find(m_palette.begin(), m_palette.end(), colour);
    if (found != m_palette.end())
        return std::uint8_t(found - m_palette.begin() + 1);
    // Slots are bytes to keep cells small; the tables use a few dozen colours at most.
    if (m_palette.size() >= 255)
        throw std::length_error("ResultGrid: more than 255 distinct colours");
    m_palette.push_back(colour);
    return std::uint8_t(m_palette.size());
}

std::optional<Rgb> ResultGrid::paletteColour(std::uint8_t slot) const {
    if (slot == 0)
        return std::nullopt;
    return m_palette[slot - 1];
}

void ResultGrid::setForeground(const GridBlock& block, Rgb colour) {
    const std::uint8_t slot = paletteSlot(colour);
    reformat(block, kForeground | slot, [slot](Format& format) { format.foreground = slot; });
}

void ResultGrid::setBackground(const GridBlock& block, Rgb colour) {
    const std::uint8_t slot = paletteSlot(colour);
    reformat(block, kBackground | slot, [slot](Format& format) { format.background = slot; });
}

void ResultGrid::setAlignment(const GridBlock& block, HorizontalAlignment horizontal,
                              VerticalAlignment vertical) {
    // Both in one pass: tables set them together over every cell.
    m_runOnsValid = false;
    const auto bits = std::uint8_t(std::uint8_t(horizontal) | std::uint8_t(std::uint8_t(vertical) << 2));
    reformat(block, kAlignment | bits,
             [bits](Format& format) { format.layout = std::uint8_t((format.layout & ~0x0F) | bits); });
}

void ResultGrid::setHorizontalAlignment(const GridBlock& block, HorizontalAlignment alignment) {
    m_runOnsValid = false;
    reformat(block, kHorizontalAlignment | std::uint32_t(alignment), [alignment](Format& format) {
        format.layout = std::uint8_t((format.layout & ~0x03) | std::uint8_t(alignment));
    });
}

void ResultGrid::setStaticText(const GridBlock& block) {
    reformat(block, kStatic, [](Format& format) { format.layout |= kStaticBit; });
}

void ResultGrid::setBorders(const GridBlock& block, BorderMode mode) {
    const std::uint8_t slot = m_borderColour ? paletteSlot(*m_borderColour) : 0;
    const auto draw = [&](const GridBlock& cells, std::initializer_list<BorderSide> sides) {
        std::uint32_t mask = 0;
        for (BorderSide side : sides)
            mask |= CellBorders::bit(side);
        reformat(cells, kBorders | mask << 8 | slot, [&](Format& format) {
            for (BorderSide side : sides) {
                format.borderSides |= CellBorders::bit(side);
                format.borderColours[std::size_t(side)] = slot;
            }
        });
    };
    const Range r = clip(block);
    switch (mode) {
    case BorderMode::None:
        reformat(block, kNoBorders, [](Format& format) {
            format.borderSides = 0;
            format.borderColours = {};
        });
        break;
    case BorderMode::Grid:
        draw(block, {BorderSide::Left, BorderSide::Top, BorderSide::Right, BorderSide::Bottom});
        break;
    case BorderMode::Outline:
        if (r.empty())
            break;
        draw({r.firstColumn, r.firstColumn, r.firstRow, r.lastRow}, {BorderSide::Left});
        draw({r.firstColumn, r.lastColumn, r.firstRow, r.firstRow}, {BorderSide::Top});
        draw({r.lastColumn, r.lastColumn, r.firstRow, r.lastRow}, {BorderSide::Right});
        draw({r.firstColumn, r.lastColumn, r.lastRow, r.lastRow}, {BorderSide::Bottom});
        break;
    case BorderMode::Left:
        draw(block, {BorderSide::Left});
        break;
    case BorderMode::Top:
        draw(block, {BorderSide::Top});
        break;
    case BorderMode::Right:
        draw(block, {BorderSide::Right});
        break;
    case BorderMode::Bottom:
        draw(block, {BorderSide::Bottom});
        break;
    }
}

void ResultGrid::setTextWraps(int column) {
    if (column < 1 || column > m_columns)
        return;
    if (std::size_t(column) > m_wrappingColumns.size())
        m_wrappingColumns.resize(std::size_t(column));
    m_wrappingColumns[std::size_t(column - 1)] = true;
}

void ResultGrid::setTextRunsOn(bool on) {
    m_textRunsOn = on;
    m_runOnsValid = false;
}

void ResultGrid::setHeadings(int rows, int columns, int footerRows) {
    m_headingRows = std::max(rows, 0);
    m_headingColumns = std::max(columns, 0);
    m_footerRows = std::max(footerRows, 0);
}

void ResultGrid::setCurrentCell(int column, int row) {
    m_currentColumn = std::clamp(column, 0, m_columns);
    m_currentRow = std::clamp(row, 0, m_rows);
}

std::optional<Rgb> ResultGrid::foreground(int column, int row) const {
    return paletteColour(formatAt(column, row).foreground);
}

std::optional<Rgb> ResultGrid::background(int column, int row) const {
    return paletteColour(formatAt(column, row).background);
}

HorizontalAlignment ResultGrid::horizontalAlignment(int column, int row) const {
    return HorizontalAlignment(formatAt(column, row).layout & 0x03);
}

VerticalAlignment ResultGrid::verticalAlignment(int column, int row) const {
    return VerticalAlignment((formatAt(column, row).layout >> 2) & 0x03);
}

bool ResultGrid::isStaticText(int column, int row) const {
    return contains(column, row) && (formatAt(column, row).layout & kStaticBit) != 0;
}

CellBorders ResultGrid::borders(int column, int row) const {
    CellBorders result;
    const Format& format = formatAt(column, row);
    result.sides = format.borderSides;
    for (std::size_t side = 0; side < 4; ++side)
        result.colours[side] = paletteColour(format.borderColours[side]);
    return result;
}

const ResultGrid::RowRuns& ResultGrid::runOnsOf(int row) const {
    if (!m_runOnsValid) {
        m_runOns.clear();
        m_rowRuns.assign(std::size_t(m_rows), RowRuns{});
        m_runOnsValid = true;
    }
    RowRuns& runs = m_rowRuns[std::size_t(row - 1)];
    if (runs.count != RowRuns::kNotFound)
        return runs;
    runs.first = std::uint32_t(m_runOns.size());
    const std::size_t rowStart = std::size_t(row - 1) * std::size_t(m_columns);
    const auto hasText = [&](int column) { return m_cellTexts[rowStart + std::size_t(column - 1)] != 0; };
    const auto alignment = [&](int column) {
        return HorizontalAlignment(m_formats[m_cellFormats[rowStart + std::size_t(column - 1)]].layout &
                                   0x03);
    };
    const auto reachesRight = [&](int column) { return alignment(column) != HorizontalAlignment::Right; };
    const auto reachesLeft = [&](int column) { return alignment(column) != HorizontalAlignment::Left; };
    const auto addRun = [&](int first, int last, int owner) {
        if (first <= last && owner != 0)
            m_runOns.push_back(RunOn{first, last, owner});
    };
    int previous = 0; // the last text seen in this row
    for (int column = 1; column <= m_columns; ++column) {
        if (!hasText(column))
            continue;
        if (previous + 1 < column) {
            int owner = 0;
            if (previous != 0 && reachesRight(previous))
                owner = previous;
            else if (reachesLeft(column))
                owner = column;
            addRun(previous + 1, column - 1, owner);
        }
        previous = column;
    }
    if (previous != 0 && reachesRight(previous))
        addRun(previous + 1, m_columns, previous);
    runs.count = std::uint32_t(m_runOns.size()) - runs.first;
    return runs;
}

const ResultGrid::RunOn* ResultGrid::runOnAt(int column, int row) const {
    const RowRuns& runs = runOnsOf(row);
    const auto first = m_runOns.begin() + runs.first;
    const auto last = first + runs.count;
    const auto found =
        std::lower_bound(first, last, column, [](const RunOn& run, int c) { return run.last < c; });
    return found != last && found->first <= column ? &*found : nullptr;
}

ColumnSpan ResultGrid::spanOf(int column, int row) const {
    ColumnSpan span{column, column};
    if (const RunOn* left = runOnAt(column - 1, row); left && left->owner == column)
        span.first = left->first;
    if (const RunOn* right = runOnAt(column + 1, row); right && right->owner == column)
        span.last = right->last;
    return span;
}

TextCover ResultGrid::textCover(int column, int row) const {
    if (!contains(column, row))
        return {};
    const bool hasText = m_cellTexts[cellIndex(column, row)] != 0;
    if (!m_textRunsOn)
        return hasText ? TextCover{column, {column, column}} : TextCover{};
    if (hasText)
        return TextCover{column, spanOf(column, row)};
    const RunOn* run = runOnAt(column, row);
    return run ? TextCover{run->owner, spanOf(run->owner, row)} : TextCover{};
}

} // namespace kazutama
