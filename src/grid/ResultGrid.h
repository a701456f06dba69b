#pragma once

#include "grid/CellFormat.h"
#include "grid/GridBlock.h"
#include "grid/LargeBlocks.h"
#include "grid/Rgb.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kazutama {

// The content and formatting of one analysis table: text cells addressed by column and row from 1, with
// text and background colours, alignment, borders, column widths (character widths of the grid font) and
// row heights (points). A builder fills it; the grid widget only reads it.
//
// Writes and formats that fall outside the extent are ignored, so a builder never has to clip. Colours
// that were never set read as empty: the widget then uses its own defaults.
class ResultGrid {
public:
    static constexpr int kAll = -1;
    static constexpr double kDefaultColumnWidth = 8.0;
    static constexpr double kDefaultRowHeight = 12.0;

    ResultGrid() = default;
    ResultGrid(int columns, int rows);

    // Extent. Growing keeps every cell; shrinking drops the cells that fall outside. Negative counts are 0.
    void setColumnCount(int columns);
    void setRowCount(int rows);
    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    bool contains(int column, int row) const {
        return column >= 1 && column <= m_columns && row >= 1 && row <= m_rows;
    }

    void setText(int column, int row, std::string_view text);
    void setNumber(int column, int row, long long value);
    // A text that many cells show, looked up once: the large tables write the same marks and words into
    // hundreds of thousands of cells. An id means something only to the grid that gave it.
    struct TextId {
        std::uint32_t index = 0; // 0: the empty text, which also stands for "not added yet"

        bool empty() const { return index == 0; }
    };
    TextId addText(std::string_view text) { return TextId{internText(text)}; }
    void setText(int column, int row, TextId text);
    std::string_view text(int column, int row) const;

    // kAll sets every column (row); later single settings override it.
    void setColumnWidth(int column, double width);
    void setRowHeight(int row, double height);
    double columnWidth(int column) const;
    double rowHeight(int row) const;

    void setForeground(const GridBlock& block, Rgb colour);
    void setBackground(const GridBlock& block, Rgb colour);
    void setAlignment(const GridBlock& block, HorizontalAlignment horizontal, VerticalAlignment vertical);
    void setHorizontalAlignment(const GridBlock& block, HorizontalAlignment alignment);
    // Read-only text cells: what every analysis table is made of.
    void setStaticText(const GridBlock& block);

    // Borders are drawn in the current border colour, which stays in force until changed; empty means the
    // grid's default border colour.
    void setBorderColour(std::optional<Rgb> colour) { m_borderColour = colour; }
    void setBorders(const GridBlock& block, BorderMode mode);

    // A setting of the whole table: texts may run on into empty neighbouring cells.
    void setTextRunsOn(bool on);
    bool textRunsOn() const { return m_textRunsOn; }
    // A column whose texts, where one line is too narrow for them, go on over more lines at their commas
    // and blanks; the grid's rows are then made tall enough to hold them where the table is shown.
    void setTextWraps(int column);
    bool textWraps(int column) const {
        return column >= 1 && std::size_t(column) <= m_wrappingColumns.size() &&
               m_wrappingColumns[std::size_t(column - 1)];
    }

    // The heading block a printed page repeats: rows at the top and columns at the left. The footer rows at
    // the bottom are printed once, at the end, on the page of the last row above them.
    void setHeadings(int rows, int columns, int footerRows = 0);
    int headingRows() const { return m_headingRows; }
    int headingColumns() const { return m_headingColumns; }
    int footerRows() const { return m_footerRows; }

    // The cell the table scrolls to; (0, 0) means the top-left corner.
    void setCurrentCell(int column, int row);
    int currentColumn() const { return m_currentColumn; }
    int currentRow() const { return m_currentRow; }

    std::optional<Rgb> foreground(int column, int row) const;
    std::optional<Rgb> background(int column, int row) const;
    HorizontalAlignment horizontalAlignment(int column, int row) const;
    VerticalAlignment verticalAlignment(int column, int row) const;
    bool isStaticText(int column, int row) const;
    CellBorders borders(int column, int row) const;

    // Which cell's text shows in (column, row), and over which columns. When texts run on, a text widens
    // over the empty cells next to it on the side(s) its alignment lets it grow to; a run of empty cells
    // between two texts belongs to the left one unless it is right-aligned, then to the right one unless it
    // is left-aligned. The runs are worked out once after the last change, so painting a cell costs a
    // lookup, not a scan of its row.
    TextCover textCover(int column, int row) const;

