#include "core/library/choices_code.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace modsetup {
namespace {

constexpr std::string_view kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string hex8(std::uint32_t value) {
    std::array<char, 9> digits{};
    std::snprintf(digits.data(), digits.size(), "%08x", value);
    return digits.data();
}

std::string base64(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
        for (std::size_t k = 0; k < 4; ++k) text += i + k <= bytes.size() ? kBase64[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return text;
}

std::optional<std::string> fromBase64(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t group = 0;
        std::size_t padding = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const std::size_t value = kBase64.find(c);
            // Padding only at the very end.
            if (c == '=' && i + 4 == text.size() && k >= 2) ++padding;
            else if (value == std::string_view::npos || padding > 0) return std::nullopt;
            group = (group << 6) | (c == '=' ? 0 : static_cast<std::uint32_t>(value));
        }
        bytes += static_cast<char>(group >> 16);
        if (padding < 2) bytes += static_cast<char>((group >> 8) & 0xFF);
        if (padding < 1) bytes += static_cast<char>(group & 0xFF);
    }
    return bytes;
}

}  // namespace

std::string choicesCode(std::string_view bytes) {
    return std::string(kChoicesCodePrefix) + base64(bytes) + ' ' + hex8(crc32(bytes));
}

std::optional<std::string> decodeChoicesCode(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t')) line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (!line.starts_with(kChoicesCodePrefix)) return std::nullopt;
    line.remove_prefix(kChoicesCodePrefix.size());
    const std::size_t space = line.rfind(' ');
    if (space == std::string_view::npos || line.size() - space - 1 != 8) return std::nullopt;
    std::optional<std::string> bytes = fromBase64(line.substr(0, space));
    if (!bytes || hex8(crc32(*bytes)) != line.substr(space + 1)) return std::nullopt;
    return bytes;
}

}  // namespace modsetup
