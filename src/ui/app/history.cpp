#include "ui/app/history.h"

#include "core/rom/romfile.h"
#include "ui/app/formmainstate.h"

namespace {
// The id that lets the moves of one stroke merge; every other step keeps the default of -1.
constexpr int kStrokeId = 1;
} // namespace

EditorStep::EditorStep(const QString& what, EditorChange change, HistoryContext& context,
                       int stroke)
    : HistoryStep(what), m_change(std::move(change)), m_context(context),
      m_addressEra(context.addressEra), m_stroke(stroke) {}

int EditorStep::id() const {
    return m_stroke != 0 ? kStrokeId : -1;
}

bool EditorStep::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const EditorStep*>(other);
    if (next->m_stroke != m_stroke || next->m_addressEra != m_addressEra) return false;
    const std::optional<EditorChange> joined = joinedChanges(m_change, next->m_change);
    // Painted back to where the stroke began: the step is no longer needed.
    setObsolete(!joined);
    if (joined) m_change = *joined;
    return true;
}

std::optional<EditorChange> EditorStep::current() const {
    if (m_addressEra == m_context.addressEra) return m_change;
    return withoutAddresses(m_change);
}

void EditorStep::apply(HistoryDirection direction) {
    const std::optional<EditorChange> change = current();
    if (!change) {
        setObsolete(true);
        return;
    }
    FormMainState& s = m_context.state;
    EditorSelection selection;
    applyEditorChange(*change, direction, s.EditorTiles, selection);
    s.EditorSelColumn = selection.column;
    s.EditorSelRow = selection.row;
}

WriteStep::WriteStep(const QString& what, WrittenTiles writes, HistoryContext& context)
    : HistoryStep(what), m_writes(std::move(writes)), m_context(context),
      m_writeEra(context.writeEra) {}

void WriteStep::redo() {
    if (isDead() || !m_context.rom) {
        setObsolete(true);
        return;
    }
    m_context.outcome = writeTiles(m_writes, *m_context.rom, m_context.journal);
    // Nothing written, or nothing changed: nothing to take back.
    setObsolete(m_writes.writes.empty());
}

void WriteStep::undo() {
    if (isDead() || !m_context.rom) {
        setObsolete(true);
        return;
    }
    m_context.outcome = unwriteTiles(m_writes, *m_context.rom, m_context.journal);
}

std::optional<QString> WriteStep::refusal(HistoryDirection direction) const {
    return whyNotRestorable(m_writes, *m_context.rom, direction);
}

History::History(FormMainState& state, std::unique_ptr<RomFile>& rom)
    : m_context{state, rom, {}, 0, 0, {}} {
    m_stack.setUndoLimit(kUndoLimit);
}

void History::change(const QString& what, const EditorChange& change, bool partOfStroke) {
    if (!partOfStroke) endStroke();
    m_stack.push(new EditorStep(what, change, m_context, partOfStroke ? m_stroke : 0));
}

void History::beginStroke() {
    m_stroke = ++m_strokes;
}

WriteOutcome History::write(const QString& what, WrittenTiles writes) {
    endStroke();
    m_context.outcome = {};
    m_stack.push(new WriteStep(what, std::move(writes), m_context));
    return m_context.outcome;
}

const HistoryStep* History::next(HistoryDirection direction) {
    for (;;) {
        const int index =
            direction == HistoryDirection::Undo ? m_stack.index() - 1 : m_stack.index();
        const auto* step = static_cast<const HistoryStep*>(m_stack.command(index));
        if (!step || !step->isDead()) return step;
        // A dead step drops itself when taken.
        direction == HistoryDirection::Undo ? m_stack.undo() : m_stack.redo();
    }
}

WriteOutcome History::take(HistoryDirection direction) {
    endStroke();
    m_context.outcome = {};
    direction == HistoryDirection::Undo ? m_stack.undo() : m_stack.redo();
    return m_context.outcome;
}

void History::fileClosed() {
    endStroke();
    m_context.journal.clear();
    ++m_context.addressEra;
    ++m_context.writeEra;
}

bool History::hasWrites() const {
    for (int i = 0; i < m_stack.count(); ++i) {
        const auto* step = dynamic_cast<const WriteStep*>(m_stack.command(i));
        if (step && !step->isDead()) return true;
    }
    return !m_context.journal.empty();
}
