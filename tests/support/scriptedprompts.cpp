#include "scriptedprompts.h"

#include <QTest>

namespace {
QString describe(const MessageSpec& box) {
    const auto answer = [](MsgAnswer a) {
        return a == MsgAnswer::No ? "No" : a == MsgAnswer::Yes ? "Yes" : "OK";
    };
    return QStringLiteral("[text \"%1\", title \"%2\", %3, %4, default %5]")
        .arg(QString(box.text).replace(u'\r', QStringLiteral("\\r")), box.title,
             box.buttons == MsgButtons::Ok ? "OK" : "Yes/No",
             box.icon == MsgIcon::Information ? "information icon" : "no icon",
             answer(box.defaultButton));
}
} // namespace

void ScriptedPrompts::fail(const QString& what) {
    m_failures << what;
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
}

QString ScriptedPrompts::report() const {
    QStringList lines = m_failures;
    if (!m_queue.empty())
        lines << QStringLiteral("%1 expected dialog(s) never shown").arg(m_queue.size());
    return lines.join(u'\n');
}

std::optional<ScriptedPrompts::Step> ScriptedPrompts::next(Step::Kind kind) {
    if (m_queue.empty() || m_queue.front().kind != kind) return std::nullopt;
    const Step taken = m_queue.front();
    m_queue.pop_front();
    return taken;
}

MsgAnswer ScriptedPrompts::messageBox(const MessageSpec& message) {
    shown << message;
    const std::optional<Step> box = next(Step::Box);
    if (!box && anyBox) return anyBox(message);
    if (!box) {
        fail(QStringLiteral("unexpected message box ") + describe(message));
        return message.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    if (!(box->box == message))
        fail(QStringLiteral("message box ") + describe(message) + QStringLiteral(" but expected ") +
             describe(box->box));
    if (box->meanwhile) box->meanwhile();
    return box->answer;
}

QString ScriptedPrompts::openFileName(const QString& filterList, const QString& startFolder) {
    filters << filterList;
    startFolders << startFolder;
    if (const std::optional<Step> open = next(Step::Open)) return open->path;
    if (anyOpen) return anyOpen();
    fail(QStringLiteral("unexpected open-file dialog"));
    return {};
}

QString ScriptedPrompts::saveFileName(const QString& filterList, const QString& suggestedPath) {
    filters << filterList;
    suggested << suggestedPath;
    if (const std::optional<Step> save = next(Step::Save)) return save->path;
    fail(QStringLiteral("unexpected save-file dialog offering ") + suggestedPath);
    return {};
}

ColorRef ScriptedPrompts::chooseColor(ColorRef current) {
    colorsOffered << current;
    if (const std::optional<Step> color = next(Step::Color)) return color->color.value_or(current);
    fail(QStringLiteral("unexpected colour picker"));
    return current;
}

WorkEnd ScriptedPrompts::work(const QString& title, const QString& text,
                              const std::function<int()>& nextPiece) {
    tasks << title + QStringLiteral(": ") + text;
    for (int pieces = 1; nextPiece() < kWorkDone; ++pieces) {
        if (afterPiece && afterPiece(pieces)) return WorkEnd::Cancelled;
    }
    return WorkEnd::Done;
}
