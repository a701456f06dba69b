#include "grid/ui/TableOutput.h"

#include "analyses/ViewCatalogue.h"
#include "analyses/ui/AnalysisView.h"
#include "common/QuotedInput.h"
#include "grid/ResultGrid.h"
#include "store/Snapshot.h"
#include "support/CliRunner.h"
#include "ui/UiTestSupport.h"

#include <QMdiSubWindow>
#include <QPrinter>
#include <gtest/gtest.h>
#include <regex>

namespace kazutama {
namespace {

int pdfPages(const std::string& pdf) {
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return int(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

QString qpath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A table of 5,000 draws prints on as many pages as the paginator says, the headings on each.
TEST(TableOutputTest, PdfHasThePagesThePaginatorLaidOut) {
    const DrawHistory history = test::makeRandomHistory(5000, 3);
    const ViewEntry& entry = *ViewCatalogue::find("出現間隔分析");
    const ResultGrid grid = entry.build(Snapshot(history));
    const TableDocument document = analysisDocument(entry, grid);
    const int pages = document.pageCount(document.pageLayout());
    EXPECT_GT(pages, 5000 * 16 / 1100);

    test::TempDir dir;
    int reported = 0;
    const auto written =
        writeTableFile(document, qpath(dir / "t.pdf"), TableFile::Pdf, [&](int done, int total) {
            EXPECT_EQ(total, pages);
            reported = done;
            return true;
        });
    ASSERT_TRUE(written.ok()) << written.error().message;
    EXPECT_EQ(pdfPages(test::readFile(dir / "t.pdf")), pages);
    EXPECT_EQ(reported, pages);
}

// The CJK font draws 一 and the radical ⼀ with one glyph; the PDF's text says 一, so that a search finds it.
TEST(TableOutputTest, PdfTextNamesIdeographsNotRadicals) {
    const DrawHistory history = test::makeRandomHistory(20, 5);
    const ViewEntry& entry = *ViewCatalogue::find("下一桁出現傾向分析");
    const ResultGrid grid = entry.build(Snapshot(history));
    test::TempDir dir;
    ASSERT_TRUE(writeTableFile(analysisDocument(entry, grid), qpath(dir / "t.pdf"), TableFile::Pdf).ok());
    // Printed to a PDF file, as the print dialog's "Print to File (PDF)" does, too.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(qpath(dir / "printed.pdf"));
    ASSERT_TRUE(printTable(printer, analysisDocument(entry, grid)).ok());
    for (const char* name : {"t.pdf", "printed.pdf"}) {
        const std::string pdf = test::readFile(dir / name);
        EXPECT_NE(pdf.find("<4E00>"), std::string::npos) << name;
        EXPECT_FALSE(std::regex_search(pdf, std::regex("<2F[0-9A-D][0-9A-F]>"))) << name;
    }
}

// Cancelling, or a table too large for one image, leaves the file that was there; the refusal says why.
TEST(TableOutputTest, CancelledOrRefusedWritesLeaveTheOldFile) {
    const DrawHistory history = test::makeRandomHistory(300, 4);
    const ViewEntry& entry = *ViewCatalogue::find("バラツキ分析");
    const ResultGrid grid = entry.build(Snapshot(history));
    ResultGrid wide(3000, 2);
    wide.setColumnWidth(ResultGrid::kAll, 20);

    struct Case {
        const char* name;
        const ResultGrid* grid; // null: a document of pictures only
        TableFile kind;
        bool cancel;
        const char* message; // empty: cancelled quietly
    } cases[] = {
        {"pdf cancelled", &grid, TableFile::Pdf, true, ""},
        {"image cancelled", &grid, TableFile::Png, true, ""},
        {"image too wide", &wide, TableFile::Png, false, "PDF で保存してください"},
        {"csv without a table", nullptr, TableFile::Csv, false, "CSV や HTML には保存できません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        test::writeFile(dir / "old", "kept");
        TableDocument document(QStringLiteral("表"));
        if (c.grid)
            document.addTable(*c.grid);
        else
            document.addPicture(QStringLiteral("図"), QSize(100, 50), [](QPainter&, QSize) {});
        const auto written =
            writeTableFile(document, qpath(dir / "old"), c.kind, [&](int, int) { return !c.cancel; });
        if (*c.message) {
            ASSERT_FALSE(written.ok());
            EXPECT_NE(written.error().message.find(quotePath(dir / "old")), std::string::npos)
                << written.error().message;
            EXPECT_NE(written.error().message.find(c.message), std::string::npos) << written.error().message;
        } else {
            ASSERT_TRUE(written.ok());
            EXPECT_EQ(written.value(), Written::Cancelled);
        }
        EXPECT_EQ(test::readFile(dir / "old"), "kept");
    }
}

// Every grid offers the five commands; what it saves is what the command-line program writes, and the
// desktop program's --export writes the same files without a window.
TEST(TableOutputTest, GridCommandsAndTheExportOptionWriteWhatTheCommandLineProgramWrites) {
    test::ProgramFixture program;
    program.trigger("mnuSyutugenKankaku");
    QWidget* view = program.window().openedView(QStringLiteral("出現間隔分析"))->widget();
    auto* grid = view->findChild<QWidget*>("fpSpread1");
    ASSERT_EQ(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
    for (const char* name :
         {"actPrint", "actSaveCsv", "actSaveHtml", "actSavePdf", "actSavePng", "actSaveDataCsv"})
        EXPECT_NE(grid->findChild<QAction*>(name), nullptr) << name;
    QWidget* prediction = program.window().openedView(QStringLiteral("一発Kazutama予想"))->widget();
    EXPECT_NE(prediction->findChild<QWidget*>("fpSpread1(3)")->findChild<QAction*>("actSavePdf"), nullptr);

    const std::filesystem::path& dir = program.dir.path();
    const auto cli = [&](const char* format) {
        return test::runCli(dir, std::string("table Kazutama.mdb 出現間隔分析 --format ") + format).out;
    };
    // A name given without its extension gets it; a name that has it keeps it, a data CSV's too.
    program.dialogs.saveFiles = {qpath(dir / "saved"), qpath(dir / "saved.html"), qpath(dir / "data.csv")};
    grid->findChild<QAction*>("actSaveCsv")->trigger();
    grid->findChild<QAction*>("actSaveHtml")->trigger();
    grid->findChild<QAction*>("actSaveDataCsv")->trigger();
    EXPECT_TRUE(program.dialogs.messages.empty());
    EXPECT_EQ(test::readFile(dir / "saved.csv"), cli("csv"));
    EXPECT_EQ(test::readFile(dir / "saved.html"), cli("html"));
    EXPECT_EQ(test::readFile(dir / "data.csv"), cli("data-csv"));

    const auto exported =
        test::runCli(dir, "--export 出現間隔分析 exported.html --database Kazutama.mdb", KAZUTAMA_APP_PATH);
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(test::readFile(dir / "exported.html"), cli("html"));
    const auto unknown =
        test::runCli(dir, "--export 存在しない分析 x.pdf --database Kazutama.mdb", KAZUTAMA_APP_PATH);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("存在しない分析"), std::string::npos);
}

} // namespace
} // namespace kazutama
