// Measures the program's speed and memory on the sample history and seeded random histories of 695, 5,000
// and 32,000 draws: start-up, every analysis builder, the grid widget against a QTableWidget and an empty
// QTableView, memory, the prediction engine and the combination generator. Prints a table per measure and
// the targets; writes JSON and a Markdown page when asked.
//   kazutama-bench [--quick] [--json FILE] [--markdown FILE] [--sections
//   startup,builders,grid,memory,prediction,generate]

#include "BenchSupport.h"
#include "Sections.h"
#include "store/HistoryCsv.h"
#include "support/Histories.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/utsname.h>
#include <thread>

using namespace kazutama;
using namespace kazutama::bench;

namespace {

std::string firstValue(const char* file, const std::string& key) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key, 0) == 0) {
            std::string value = line.substr(line.find_first_of(":=") + 1);
            value.erase(0, value.find_first_not_of(" \t\""));
            value.erase(value.find_last_not_of(" \t\"") + 1);
            return value;
        }
    return "unknown";
}

std::vector<std::pair<std::string, std::string>> machine() {
    utsname system{};
    uname(&system);
    return {{"processor", firstValue("/proc/cpuinfo", "model name")},
            {"cores", std::to_string(std::thread::hardware_concurrency())},
            {"memory", firstValue("/proc/meminfo", "MemTotal")},
            {"system", firstValue("/etc/os-release", "PRETTY_NAME") + ", Linux " + system.release},
            {"Qt", qVersion()},
            {"compiler", __VERSION__},
            {"build", KAZUTAMA_BUILD_TYPE},
            {"Qt platform", QGuiApplication::platformName().toStdString()}};
}

std::string now() {
    const std::time_t t = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&t));
    return text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return bool(out.flush());
}

// The hand-written notes of an earlier page, from their heading on.
std::string notesOf(const std::string& page) {
    const std::string heading = "## Notes";
    const std::size_t at = page.find("\n" + heading + "\n");
    return at == std::string::npos ? heading + "\n\nNone yet.\n" : page.substr(at + 1);
}

// The times of a fixed piece of arithmetic and of a fixed walk through 64 MiB of memory: this machine's
// speed, the memory's most of all, drifts with what else runs on its host, and a run's figures are read
// against these.
std::string speedCheck() {
    const double arithmetic = medianMicroseconds(5, [] {
        std::uint64_t x = 88172645463325252ull;
        for (int i = 0; i < 20000000; ++i)
            x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        if (x == 0)
            std::printf("\n");
    });
    std::vector<std::uint32_t> block(16u << 20, 1);
    const double memory = medianMicroseconds(5, [&] {
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < block.size(); i += 16) // a cache line a step
            sum += block[i]++;
        if (sum == 0)
            std::printf("\n");
    });
    return fixed(arithmetic / 1000, 1) + " / " + fixed(memory / 1000, 1);
}

int usage() {
    std::fprintf(stderr, "usage: kazutama-bench [--quick] [--json FILE] [--markdown FILE] "
                         "[--sections startup,builders,grid,memory,prediction,generate]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<std::string> args(argv + 1, argv + argc);
    // The children measure a program of their own and make their own QApplication.
    if (args.size() == 4 && args[2] == "--launched") {
        const std::chrono::steady_clock::time_point launched{std::chrono::nanoseconds(std::stoll(args[3]))};
        if (args[0] == "--startup-child")
            return startupChild(args[1], launched);
        if (args[0] == "--memory-child")
            return memoryChild(args[1], launched);
        return usage();
    }

    Run run;
    std::string jsonPath, markdownPath;
    std::set<std::string> sections = {"startup", "builders", "grid", "memory", "prediction", "generate"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--quick")
            run.quick = true;
        else if (args[i] == "--json" && hasValue)
            jsonPath = args[++i];
        else if (args[i] == "--markdown" && hasValue)
            markdownPath = args[++i];
        else if (args[i] == "--sections" && hasValue) {
            sections.clear();
            std::stringstream list(args[++i]);
            for (std::string name; std::getline(list, name, ',');)
                sections.insert(name);
        } else
            return usage();
    }

    char scratch[] = "/tmp/kazutama-bench-XXXXXX";
    if (!mkdtemp(scratch)) {
        std::perror("kazutama-bench: a scratch folder");
        return 1;
    }
    run.scratch = scratch;
    // Qt wants a private runtime folder; the scratch folder is one, for this process and its children.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", scratch);
    QApplication app(argc, argv);
    run.self = std::filesystem::canonical("/proc/self/exe");

    auto sample = readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);
    if (!sample) {
        std::fprintf(stderr, "kazutama-bench: %s\n", sample.error().message.c_str());
        return 1;
    }
    const auto add = [&](std::string name, DrawHistory history) {
        run.histories.push_back({std::move(name), Snapshot(std::move(history))});
    };
    add("sample", test::historyOf(sample.value()));
    for (int draws : run.quick ? std::vector<int>{695} : std::vector<int>{695, 5000, 32000})
        add(std::to_string(draws), test::makeRandomHistory(draws, 2024));

    Report report;
    auto info = machine();
    const std::string speedBefore = speedCheck();
    const std::string date = now();
    std::printf("kazutama-bench, %s\n", date.c_str());
    for (const auto& [key, value] : info)
        std::printf("  %s: %s\n", key.c_str(), value.c_str());
    int status = 0;
    try {
        if (sections.count("startup"))
            startupSection(report, run);
        if (sections.count("builders"))
            builderSection(report, run);
        if (sections.count("grid"))
            gridSection(report, run);
        if (sections.count("memory"))
            memorySection(report, run);
        if (sections.count("prediction"))
            predictionSection(report, run);
        if (sections.count("generate"))
            generatorSection(report, run);
        info.emplace_back("speed check (ms: 20 million arithmetic steps / a walk through 64 MiB)",
                          speedBefore + " before the run, " + speedCheck() + " after it");
        std::printf("\n%s: %s\n", info.back().first.c_str(), info.back().second.c_str());
        report.printTargets();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kazutama-bench: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(run.scratch);
    if (status != 0)
        return status;

    if (!jsonPath.empty() && !writeFile(jsonPath, report.json(date, info))) {
        std::fprintf(stderr, "kazutama-bench: cannot write %s\n", jsonPath.c_str());
        return 1;
    }
    if (!markdownPath.empty()) {
        const std::string notes = notesOf(readFile(markdownPath));
        const std::string command = run.quick ? "kazutama-bench --quick" : "./scripts/bench";
        if (!writeFile(markdownPath, report.markdown(date, info, command, notes))) {
            std::fprintf(stderr, "kazutama-bench: cannot write %s\n", markdownPath.c_str());
            return 1;
        }
    }
    return 0;
}
