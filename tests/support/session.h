#pragma once

// What a test of the window needs: the session, the tables, the designed messages, the
// pictures worked out by hand and the window's widgets.
#include "datarows.h"
#include "expected.h"
#include "pictures.h"
#include "scriptedprompts.h"
#include "testfiles.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QByteArray>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointF>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A button of the main window, for tables of buttons: `s.form.*button`.
using Button = GraphicButton* FormMain::*;

// One user's session: a temporary folder for ROM files, the scripted dialogs and the main
// window, shown and driven through its widgets as a user drives it.
class Session {
  public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<FormMain> window;
    FormMain& form;
    QString path; // the ROM file last written or opened

    // Writes `bytes` as `name` in the folder; it becomes `path`.
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("rom.gb"));
    // The open button, its dialog answering with `file`.
    void openPath(const QString& file);
    // Writes `bytes` and opens them.
    void open(const QByteArray& bytes, const QString& name = QStringLiteral("rom.gb"));
    // What the file holds on disk now.
    [[nodiscard]] QByteArray onDisk() const { return fileBytes(path); }
    [[nodiscard]] const FormMainState& state() const { return form.state(); }
    // What the browser box and the editor canvas show, and the status bar's text.
    [[nodiscard]] QImage browser() const { return form.SpriteBox->surface(); }
    [[nodiscard]] QImage editor() const { return form.EditorBox->surface(); }
    [[nodiscard]] QString status() const { return form.LbStatus->text(); }

    // A left (or other) click on a button, check box or field, `times` times over.
    static void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, int times = 1);
    // Mouse input on a picture box, at a point of its drawing area (inside its border).
    static void press(PictureBox* box, QPointF at, Qt::MouseButton button = Qt::LeftButton);
    static void release(PictureBox* box, QPointF at, Qt::MouseButton button = Qt::LeftButton);
    static void doubleClick(PictureBox* box, QPointF at);
    // A move with `held` buttons down; `at` is in the drawing area for a picture box.
    static void move(QWidget* widget, QPointF at, Qt::MouseButtons held = Qt::NoButton);
    // Puts the pointer itself on point `at` of the browser's drawing area (or its border),
    // where it stands still until moved again; the session puts it back when it ends.
    void pointerOnBrowser(QPointF at);
    // A key typed where the keyboard focus is (on the window when nothing has it).
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Replaces the text of a field by typing it.
    static void type(QLineEdit* field, const QString& text);
    // Chooses entry `entry` of "Add to address" with the keyboard on the focused list.
    void chooseOffset(int entry);

    // The middle of browser cell (column, row) at the browser's zoom and grid now.
    [[nodiscard]] QPointF browserCell(int column, int row) const;
    // The middle of displayed pixel (x, y) of editor cell (column, row).
    [[nodiscard]] QPointF editorPixel(int column, int row, int x = 3, int y = 3) const;
    // A press and a double-click on browser cell (column, row): its tile into the editor.
    void copyToEditor(int column, int row) {
        doubleClick(form.SpriteBox, browserCell(column, row));
    }
    // The Select tool pressed on editor cell (column, row).
    void select(int column, int row);
    // Colour `color`, then the Fill tool on a cell or the Paint tool on one of its pixels.
    void fill(int column, int row, int color);
    void paint(int column, int row, int x, int y, int color);
    // The browser's jump to a typed address.
    void jumpTo(qint64 address);
    // The write buttons' usual conversation: the confirmation answered with `answer`.
    void confirmNextWrite(MsgAnswer answer = MsgAnswer::Yes);

  private:
    QPoint m_pointerAtStart;
};
