// What a ROM image holds besides tiles: the question before a write into its header, its
// checksums (Ctrl+K) and colours read from its bytes (Ctrl+L).
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/cartridge/checksums.h"
#include "core/cartridge/storedpalette.h"
#include "core/rom/romfile.h"
#include "ui/platform/prompts.h"

#include <QLabel>

#include <algorithm>

// Every write passes here with the bytes it is about to change, after the user agreed to the
// write itself: one that reaches into the header asks once more. Answered No, nothing is
// written and the browser is redrawn, as after a No to the write.
bool FormMain::mayWriteIntoHeader(const std::vector<TileWrite>& writes) {
    const std::optional<GuardedRange> guarded = guardedRange(s.RomCartridge);
    const auto touches = [&guarded](const TileWrite& write) {
        return guarded->touchedBy(write.address, write.length);
    };
    if (!guarded || std::none_of(writes.begin(), writes.end(), touches)) return true;
    const QString text = s.RomCartridge.kind == CartridgeKind::GameBoy
                             ? msg::confirmGameBoyHeaderWrite(guarded->first, guarded->last)
                             : msg::confirmSnesHeaderWrite(mappingName(s.RomCartridge.mapping),
                                                           guarded->first, guarded->last);
    if (m_prompts.messageBox(question(text, msg::kHeaderWriteTitle)) == MsgAnswer::Yes) return true;
    DrawBrowser();
    return false;
}

// What the file is and how its checksums stand; when any is wrong, the offer to write the
// right ones.
void FormMain::showChecksums() {
    const auto refuse = [this](const QString& text) {
        m_prompts.messageBox(notice(text, msg::kChecksumsTitle));
    };
    if (!s.RomFileOpen || !RomFileHandle) return refuse(msg::kChecksumsNoFile);
    const QString path = RomFileHandle->path();
    if (s.RomCartridge.kind == CartridgeKind::Plain) return refuse(msg::plainFile(path));
    const std::optional<ChecksumReport> shown = readChecksums(*RomFileHandle, s.RomCartridge);
    if (!shown) return refuse(msg::checksumsUnreadable(path));
    const QString text = describeChecksums(path, *shown);
    if (shown->allRight()) {
        m_prompts.messageBox(
            information(text + u'\r' + msg::kChecksumsRight, msg::kChecksumsTitle));
        return;
    }
    if (m_prompts.messageBox(question(text + u'\r' + msg::kWriteChecksums, msg::kChecksumsTitle)) ==
        MsgAnswer::Yes)
        writeChecksums(*shown);
}

// Written only into the file as it was shown: changed since by another program, the values
// shown may be wrong, and the write step itself refuses bytes other than those shown.
void FormMain::writeChecksums(const ChecksumReport& shown) {
    const QString path = RomFileHandle->path();
    const auto refuse = [this](const QString& text) {
        m_prompts.messageBox(notice(text, msg::kSavingNotPossible));
    };
    if (RomFileHandle->isReadOnly()) return refuse(msg::kReadOnly);
    if (readChecksums(*RomFileHandle, s.RomCartridge) != shown)
        return refuse(msg::writeFailed(msg::checksumsChangedSince(path)));
    WrittenTiles step{RomFileHandle->identity(), {checksumWrite(shown)}, true};
    if (writeStep(msg::checksumStep(path), std::move(step), false))
        LbStatus->setText(msg::checksumsWritten(path));
}

// Colours 0 to 3 from the bytes at the browser's marked cell, as a Game Boy Color or Super
// Nintendo game stores them; the file is not changed, and it is no step of the history.
void FormMain::readStoredPalette() {
    const auto refuse = [this](const QString& text) {
        m_prompts.messageBox(notice(text, msg::kStoredPaletteTitle));
    };
    if (!s.RomFileOpen || !RomFileHandle) return refuse(msg::kStoredPaletteNoFile);
    const qint32 address = s.BrowserSelAddress;
    StoredPalette bytes{};
    if (RomFileHandle->read(address, bytes.data(), kStoredPaletteBytes) != kStoredPaletteBytes)
        return refuse(msg::storedPalettePastEnd(address, s.RomFileLength));
    const std::array<ColorRef, 4> colors = colorsFromStoredPalette(bytes);
    std::copy(colors.begin(), colors.end(), s.PaletteColors.begin());
    ShowCurrentColor();
    DrawBrowser();
    DrawEditor();
    LbStatus->setText(msg::storedPaletteRead(address));
}
