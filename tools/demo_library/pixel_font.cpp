#include "demo_library/pixel_font.h"

#include <array>

namespace modsetup::demo {
namespace {

struct Glyph {
    char character;
    std::string_view rows;  // five rows of three cells, '#' for a set pixel
};

constexpr std::array<Glyph, 39> kGlyphs{{
    {'A', ".#.#.#####.##.#"}, {'B', "##.#.###.#.###."}, {'C', ".###..#..#...##"}, {'D', "##.#.##.##.###."},
    {'E', "####..##.#..###"}, {'F', "####..##.#..#.."}, {'G', ".###..#.##.#.##"}, {'H', "#.##.#####.##.#"},
    {'I', "###.#..#..#.###"}, {'J', "..#..#..##.#.#."}, {'K', "#.##.###.#.##.#"}, {'L', "#..#..#..#..###"},
    {'M', "#.########.##.#"}, {'N', "##.#.##.##.##.#"}, {'O', ".#.#.##.##.#.#."}, {'P', "##.#.###.#..#.."},
    {'Q', ".#.#.##.###..##"}, {'R', "##.#.###.#.##.#"}, {'S', ".###...#...###."}, {'T', "###.#..#..#..#."},
    {'U', "#.##.##.##.####"}, {'V', "#.##.##.##.#.#."}, {'W', "#.##.########.#"}, {'X', "#.##.#.#.#.##.#"},
    {'Y', "#.##.#.#..#..#."}, {'Z', "###..#.#.#..###"}, {'0', "####.##.##.####"}, {'1', ".#.##..#..#.###"},
    {'2', "##...#.#.#..###"}, {'3', "##...#.#...###."}, {'4', "#.##.####..#..#"}, {'5', "####..##...###."},
    {'6', ".###..####.####"}, {'7', "###..#.#..#..#."}, {'8', "####.#####.####"}, {'9', "####.####..###."},
    {'-', "......###......"}, {'.', ".............#."}, {' ', "..............."},
}};

std::string_view glyphRows(char character) {
    if (character >= 'a' && character <= 'z') character = static_cast<char>(character - 'a' + 'A');
    for (const auto& glyph : kGlyphs) {
        if (glyph.character == character) return glyph.rows;
    }
    return {};
}

constexpr bool allGlyphsComplete() {
    for (const auto& glyph : kGlyphs) {
        if (glyph.rows.size() != kGlyphWidth * kGlyphHeight) return false;
    }
    return true;
}
static_assert(allGlyphsComplete());

}  // namespace

int labelWidth(std::string_view text) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * (kGlyphWidth + 1) - 1;
}

void drawLabel(QImage& image, int x, int y, std::string_view text, QRgb colour) {
    for (char character : text) {
        const std::string_view rows = glyphRows(character);
        for (std::size_t cell = 0; cell < rows.size(); ++cell) {
            if (rows[cell] != '#') continue;
            const int px = x + static_cast<int>(cell % kGlyphWidth);
            const int py = y + static_cast<int>(cell / kGlyphWidth);
            if (image.valid(px, py)) image.setPixel(px, py, colour);
        }
        x += kGlyphWidth + 1;
    }
}

}  // namespace modsetup::demo