    // The cells of a block that lie inside the table, every end a column or row of it.
    struct Range {
        int firstColumn, lastColumn, firstRow, lastRow;
        bool empty() const { return lastColumn < firstColumn || lastRow < firstRow; }
    };
    Range clip(const GridBlock& block) const;

private:
    // How a cell looks, apart from its text. A table has few distinct formats, so a cell holds the number of
    // its format and its text's: six bytes a cell, where a table of 32,000 draws has up to 1.2 million cells.
    struct Format {
        std::uint8_t foreground = 0; // 1 + palette index; 0 = the grid's default
        std::uint8_t background = 0;
        std::uint8_t layout = kDefaultLayout;
        std::uint8_t borderSides = 0;
        std::array<std::uint8_t, 4> borderColours{};
    };
    static_assert(sizeof(Format) == 8);
    using FormatId = std::uint16_t;
    // layout bits: 0-1 horizontal alignment, 2-3 vertical alignment, 4 static text
    static constexpr std::uint8_t kStaticBit = 0x10;
    static constexpr std::uint8_t kDefaultLayout =
        std::uint8_t(HorizontalAlignment::Left) | std::uint8_t(std::uint8_t(VerticalAlignment::Center) << 2);

    // Applies `change` (Format&) to every cell of the block. `operation` names the change with its argument:
    // the same operation on the same format always gives the same new one.
    template <typename Change> void reformat(const GridBlock& block, std::uint32_t operation, Change change);
    template <typename Change> FormatId changedFormat(FormatId from, std::uint32_t operation, Change change);
    FormatId formatId(const Format& format);
    std::size_t cellIndex(int column, int row) const {
        return std::size_t(row - 1) * std::size_t(m_columns) + std::size_t(column - 1);
    }
    // The cell's format, or the default one outside the table.
    const Format& formatAt(int column, int row) const;
    void relayout(int columns, int rows);
    std::uint8_t paletteSlot(Rgb colour);
    std::uint8_t findPaletteSlot(Rgb colour);
    std::optional<Rgb> paletteColour(std::uint8_t slot) const;
    // A run of empty cells in one row and the cell whose text runs on over it.
    struct RunOn {
        int first, last, owner;
    };
    // Where a row's runs are in m_runOns; worked out on the row's first query after a change.
    struct RowRuns {
        static constexpr std::uint32_t kNotFound = ~std::uint32_t(0);
        std::uint32_t first = 0;
        std::uint32_t count = kNotFound;
    };
    const RowRuns& runOnsOf(int row) const;
    const RunOn* runOnAt(int column, int row) const;
    ColumnSpan spanOf(int column, int row) const;

    // The texts are interned through an open-addressing table: a table of 32,000 draws writes some 600,000
    // cells, and a node-based map spent most of the build chasing pointers. Measured at 32,000 draws: with
    // std::unordered_map the builders take 25 % longer and the peak memory grows from 148.1 to 174.2 MiB.
    struct TextSlot {
        std::uint32_t hash = 0;
        std::uint32_t id = 0; // index into m_texts; 0 = a free slot, since the empty text is never looked up
    };
    std::uint32_t internText(std::string_view text);
    void growTextSlots();
    void setTextId(int column, int row, std::uint32_t id);
    // Most cells hold small numbers (numbers, counts, draw numbers), so their texts are found by value.
    static constexpr long long kLowestCachedNumber = -64;
    static constexpr long long kHighestCachedNumber = 32767;

    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::uint32_t, LargeBlockAllocator<std::uint32_t>> m_cellTexts; // row-major, into m_texts
    std::vector<FormatId, LargeBlockAllocator<FormatId>> m_cellFormats;         // row-major, into m_formats
    std::vector<Format> m_formats{Format{}};                                    // 0 is the default format
    // The formats' ids by their eight bytes; asked only for changes not made before (see m_changes).
    std::unordered_map<std::uint64_t, FormatId> m_formatIds;
    // Changes made so far: the old format and the operation (key), the new format; a small table where a
    // later change may take an earlier one's place.
    struct FormatChange {
        std::uint64_t key = ~std::uint64_t(0);
        FormatId to = 0;
    };
    std::vector<FormatChange> m_changes;
    std::vector<double> m_columnWidths;
    std::vector<double> m_rowHeights;
    std::vector<std::string> m_texts{std::string()};
    std::vector<TextSlot> m_textSlots;        // a power of two in size, at most half full
    std::uint32_t m_lastTextId = 0;           // the text interned last
    std::vector<std::uint32_t> m_numberTexts; // by value - kLowestCachedNumber; 0 = not interned yet
    std::vector<Rgb> m_palette;
    std::uint8_t m_lastSlot = 0; // the slot looked up last
    std::optional<Rgb> m_borderColour;
    double m_allColumnsWidth = kDefaultColumnWidth;
    double m_allRowsHeight = kDefaultRowHeight;
    bool m_textRunsOn = false;
    std::vector<bool> m_wrappingColumns; // by column - 1, as far as the last one set
    // The owned runs of empty cells, each row's left to right, the rows in the order they were asked about:
    // a view asks about the rows it shows, so a table of 32,000 rows is not scanned whole on opening.
    // Forgotten on any change that moves them.
    mutable std::vector<RunOn> m_runOns;
    mutable std::vector<RowRuns> m_rowRuns; // by row - 1
    mutable bool m_runOnsValid = false;
    int m_currentColumn = 0;
    int m_currentRow = 0;
    int m_headingRows = 0;
    int m_headingColumns = 0;
    int m_footerRows = 0;
};

} // namespace kazutama
