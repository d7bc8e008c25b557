#pragma once
// Where the weapon file writers read a weapon set's own file and where they
// put their lines. Apply binds them to its two line-file handles; the text
// forms used to preview or compare the files bind them to strings. Both read
// lines by the line-file rules: up to LF, without any CR, empty at the end.

#include <array>
#include <string>
#include <string_view>

#include "core/config.h"
#include "core/line_file.h"
#include "core/slots.h"

namespace modsetup {

// The bytes of one file per weapon slot (name.txt or stats.ini); an empty
// string reads like a missing file.
using WeaponSetFiles = std::array<std::string, kWeaponSlotCount>;

namespace detail {

// Reads a slot's set file through Apply's input handle.
class HandleSetFiles {
public:
    HandleSetFiles(LineFile& input, const ProcessStrings& strings, const SlotTexts& texts, std::string_view fileName)
        : input_(input), strings_(strings), texts_(texts), fileName_(fileName) {}
    void open(std::size_t slot) {
        input_.openRead(setFolderPath(strings_.configBase, slot, texts_[slot]) + std::string(fileName_));
    }
    std::string readLine() { return input_.readLine(); }
    void close() { input_.close(); }

private:
    LineFile& input_;
    const ProcessStrings& strings_;
    const SlotTexts& texts_;
    std::string_view fileName_;
};

// Reads a slot's set file from bytes held in memory.
class TextSetFiles {
public:
    explicit TextSetFiles(const WeaponSetFiles& files) : files_(files) {}
    void open(std::size_t slot) { rest_ = files_[slot]; }
    std::string readLine() {
        const std::size_t end = rest_.find('\n');
        std::string line;
        for (char c : rest_.substr(0, end))
            if (c != '\r') line += c;
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return line;
    }
    void close() { rest_ = {}; }

private:
    const WeaponSetFiles& files_;
    std::string_view rest_;
};

// Collects written lines as bytes, CR LF after each.
class TextLines {
public:
    void writeLine(std::string_view line) {
        bytes_ += line;
        bytes_ += "\r\n";
    }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

}  // namespace detail
}  // namespace modsetup
