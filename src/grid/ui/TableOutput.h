#pragma once

#include "common/Result.h"
#include "grid/ui/TableDocument.h"

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace kazutama {

class ResultGridView;

// The files a table can be saved as.
enum class TableFile { Csv, Html, Pdf, Png, DataCsv };

// The kind of file a name asks for by its extension (.csv, .html or .htm, .pdf, .png, in any case); a .csv
// is the CSV of the screen's texts.
std::optional<TableFile> tableFileFor(const QString& path);

enum class Written { Done, Cancelled };
// Writes the document as a file without asking anything: CSV, data CSV and HTML hold its first table (the
// same files as the command-line program's), a PDF every page as printed, an image every table at screen
// size. A file is either written whole or left as it was.
Result<Written> writeTableFile(const TableDocument& document, const QString& path, TableFile kind,
                               const TableDocument::Progress& progress = {});

// Prints the document on `printer` as the preview shows it; a PDF file printed so has its text mended as a
// saved one's (see PdfIdeographs). An error names the file.
Status printTable(QPrinter& printer, const TableDocument& document,
                  const TableDocument::Progress& progress = {});

// The user's commands on a table, each with the hourglass and, past a second, a progress dialog that can
// cancel. Errors are shown in a message box that names the file.
void previewTable(QWidget* parent, const TableDocument& document);
void saveTableAs(QWidget* parent, const TableDocument& document, TableFile kind);

// Gives `view` a context menu (right button, the menu key or Shift+F10) with 印刷(&P)... and the five ways
// to save the table (CSV, HTML, PDF, image, data CSV), each with its key; `document` makes the document of
// the table shown when a command is chosen.
void addTableCommands(ResultGridView* view, std::function<TableDocument()> document);

} // namespace kazutama
