// The block codec beside zlib and LZ4, in memory, one block per corpus file, with
// memcpy as the ceiling. Usage: vantrel-bench --corpus DIR [benchmark flags]
#include "bench/corpus.h"
#include "bench/summary_reporter.h"
#include "codec/compress.h"
#include "codec/decompress.h"
#include "package/memory_stream.h"

#include <benchmark/benchmark.h>
#include <lz4.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A corpus with everything the runs need made beforehand, so that a run times only
// the codec: input streams, blocks to expand, zlib and LZ4 data, output buffers.
struct Workload {
    Corpus corpus;
    std::vector<std::unique_ptr<MemoryStream>> sources;
    std::vector<std::unique_ptr<MemoryStream>> blocks;
    std::vector<std::unique_ptr<MemoryStream>> expanded;
    std::vector<std::vector<uint8_t>> zlib;
    std::vector<std::vector<uint8_t>> lz4;
    std::vector<uint8_t> scratch;
    MemoryStream compressed;
};

std::unique_ptr<Workload> Prepare(Corpus corpus) {
    auto w = std::make_unique<Workload>();
    w->corpus = std::move(corpus);
    size_t largest = 0;
    for (const std::vector<uint8_t>& file : w->corpus.files) {
        largest = std::max(largest, file.size());
        w->sources.push_back(std::make_unique<MemoryStream>(file));
        auto block = std::make_unique<MemoryStream>();
        CompressBlock(*w->sources.back(), *block, 1, nullptr, nullptr);
        w->blocks.push_back(std::move(block));
        auto expanded = std::make_unique<MemoryStream>();
        expanded->SetLength(uint32_t(file.size()));
        w->expanded.push_back(std::move(expanded));

        uLongf zlibSize = compressBound(uLong(file.size()));
        std::vector<uint8_t> z(zlibSize);
        compress2(z.data(), &zlibSize, file.data(), uLong(file.size()), 6);
        z.resize(zlibSize);
        w->zlib.push_back(std::move(z));

        std::vector<uint8_t> l(size_t(LZ4_compressBound(int(file.size()))));
        l.resize(size_t(LZ4_compress_default(reinterpret_cast<const char*>(file.data()),
                                             reinterpret_cast<char*>(l.data()), int(file.size()), int(l.size()))));
        w->lz4.push_back(std::move(l));
    }
    w->scratch.resize(size_t(compressBound(uLong(largest))) + size_t(LZ4_compressBound(int(largest))) + 64);
    return w;
}

void Finish(benchmark::State& state, const Workload& w, double compressedBytes) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(w.corpus.nBytes));
    if (compressedBytes >= 0)
        state.counters["size"] = compressedBytes / double(w.corpus.nBytes);
}

void VantrelCompress(benchmark::State& state, Workload* w, int thorough) {
    double packed = 0;
    for (auto _ : state) {
        packed = 0;
        for (const std::unique_ptr<MemoryStream>& source : w->sources) {
            w->compressed.Seek(0, ByteStream::kBegin);
            packed += CompressBlock(*source, w->compressed, thorough, nullptr, nullptr);
        }
        benchmark::DoNotOptimize(w->compressed.GetData());
    }
    Finish(state, *w, packed);
}

void VantrelExpand(benchmark::State& state, Workload* w) {
    for (auto _ : state) {
        for (size_t i = 0; i < w->blocks.size(); ++i) {
            w->blocks[i]->Seek(0, ByteStream::kBegin);
            DecompressBlock(*w->blocks[i], *w->expanded[i], nullptr, nullptr);
        }
        benchmark::DoNotOptimize(w->expanded.back()->GetData());
    }
    Finish(state, *w, -1);
}

void ZlibCompress(benchmark::State& state, Workload* w, int level) {
    double packed = 0;
    for (auto _ : state) {
        packed = 0;
        for (const std::vector<uint8_t>& file : w->corpus.files) {
            uLongf size = uLongf(w->scratch.size());
            compress2(w->scratch.data(), &size, file.data(), uLong(file.size()), level);
            packed += double(size);
        }
        benchmark::DoNotOptimize(w->scratch.data());
    }
    Finish(state, *w, packed);
}

void ZlibInflate(benchmark::State& state, Workload* w) {
    for (auto _ : state) {
        for (size_t i = 0; i < w->zlib.size(); ++i) {
            uLongf size = uLongf(w->scratch.size());
            uncompress(w->scratch.data(), &size, w->zlib[i].data(), uLong(w->zlib[i].size()));
        }
        benchmark::DoNotOptimize(w->scratch.data());
    }
    Finish(state, *w, -1);
}

