#include "ui/palette/formoptions.h"

#include "ui/app/formmain.h"
#include "core/app/twips.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/prompts.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
QLabel* heading(QWidget* parent, const QString& text, int left)
{
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

ColorField* swatch(QWidget* parent, const QString& name, int left)
{
    auto* field = new ColorField(parent);
    field->setGeometry(twipRect(left, 480, 1215, 375));
    field->setAccessibleName(name);
    return field;
}
} // namespace

FormOptions::FormOptions(FormMain& main, Prompts& prompts)
    : QWidget(nullptr, Qt::Window), m_main(main), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Options"));
    setWindowIcon(main.windowIcon());
    setFixedSize(286, 110);
    Frame1 = new QGroupBox(QStringLiteral("Colors"), this);
    Frame1->setGeometry(twipRect(120, 120, 4095, 975));
    Label1 = heading(Frame1, QStringLiteral("Grid color"), 120);
    LbGridColor = swatch(Frame1, QStringLiteral("Grid color"), 120);
    Label2 = heading(Frame1, QStringLiteral("Selection color"), 1440);
    LbSelectionColor = swatch(Frame1, QStringLiteral("Selection color"), 1440);
    Label3 = heading(Frame1, QStringLiteral("Empty color"), 2760);
    LbEmptyColor = swatch(Frame1, QStringLiteral("Empty color"), 2760);
    BtOk = new QPushButton(QStringLiteral("Ok"), this);
    BtOk->setGeometry(twipRect(120, 1200, 2055, 375));
    BtAbort = new QPushButton(QStringLiteral("Cancle"), this);
    BtAbort->setGeometry(twipRect(2280, 1200, 1935, 375));
    BtOk->setAutoDefault(false);
    BtAbort->setAutoDefault(false);
    setTabOrder(BtAbort, BtOk);

    connect(LbGridColor, &ColorField::clicked, this, &FormOptions::LbGridColor_Click);
    connect(LbSelectionColor, &ColorField::clicked, this, &FormOptions::LbSelectionColor_Click);
    connect(LbEmptyColor, &ColorField::clicked, this, &FormOptions::LbEmptyColor_Click);
    connect(BtOk, &QPushButton::clicked, this, &FormOptions::BtOk_Click);
    connect(BtAbort, &QPushButton::clicked, this, &FormOptions::BtAbort_Click);
}

void FormOptions::pickSwatchColor(ColorField* field)
{
    setBackColor(field, m_prompts.chooseColor(backColor(field)));
}

void FormOptions::LbGridColor_Click() { pickSwatchColor(LbGridColor); }
void FormOptions::LbSelectionColor_Click() { pickSwatchColor(LbSelectionColor); }
void FormOptions::LbEmptyColor_Click() { pickSwatchColor(LbEmptyColor); }

void FormOptions::leave()
{
    m_main.setEnabled(true);
    m_main.activateWindow();
    m_main.setFocus();
    hide();
}

void FormOptions::BtOk_Click()
{
    m_main.GetOptions();
    leave();
}

void FormOptions::BtAbort_Click() { leave(); }

void FormOptions::closeEvent(QCloseEvent* event)
{
    event->ignore();
    BtAbort_Click();
}

void FormOptions::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        BtAbort_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}
