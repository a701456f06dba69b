// The combination generator: one walk over all 10,295,472 combinations with every filter, and the ticket
// draw.

#include "BenchSupport.h"
#include "Sections.h"
#include "generator/TicketDraw.h"

#include <stdexcept>

namespace kazutama::bench {

namespace {

// Every filter at once, with the closest past match allowed as given; the pool is a fixed set of numbers (the
// prediction engine has a section of its own).
CombinationFilters everyFilter(int pastMatchMax) {
    CombinationFilters filters;
    filters.include = {7};
    filters.exclude = {1, 2};
    filters.ranges = {CountRange{100, 170}, CountRange{2, 5}, CountRange{2, 5},
                      CountRange{0, 2},     CountRange{0, 2}, CountRange{0, 2}};
    filters.sameLastDigitMax = 2;
    filters.pastMatchMax = pastMatchMax;
    filters.poolKind = PoolKind::Multiple;
    for (int n = 3; n <= kHighestNumber; ++n)
        filters.pool.push_back(n);
    return filters;
}

} // namespace

void generatorSection(Report& report, const Run& run) {
    const int walks = run.repetitions(11);
    Table table{
        "Combination generator",
        "ms, medians of " + std::to_string(walks) +
            " walks over all 10,295,472 combinations; every filter, at the closest past match allowed "
            "(pastMatchMax K), and 10 tickets drawn",
        {"history", "no filter", "all, K = 3", "all, K = 4", "all, K = 5", "tickets"},
        {}};
    for (const NamedHistory* history : run.pick({"sample", "5000"})) {
        std::vector<std::string> row{history->name};
        std::int64_t sink = 0;
        const auto walk = [&](const CombinationFilters& filters) {
            return medianMicroseconds(
                       walks,
                       [&] { sink += countCombinations(filters, history->snapshot.history()).all.passing; }) /
                   1000;
        };
        const double none = walk(CombinationFilters{});
        row.push_back(fixed(none, 1));
        report.measure({"generate", "walk", "no filter", history->name, none, "ms"});
        for (int most : {3, 4, 5}) {
            const double ms = walk(everyFilter(most));
            row.push_back(fixed(ms, 1));
            const std::string what = "all filters, K = " + std::to_string(most);
            report.measure({"generate", "walk", what, history->name, ms, "ms"});
            // The figure a user waits for is the sample's (about 700 draws); 5,000 draws show how it grows.
            if (history->name == "sample")
                report.target({"generate " + what, history->name, ms, 500, "ms"});
        }
        const GeneratorCounts counts = countCombinations(everyFilter(5), history->snapshot.history());
        const double tickets =
            medianMicroseconds(walks,
                               [&] {
                                   sink += std::int64_t(
                                       drawTickets(counts.passingBits, counts.all.passing, 10, 1).size());
                               }) /
            1000;
        row.push_back(fixed(tickets, 3));
        report.measure({"generate", "tickets", "10 tickets", history->name, tickets, "ms"});
        if (sink == 0)
            throw std::runtime_error("the generator passed nothing");
        table.rows.push_back(std::move(row));
    }
    report.add(std::move(table));
}

} // namespace kazutama::bench
