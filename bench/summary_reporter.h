// Console output as usual, then one table per corpus: each codec's median speed and
// its time as a multiple of zlib level 6's and LZ4's on the same data in the same run.
// Goals: the ratios to zlib on the text and executables corpora; on a corpus cut in
// pieces, our compressors' speed per byte against the whole corpus.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class CSummaryReporter : public benchmark::ConsoleReporter {
public:
    CSummaryReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Result {
        double dSeconds = 0;       // per iteration
        double dBytesPerSecond = 0;
        double dSizeRatio = -1;    // compressed / original, for compressors
    };

    // Benchmark names are "<corpus>/<codec>".
    std::map<std::string, std::map<std::string, Result>> m_results;
    std::vector<std::string> m_corpusOrder;
};
