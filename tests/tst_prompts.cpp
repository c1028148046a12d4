// The program's dialogs as Qt shows them: each is looked at and closed, as a user would, from
// a timer while it runs modally.
#include "datarows.h"
#include "expected.h"
#include "ui/platform/qtprompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `handle` on the modal dialog of type T as soon as it is shown; `handle` closes it.
template <class T> void whenShown(std::function<void(T*)> handle) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, handle] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            handle(dialog);
        }
    });
    timer->start(10);
}

// Types `name` into the dialog's file name field and presses Enter there.
void typeName(QFileDialog* dialog, const QString& name) {
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(field);
    field->selectAll(); // typed over, as a user does
    QTest::keyClicks(field, name);
    QTest::keyClick(field, Qt::Key_Return);
}

} // namespace

class TestPrompts : public QObject {
    Q_OBJECT
  private slots:
    // What the box shows: title, text, buttons, icon, default button (none of its own for OK).
    void messageBox_data() {
        using R = Row<MessageSpec, int, MsgAnswer, QString, QString, int, int, int>;
        using A = MsgAnswer;
        const int ok = QMessageBox::Ok, yes = QMessageBox::Yes, no = QMessageBox::No;
        const int none = QMessageBox::NoIcon;
        const MessageSpec twoLines = expected::yesNo(QStringLiteral("One\rTwo"), "Really?");
        MessageSpec noFirst = twoLines;
        noFirst.defaultButton = MsgAnswer::No;
        const QString far =
            QStringLiteral("The address must be smaller than the length of the file.");
        // box, button pressed (0: Enter), answer: what it shows
        // clang-format off
        rows(R{"notice", expected::refusal("Go to x", "Help"), ok, A::Ok, "Help", "Go to x", ok,
               none, 0},
             R{"no title of its own", expected::kJumpRefused, ok, A::Ok, "Main", far, ok,
               QMessageBox::Information, 0},
             R{"Yes", twoLines, yes, A::Yes, "Really?", "One\nTwo", yes | no, none, yes},
             R{"No", twoLines, no, A::No, "Really?", "One\nTwo", yes | no, none, yes},
             R{"Enter on No", noFirst, 0, A::No, "Really?", "One\nTwo", yes | no, none, no});
        // clang-format on
    }
    void messageBox() {
        const auto [box, press, answer, title, text, buttons, icon, first] =
            fetch<MessageSpec, int, MsgAnswer, QString, QString, int, int, int>();
        QWidget window;
        window.setWindowTitle(QStringLiteral("Main"));
        QtPrompts prompts(new QWidget(&window));
        std::tuple<QString, QString, int, int, int> seen;
        whenShown<QMessageBox>([&seen, press](QMessageBox* shown) {
            seen = {shown->windowTitle(), shown->text(), int(shown->standardButtons()),
                    int(shown->icon()), int(shown->standardButton(shown->defaultButton()))};
            if (press) shown->button(QMessageBox::StandardButton(press))->click();
            if (!press) QTest::keyClick(shown, Qt::Key_Return);
        });
        QCOMPARE(int(prompts.messageBox(box)), int(answer));
        QCOMPARE(seen, std::tuple(title, text, buttons, icon, first));
    }

    // The open dialog offers three filters and only existing files; the save dialog offers
    // the suggested path. A name typed into the dialog (none: Escape) is its answer.
    void fileDialog_data() {
        using R = Row<bool, QString>; // save, name typed
        rows(R{"open", false, "bank0"}, R{"open cancelled", false, ""},
             R{"save", true, "other.png"});
    }
    void fileDialog() {
        const auto [save, name] = fetch<bool, QString>();
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("bank0")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QtPrompts prompts;
        std::tuple<int, int, QStringList, QStringList> seen;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            seen = {dialog->fileMode(), dialog->acceptMode(), dialog->nameFilters(),
                    dialog->selectedFiles()};
            dialog->setDirectory(dir.path());
            if (!name.isEmpty()) typeName(dialog, name);
            if (name.isEmpty()) QTest::keyClick(dialog, Qt::Key_Escape);
        });
        const QString suggested = dir.filePath(QStringLiteral("tile.png"));
        const QString chosen =
            save ? prompts.saveFileName(QStringLiteral("Pictures (*.png)|*.png"), suggested)
                 : prompts.openFileName(expected::kOpenFilter);
        QCOMPARE(chosen, name.isEmpty() ? QString() : dir.filePath(name));
        const QStringList open{"Gameboy Roms (*.gb,*.gbc) (*.gb *.gbc)",
                               "Super Nintendo Roms (*.smc, *.sfc,*.fig) (*.smc *.sfc *.fig)",
                               "All files (*.*) (*)"};
        QCOMPARE(seen,
                 save ? std::tuple(int(QFileDialog::AnyFile), int(QFileDialog::AcceptSave),
                                   QStringList{"Pictures (*.png) (*.png)"}, QStringList{suggested})
                      : std::tuple(int(QFileDialog::ExistingFile), int(QFileDialog::AcceptOpen),
                                   open, QStringList{}));
    }

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
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
