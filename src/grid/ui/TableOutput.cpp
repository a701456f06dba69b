#include "grid/ui/TableOutput.h"

#include "common/FileWrite.h"
#include "common/QuotedInput.h"
#include "grid/GridExport.h"
#include "grid/ResultGrid.h"
#include "grid/ui/PdfIdeographs.h"
#include "grid/ui/ResultGridView.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "gui/WorkProgress.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <array>
#include <sstream>

namespace kazutama {

namespace {

// One image may not exceed this in either direction or in pixels: larger ones are refused before memory
// is taken for them, and painters and viewers handle them badly anyway.
constexpr int kImageSideLimit = 32767;
constexpr qint64 kImagePixelLimit = 64LL * 1024 * 1024;

struct FileKind {
    TableFile kind;
    const char* command;   // the context menu's text, with its key
    const char* filter;    // the file dialog's filter
    const char* extension; // added to a name given without one
    const char* name;      // how messages call such a file
    const char* objectName;
};
constexpr std::array<FileKind, 5> kKinds = {{
    {TableFile::Csv, "CSVで保存(&S)...", "CSV ファイル (*.csv)", "csv", "CSVファイル", "actSaveCsv"},
    {TableFile::Html, "HTMLで保存(&H)...", "HTML ファイル (*.html *.htm)", "html", "HTMLファイル",
     "actSaveHtml"},
    {TableFile::Pdf, "PDFで保存(&D)...", "PDF ファイル (*.pdf)", "pdf", "PDFファイル", "actSavePdf"},
    {TableFile::Png, "画像で保存(&I)...", "PNG 画像 (*.png)", "png", "画像ファイル", "actSavePng"},
    {TableFile::DataCsv, "データCSVで保存(&A)...", "CSV ファイル (*.csv)", "csv", "CSVファイル",
     "actSaveDataCsv"},
}};

const FileKind& kindOf(TableFile kind) {
    for (const FileKind& k : kKinds)
        if (k.kind == kind)
            return k;
    return kKinds.front();
}

Error failure(const QString& path, const QString& cause) {
    return makeError(
        ErrorCode::WriteFailed,
        QStringLiteral("%1を書き出せませんでした。%2").arg(qs(quotePath(toPath(path))), cause).toStdString());
}

// The progress handed on, remembering whether it cancelled.
struct Watch {
    const TableDocument::Progress& progress;
    bool cancelled = false;
    bool operator()(int done, int total) {
        if (progress && !progress(done, total))
            cancelled = true;
        return !cancelled;
    }
};

Result<Written> writeBytes(const QString& path, const QByteArray& bytes, TableFile kind) {
    if (Status written = writeWholeFile(
            toPath(path), std::string_view(bytes.constData(), std::size_t(bytes.size())), kindOf(kind).name);
        !written)
        return written.error();
    return Written::Done;
}

} // namespace

std::optional<TableFile> tableFileFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("htm"))
        return TableFile::Html;
    for (const FileKind& k : kKinds)
        if (suffix == QLatin1String(k.extension))
            return k.kind;
    return std::nullopt;
}

Result<Written> writeTableFile(const TableDocument& document, const QString& path, TableFile kind,
                               const TableDocument::Progress& progress) {
    Watch watch{progress};
    QByteArray bytes;
    switch (kind) {
    case TableFile::Csv:
    case TableFile::DataCsv:
    case TableFile::Html: {
        const ResultGrid* table = document.firstTable();
        if (!table)
            return failure(
                path, QStringLiteral("このウィンドウには表がないため、CSV や HTML には保存できません。"));
        std::ostringstream out;
        const std::string caption = document.caption().toStdString();
        const GridExport::Format format = kind == TableFile::Csv       ? GridExport::Format::Csv
                                          : kind == TableFile::DataCsv ? GridExport::Format::DataCsv
                                                                       : GridExport::Format::Html;
        GridExport::write(out, format, *table, {caption, caption});
        bytes = QByteArray::fromStdString(out.str());
        break;
    }
    case TableFile::Pdf: {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(document.pageLayout());
        writer.setResolution(96);
        writer.setTitle(document.caption());
        writer.setCreator(QStringLiteral("Kazutama"));
        const bool printed = document.print(writer, std::ref(watch));
        if (watch.cancelled)
            return Written::Cancelled;
        if (!printed)
            return failure(path, QStringLiteral("PDF を作成できませんでした。"));
        break;
    }
    case TableFile::Png: {
        const QSize size = document.imageSize();
        if (size.width() > kImageSideLimit || size.height() > kImageSideLimit ||
            qint64(size.width()) * size.height() > kImagePixelLimit)
            return failure(path, QStringLiteral("表が大きすぎて 1 枚の画像にできません（%1 × %2 ピクセル）。"
                                                "PDF で保存してください。")
                                     .arg(size.width())
                                     .arg(size.height()));
        const QImage image = document.image(std::ref(watch));
        if (watch.cancelled)
            return Written::Cancelled;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (image.isNull() || !image.save(&buffer, "PNG"))
            return failure(
                path, QStringLiteral("画像を作成できませんでした（メモリが足りない可能性があります）。"));
        break;
    }
    }
    if (kind == TableFile::Pdf)
        PdfIdeographs::restore(bytes);
    return writeBytes(path, bytes, kind);
}

