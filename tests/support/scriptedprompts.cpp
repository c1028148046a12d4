#include "scriptedprompts.h"

#include <QTest>

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

void ScriptedPrompts::expect(const MessageSpec& box, MsgAnswer answer,
                             std::function<void()> meanwhile) {
    m_queue.push_back(Box{box, answer, std::move(meanwhile)});
}
void ScriptedPrompts::expectOpen(const QString& path) {
    m_queue.push_back(Open{path});
}
void ScriptedPrompts::expectSave(const QString& path) {
    m_queue.push_back(Save{path});
}
void ScriptedPrompts::expectColor(ColorRef color) {
    m_queue.push_back(Color{false, color});
}
void ScriptedPrompts::expectColorCancel() {
    m_queue.push_back(Color{true, 0});
}

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

template <class T> std::optional<T> ScriptedPrompts::next() {
    const T* step = m_queue.empty() ? nullptr : std::get_if<T>(&m_queue.front());
    if (!step) return std::nullopt;
    const T taken = *step;
    m_queue.pop_front();
    return taken;
}

MsgAnswer ScriptedPrompts::messageBox(const MessageSpec& message) {
    shown << message;
    const std::optional<Box> box = next<Box>();
    if (!box && anyBox) return anyBox(message);
    if (!box) {
        fail(QStringLiteral("unexpected message box ") + describe(message));
        return message.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    if (!(box->message == message))
        fail(QStringLiteral("message box ") + describe(message) + QStringLiteral(" but expected ") +
             describe(box->message));
    if (box->meanwhile) box->meanwhile();
    return box->answer;
}

QString ScriptedPrompts::openFileName(const QString& filterList, const QString& startFolder) {
    filters << filterList;
    startFolders << startFolder;
    if (const std::optional<Open> open = next<Open>()) return open->path;
    if (anyOpen) return anyOpen();
    fail(QStringLiteral("unexpected open-file dialog"));
    return {};
}

QString ScriptedPrompts::saveFileName(const QString& filterList, const QString& suggestedPath) {
    filters << filterList;
    suggested << suggestedPath;
    if (const std::optional<Save> save = next<Save>()) return save->path;
    fail(QStringLiteral("unexpected save-file dialog offering ") + suggestedPath);
    return {};
}

ColorRef ScriptedPrompts::chooseColor(ColorRef current) {
    colorsOffered << current;
    if (const std::optional<Color> color = next<Color>())
        return color->cancel ? current : color->color;
    if (anyColor) return anyColor(current);
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
