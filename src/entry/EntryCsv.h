#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kazutama {

class DrawStore;
class EntryModel;

// The entry view's CSV commands: a file chosen in a dialog, read by the history importer and, once the user
// has seen what it would change, written to the store and shown in the grid's model; or the stored draws
// written out as CSV. Failures go to `reportFailure`.
class EntryCsv {
public:
    EntryCsv(QWidget* parent, DrawStore& store, EntryModel& model,
             std::function<void(const QString&)> reportFailure);

    void importFile() const;
    void exportFile() const;

private:
    QWidget* m_parent;
    DrawStore& m_store;
    EntryModel& m_model;
    std::function<void(const QString&)> m_reportFailure;
};

} // namespace kazutama
