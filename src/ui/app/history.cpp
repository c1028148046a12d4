#include "ui/app/history.h"

HistoryCommand::HistoryCommand(std::shared_ptr<HistoryStep> step, Apply apply)
    : m_step(std::move(step)), m_apply(std::move(apply)) {
    setText(m_step->what);
}

void HistoryCommand::undo() {
    m_apply(*m_step, HistoryDirection::Undo);
}

void HistoryCommand::redo() {
    if (m_happened) {
        m_happened = false;
        return;
    }
    m_apply(*m_step, HistoryDirection::Redo);
}
