#include "session.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QPointF inBox(const PictureBox* box, QPointF at) {
    return at + QPointF(box->contentsRect().topLeft());
}

} // namespace

Session::Session()
    : window(std::make_unique<FormMain>(prompts)), form(*window), m_pointerAtStart(QCursor::pos()) {
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) qWarning("the main window was not shown");
}

// The next session's window opens where this one was: its browser must not find the pointer.
Session::~Session() {
    QCursor::setPos(m_pointerAtStart);
}

QString Session::write(const QByteArray& bytes, const QString& name) {
    return path = writeRom(dir, name, bytes);
}

void Session::openPath(const QString& file) {
    path = file;
    prompts.expectOpen(file);
    click(form.BtOpenFile);
}

void Session::open(const QByteArray& bytes, const QString& name) {
    openPath(write(bytes, name));
}

void Session::click(QWidget* widget, Qt::MouseButton button, int times) {
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(widget, button);
}

void Session::press(PictureBox* box, QPointF at, Qt::MouseButton button) {
    sendMouse(box, QEvent::MouseButtonPress, inBox(box, at), button, button);
}

void Session::release(PictureBox* box, QPointF at, Qt::MouseButton button) {
    sendMouse(box, QEvent::MouseButtonRelease, inBox(box, at), button, Qt::NoButton);
}

// As the platform delivers one: press, release, double-click, release.
void Session::doubleClick(PictureBox* box, QPointF at) {
    press(box, at);
    release(box, at);
    sendMouse(box, QEvent::MouseButtonDblClick, inBox(box, at), Qt::LeftButton, Qt::LeftButton);
    release(box, at);
}

void Session::move(QWidget* widget, QPointF at, Qt::MouseButtons held) {
    if (auto* box = qobject_cast<PictureBox*>(widget)) at = inBox(box, at);
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

// The platform reports the pointer's move as it would a mouse's.
void Session::pointerOnBrowser(QPointF at) {
    QCursor::setPos(form.SpriteBox->mapToGlobal(inBox(form.SpriteBox, at)).toPoint());
    QCoreApplication::processEvents();
}

void Session::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : &form, key, modifiers);
}

void Session::type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar ch : text) {
        // What no key types (tabs, line feeds) comes in as a paste would.
        if (!ch.isPrint()) {
            field->insert(QString(ch));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

void Session::chooseOffset(int entry) {
    QComboBox* list = form.ComboDivert;
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < entry; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

QPointF Session::browserCell(int column, int row) const {
    const double pitch = double(state().BrowserCellSize) * state().BrowserZoom;
    return {(column + 0.5) * pitch, (row + 0.5) * pitch};
}

QPointF Session::editorPixel(int column, int row, int x, int y) const {
    const int z = state().EditorZoom;
    const int pitch = state().EditorCellSize * z;
    return {column * pitch + (x + 0.5) * z, row * pitch + (y + 0.5) * z};
}

void Session::select(int column, int row) {
    click(form.OptionSelect);
    press(form.EditorBox, editorPixel(column, row));
}

void Session::fill(int column, int row, int color) {
    click(form.BtCol[color]);
    click(form.OptionFill);
    press(form.EditorBox, editorPixel(column, row));
}

void Session::paint(int column, int row, int x, int y, int color) {
    click(form.BtCol[color]);
    click(form.OptionPaint);
    press(form.EditorBox, editorPixel(column, row, x, y));
}

void Session::jumpTo(qint64 address) {
    type(form.TextAddress, QString::number(address));
    click(form.BtJumpAdd);
}

void Session::confirmNextWrite(MsgAnswer answer) {
    prompts.expect(expected::kConfirmWrite, answer);
}