void Lz4Compress(benchmark::State& state, Workload* w) {
    double packed = 0;
    for (auto _ : state) {
        packed = 0;
        for (const std::vector<uint8_t>& file : w->corpus.files) {
            packed += LZ4_compress_default(reinterpret_cast<const char*>(file.data()),
                                           reinterpret_cast<char*>(w->scratch.data()), int(file.size()),
                                           int(w->scratch.size()));
        }
        benchmark::DoNotOptimize(w->scratch.data());
    }
    Finish(state, *w, packed);
}

void Lz4Decompress(benchmark::State& state, Workload* w) {
    for (auto _ : state) {
        for (size_t i = 0; i < w->lz4.size(); ++i) {
            LZ4_decompress_safe(reinterpret_cast<const char*>(w->lz4[i].data()),
                                reinterpret_cast<char*>(w->scratch.data()), int(w->lz4[i].size()),
                                int(w->scratch.size()));
        }
        benchmark::DoNotOptimize(w->scratch.data());
    }
    Finish(state, *w, -1);
}

void Memcpy(benchmark::State& state, Workload* w) {
    for (auto _ : state) {
        for (const std::vector<uint8_t>& file : w->corpus.files)
            std::memcpy(w->scratch.data(), file.data(), file.size());
        benchmark::DoNotOptimize(w->scratch.data());
    }
    Finish(state, *w, -1);
}

// The fixed cost of one call: an empty block compressed and expanded.
void EmptyBlock(benchmark::State& state) {
    MemoryStream empty;
    MemoryStream block;
    MemoryStream expanded;
    for (auto _ : state) {
        block.Seek(0, ByteStream::kBegin);
        CompressBlock(empty, block, 1, nullptr, nullptr);
        block.Seek(0, ByteStream::kBegin);
        DecompressBlock(block, expanded, nullptr, nullptr);
    }
}

void Register(const std::string& prefix, Workload* w, bool withOthers) {
    auto add = [&](const std::string& codec, auto&& function) {
        // CPU time: on a shared machine it is what the codec itself costs.
        benchmark::RegisterBenchmark((prefix + "/" + codec).c_str(), function)->Unit(benchmark::kMillisecond);
    };
    add("vantrel-thorough", [w](benchmark::State& s) { VantrelCompress(s, w, 1); });
    add("vantrel-fast", [w](benchmark::State& s) { VantrelCompress(s, w, 0); });
    add("vantrel-expand", [w](benchmark::State& s) { VantrelExpand(s, w); });
    add("zlib-6", [w](benchmark::State& s) { ZlibCompress(s, w, 6); });
    add("zlib-inflate", [w](benchmark::State& s) { ZlibInflate(s, w); });
    if (!withOthers)
        return;
    add("zlib-1", [w](benchmark::State& s) { ZlibCompress(s, w, 1); });
    add("lz4", [w](benchmark::State& s) { Lz4Compress(s, w); });
    add("lz4-decompress", [w](benchmark::State& s) { Lz4Decompress(s, w); });
    add("memcpy", [w](benchmark::State& s) { Memcpy(s, w); });
}

}  // namespace

int main(int argc, char** argv) {
    std::string root;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--corpus" && i + 1 < argc)
            root = argv[++i];
        else if (arg.rfind("--corpus=", 0) == 0)
            root = arg.substr(9);
        else
            args.push_back(argv[i]);
    }
    if (root.empty()) {
        std::fprintf(stderr, "usage: %s --corpus DIR [benchmark flags]\n", argv[0]);
        return 2;
    }
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());

    std::vector<std::unique_ptr<Workload>> workloads;
    for (Corpus& corpus : LoadCorpora(root)) {
        std::printf("corpus %s: %zu files, %zu bytes\n", corpus.strName.c_str(), corpus.files.size(), corpus.nBytes);
        Corpus pieces = corpus.strName == "text" ? CutInPieces(corpus, 4096) : Corpus();
        workloads.push_back(Prepare(std::move(corpus)));
        Register(workloads.back()->corpus.strName, workloads.back().get(), true);
        if (!pieces.files.empty()) {
            // Many small blocks: the per-block set-up must not show per byte.
            workloads.push_back(Prepare(std::move(pieces)));
            Register("text-4k", workloads.back().get(), false);
        }
    }
    if (workloads.empty()) {
        std::fprintf(stderr, "no corpus under %s\n", root.c_str());
        return 1;
    }
    benchmark::RegisterBenchmark("setup/empty-block", EmptyBlock)->Unit(benchmark::kMicrosecond);

    CSummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
