#pragma once

#include "core/editor/editorchange.h"
#include "core/transfer/writejournal.h"

#include <QString>
#include <QUndoCommand>
#include <QUndoStack>

#include <memory>
#include <optional>

struct FormMainState;
class RomFile;

// What the steps of the history act on, and what they have to know to tell whether they still
// can. Closing the file starts a new address era (steps made before it act without addresses)
// and a new write era (writes made before it can no longer be taken back); a failed write back
// starts a new write era alone.
struct HistoryContext {
    FormMainState& state;
    std::unique_ptr<RomFile>& rom;
    WriteJournal journal;
    int addressEra = 0;
    int writeEra = 0;
    // What the last write step that ran did to the file.
    WriteOutcome outcome;
};

// A step of the history. A step that can no longer be taken is dead: reached by undo or redo,
// it drops itself from the stack without doing anything.
class HistoryStep : public QUndoCommand {
  public:
    explicit HistoryStep(const QString& what) : QUndoCommand(what) {}
    [[nodiscard]] virtual bool isDead() const = 0;
};

// A change of the editor's cells and selection: redo() puts in the state after it, undo() the
// state before. The moves of one paint stroke merge into one step.
class EditorStep final : public HistoryStep {
  public:
    // `stroke` is the paint stroke the change belongs to, or 0.
    EditorStep(const QString& what, EditorChange change, HistoryContext& context, int stroke);
    void redo() override { apply(HistoryDirection::Redo); }
    void undo() override { apply(HistoryDirection::Undo); }
    [[nodiscard]] int id() const override;
    [[nodiscard]] bool mergeWith(const QUndoCommand* other) override;
    [[nodiscard]] bool isDead() const override { return !current(); }

  private:
    // The change as it acts now: without addresses once the file it was made with is closed.
    [[nodiscard]] std::optional<EditorChange> current() const;
    void apply(HistoryDirection direction);

    EditorChange m_change;
    HistoryContext& m_context;
    int m_addressEra;
    int m_stroke;
};

// The tiles one write command puts into the file. redo() writes them (the first time, as the
// command runs), undo() puts back the bytes they replaced; what either did is left in the
// context's outcome. Only the file it wrote to, unchanged since by anyone else, takes it back.
class WriteStep final : public HistoryStep {
  public:
    WriteStep(const QString& what, WrittenTiles writes, HistoryContext& context);
    void redo() override;
    void undo() override;
    [[nodiscard]] bool isDead() const override { return m_writeEra != m_context.writeEra; }
    // Why the step can not be taken that way now, worded for the user.
    [[nodiscard]] std::optional<QString> refusal(HistoryDirection direction) const;
    [[nodiscard]] const WrittenTiles& writes() const { return m_writes; }

  private:
    WrittenTiles m_writes;
    HistoryContext& m_context;
    int m_writeEra;
};

// The window's history: the steps and what they share.
class History {
  public:
    // Enough for long sessions; past it the oldest steps are forgotten.
    static constexpr int kUndoLimit = 1000;

    History(FormMainState& state, std::unique_ptr<RomFile>& rom);

    // Makes the change, as a step of its own or, within a stroke, as part of the stroke's.
    void change(const QString& what, const EditorChange& change, bool partOfStroke = false);
    // A paint stroke runs from the press to the release (or to anything else done meanwhile).
    void beginStroke();
    void endStroke() { m_stroke = 0; }
    // Writes the tiles, as one step when any byte changed.
    WriteOutcome write(const QString& what, WrittenTiles writes);

    // The step the next undo or redo takes (dead steps before it are dropped), or nothing.
    [[nodiscard]] const HistoryStep* next(HistoryDirection direction);
    // Takes it; the outcome of a write step.
    WriteOutcome take(HistoryDirection direction);

    // The file was closed: the writes are forgotten, the editor's steps lose their addresses.
    void fileClosed();
    // Putting bytes back failed: the writes are forgotten, the session's journal is kept.
    void writesBroken() { ++m_context.writeEra; }
    // Another file took the open one's place at its path: the writes to the old one and their
    // journal are forgotten, as on closing, but the editor's steps keep their addresses, which
    // the cells keep too (a new address era would strip them from steps the user can undo).
    void fileReplaced() {
        m_context.journal.clear();
        writesBroken();
    }
    [[nodiscard]] bool hasWrites() const;
    [[nodiscard]] const WriteJournal& journal() const { return m_context.journal; }

    // Whether the user has asked for an undo, a redo or a patch: one who never did is not told
    // when the writes are forgotten.
    void noteAsked() { m_asked = true; }
    [[nodiscard]] bool asked() const { return m_asked; }

  private:
    HistoryContext m_context;
    QUndoStack m_stack;
    int m_stroke = 0;
    int m_strokes = 0;
    bool m_asked = false;
};
