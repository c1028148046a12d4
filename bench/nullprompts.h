#pragma once

#include "ui/platform/prompts.h"
#include "ui/platform/qtprompts.h"

// Answers every question with its default and chooses nothing: the benchmarks open files by
// path and never ask the user. Long tasks run as in the program, with its progress dialog.
class NullPrompts : public Prompts {
  public:
    MsgAnswer messageBox(const MessageSpec& message) override {
        ++messages;
        return message.defaultButton;
    }
    QString openFileName(const QString& filterList, const QString& startFolder) override {
        Q_UNUSED(filterList);
        Q_UNUSED(startFolder);
        return {};
    }
    QString saveFileName(const QString& filterList, const QString& suggestedPath) override {
        Q_UNUSED(filterList);
        Q_UNUSED(suggestedPath);
        return {};
    }
    ColorRef chooseColor(ColorRef current) override { return current; }
    WorkEnd work(const QString& title, const QString& text,
                 const std::function<int()>& nextPiece) override {
        return m_program.work(title, text, nextPiece);
    }

    int messages = 0;

  private:
    QtPrompts m_program;
};
