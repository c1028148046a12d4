#pragma once

#include "ui/platform/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

// Answers the program's dialogs from a queue set up by the test, records every message box
// shown, and fails the running test on a dialog nobody expected.
class ScriptedPrompts : public Prompts {
  public:
    // The next message box must be exactly `box`; it is answered with `answer`, after
    // `meanwhile` ran (another program, say, while the box is shown).
    void expect(const MessageSpec& box, MsgAnswer answer = MsgAnswer::Ok,
                std::function<void()> meanwhile = {}) {
        m_queue.push_back(
            {.kind = Step::Box, .box = box, .answer = answer, .meanwhile = std::move(meanwhile)});
    }
    // The next open-file dialog returns `path` (empty: cancelled); its filter is recorded, and
    // the folder it started in in `startFolders`.
    void expectOpen(const QString& path) { m_queue.push_back({.kind = Step::Open, .path = path}); }
    // The next save-file dialog returns `path` (empty: cancelled); the path it offered is
    // recorded in `suggested`.
    void expectSave(const QString& path) { m_queue.push_back({.kind = Step::Save, .path = path}); }
    // The next colour picker returns `color`; expectColorCancel returns what it was given.
    void expectColor(ColorRef color) { m_queue.push_back({.kind = Step::Color, .color = color}); }
    void expectColorCancel() { m_queue.push_back({.kind = Step::Color}); }

    MsgAnswer messageBox(const MessageSpec& message) override;
    QString openFileName(const QString& filterList, const QString& startFolder) override;
    QString saveFileName(const QString& filterList, const QString& suggestedPath) override;
    ColorRef chooseColor(ColorRef current) override;
    // Runs every piece of a long task, no dialog asked for: the dialog shows only for long ones.
    WorkEnd work(const QString& title, const QString& text,
                 const std::function<int()>& nextPiece) override;

    // True when every expected dialog was shown and nothing unexpected was.
    [[nodiscard]] bool done() const { return m_queue.empty() && m_failures.isEmpty(); }
    [[nodiscard]] QString report() const;

    // Dialogs that no step of the script expects are answered by these, when set, instead of
    // failing the test (for boxes whose text a test can not know, and random sessions).
    std::function<MsgAnswer(const MessageSpec&)> anyBox;
    std::function<QString()> anyOpen;
    // Called after each piece of a long task that did not end it, with the count of pieces
    // done: what happens while the task runs; true presses Cancel.
    std::function<bool(int pieces)> afterPiece;

    QList<MessageSpec> shown;
    QStringList filters;
    QStringList suggested;
    QStringList startFolders;
    QList<ColorRef> colorsOffered;
    QStringList tasks; // "title: text" of every long task

  private:
    // One dialog of the script, with what it answers.
    struct Step {
        enum Kind { Box, Open, Save, Color } kind;
        MessageSpec box{};
        MsgAnswer answer = MsgAnswer::Ok;
        std::function<void()> meanwhile{};
        QString path{};
        std::optional<ColorRef> color{}; // none: the picker is cancelled
    };
    void fail(const QString& what);
    // The next step of the script when it is of this kind; otherwise nothing, and it stays.
    std::optional<Step> next(Step::Kind kind);

    std::deque<Step> m_queue;
    QStringList m_failures;
};

// Fails the test unless every scripted dialog was used and none was unexpected.
#define VERIFY_PROMPTS(prompts) QVERIFY2((prompts).done(), qPrintable((prompts).report()))
