// The drawing palette, the current colour and the options dialog.
#include "ui/app/formmain.h"

#include "core/palette/palettetext.h"
#include "ui/palette/formoptions.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/prompts.h"

#include <QLabel>
#include <QPushButton>

void FormMain::connectPaletteHandlers() {
    connect(BtOptions, &QAbstractButton::clicked, this, &FormMain::BtOptions_Click);
    for (int i = 0; i < 4; ++i) {
        connect(BtCol[i], &ColorField::clicked, this, [this, i] { BtCol_Click(i); });
        connect(BtCol[i], &ColorField::doubleClicked, this, [this, i] { BtCol_DblClick(i); });
        connect(BtCol[i], &ColorField::mouseMoved, this,
                [this, i](int button, int shift, double x, double y) {
                    BtCol_MouseMove(i, button, shift, x, y);
                });
    }
}

void FormMain::ShowCurrentColor() {
    for (int i = 0; i < 4; ++i)
        setBackColor(BtCol[i], s.PaletteColors[size_t(i)]);
    setBackColor(ShpCol, s.PaletteColors[size_t(s.CurrentColor)]);
}

void FormMain::BtCol_Click(int index) {
    s.CurrentColor = qint16(index);
    ShowCurrentColor();
}

void FormMain::BtCol_DblClick(int index) {
    s.PaletteColors[size_t(index)] = m_prompts.chooseColor(s.PaletteColors[size_t(index)]);
    ShowCurrentColor();
    DrawBrowser();
    DrawEditor();
}

void FormMain::BtCol_MouseMove(int index, int button, int shift, double x, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    LbStatus->setText(colorFieldText(index, s.PaletteColors[size_t(index)]));
}

void FormMain::BtOptions_Click() {
    if (!m_options) {
        m_options = std::make_unique<FormOptions>(m_prompts);
        m_options->setWindowIcon(windowIcon());
        connect(m_options.get(), &QDialog::finished, this, &FormMain::optionsClosed);
        // It has no parent to be centred on; it opens over the main window all the same.
        m_options->move(geometry().center() - m_options->rect().center());
    }
    m_options->setColors({s.OptionColors[0], s.OptionColors[1], s.OptionColors[2]});
    setEnabled(false);
    m_options->show();
    m_options->activateWindow();
    m_options->BtAbort->setFocus();
}

// "Ok" hands the swatches over; any way of closing gives the main window back.
void FormMain::optionsClosed(int result) {
    if (result == QDialog::Accepted) GetOptions();
    setEnabled(true);
    activateWindow();
    setFocus();
}

void FormMain::GetOptions() {
    if (!m_options) return;
    const FormOptions::Colors& chosen = m_options->colors();
    s.OptionColors[0] = chosen[0];
    s.OptionColors[1] = chosen[1];
    s.OptionColors[2] = chosen[2];
    DrawBrowser();
    DrawEditor();
}
