#include "grid/ResultGrid.h"

#include <algorithm>
#include <stdexcept>

namespace kazutama {

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
    if (columns == m_columns) {
        m_cells.resize(std::size_t(columns) * std::size_t(rows));
    } else {
        std::vector<Cell> cells(std::size_t(columns) * std::size_t(rows));
        const int keptColumns = std::min(columns, m_columns);
        const int keptRows = std::min(rows, m_rows);
        for (int r = 0; r < keptRows; ++r)
            std::copy_n(m_cells.begin() + std::ptrdiff_t(r) * m_columns, keptColumns,
                        cells.begin() + std::ptrdiff_t(r) * columns);
        m_cells = std::move(cells);
    }
    m_columnWidths.resize(std::size_t(columns), m_allColumnsWidth);
    m_rowHeights.resize(std::size_t(rows), m_allRowsHeight);
    m_columns = columns;
    m_rows = rows;
    m_runOnsValid = false;
}

ResultGrid::Cell* ResultGrid::cellAt(int column, int row) {
    if (!contains(column, row))
        return nullptr;
    return &m_cells[std::size_t(row - 1) * std::size_t(m_columns) + std::size_t(column - 1)];
}

const ResultGrid::Cell* ResultGrid::cellAt(int column, int row) const {
    return const_cast<ResultGrid*>(this)->cellAt(column, row);
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
    Cell* cell = cellAt(column, row);
    // Run-on depends on which cells are empty, not on what the others say.
    if ((cell->text == 0) != (id == 0))
        m_runOnsValid = false;
    cell->text = id;
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
    const Cell* cell = cellAt(column, row);
    return cell ? std::string_view(m_texts[cell->text]) : std::string_view();
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

template <typename Apply> void ResultGrid::forEachCell(const GridBlock& block, Apply apply) {
    const Range range = clip(block);
    if (range.empty())
        return;
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        Cell* line = cellAt(range.firstColumn, row);
        for (int column = range.firstColumn; column <= range.lastColumn; ++column)
            apply(line[column - range.firstColumn], column, row, range);
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
    forEachCell(block, [slot](Cell& cell, int, int, const Range&) { cell.foreground = slot; });
}

void ResultGrid::setBackground(const GridBlock& block, Rgb colour) {
    const std::uint8_t slot = paletteSlot(colour);
    forEachCell(block, [slot](Cell& cell, int, int, const Range&) { cell.background = slot; });
}

void ResultGrid::setAlignment(const GridBlock& block, HorizontalAlignment horizontal,
                              VerticalAlignment vertical) {
    // Both in one pass: tables set them together over every cell.
    m_runOnsValid = false;
    const auto bits = std::uint8_t(std::uint8_t(horizontal) | std::uint8_t(std::uint8_t(vertical) << 2));
    forEachCell(block, [bits](Cell& cell, int, int, const Range&) {
        cell.layout = std::uint8_t((cell.layout & ~0x0F) | bits);
    });
}

void ResultGrid::setHorizontalAlignment(const GridBlock& block, HorizontalAlignment alignment) {
    m_runOnsValid = false;
    forEachCell(block, [alignment](Cell& cell, int, int, const Range&) {
        cell.layout = std::uint8_t((cell.layout & ~0x03) | std::uint8_t(alignment));
    });
}

void ResultGrid::setVerticalAlignment(const GridBlock& block, VerticalAlignment alignment) {
    forEachCell(block, [alignment](Cell& cell, int, int, const Range&) {
        cell.layout = std::uint8_t((cell.layout & ~0x0C) | std::uint8_t(std::uint8_t(alignment) << 2));
    });
}

void ResultGrid::setStaticText(const GridBlock& block) {
    forEachCell(block, [](Cell& cell, int, int, const Range&) { cell.layout |= kStaticBit; });
}

void ResultGrid::setBorders(const GridBlock& block, BorderMode mode) {
    const std::uint8_t slot = m_borderColour ? paletteSlot(*m_borderColour) : 0;
    const auto draw = [slot](Cell& cell, BorderSide side) {
        cell.borderSides |= CellBorders::bit(side);
        cell.borderColours[std::size_t(side)] = slot;
    };
    // One loop per mode rather than a switch per cell: a grid over a whole table of tens of thousands of
    // rows is the commonest call.
    const auto drawEverywhere = [&](BorderSide side) {
        forEachCell(block, [&](Cell& cell, int, int, const Range&) { draw(cell, side); });
    };
    switch (mode) {
    case BorderMode::None:
        forEachCell(block, [](Cell& cell, int, int, const Range&) {
            cell.borderSides = 0;
            cell.borderColours = {};
        });
        break;
    case BorderMode::Grid:
        forEachCell(block, [slot](Cell& cell, int, int, const Range&) {
            cell.borderSides = CellBorders::bit(BorderSide::Left) | CellBorders::bit(BorderSide::Top) |
                               CellBorders::bit(BorderSide::Right) | CellBorders::bit(BorderSide::Bottom);
            cell.borderColours = {slot, slot, slot, slot};
        });
        break;
    case BorderMode::Outline: {
        // Only the cells on the block's edges take a line.
        const Range range = clip(block);
        if (range.empty())
            break;
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            draw(*cellAt(column, range.firstRow), BorderSide::Top);
            draw(*cellAt(column, range.lastRow), BorderSide::Bottom);
        }
        for (int row = range.firstRow; row <= range.lastRow; ++row) {
            draw(*cellAt(range.firstColumn, row), BorderSide::Left);
            draw(*cellAt(range.lastColumn, row), BorderSide::Right);
        }
        break;
    }
    case BorderMode::Left:
        drawEverywhere(BorderSide::Left);
        break;
    case BorderMode::Top:
        drawEverywhere(BorderSide::Top);
        break;
    case BorderMode::Right:
        drawEverywhere(BorderSide::Right);
        break;
    case BorderMode::Bottom:
        drawEverywhere(BorderSide::Bottom);
        break;
    }
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
    const Cell* cell = cellAt(column, row);
    return cell ? paletteColour(cell->foreground) : std::nullopt;
}

