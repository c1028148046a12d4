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
// The dialog comes up when the task has taken this long.
constexpr qint64 kShowAfterMs = 333;
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
    QElapsedTimer clock;
    clock.start();
    qint64 lastLook = 0;
    // Made only for a task that lasts: most are over before it would show.
    std::unique_ptr<QProgressDialog> dialog;
    for (;;) {
        const int progress = nextPiece();
        if (progress >= kWorkDone) return WorkEnd::Done;
        if (clock.elapsed() - lastLook < kSliceMs) continue;
        lastLook = clock.elapsed();
        if (!dialog && lastLook >= kShowAfterMs) dialog = progressDialog(title, text);
        if (dialog) dialog->setValue(progress);
        // Until the dialog takes the input, the window draws itself but is left alone.
        QCoreApplication::processEvents(dialog ? QEventLoop::AllEvents
                                               : QEventLoop::ExcludeUserInputEvents);
        if (dialog && dialog->wasCanceled()) return WorkEnd::Cancelled;
    }
}

std::unique_ptr<QProgressDialog> QtPrompts::progressDialog(const QString& title,
                                                           const QString& text) const {
    auto dialog =
        std::make_unique<QProgressDialog>(text, QStringLiteral("Cancel"), 0, kWorkDone, m_parent);
    dialog->setWindowTitle(title);
    dialog->setMinimumWidth(kProgressWidth);
    // Modal for the whole program: nothing the user does can reach a half-done task.
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    dialog->show();
    return dialog;
}
