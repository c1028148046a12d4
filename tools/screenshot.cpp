// Makes the pictures of the user guide: the main window with the sample open and a few
// tiles copied, painted and mirrored, and the options dialog.
#include "ui/app/formmain.h"
#include "ui/palette/formoptions.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/prompts.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>

namespace {
class SilentPrompts : public Prompts {
  public:
    MsgAnswer messageBox(const MessageSpec&) override { return MsgAnswer::No; }
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&) override { return {}; }
    ColorRef chooseColor(ColorRef current) override { return current; }
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
            QApplication::exit(ok ? 0 : 1);
        });
    });
    return QApplication::exec();
}
