// The program's dialogs as Qt shows them: each is looked at and closed, as a user would, from
// a timer while it runs modally.
#include "datarows.h"
#include "expected.h"
#include "ui/platform/qtprompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
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

// The names the dialog lists in `folder`, sorted.
QStringList listed(const QFileSystemModel* model, const QString& folder) {
    QStringList names;
    const QModelIndex parent = model->index(folder);
    for (int row = 0; row < model->rowCount(parent); ++row)
        names << model->index(row, 0, parent).data().toString();
    names.sort();
    return names;
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

    // Three filters, the last listing every file; only existing files can be chosen.
    void openDialog_data() { rows(Row<bool>{"accepted", true}, Row<bool>{"cancelled", false}); }
    void openDialog() {
        const auto [accept] = fetch<bool>();
        QTemporaryDir dir;
        for (const char* name : {"a.gb", "b.sfc", "bank0"}) {
            QFile file(dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QList<QStringList> expectedLists{{"a.gb"}, {"b.sfc"}, {"a.gb", "b.sfc", "bank0"}};
        QtPrompts prompts;
        QFileDialog::FileMode mode = QFileDialog::Directory;
        QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptSave;
        QStringList filters;
        QList<QStringList> lists;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            mode = dialog->fileMode();
            acceptMode = dialog->acceptMode();
            filters = dialog->nameFilters();
            dialog->setDirectory(dir.path());
            const auto* model = dialog->findChild<QFileSystemModel*>();
            for (qsizetype i = 0; i < filters.size() && model; ++i) {
                dialog->selectNameFilter(filters[i]);
                // The folder is read in the background; the lists are compared below.
                (void)QTest::qWaitFor(
                    [&] { return listed(model, dir.path()) == expectedLists[i]; });
                lists << listed(model, dir.path());
            }
            if (accept)
                typeName(dialog, QStringLiteral("bank0"));
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        const QString chosen = prompts.openFileName(expected::kOpenFilter);
        QCOMPARE(chosen, accept ? dir.filePath(QStringLiteral("bank0")) : QString());
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(acceptMode, QFileDialog::AcceptOpen);
        QCOMPARE(filters,
                 (QStringList{"Gameboy Roms (*.gb,*.gbc) (*.gb *.gbc)",
                              "Super Nintendo Roms (*.smc, *.sfc,*.fig) (*.smc *.sfc *.fig)",
                              "All files (*.*) (*)"}));
        QCOMPARE(lists, expectedLists);
    }

    void saveDialog() {
        QTemporaryDir dir;
        const QString suggested = dir.filePath(QStringLiteral("tile.png"));
        const QString other = dir.filePath(QStringLiteral("other.png"));
        QtPrompts prompts;
        QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
        QStringList offered;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            acceptMode = dialog->acceptMode();
            offered = dialog->selectedFiles();
            typeName(dialog, QStringLiteral("other.png"));
        });
        QCOMPARE(prompts.saveFileName(QStringLiteral("Pictures (*.png)|*.png"), suggested), other);
        QCOMPARE(acceptMode, QFileDialog::AcceptSave);
        QCOMPARE(offered, QStringList{suggested});
    }

    void colorPicker_data() { rows(Row<bool>{"chosen", true}, Row<bool>{"cancelled", false}); }
    void colorPicker() {
        const auto [accept] = fetch<bool>();
        QtPrompts prompts;
        QColor offered;
        whenShown<QColorDialog>([&](QColorDialog* dialog) {
            offered = dialog->currentColor();
            dialog->setCurrentColor(QColor(10, 20, 30));
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        const ColorRef current = rgbColor(200, 100, 50);
        QCOMPARE(prompts.chooseColor(current), accept ? rgbColor(10, 20, 30) : current);
        QCOMPARE(offered, QColor(200, 100, 50));
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
