#include "core/search/tilesearch.h"

#include <algorithm>

namespace {

constexpr int kPiecesBetweenLooks = 16;

std::vector<TileBytes> patternsOf(const std::vector<TileForm>& forms) {
    std::vector<TileBytes> patterns;
    patterns.reserve(forms.size());
    for (const TileForm& form : forms)
        patterns.push_back(form.bytes);
    return patterns;
}

} // namespace

TileSearch::TileSearch(const RomFile& file, std::vector<TileForm> forms, qint64 start,
                       qsizetype keep, qint64 piece)
    : m_file(file), m_result{file.identity(), std::move(forms), {}, 0},
      m_scanner(patternsOf(m_result.forms)),
      m_positions(std::max<qint64>(file.length() - kTileBytes + 1, 0)),
      m_start(m_positions > 0 ? std::max<qint64>(start, 0) % m_positions : 0),
      m_piece(std::max<qint64>(piece, 1)), m_keep(keep),
      m_state(m_positions > 0 ? State::Running : State::Done) {
    m_bytes.resize(size_t(std::min(m_piece, m_positions) + kTileBytes - 1));
}

TileSearch::State TileSearch::searchPiece() {
    if (m_state != State::Running) return m_state;
    // A piece never runs over the end of the file: there the search goes on at its start.
    const qint64 first = (m_start + m_done) % m_positions;
    const qint64 count = std::min({m_piece, m_positions - m_done, m_positions - first});
    const qint64 length = count + kTileBytes - 1;
    // Whether the path still leads to the file is asked every few pieces and after the last:
    // asked for every piece, it would cost a few per cent of the search.
    const bool last = m_done + count == m_positions;
    const bool look = last || ++m_pieces % kPiecesBetweenLooks == 0;
    if (m_file.read(first, m_bytes.data(), length) != length ||
        (look && !m_file.isFileAt(m_file.path())))
        return m_state = State::FileChanged;
    m_scanner.scan(m_bytes.data(), length,
                   [this, first](qint64 at, int form) { keep(first + at, form); });
    m_done += count;
    if (last) m_state = State::Done;
    return m_state;
}

int TileSearch::permille() const {
    return m_positions > 0 ? int(m_done * 1000 / m_positions) : 1000;
}

void TileSearch::keep(qint64 address, int form) {
    ++m_result.count;
    std::vector<FoundPlace>& places = m_result.places;
    if (qsizetype(places.size()) >= m_keep) return;
    // Grown by hand up to the bound, so that the last growth does not go far past it.
    if (places.size() == places.capacity())
        places.reserve(std::min<size_t>(size_t(m_keep), std::max<size_t>(1024, 2 * places.size())));
    places.push_back({qint32(address), quint8(form)});
}
