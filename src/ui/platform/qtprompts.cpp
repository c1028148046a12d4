#include "ui/platform/qtprompts.h"

#include "ui/platform/filefilter.h"
#include "ui/platform/qtcolor.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

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
