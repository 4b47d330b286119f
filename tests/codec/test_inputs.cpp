#include "tests/codec/test_inputs.h"

#include "package/appended_data.h"
#include "package/file_stream.h"

#include <random>

std::vector<uint8_t> RandomBytes(uint32_t seed, size_t length, unsigned alphabet) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(length);
    for (uint8_t& b : bytes)
        b = uint8_t(random() % alphabet);
    return bytes;
}

std::vector<uint8_t> GeneratedText(uint32_t seed, size_t length) {
    static const char* const kWords[] = {
        "the", "installer", "copies", "every", "file", "into", "its", "folder", "and", "writes",
        "registry", "keys", "for", "program", "when", "user", "presses", "Next", "a", "of",
        "setup", "package", "uninstaller", "removes", "what", "was", "made", "shortcut", "to",
        "Windows", "directory", "system", "progress", "bar", "shows", "how", "much", "is", "done",
    };
    const size_t wordCount = sizeof kWords / sizeof kWords[0];
    std::mt19937 random(seed);
    std::vector<uint8_t> text;
    size_t line = 0;
    while (text.size() < length) {
        // Skewed choice, as in real text: a few words are very common.
        size_t pick = random() % wordCount;
        pick = pick * (random() % wordCount) / wordCount;
        const char* word = kWords[pick];
        std::string token = word;
        if (random() % 11 == 0)
            token += ',';
        if (random() % 17 == 0)
            token += '.';
        text.insert(text.end(), token.begin(), token.end());
        line += token.size() + 1;
        if (line > 70) {
            text.push_back('\n');
            line = 0;
        } else {
            text.push_back(' ');
        }
    }
    text.resize(length);
    return text;
}

std::vector<uint8_t> CodeLike(uint32_t seed, size_t length) {
    std::mt19937 random(seed);
    std::vector<uint8_t> code;
    while (code.size() < length) {
        switch (random() % 6) {
        case 0:  // call rel32
            code.push_back(0xE8);
            for (int i = 0; i < 4; ++i)
                code.push_back(uint8_t(i < 2 ? random() : (random() % 3 == 0 ? 0xFF : 0x00)));
            break;
        case 1:  // mov reg, [reg + disp8]
            code.push_back(0x8B);
            code.push_back(uint8_t(0x40 | random() % 64));
            code.push_back(uint8_t((random() % 32) * 4));
            break;
        case 2:  // push / pop / ret sequences
            code.push_back(uint8_t(0x50 + random() % 8));
            code.push_back(uint8_t(0x58 + random() % 8));
            if (random() % 4 == 0)
                code.push_back(0xC3);
            break;
        case 3:  // padding
            code.insert(code.end(), random() % 16, uint8_t(random() % 2 ? 0x00 : 0xCC));
            break;
        case 4:  // a table of little-endian addresses
            for (int i = 0, count = int(random() % 8); i < count; ++i) {
                uint32_t address = 0x00401000u + (random() % 4096) * 4;
                for (int b = 0; b < 4; ++b)
                    code.push_back(uint8_t(address >> (8 * b)));
            }
            break;
        default:  // a string
            for (const char* s = random() % 2 ? "GetProcAddress" : "kernel32.dll"; *s; ++s)
                code.push_back(uint8_t(*s));
            code.push_back(0);
            break;
        }
    }
    code.resize(length);
    return code;
}

std::vector<uint8_t> OwnExecutable(size_t length) {
    FileStream file;
    std::vector<uint8_t> bytes;
    if (!file.Open(GetModulePath(), FileStream::kReadDenyWrite))
        return bytes;
    size_t available = file.GetLength();
    bytes.resize(available < length ? available : length);
    bytes.resize(file.Read(bytes.data(), uint32_t(bytes.size())));
    return bytes;
}

std::vector<TestInput> GeneratedInputs() {
    std::vector<TestInput> inputs;
    auto add = [&](std::string name, std::vector<uint8_t> bytes) {
        inputs.push_back({std::move(name), std::move(bytes)});
    };
    add("empty", {});
    add("one byte", {0x41});
    add("two bytes", {0x41, 0x42});
    add("three equal bytes", {7, 7, 7});
    for (size_t length : {4, 5, 17, 18, 19, 20, 21, 36, 253, 254, 255, 256, 257, 300, 1000, 4097, 5000, 20000})
        add("run of " + std::to_string(length), std::vector<uint8_t>(length, 0x61));
    for (size_t length : {5, 6, 101, 4096, 10001}) {
        std::vector<uint8_t> bytes(length);
        for (size_t i = 0; i < length; ++i)
            bytes[i] = i % 2 ? 'b' : 'a';
        add("two-byte period " + std::to_string(length), bytes);
    }
    for (size_t period : {3, 4, 5, 17, 18, 19, 4094, 4095, 4096, 4097, 4100}) {
        std::vector<uint8_t> unit = RandomBytes(uint32_t(period), period, 256);
        std::vector<uint8_t> bytes;
        while (bytes.size() < 3 * period + 50)
            bytes.insert(bytes.end(), unit.begin(), unit.end());
        add("period " + std::to_string(period), bytes);
    }
    for (unsigned alphabet : {2u, 3u, 4u, 16u}) {
        add("alphabet " + std::to_string(alphabet), RandomBytes(alphabet, 30000, alphabet));
    }
    add("random", RandomBytes(1, 20000));
    add("text", GeneratedText(2, 60000));
    add("code", CodeLike(3, 60000));
    add("executable", OwnExecutable(60000));
    {
        // One pair crowds its list with more than 254 entries and different
        // continuations, then falls silent past the window, then comes back.
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> noise = RandomBytes(5, 20000, 200);
        for (int i = 0; i < 600; ++i) {
            bytes.push_back(0xF0);
            bytes.push_back(0xF1);
            bytes.push_back(noise[i]);
        }
        bytes.insert(bytes.end(), noise.begin(), noise.begin() + 4090);
        for (int i = 0; i < 400; ++i) {
            bytes.push_back(0xF0);
            bytes.push_back(0xF1);
            bytes.push_back(noise[i % 7]);
            bytes.insert(bytes.end(), noise.begin() + 5000 + i, noise.begin() + 5000 + i + i % 13);
        }
        add("crowded pair", bytes);
    }
    {
        // Runs and noise in turn: runs fill lists, noise lets them go stale.
        std::vector<uint8_t> bytes;
        std::mt19937 random(6);
        while (bytes.size() < 80000) {
            size_t run = random() % 700;
            bytes.insert(bytes.end(), run, uint8_t(random() % 3));
            std::vector<uint8_t> noise = RandomBytes(random(), random() % 5000, 4);
            bytes.insert(bytes.end(), noise.begin(), noise.end());
        }
        add("runs and noise", bytes);
    }
    return inputs;
}
