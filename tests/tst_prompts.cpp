// The program's dialogs as Qt shows them: each is looked at and closed, as a user would, from
// a timer while it runs modally.
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

Q_DECLARE_METATYPE(MessageSpec)

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
    void messageBox_data() {
        QTest::addColumn<MessageSpec>("box");
        QTest::addColumn<int>("press"); // a standard button, or 0 for Enter
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const MessageSpec twoLines = expected::yesNo(QStringLiteral("One\rTwo"), "Really?");
        MessageSpec noFirst = twoLines;
        noFirst.defaultButton = MsgAnswer::No;
        QTest::newRow("notice") << expected::refusal(QStringLiteral("Go to x"), "Help")
                                << int(QMessageBox::Ok) << int(MsgAnswer::Ok) << "Help"
                                << "Go to x";
        QTest::newRow("no title of its own")
            << expected::kJumpRefused << int(QMessageBox::Ok) << int(MsgAnswer::Ok) << "Main"
            << "The address must be smaller than the length of the file.";
        QTest::newRow("Yes") << twoLines << int(QMessageBox::Yes) << int(MsgAnswer::Yes)
                             << "Really?"
                             << "One\nTwo";
        QTest::newRow("No") << twoLines << int(QMessageBox::No) << int(MsgAnswer::No) << "Really?"
                            << "One\nTwo";
        QTest::newRow("Enter on Yes") << twoLines << 0 << int(MsgAnswer::Yes) << "Really?"
                                      << "One\nTwo";
        QTest::newRow("Enter on No") << noFirst << 0 << int(MsgAnswer::No) << "Really?"
                                     << "One\nTwo";
    }
    void messageBox() {
        QFETCH(MessageSpec, box);
        QFETCH(int, press);
        QFETCH(int, answer);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QWidget window;
        window.setWindowTitle(QStringLiteral("Main"));
        QWidget* inside = new QWidget(&window);
        QtPrompts prompts(inside);
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::Question;
        QString shownTitle, shownText;
        bool rightDefault = false;
        const auto standard =
            box.buttons == MsgButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No;
        whenShown<QMessageBox>([&](QMessageBox* shown) {
            buttons = shown->standardButtons();
            icon = shown->icon();
            shownTitle = shown->windowTitle();
            shownText = shown->text();
            const auto first = box.defaultButton == MsgAnswer::No ? QMessageBox::No
                               : box.buttons == MsgButtons::Ok    ? QMessageBox::Ok
                                                                  : QMessageBox::Yes;
            rightDefault = shown->defaultButton() == shown->button(first);
            if (press)
                shown->button(QMessageBox::StandardButton(press))->click();
            else
                QTest::keyClick(shown, Qt::Key_Return);
        });
        QCOMPARE(int(prompts.messageBox(box)), answer);
        QCOMPARE(buttons, standard);
        QCOMPARE(icon,
                 box.icon == MsgIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
        QCOMPARE(shownTitle, title);
        QCOMPARE(shownText, text);
        if (box.buttons == MsgButtons::YesNo) QVERIFY(rightDefault);
    }

    // Three filters, the last listing every file; only existing files can be chosen.
    void openDialog_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }
    void openDialog() {
        QFETCH(bool, accept);
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

    void colorPicker_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void colorPicker() {
        QFETCH(bool, accept);
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
