// The whole program measured in fresh processes, so that nothing an earlier measure loaded or allocated
// counts: its start-up to the painted prediction view, and its peak memory with every analysis view open.

#include "Sections.h"
#include "analyses/ViewCatalogue.h"
#include "app/MainFrm.h"
#include "app/ProgramFont.h"
#include "menus/MenuTable.h"
#include "menus/WindowNames.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QProcess>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace kazutama::bench {

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The offscreen platform's remark on every window shown says nothing about the program.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// The application object as the program makes it, in a child process of the bench.
std::unique_ptr<QApplication> programApplication() {
    static int argc = 1;
    static char name[] = "kazutama-bench";
    static char* argv[] = {name, nullptr};
    qInstallMessageHandler(quietOffscreen);
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setFont(programFont());
    return app;
}

// The program as its main() starts it, on the database in `folder`, up to the prediction view it opens
// when first activated; nullptr if that never happens.
std::unique_ptr<MainFrm> startProgram(const std::filesystem::path& folder) {
    auto window = std::make_unique<MainFrm>(AppFiles{folder, folder / "Kazutama.ini"});
    if (!window->load())
        return nullptr;
    window->show();
    window->activateWindow();
    const auto given = Clock::now();
    while (!window->openedView(qs(kPredictionViewName))) {
        if (msSince(given) > 10000)
            return nullptr;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return window;
}

// The process's resident memory now and at its peak, in KiB.
std::pair<long, long> residentKiB() {
    std::ifstream status("/proc/self/status");
    long now = 0, peak = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            now = std::stol(line.substr(6));
        else if (line.rfind("VmHWM:", 0) == 0)
            peak = std::stol(line.substr(6));
    }
    return {now, peak};
}

} // namespace

std::map<std::string, double> runChild(const Run& run, const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto launched = Clock::now();
    list << QStringLiteral("--launched")
         << QString::number(
                std::chrono::duration_cast<std::chrono::nanoseconds>(launched.time_since_epoch()).count());
    child.start(QString::fromStdString(run.self.string()), list);
    if (!child.waitForFinished(120000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        throw std::runtime_error("a measuring child process failed: " + list.join(' ').toStdString());
    std::map<std::string, double> figures;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() == 2)
            figures[parts[0].toStdString()] = parts[1].toDouble();
    }
    figures["process"] = msSince(launched);
    return figures;
}

int startupChild(const std::filesystem::path& folder, Clock::time_point launched) {
    const std::unique_ptr<QApplication> app = programApplication();
    const double qt = msSince(launched);
    const auto start = Clock::now();
    const std::unique_ptr<MainFrm> window = startProgram(folder);
    if (!window)
        return 2;
    (void)window->grab();
    std::printf("qt %.3f\nwindow %.3f\npainted %.3f\n", qt, msSince(start), msSince(launched));
    return 0;
}

int memoryChild(const std::filesystem::path& folder, Clock::time_point) {
    const std::unique_ptr<QApplication> app = programApplication();
    const std::unique_ptr<MainFrm> window = startProgram(folder);
    if (!window)
        return 2;
    (void)window->grab();
    const auto [started, startedPeak] = residentKiB();
    // Every analysis opened from its menu command, as the user opens them.
    int opened = 0;
    for (const MenuNode& node : mainMenuTree()) {
        const ViewEntry* entry = node.view.empty() ? nullptr : ViewCatalogue::find(node.view);
        if (!entry)
            continue;
        auto* action = window->findChild<QAction*>(qs(node.name));
        if (!action)
            return 3;
        action->trigger();
        QApplication::processEvents();
        (void)window->grab();
        opened += window->openedView(qs(node.view)) ? 1 : 0;
    }
    const auto [open, peak] = residentKiB();
    std::printf("views %d\nstarted %ld\nstartedPeak %ld\nopen %ld\npeak %ld\n", opened, started, startedPeak,
                open, peak);
    return 0;
}

} // namespace kazutama::bench
