#pragma once

#include "core/rom/romfile.h"
#include "core/search/tileforms.h"
#include "core/search/tilescanner.h"

#include <QtGlobal>

#include <vector>

// At most this many places are kept; the rest are only counted.
inline constexpr qsizetype kKeptPlaces = 100000;
// How many positions one piece of a search covers: read with one positioned read (and the
// 15 bytes a tile at its last position needs), a piece takes a fraction of a millisecond.
inline constexpr qint64 kSearchPiece = 256 * 1024;

// Where a form of the tile lies in the file.
struct FoundPlace {
    qint32 address = 0;
    quint8 form = 0; // index into SearchResult::forms
    bool operator==(const FoundPlace&) const = default;
};

// What a search found, in the order it looked: from its start to the end of the file, then
// from the start of the file on.
struct SearchResult {
    FileIdentity file;
    std::vector<TileForm> forms;
    std::vector<FoundPlace> places; // the first ones found, at most the bound
    qint64 count = 0;               // every place found, kept or not
};

// A search of a file for the forms of a tile at every byte offset, piece by piece so that the
// caller can stay responsive and stop it between two pieces. Its memory does not grow with the
// file: one piece of bytes and the places kept.
class TileSearch {
  public:
    enum class State { Running, Done, FileChanged };

    // Searches `file` (which must outlive the search) for `forms`, from position `start` on
    // and round to the position before it; every position at which a whole tile lies in the
    // file's length (as opened) is looked at once.
    TileSearch(const RomFile& file, std::vector<TileForm> forms, qint64 start,
               qsizetype keep = kKeptPlaces, qint64 piece = kSearchPiece);

    // Reads and searches the next piece. FileChanged, and the search is over, when the file
    // gave fewer bytes than its length promised or its path no longer leads to it (looked at
    // every 4 MiB and at the end).
    [[nodiscard]] State searchPiece();
    // How much is done, in thousandths.
    [[nodiscard]] int permille() const;
    [[nodiscard]] const SearchResult& result() const { return m_result; }
    [[nodiscard]] SearchResult takeResult() { return std::move(m_result); }

  private:
    void keep(qint64 address, int form);

    const RomFile& m_file;
    SearchResult m_result;
    TileScanner m_scanner;
    qint64 m_positions; // tile positions in the file: its length - 15, or none
    qint64 m_start;
    qint64 m_done = 0;
    int m_pieces = 0;
    qint64 m_piece;
    qsizetype m_keep;
    State m_state;
    std::vector<quint8> m_bytes;
};
