#include "prediction/PredictionGrids.h"

#include "grid/Colours.h"

namespace kazutama {

namespace {

constexpr int kColumns = 8;
constexpr int kNumbersPerRow = 7;
constexpr std::array<int, kPredictionGridCount> kRows = {5, 4, 3, 2};
constexpr std::string_view kHeader = "                              本 数 字                          ";

void writeNumbers(ResultGrid& grid, const std::vector<int>& numbers) {
    for (size_t i = 0; i < numbers.size(); ++i)
        grid.setNumber(2 + int(i % kNumbersPerRow), 2 + int(i / kNumbersPerRow), numbers[i]);
}

} // namespace

ResultGrid predictionGridLayout(int index) {
    const int rows = kRows[index];
    ResultGrid grid(kColumns, rows);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setColumnWidth(1, 8);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    grid.setTextRunsOn(true);

    if (index == 0) {
        // Lines between the rows and after the method column; the seven numbers read as one band.
        grid.setBorders(GridBlock::all(), BorderMode::Top);
        grid.setBorders(GridBlock::all(), BorderMode::Bottom);
        grid.setBorders(GridBlock::columns(1, 1), BorderMode::Right);
        for (int row = 2; row <= rows; ++row)
            grid.setText(1, row, kCycleLabels[row - 2]);
    } else {
        grid.setBorders(GridBlock::all(), BorderMode::Grid);
        // The method label stands in one tall cell.
        const GridBlock labelCell{1, 1, 2, rows};
        grid.setBorders(labelCell, BorderMode::None);
        grid.setBorders(labelCell, BorderMode::Outline);
        static constexpr std::array<std::string_view, kPredictionGridCount> labels = {"", "消去法",
                                                                                      "連発予想", "１発予想"};
        grid.setText(1, index == 1 ? 3 : 2, labels[index]);
    }

    // Header row: one cell across the number columns, in blue on pale red.
    const GridBlock headerNumbers{2, kColumns, 1, 1};
    if (index != 0) {
        grid.setBorders(headerNumbers, BorderMode::None);
        grid.setBorders(headerNumbers, BorderMode::Outline);
    }
    grid.setForeground(GridBlock::rows(1, 1), colours::kBlue);
    grid.setBackground(GridBlock::rows(1, 1), colours::kPalePink);
    grid.setHorizontalAlignment(GridBlock::cell(2, 1), HorizontalAlignment::Left);
    grid.setText(2, 1, kHeader);
    grid.setCurrentCell(0, 0);
    grid.setHeadings(1, 1);
    return grid;
}

void writePredictionRun(std::array<ResultGrid, kPredictionGridCount>& grids, const PredictionRun& run) {
    for (int index = 1; index < kPredictionGridCount; ++index)
        for (int row = 2; row <= kRows[index]; ++row)
            for (int column = 2; column <= kColumns; ++column)
                grids[index].setText(column, row, "");

    for (int row = 0; row < kCycleRowCount; ++row)
        for (int position = 0; position < kNumbersPerRow; ++position)
            grids[0].setText(2 + position, 2 + row, run.cycleRows[row][position]);

    writeNumbers(grids[1], run.elimination);
    writeNumbers(grids[2], run.multiple);
    writeNumbers(grids[3], run.oneShot);
}

std::array<ResultGrid, kPredictionGridCount> predictionGrids(const PredictionRun& run) {
    std::array<ResultGrid, kPredictionGridCount> grids;
    for (int i = 0; i < kPredictionGridCount; ++i)
        grids[std::size_t(i)] = predictionGridLayout(i);
    writePredictionRun(grids, run);
    return grids;
}

} // namespace kazutama
