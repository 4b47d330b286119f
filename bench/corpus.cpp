#include "bench/corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> SortedEntries(const fs::path& dir) {
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename().string()[0] != '.')
            entries.push_back(entry.path());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace

std::vector<Corpus> LoadCorpora(const std::string& root) {
    std::vector<Corpus> corpora;
    for (const fs::path& dir : SortedEntries(root)) {
        if (!fs::is_directory(dir))
            continue;
        Corpus corpus;
        corpus.strName = dir.filename().string();
        for (const fs::path& file : SortedEntries(dir)) {
            std::ifstream in(file, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            corpus.nBytes += bytes.size();
            corpus.files.push_back(std::move(bytes));
        }
        if (!corpus.files.empty())
            corpora.push_back(std::move(corpus));
    }
    return corpora;
}

Corpus CutInPieces(const Corpus& corpus, size_t pieceSize) {
    Corpus pieces;
    pieces.strName = corpus.strName;
    pieces.nBytes = corpus.nBytes;
    for (const std::vector<uint8_t>& file : corpus.files) {
        for (size_t at = 0; at < file.size(); at += pieceSize) {
            size_t end = std::min(file.size(), at + pieceSize);
            pieces.files.emplace_back(file.begin() + at, file.begin() + end);
        }
    }
    return pieces;
}
