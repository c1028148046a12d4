#pragma once

#include "core/editor/editorchange.h"
#include "core/transfer/writejournal.h"

#include <QString>
#include <QUndoCommand>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>
#include <variant>

// One step of the history: a change of the editor, or the writes of one write command.
struct HistoryStep {
    QString what; // "paint in cell ( 3, 0)"
    std::variant<EditorChange, WrittenTiles> change;
    [[nodiscard]] bool writesFile() const { return std::holds_alternative<WrittenTiles>(change); }
};

// A step on the undo stack. It is pushed once it has happened, so the stack's first redo of
// it does nothing; `apply` takes it back or makes it again.
class HistoryCommand final : public QUndoCommand {
  public:
    using Apply = std::function<void(HistoryStep&, HistoryDirection)>;
    HistoryCommand(std::shared_ptr<HistoryStep> step, Apply apply);

    void undo() override;
    void redo() override;
    [[nodiscard]] const std::shared_ptr<HistoryStep>& step() const { return m_step; }

  private:
    std::shared_ptr<HistoryStep> m_step;
    Apply m_apply;
    bool m_happened = true;
};

// Everything the window keeps about its history.
struct History {
    // Enough for long sessions; past it the oldest steps are forgotten.
    static constexpr int kUndoLimit = 1000;

    History() { stack.setUndoLimit(kUndoLimit); }

    QUndoStack stack;
    WriteJournal journal;
    // A paint stroke from the press to the release, and the editor before it.
    struct Stroke {
        QString what;
        EditorTileArray tiles;
        EditorSelection selection;
    };
    std::optional<Stroke> stroke;
    // The writes of the write command now running.
    std::optional<HistoryStep> pendingWrites;
    int stepDepth = 0;            // editor steps running inside each other count as the outer one
    bool applying = false;        // the history is changing the editor or the stack, not the user
    bool used = false;            // the user has asked for an undo, a redo or a patch
    bool fileStepsBroken = false; // a write back failed: the file steps no longer hold
};
