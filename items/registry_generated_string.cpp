#include "items/registry_generated_string.h"

#include <cstdlib>

namespace {

void AppendTwoDigits(std::string& out, int value) {
    value %= 100;
    if (value < 0)
        value += 100;
    out += char('0' + value / 10);
    out += char('0' + value % 10);
}

void AppendHexByte(std::string& out, int value) {
    static const char kDigits[] = "0123456789ABCDEF";
    out += kDigits[(value >> 4) & 15];
    out += kDigits[value & 15];
}

}  // namespace

std::string MakeGeneratedString(int32_t length, const std::tm& local, int (*random)()) {
    std::string all;
    AppendHexByte(all, random());
    AppendTwoDigits(all, local.tm_mday);
    AppendHexByte(all, random());
    AppendTwoDigits(all, local.tm_mon + 1);
    AppendHexByte(all, random());
    AppendTwoDigits(all, local.tm_year);
    AppendHexByte(all, random());
    AppendTwoDigits(all, local.tm_hour);
    AppendHexByte(all, random());
    AppendTwoDigits(all, local.tm_min);
    all += "00";
    AppendTwoDigits(all, local.tm_sec);
    if (length <= 0)
        return std::string();
    if (length >= kGeneratedStringChars)
        return all;
    return all.substr(size_t(kGeneratedStringChars - length));
}

std::string GenerateString(int32_t length) {
    std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (const std::tm* converted = std::localtime(&now))
        local = *converted;
    return MakeGeneratedString(length, local, [] { return std::rand(); });
}