std::optional<Rgb> ResultGrid::background(int column, int row) const {
    const Cell* cell = cellAt(column, row);
    return cell ? paletteColour(cell->background) : std::nullopt;
}

HorizontalAlignment ResultGrid::horizontalAlignment(int column, int row) const {
    const Cell* cell = cellAt(column, row);
    return HorizontalAlignment((cell ? cell->layout : kDefaultLayout) & 0x03);
}

VerticalAlignment ResultGrid::verticalAlignment(int column, int row) const {
    const Cell* cell = cellAt(column, row);
    return VerticalAlignment(((cell ? cell->layout : kDefaultLayout) >> 2) & 0x03);
}

bool ResultGrid::isStaticText(int column, int row) const {
    const Cell* cell = cellAt(column, row);
    return cell && (cell->layout & kStaticBit) != 0;
}

CellBorders ResultGrid::borders(int column, int row) const {
    CellBorders result;
    const Cell* cell = cellAt(column, row);
    if (!cell)
        return result;
    result.sides = cell->borderSides;
    for (std::size_t side = 0; side < 4; ++side)
        result.colours[side] = paletteColour(cell->borderColours[side]);
    return result;
}

void ResultGrid::findRunOns() const {
    m_runOns.clear();
    m_runOnRows.assign(std::size_t(m_rows) + 1, 0);
    const auto reachesRight = [](HorizontalAlignment a) { return a != HorizontalAlignment::Right; };
    const auto reachesLeft = [](HorizontalAlignment a) { return a != HorizontalAlignment::Left; };
    for (int row = 1; row <= m_rows; ++row) {
        m_runOnRows[std::size_t(row - 1)] = std::uint32_t(m_runOns.size());
        int previous = 0; // the last text seen in this row
        const auto addRun = [&](int first, int last, int owner) {
            if (first <= last && owner != 0)
                m_runOns.push_back(RunOn{first, last, owner});
        };
        for (int column = 1; column <= m_columns; ++column) {
            if (cellAt(column, row)->text == 0)
                continue;
            const HorizontalAlignment alignment = horizontalAlignment(column, row);
            int owner = 0;
            if (previous != 0 && reachesRight(horizontalAlignment(previous, row)))
                owner = previous;
            else if (reachesLeft(alignment))
                owner = column;
            addRun(previous + 1, column - 1, owner);
            previous = column;
        }
        if (previous != 0 && reachesRight(horizontalAlignment(previous, row)))
            addRun(previous + 1, m_columns, previous);
    }
    m_runOnRows[std::size_t(m_rows)] = std::uint32_t(m_runOns.size());
    m_runOnsValid = true;
}

const ResultGrid::RunOn* ResultGrid::runOnAt(int column, int row) const {
    const auto first = m_runOns.begin() + m_runOnRows[std::size_t(row - 1)];
    const auto last = m_runOns.begin() + m_runOnRows[std::size_t(row)];
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
    const Cell* cell = cellAt(column, row);
    if (!cell)
        return {};
    if (!m_textRunsOn)
        return cell->text == 0 ? TextCover{} : TextCover{column, {column, column}};
    if (!m_runOnsValid)
        findRunOns();
    if (cell->text != 0)
        return TextCover{column, spanOf(column, row)};
    const RunOn* run = runOnAt(column, row);
    return run ? TextCover{run->owner, spanOf(run->owner, row)} : TextCover{};
}

} // namespace kazutama
