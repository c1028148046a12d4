#include "ui/platform/qtprompts.h"

#include "ui/platform/filefilter.h"
#include "ui/platform/qtcolor.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QWidget>

namespace {
// Pieces run this long between two looks at the events: Cancel is seen well within 100 ms.
constexpr qint64 kSliceMs = 15;
// The dialog comes up when the task looks like taking longer than this.
constexpr int kShowAfterMs = 333;
// Wide enough for its title beside the window manager's buttons.
constexpr int kProgressWidth = 360;
} // namespace

MsgAnswer QtPrompts::messageBox(const MessageSpec& message) {
    QMessageBox box(m_parent);
    box.setText(QString(message.text).replace(u'\r', u'\n'));
    // A box without a title of its own carries the main window's caption.
    box.setWindowTitle(message.title.isEmpty() && m_parent ? m_parent->window()->windowTitle()
                                                           : message.title);
    box.setDetailedText(message.details);
    box.setIcon(message.icon == MsgIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon);
    if (message.buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(message.defaultButton == MsgAnswer::No ? QMessageBox::No
                                                                    : QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (message.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    return result == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

QString QtPrompts::openFileName(const QString& filterList, const QString& startFolder) {
    QFileDialog dialog(m_parent);
    dialog.setDirectory(startFolder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The descriptions already name their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(filterList));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPrompts::saveFileName(const QString& filterList, const QString& suggestedPath) {
    QFileDialog dialog(m_parent);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(filterList));
    dialog.selectFile(suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

ColorRef QtPrompts::chooseColor(ColorRef current) {
    const QColor chosen = QColorDialog::getColor(toQColor(current), m_parent);
    return chosen.isValid() ? fromQColor(chosen) : current;
}

WorkEnd QtPrompts::work(const QString& title, const QString& text,
                        const std::function<int()>& nextPiece) {
    QProgressDialog dialog(text, QStringLiteral("Cancel"), 0, kWorkDone, m_parent);
    dialog.setWindowTitle(title);
    dialog.setMinimumWidth(kProgressWidth);
    // Modal for the whole program: nothing the user does can reach a half-done task.
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(kShowAfterMs);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setValue(0); // starts the dialog's clock
    QElapsedTimer slice;
    slice.start();
    for (;;) {
        const int progress = nextPiece();
        if (progress >= kWorkDone) return WorkEnd::Done;
        if (slice.elapsed() < kSliceMs) continue;
        // May show the dialog; once shown, it takes the input until the task ends.
        dialog.setValue(progress);
        QCoreApplication::processEvents(dialog.isVisible() ? QEventLoop::AllEvents
                                                           : QEventLoop::ExcludeUserInputEvents);
        if (dialog.wasCanceled()) return WorkEnd::Cancelled;
        slice.restart();
    }
}
