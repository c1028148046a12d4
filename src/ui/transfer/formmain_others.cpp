// Saves beside other programs: what this program last read for the editor or wrote is kept
// for the open file, and a save at a cell's own address over bytes that another program has
// changed since asks first.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/rom/romfile.h"
#include "ui/platform/prompts.h"

#include <span>

void FormMain::noteReadForEditor(qint64 address) {
    if (RomFileHandle && m_lastRead.address == address && m_lastRead.got > 0)
        RomFileHandle->seen().note(m_lastRead.address,
                                   std::span(m_lastRead.bytes.data(), size_t(m_lastRead.got)));
}

bool FormMain::mayOverwrite(qint32 address) {
    TileBytes onDisk{};
    const qint64 got = RomFileHandle->read(address, onDisk.data(), kTileBytes);
    if (!RomFileHandle->seen().changedElsewhere(address, std::span(onDisk.data(), size_t(got))))
        return true;
    MessageSpec ask = question(msg::othersChange(address), msg::kOthersChangeTitle);
    ask.defaultButton = MsgAnswer::No; // Enter must not undo another program's work
    return m_prompts.messageBox(ask) == MsgAnswer::Yes;
}
