#include "ui/palette/formoptions.h"

#include "ui/app/twips.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/prompts.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {
QLabel* heading(QWidget* parent, const QString& text, int left) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    // The headings are designed for a small, narrow dialog font.
    QFont font = label->font();
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Nimbus Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(11);
    label->setFont(font);
    label->setGeometry(twipRect(left, 240, 1095, 255));
    return label;
}

ColorField* swatch(QWidget* parent, const QString& name, int left) {
    auto* field = new ColorField(parent);
    field->setGeometry(twipRect(left, 480, 1215, 375));
    field->setAccessibleName(name);
    return field;
}

QPushButton* button(QWidget* parent, const QString& caption, QRect geometry) {
    auto* push = new QPushButton(caption, parent);
    push->setGeometry(geometry);
    // Neither is the default button: Enter acts on the one that has the focus.
    push->setAutoDefault(true);
    return push;
}
} // namespace

FormOptions::FormOptions(Prompts& prompts) : m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(286, 110);
    Frame1 = new QGroupBox(QStringLiteral("Colors"), this);
    Frame1->setGeometry(twipRect(120, 120, 4095, 975));
    Label1 = heading(Frame1, QStringLiteral("Grid color"), 120);
    LbGridColor = swatch(Frame1, QStringLiteral("Grid color"), 120);
    Label2 = heading(Frame1, QStringLiteral("Selection color"), 1440);
    LbSelectionColor = swatch(Frame1, QStringLiteral("Selection color"), 1440);
    Label3 = heading(Frame1, QStringLiteral("Empty color"), 2760);
    LbEmptyColor = swatch(Frame1, QStringLiteral("Empty color"), 2760);
    BtOk = button(this, QStringLiteral("Ok"), twipRect(120, 1200, 2055, 375));
    BtAbort = button(this, QStringLiteral("Cancle"), twipRect(2280, 1200, 1935, 375));
    setTabOrder(BtAbort, BtOk);

    connect(LbGridColor, &ColorField::clicked, this, &FormOptions::LbGridColor_Click);
    connect(LbSelectionColor, &ColorField::clicked, this, &FormOptions::LbSelectionColor_Click);
    connect(LbEmptyColor, &ColorField::clicked, this, &FormOptions::LbEmptyColor_Click);
    connect(BtOk, &QPushButton::clicked, this, &FormOptions::BtOk_Click);
    connect(BtAbort, &QPushButton::clicked, this, &FormOptions::BtAbort_Click);
}

void FormOptions::setColors(const Colors& colors) {
    m_colors = colors;
    showColors();
}

void FormOptions::showColors() {
    setBackColor(LbGridColor, m_colors[0]);
    setBackColor(LbSelectionColor, m_colors[1]);
    setBackColor(LbEmptyColor, m_colors[2]);
}

void FormOptions::pickSwatchColor(int index) {
    m_colors[size_t(index)] = m_prompts.chooseColor(m_colors[size_t(index)]);
    showColors();
}

void FormOptions::LbGridColor_Click() {
    pickSwatchColor(0);
}
void FormOptions::LbSelectionColor_Click() {
    pickSwatchColor(1);
}
void FormOptions::LbEmptyColor_Click() {
    pickSwatchColor(2);
}
void FormOptions::BtOk_Click() {
    accept();
}
void FormOptions::BtAbort_Click() {
    reject();
}
