// Writes a small Game Boy tile file to try the editor on: a font and a few sprites, drawn
// here as text, stored with the program's own tile encoder.
#include "core/rom/tilecodec.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Picture = std::array<const char*, 8>;

// '.' is colour 0, then '+', 'o', '#' for 1 to 3.
quint8 colourOf(char c) {
    return c == '#' ? 3 : c == 'o' ? 2 : c == '+' ? 1 : 0;
}

void appendTile(std::vector<unsigned char>& out, const Picture& rows) {
    TilePixels pixels{};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            pixels[size_t(8 * y + x)] = colourOf(rows[size_t(y)][x]);
    }
    const TileBytes bytes = encodeTile(pixels);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

const Picture kGlyphs[] = {
    {"..###...", ".#...#..", ".#..##..", ".#.#.#..", ".##..#..", ".#...#..", "..###...",
     "........"}, // 0
    {"...#....", "..##....", "...#....", "...#....", "...#....", "...#....", "..###...",
     "........"}, // 1
    {"..###...", ".#...#..", ".....#..", "....#...", "...#....", "..#.....", ".#####..",
     "........"}, // 2
    {"..###...", ".#...#..", ".#...#..", ".#####..", ".#...#..", ".#...#..", ".#...#..",
     "........"}, // A
    {".####...", ".#...#..", ".####...", ".#...#..", ".#...#..", ".#...#..", ".####...",
     "........"}, // B
    {".####...", ".#...#..", ".#...#..", ".####...", ".#......", ".#......", ".#......",
     "........"}, // P
    {".#####..", ".#......", ".####...", ".#......", ".#......", ".#......", ".#####..",
     "........"}, // E
    {".#......", ".#......", ".#......", ".#......", ".#......", ".#......", ".#####..",
     "........"}, // L
    {"..###...", ".#...#..", ".#...#..", ".#...#..", ".#...#..", ".#...#..", "..###...",
     "........"}, // O
    {".####...", ".#...#..", ".#...#..", ".####...", ".#.#....", ".#..#...", ".#...#..",
     "........"}, // R
    {"..###...", "...#....", "...#....", "...#....", "...#....", "...#....", "..###...",
     "........"}, // I
    {".#...#..", ".##..#..", ".#.#.#..", ".#..##..", ".#...#..", ".#...#..", ".#...#..",
     "........"}, // N
};

const Picture kSprites[] = {
    {".##..##.", "#oo##oo#", "#oooooo#", "#oooooo#", ".#oooo#.", "..#oo#..", "...##...",
     "........"}, // heart
    {"..####..", ".#++++#.", "#+#++#+#", "#++++++#", "#+#++#+#", "#++##++#", ".#++++#.",
     "..####.."}, // face
    {"##..##..", "##..##..", "..##..##", "..##..##", "##..##..", "##..##..", "..##..##",
     "..##..##"}, // checks
    {"...##...", "..#oo#..", ".#o++o#.", "#o+..+o#", "#o+..+o#", ".#o++o#.", "..#oo#..",
     "...##..."}, // ring
    {"........", ".++++++.", ".+oooo+.", ".+o##o+.", ".+o##o+.", ".+oooo+.", ".++++++.",
     "........"}, // frame
    {"#.......", "##......", "#o#.....", "#oo#....", "#ooo#...", "#oooo#..", "######..",
     "........"}, // ramp
};

// The letter P once more, as a game may keep a second copy of its font: mirrored left-right,
// drawn in colour 2 on colour 1 instead of 3 on 0, at an address that is no multiple of 16.
// The search for the same picture finds it from the P of the font.
const Picture kSecondP = {"+++oooo+", "++o+++o+", "++o+++o+", "+++oooo+",
                          "++++++o+", "++++++o+", "++++++o+", "++++++++"};
constexpr size_t kSecondPAddress = 3001;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesample OUTPUT\n");
        return 2;
    }
    std::vector<unsigned char> bytes;
    for (const Picture& glyph : kGlyphs)
        appendTile(bytes, glyph);
    for (const Picture& sprite : kSprites)
        appendTile(bytes, sprite);
    // A band of every colour in every row position, then room to copy tiles to.
    for (int shade = 0; shade < 4; ++shade) {
        const std::string row(8, ".+o#"[shade]);
        appendTile(bytes, {row.c_str(), row.c_str(), row.c_str(), row.c_str(), row.c_str(),
                           row.c_str(), row.c_str(), row.c_str()});
    }
    bytes.resize(4096, 0);
    std::vector<unsigned char> secondP;
    appendTile(secondP, kSecondP);
    std::copy(secondP.begin(), secondP.end(), bytes.begin() + kSecondPAddress);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return out ? 0 : 1;
}
