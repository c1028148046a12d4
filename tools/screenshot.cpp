// Makes the pictures of the user guide: the main window with the sample open and a few
// tiles copied, painted and mirrored, the options dialog, and a round trip of the editor
// through a PNG picture.
#include "ui/app/formmain.h"
#include "ui/palette/formoptions.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"
#include "ui/platform/prompts.h"
#include "ui/platform/qtcolor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

namespace {
class SilentPrompts : public Prompts {
  public:
    MsgAnswer messageBox(const MessageSpec&) override { return MsgAnswer::No; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&) override { return {}; }
    ColorRef chooseColor(ColorRef current) override { return current; }
    WorkEnd work(const QString&, const QString&, const std::function<int()>& nextPiece) override {
        while (nextPiece() < kWorkDone) {
        }
        return WorkEnd::Done;
    }
};

// The file dialogs answer with one picture path.
class PicturePrompts : public SilentPrompts {
  public:
    explicit PicturePrompts(QString path) : m_path(std::move(path)) {}
    QString openFileName(const QString&, const QString&) override { return m_path; }
    QString saveFileName(const QString&, const QString&) override { return m_path; }

  private:
    QString m_path;
};

// Copies the browser tile in cell (column, row) into the selected editor cell.
void copyTile(FormMain& form, int column, int row) {
    form.SpriteBox_MouseDown(1, 0, 27 * column + 5, 27 * row + 5);
    form.SpriteBox_DblClick();
}

void prepare(FormMain& form, const QString& sample) {
    form.openPath(sample);
    form.ChkGrid->click();
    form.ChkGridEditor->click();
    // Row 1 of the browser: the tile at address 0 would have no address in the editor.
    for (int column = 0; column < 8; ++column)
        copyTile(form, column, 1);
    copyTile(form, 0, 2);
    copyTile(form, 1, 2);
    // Paint a diagonal into the first cell, mirror the second, hide what was never copied.
    form.OptionSelect->click();
    form.EditorBox_MouseDown(1, 0, 5, 5);
    form.BtCol_Click(3);
    form.OptionPaint->click();
    for (int i = 0; i < 8; ++i)
        form.EditorBox_MouseDown(1, 0, 3 * i + 1, 3 * i + 1);
    form.OptionSelect->click();
    form.EditorBox_MouseDown(1, 0, 27 + 5, 5);
    form.ChkFlipX_MouseDown(1, 0, 0, 0);
    form.ChkNoncopied->click();
}
QImage enlarged(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_RGB32).scaled(picture.size() * 3);
}

// The editor exported (Ctrl+E), the picture changed as a paint program would, imported
// back (Ctrl+I): three panels side by side.
bool saveRoundTrip(const QString& sample, const QString& out) {
    const QString png = QDir::temp().filePath(QStringLiteral("pelorin-roundtrip-tiles.png"));
    PicturePrompts prompts(png);
    FormMain form(prompts);
    form.openPath(sample);
    form.ChkGrid->click();
    for (int i = 0; i < 16; ++i)
        copyTile(form, i % 8, 1 + i / 8);
    form.exportEditorPicture();
    const QImage exported(png);
    QImage edited = exported.convertToFormat(QImage::Format_RGB32);
    {
        QPainter paint(&edited);
        paint.setPen(toQColor(form.state().PaletteColors[3]));
        paint.drawRect(1, 1, 77, 13);
        paint.drawLine(1, 14, 78, 1);
    }
    edited.save(png);
    form.EditorBox_MouseDown(1, 0, 5, 5);
    form.importPicture();
    const QImage panels[] = {enlarged(exported), enlarged(edited),
                             form.EditorBox->surface().copy(0, 0, 240, 192)};
    QImage shot(3 * 275 - 15, 226, QImage::Format_RGB32);
    shot.fill(Qt::white);
    QPainter paint(&shot);
    const char* captions[] = {"1. Ctrl+E: pelorin-sample-tiles.png", "2. edited in a paint program",
                              "3. Ctrl+I: back in the editor"};
    for (int i = 0; i < 3; ++i) {
        paint.drawText(10 + 275 * i, 16, QString::fromLatin1(captions[i]));
        paint.drawImage(10 + 275 * i, 26, panels[i]);
    }
    QFile::remove(png);
    return shot.save(out);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        qWarning("usage: screenshot SAMPLE OUTPUT-FOLDER");
        return 2;
    }
    const QString sample = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    SilentPrompts prompts;
    FormMain form(prompts);
    form.setEndProgram([](int) {});
    prepare(form, sample);
    form.show();
    bool ok = false;
    QTimer::singleShot(300, [&] {
        ok = form.grab().save(out.filePath(QStringLiteral("pelorin-window.png")));
        form.BtOptions_Click();
        QTimer::singleShot(300, [&] {
            ok = form.optionsDialog()->grab().save(
                     out.filePath(QStringLiteral("pelorin-options.png"))) &&
                 ok;
            form.optionsDialog()->BtAbort_Click();
            ok = saveRoundTrip(sample, out.filePath(QStringLiteral("pelorin-roundtrip.png"))) && ok;
            QApplication::exit(ok ? 0 : 1);
        });
    });
    return QApplication::exec();
}
