#pragma once

#include "analyses/ViewEntry.h"
#include "grid/ui/TableDocument.h"
#include "gui/ChildView.h"

namespace kazutama {

class ResultGridView;
class Workspace;

// The one window every analysis is shown in: description label, legend, the table and the buttons, set up
// from the view's catalogue entry; the table comes from the entry's builder.
class AnalysisView : public ChildView {
    Q_OBJECT
public:
    AnalysisView(ViewGuard& guard, const ViewEntry& entry, const Workspace& workspace,
                 QWidget* parent = nullptr);

    const ViewEntry& entry() const { return m_entry; }
    // How many times the table has been built; stays 1 while the view is open.
    int buildCount() const { return m_buildCount; }
    // The table with the caption, description and legend, as it prints and saves.
    TableDocument document() const;
    void print() override;

protected:
    ViewGeometry geometryInTwips() const override { return m_entry.geometry; }
    MessagePump messagePump() const override { return m_entry.pump; }
    void build() override;

private:
    // The pixels the columns of a grid that follows the window have at the window's given size.
    int columnRoomAtGivenSize() const;

    const ViewEntry& m_entry;
    const Workspace& m_workspace;
    ResultGridView* m_grid;
    int m_buildCount = 0;
};

// Narrows every column of the grid alike so that all of them fit in `room` pixels, where they do not.
void narrowColumnsToFit(ResultGrid& grid, int room);

// A view's table with its caption, description and legend, as the window prints and saves it.
TableDocument analysisDocument(const ViewEntry& entry, const ResultGrid& grid);

} // namespace kazutama
