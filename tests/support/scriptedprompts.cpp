#include "scriptedprompts.h"

#include <QTest>

QString describe(const MessageSpec& box) {
    return QStringLiteral("[text \"%1\", title \"%2\", %3, %4, default %5]")
        .arg(QString(box.text).replace(u'\r', QStringLiteral("\\r")), box.title,
             box.buttons == MsgButtons::Ok ? QStringLiteral("OK") : QStringLiteral("Yes/No"),
             box.icon == MsgIcon::Information ? QStringLiteral("information icon")
                                              : QStringLiteral("no icon"),
             box.defaultButton == MsgAnswer::No    ? QStringLiteral("No")
             : box.defaultButton == MsgAnswer::Yes ? QStringLiteral("Yes")
                                                   : QStringLiteral("OK"));
}

void ScriptedPrompts::expect(const MessageSpec& box, MsgAnswer answer) {
    m_queue.push_back(Box{box, answer});
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

MsgAnswer ScriptedPrompts::messageBox(const MessageSpec& message) {
    shown << message;
    const Box* box = m_queue.empty() ? nullptr : std::get_if<Box>(&m_queue.front());
    if (!box && anyBox) return anyBox(message);
    if (!box) {
        fail(QStringLiteral("unexpected message box ") + describe(message));
        return message.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    const Box expected = *box;
    m_queue.pop_front();
    if (!(expected.message == message))
        fail(QStringLiteral("message box ") + describe(message) + QStringLiteral(" but expected ") +
             describe(expected.message));
    return expected.answer;
}

QString ScriptedPrompts::openFileName(const QString& filterList) {
    filters << filterList;
    const Open* open = m_queue.empty() ? nullptr : std::get_if<Open>(&m_queue.front());
    if (!open && anyOpen) return anyOpen();
    if (!open) {
        fail(QStringLiteral("unexpected open-file dialog"));
        return {};
    }
    const QString path = open->path;
    m_queue.pop_front();
    return path;
}

QString ScriptedPrompts::saveFileName(const QString& filterList, const QString& suggestedPath) {
    filters << filterList;
    suggested << suggestedPath;
    const Save* save = m_queue.empty() ? nullptr : std::get_if<Save>(&m_queue.front());
    if (!save) {
        fail(QStringLiteral("unexpected save-file dialog offering ") + suggestedPath);
        return {};
    }
    const QString path = save->path;
    m_queue.pop_front();
    return path;
}

ColorRef ScriptedPrompts::chooseColor(ColorRef current) {
    colorsOffered << current;
    const Color* color = m_queue.empty() ? nullptr : std::get_if<Color>(&m_queue.front());
    if (!color && anyColor) return anyColor(current);
    if (!color) {
        fail(QStringLiteral("unexpected colour picker"));
        return current;
    }
    const ColorRef chosen = color->cancel ? current : color->color;
    m_queue.pop_front();
    return chosen;
}
