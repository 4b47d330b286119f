// Seeded inputs for the codec tests: the same bytes on every platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestInput {
    std::string strName;
    std::vector<uint8_t> bytes;
};

// Short and adversarial inputs: empty, one and two bytes, single-byte runs around
// the list cap, two-byte periods, repeats at distances around the window, random
// bytes over small and full alphabets, text, code-like data.
std::vector<TestInput> GeneratedInputs();

// Words and punctuation in lines, like a text file.
std::vector<uint8_t> GeneratedText(uint32_t seed, size_t length);

// Random bytes drawn from the first alphabet values.
std::vector<uint8_t> RandomBytes(uint32_t seed, size_t length, unsigned alphabet = 256);

// Bytes shaped like machine code with tables and padding.
std::vector<uint8_t> CodeLike(uint32_t seed, size_t length);

// Up to length bytes of the running test program, a real executable.
std::vector<uint8_t> OwnExecutable(size_t length);
