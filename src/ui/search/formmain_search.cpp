// Finding the selected cell's tile in the file: as stored (Ctrl+F) or as the same picture
// mirrored or renumbered (Ctrl+Shift+F), then from place to place (F3, Shift+F3). A place
// found becomes the browser's mark and is brought into view through the jump, as the keys
// move the view. Searching reads the file and never writes it; it is no step of the history.
//
// The search runs on this thread, a piece of the file at a time, with the events handled
// between pieces (Prompts::work): the program has one thread, the file is read only from it,
// and the modal progress dialog keeps every other action out until the search is over.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/app/numbers.h"
#include "core/search/foundview.h"
#include "ui/platform/picturebox.h"
#include "ui/platform/prompts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void FormMain::findTile() {
    searchFile(SearchKind::Stored);
}

void FormMain::findSamePicture() {
    searchFile(SearchKind::SamePicture);
}

void FormMain::searchFile(SearchKind kind) {
    if (m_searching) return;
    const QString& title = kind == SearchKind::Stored ? msg::kFindTitle : msg::kFindPictureTitle;
    if (!s.RomFileOpen || !RomFileHandle) {
        m_prompts.messageBox(notice(msg::kFindNoFile, title));
        return;
    }
    const TileRecord& cell = selectedTile();
    if (isHiddenCell(cell, s.NoncopiedHidden)) {
        m_prompts.messageBox(notice(msg::kFindHiddenCell, title));
        return;
    }
    if (const std::optional<quint8> value = singleValue(cell.Pixels)) {
        m_prompts.messageBox(notice(msg::findOneValue(*value), title));
        return;
    }
    std::optional<SearchResult> found = runSearch(kind, title);
    if (!found) return;
    if (found->places.empty()) {
        m_prompts.messageBox(
            notice(msg::notFound(s.RomFilePath, kind == SearchKind::SamePicture), title));
        return;
    }
    m_found = std::move(found);
    showFoundPlace(0);
}

// The search itself, from the byte after the marked address on; nothing when it was
// cancelled or stopped (and said so).
std::optional<SearchResult> FormMain::runSearch(SearchKind kind, const QString& title) {
    const RomFile* file = RomFileHandle.get();
    TileSearch search(*file, tileForms(selectedTile().Pixels, kind),
                      qint64(s.BrowserSelAddress) + 1);
    TileSearch::State state = TileSearch::State::Running;
    m_searching = true;
    const WorkEnd end = m_prompts.work(title, msg::searching(s.RomFilePath), [&] {
        // Between the pieces the file watch may open a file renamed over the path in place of
        // the one searched: the search must not go on through the handle it had.
        if (RomFileHandle.get() != file || !(file->identity() == search.result().file)) {
            state = TileSearch::State::FileChanged;
            return kWorkDone;
        }
        state = search.searchPiece();
        return state == TileSearch::State::Running ? search.permille() : kWorkDone;
    });
    m_searching = false;
    if (end == WorkEnd::Cancelled) {
        LbStatus->setText(msg::kSearchCancelled);
        return std::nullopt;
    }
    if (state == TileSearch::State::FileChanged) {
        m_prompts.messageBox(notice(msg::searchStopped(s.RomFilePath), title));
        return std::nullopt;
    }
    return search.takeResult();
}

void FormMain::findNext() {
    stepToPlace(1);
}

void FormMain::findPrevious() {
    stepToPlace(-1);
}

// The places belong to the file searched: to it alone, also when it is opened again.
void FormMain::stepToPlace(int direction) {
    if (m_searching) return;
    if (!s.RomFileOpen || !RomFileHandle || !m_found ||
        !(m_found->file == RomFileHandle->identity())) {
        LbStatus->setText(msg::kNoPlaces);
        return;
    }
    const auto count = qsizetype(m_found->places.size());
    showFoundPlace((m_foundIndex + direction + count) % count);
}

// Marks place `index` of the last search and brings it into view.
void FormMain::showFoundPlace(qsizetype index) {
    m_foundIndex = index;
    const FoundPlace place = m_found->places[size_t(index)];
    const int entry = int(NumericValue(ComboDivert->currentText()));
    const FoundView view =
        foundView(place.address, s.BrowserTopAddress, s.BrowserColumns,
                  browserWholeCells(SpriteBox->scaleWidth(), SpriteBox->scaleHeight(),
                                    s.BrowserZoom, s.BrowserCellSize),
                  entry);
    QString status =
        msg::foundAt(place.address, index + 1, m_found->count, qsizetype(m_found->places.size()),
                     m_found->forms[place.form].name);
    if (view.entry != entry) {
        ComboDivert->setCurrentIndex(view.entry);
        status += msg::offsetChangedFor(view.entry);
    }
    s.BrowserSelAddress = place.address;
    s.BrowserSelColumn = view.column;
    s.BrowserSelRow = view.row;
    if (view.typed) {
        TextAddress->setText(plainDecimal(*view.typed));
        BtJumpAdd_Click();
    } else {
        TextAddress->setText(plainDecimal(place.address));
        DrawBrowser();
    }
    LbStatus->setText(status);
}
