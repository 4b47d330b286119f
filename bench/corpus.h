// A benchmark corpus: the files of one folder, held in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Corpus {
    std::string strName;
    std::vector<std::vector<uint8_t>> files;
    size_t nBytes = 0;
};

// One corpus per sub-folder of root, in name order; files in name order.
std::vector<Corpus> LoadCorpora(const std::string& root);

// The corpus's bytes cut into pieces of at most pieceSize, as many small files.
Corpus CutInPieces(const Corpus& corpus, size_t pieceSize);
