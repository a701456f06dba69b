#include "grid/ui/ResultGridView.h"

#include "grid/ResultGrid.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// The view paints its cells itself; a screen reader still reads their texts, row and column from 0.
TEST(ResultGridViewTest, AScreenReaderReadsTheCellsTexts) {
    ResultGrid grid(3, 2);
    grid.setText(2, 1, "出現回数");
    grid.setNumber(3, 2, 17);
    ResultGridView view;
    view.setGrid(std::move(grid));
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleTableInterface* cells = table->tableInterface();
    EXPECT_EQ(cells->rowCount(), 2);
    EXPECT_EQ(cells->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("出現回数"));
    EXPECT_EQ(cells->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral("17"));
    EXPECT_EQ(cells->cellAt(0, 0)->text(QAccessible::Name), QString());
}

} // namespace
} // namespace kazutama
