// The program's dialogs as Qt shows them, looked at and closed from a timer while modal.
#include "session.h"
#include "ui/platform/filefilter.h"
#include "ui/platform/qtprompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

// Runs `handle` on the modal dialog of type T as soon as it is shown; `handle` closes it.
template <class T, class F> void whenShown(F handle) {
    QTimer::singleShot(10, qApp, [handle] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            handle(dialog);
        else
            whenShown<T, F>(handle);
    });
}

} // namespace

class TestPrompts : public QObject {
    Q_OBJECT
  private slots:
    // A name without patterns after it makes no filter; blank patterns are dropped, and "*.*"
    // becomes Qt's "*".
    void fileFilters() {
        QCOMPARE(qtNameFilters("A|*.a; ; *.b|All|*.*|B"), (QStringList{"A (*.a *.b)", "All (*)"}));
    }

    void messageBox_data() {
        using R = Row<MessageSpec, int, MsgAnswer, QString, QString, int, int, int>;
        const int ok = QMessageBox::Ok, yes = QMessageBox::Yes, no = QMessageBox::No;
        const MessageSpec twoLines = expected::yesNo("One\rTwo", "Really?");
        const MessageSpec noFirst{"One\rTwo",    "Really?",     MsgButtons::YesNo,
                                  MsgIcon::None, MsgAnswer::No, "More\nlines"};
        // box, button pressed (0: Enter): answer, title, text, buttons, icon, default button
        // clang-format off
        rows(R{"no title of its own", expected::kJumpRefused, ok, MsgAnswer::Ok, "Main",
               expected::kJumpRefused.text, ok, QMessageBox::Information, 0},
             R{"Yes", twoLines, yes, MsgAnswer::Yes, "Really?", "One\nTwo", yes | no, 0, yes},
             R{"Enter on No", noFirst, 0, MsgAnswer::No, "Really?", "One\nTwo", yes | no, 0, no});
        // clang-format on
    }
    void messageBox() {
        const auto [box, press, answer, title, text, buttons, icon, first] =
            fetch<MessageSpec, int, MsgAnswer, QString, QString, int, int, int>();
        QWidget window;
        window.setWindowTitle("Main");
        QtPrompts prompts(new QWidget(&window));
        std::tuple<QString, QString, int, int, int, QString> seen;
        whenShown<QMessageBox>([&seen, press](QMessageBox* shown) {
            seen = {shown->windowTitle(),
                    shown->text(),
                    int(shown->standardButtons()),
                    int(shown->icon()),
                    int(shown->standardButton(shown->defaultButton())),
                    shown->detailedText()};
            if (press) shown->button(QMessageBox::StandardButton(press))->click();
            if (!press) QTest::keyClick(shown, Qt::Key_Return);
        });
        QCOMPARE(int(prompts.messageBox(box)), int(answer));
        QCOMPARE(seen, std::tuple(title, text, buttons, icon, first, box.details));
    }

    // A name typed over the dialog's (none: Escape) is its answer; the dialog starts in the
    // folder given, or in that of the path offered.
    void fileDialog_data() {
        using R = Row<bool, QString, int, int>; // save, name typed: the file and accept modes
        const int open = QFileDialog::ExistingFile, save = QFileDialog::AnyFile;
        rows(R{"open", false, "bank0", open, QFileDialog::AcceptOpen},
             R{"open cancelled", false, "", open, QFileDialog::AcceptOpen},
             R{"save", true, "other.png", save, QFileDialog::AcceptSave});
    }
    void fileDialog() {
        const auto [save, name, fileMode, acceptMode] = fetch<bool, QString, int, int>();
        QTemporaryDir dir;
        writeRom(dir, "bank0", {});
        QtPrompts prompts;
        std::tuple<int, int, QStringList, QStringList, QString> seen;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            seen = {dialog->fileMode(), dialog->acceptMode(), dialog->nameFilters(),
                    dialog->selectedFiles(), dialog->directory().path()};
            auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
            field->selectAll();
            QTest::keyClicks(field, name);
            QTest::keyClick(field, name.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        const QString filter = save ? QStringLiteral("Pictures|*.png") : expected::kOpenFilter;
        const QString suggested = dir.filePath("tile.png");
        QCOMPARE(save ? prompts.saveFileName(filter, suggested)
                      : prompts.openFileName(filter, dir.path()),
                 name.isEmpty() ? QString() : dir.filePath(name));
        const QStringList selected = save ? QStringList{suggested} : QStringList{};
        QCOMPARE(seen,
                 std::tuple(fileMode, acceptMode, qtNameFilters(filter), selected, dir.path()));
    }

    // The picker offers the current colour and keeps it when cancelled.
    void colorPicker_data() { rows(Row<bool>{"chosen", true}, Row<bool>{"cancelled", false}); }
    void colorPicker() {
        const auto [accept] = fetch<bool>();
        QtPrompts prompts;
        QColor offered;
        whenShown<QColorDialog>([&](QColorDialog* dialog) {
            offered = dialog->currentColor();
            dialog->setCurrentColor(QColor(10, 20, 30));
            accept ? dialog->accept() : dialog->reject();
        });
        const ColorRef current = rgbColor(200, 100, 50);
        QCOMPARE(prompts.chooseColor(current), accept ? rgbColor(10, 20, 30) : current);
        QCOMPARE(offered, QColor(200, 100, 50));
    }

    // A long task's dialog: none for a short task; for a long one, modal for the program,
    // titled, with its text, until Cancel stops the task between two pieces.
    void work_data() { rows(Row<int>{"short", 20}, Row<int>{"cancelled", 0}); } // pieces
    void work() {
        const auto [pieces] = fetch<int>();
        QtPrompts prompts;
        std::tuple<QString, QString, int> seen;
        if (!pieces)
            whenShown<QProgressDialog>([&seen](QProgressDialog* dialog) {
                seen = {dialog->windowTitle(), dialog->labelText(), dialog->windowModality()};
                QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
            });
        int done = 0;
        bool shown = false;
        const WorkEnd end = prompts.work("Title", "Text", [&, pieces = pieces] {
            shown |= QApplication::activeModalWidget() != nullptr;
            QTest::qSleep(2);
            // Ten seconds without a dialog end it: the test then fails instead of waiting.
            return ++done == pieces || done == 5000 ? kWorkDone : std::min(done, kWorkDone - 1);
        });
        QCOMPARE(end, pieces ? WorkEnd::Done : WorkEnd::Cancelled);
        if (pieces) QCOMPARE(std::tuple(done, shown), std::tuple(pieces, false));
        if (!pieces)
            QCOMPARE(seen,
                     std::tuple(QString("Title"), QString("Text"), int(Qt::ApplicationModal)));
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