Status printTable(QPrinter& printer, const TableDocument& document, const TableDocument::Progress& progress) {
    const bool printed = document.print(printer, progress);
    // Printed to a PDF file (not to the preview, nor to a printer): its text is mended like a saved one's.
    if (!printed || printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty() ||
        printer.paintEngine()->type() != QPaintEngine::Pdf)
        return Ok{};
    const QString path = printer.outputFileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(path, QStringLiteral("印刷した PDF を読み直せませんでした。"));
    QByteArray bytes = file.readAll();
    file.close();
    PdfIdeographs::restore(bytes);
    if (Result<Written> written = writeBytes(path, bytes, TableFile::Pdf); !written)
        return written.error();
    return Ok{};
}

void previewTable(QWidget* parent, const TableDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(document.pageLayout());
    printer.setDocName(document.caption());
    printer.setCreator(QStringLiteral("Kazutama"));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("印刷プレビュー - %1").arg(document.caption()));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        const Status printed = [&] {
            WorkProgress watch(&preview,
                               QStringLiteral("「%1」のページを作っています...").arg(document.caption()));
            return printTable(*target, document, watch.callback());
        }();
        if (!printed)
            Dialogs::instance().message(&preview, errorTitle(),
                                        QString::fromStdString(printed.error().message),
                                        Dialogs::Icon::Critical);
    });
    preview.resize(900, 700);
    preview.exec();
}

void saveTableAs(QWidget* parent, const TableDocument& document, TableFile kind) {
    const FileKind& k = kindOf(kind);
    // The file dialog is titled by the command, less its key and its dots: "CSVで保存".
    const QString title = QString::fromUtf8(k.command).chopped(3).chopped(4);
    QString path = Dialogs::instance().saveFileName(
        parent, title, document.caption() + '.' + QLatin1String(k.extension), QString::fromUtf8(k.filter));
    if (path.isEmpty())
        return;
    // Both CSV files end in .csv, so the name is checked by its extension, not by the kind it stands for.
    if (const std::optional<TableFile> named = tableFileFor(path);
        !named || std::string_view(kindOf(*named).extension) != k.extension)
        path += '.' + QLatin1String(k.extension);
    Result<Written> written = [&] {
        WorkProgress watch(
            parent, QStringLiteral("%1を書き出しています...").arg(qs(quotePath(toPath(path).filename()))));
        return writeTableFile(document, path, kind, watch.callback());
    }();
    if (!written)
        Dialogs::instance().message(parent, errorTitle(), QString::fromStdString(written.error().message),
                                    Dialogs::Icon::Critical);
}

void addTableCommands(ResultGridView* view, std::function<TableDocument()> document) {
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* print = new QAction(QStringLiteral("印刷(&P)..."), view);
    print->setObjectName("actPrint");
    QObject::connect(print, &QAction::triggered, view,
                     [view, document] { previewTable(view->window(), document()); });
    view->addAction(print);
    auto* separator = new QAction(view);
    separator->setSeparator(true);
    view->addAction(separator);
    for (const FileKind& k : kKinds) {
        auto* action = new QAction(QString::fromUtf8(k.command), view);
        action->setObjectName(k.objectName);
        QObject::connect(action, &QAction::triggered, view,
                         [view, document, kind = k.kind] { saveTableAs(view->window(), document(), kind); });
        view->addAction(action);
    }
}

} // namespace kazutama
