#include "bench/summary_reporter.h"

#include <algorithm>
#include <cstdio>

namespace {

struct Comparison {
    const char* codec;
    const char* zlib;  // the zlib codec the time is compared with
    const char* lz4;
    double textGoal;   // at most this multiple of zlib's time; 0: no goal
    double exeGoal;
    // On a corpus cut in pieces ("text-4k"), at least as fast per byte as on the corpus
    // whole: what a block costs to set up must not show. Only for our compressors, whose
    // work goes by input position; the expander's goes by items, and small blocks of
    // the same text hold more, shorter items per byte.
    bool piecesAsFast;
};

const Comparison kComparisons[] = {
    {"vantrel-thorough", "zlib-6", "lz4", 0.5, 0.45, true},
    {"vantrel-fast", "zlib-6", "lz4", 0.35, 0.25, true},
    {"zlib-1", "zlib-6", "lz4", 0, 0, false},
    {"zlib-6", "zlib-6", "lz4", 0, 0, false},
    {"lz4", "zlib-6", "lz4", 0, 0, false},
    {"vantrel-expand", "zlib-inflate", "lz4-decompress", 0.35, 0.35, false},
    {"zlib-inflate", "zlib-inflate", "lz4-decompress", 0, 0, false},
    {"lz4-decompress", "zlib-inflate", "lz4-decompress", 0, 0, false},
    {"memcpy", "zlib-inflate", "lz4-decompress", 0, 0, false},
};

}  // namespace

void CSummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // The median when there are repetitions, else the single run.
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
            continue;
        std::string name = run.run_name.function_name;
        size_t slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        std::string corpus = name.substr(0, slash);
        std::string codec = name.substr(slash + 1);
        if (std::find(m_corpusOrder.begin(), m_corpusOrder.end(), corpus) == m_corpusOrder.end())
            m_corpusOrder.push_back(corpus);
        Result result;
        result.dSeconds = run.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
        auto rate = run.counters.find("bytes_per_second");
        if (rate != run.counters.end())
            result.dBytesPerSecond = rate->second.value;
        auto size = run.counters.find("size");
        if (size != run.counters.end())
            result.dSizeRatio = size->second.value;
        m_results[corpus][codec] = result;
    }
}

void CSummaryReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\nMedians of CPU time; time relative to zlib (level 6 for compressors, inflate for expanders) and LZ4 on the same data.\n");
    std::printf("%-12s %-18s %10s %8s %9s %9s %7s\n", "corpus", "codec", "MB/s", "size", "x zlib", "x lz4", "goal");
    for (const std::string& corpus : m_corpusOrder) {
        const std::map<std::string, Result>& results = m_results[corpus];
        for (const Comparison& c : kComparisons) {
            auto self = results.find(c.codec);
            if (self == results.end())
                continue;
            auto zlib = results.find(c.zlib);
            auto lz4 = results.find(c.lz4);
            char size[16] = "";
            if (self->second.dSizeRatio >= 0)
                std::snprintf(size, sizeof size, "%.1f%%", self->second.dSizeRatio * 100);
            char versusZlib[16] = "";
            if (zlib != results.end())
                std::snprintf(versusZlib, sizeof versusZlib, "%.3f", self->second.dSeconds / zlib->second.dSeconds);
            char versusLz4[16] = "";
            if (lz4 != results.end())
                std::snprintf(versusLz4, sizeof versusLz4, "%.2f", self->second.dSeconds / lz4->second.dSeconds);
            char verdict[24] = "";
            const double goal = corpus == "text" ? c.textGoal : corpus == "exe" ? c.exeGoal : 0;
            if (goal > 0 && zlib != results.end()) {
                bool met = self->second.dSeconds / zlib->second.dSeconds <= goal;
                std::snprintf(verdict, sizeof verdict, "%s%.2f", met ? "<=" : "MISS>", goal);
            }
            const size_t dash = corpus.rfind('-');
            const std::string whole = dash == std::string::npos ? std::string() : corpus.substr(0, dash);
            auto wholeResult = m_results[whole].find(c.codec);
            if (c.piecesAsFast && !whole.empty() && wholeResult != m_results[whole].end()) {
                bool met = self->second.dBytesPerSecond >= wholeResult->second.dBytesPerSecond;
                std::snprintf(verdict, sizeof verdict, "%s%s", met ? ">=" : "MISS<", whole.c_str());
            }
            std::printf("%-12s %-18s %10.1f %8s %9s %9s %7s\n", corpus.c_str(), c.codec,
                        self->second.dBytesPerSecond / 1e6, size, versusZlib, versusLz4, verdict);
        }
    }
    std::fflush(stdout);
}
