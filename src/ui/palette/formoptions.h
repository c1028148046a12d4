#pragma once

#include "core/app/colorref.h"

#include <QWidget>

class ColorField;
class FormMain;
class Prompts;
class QGroupBox;
class QLabel;
class QPushButton;

// The options dialog: three colour swatches for grid, selection and empty cells. It is a
// window of its own, so that it stays usable while the main window is disabled.
class FormOptions : public QWidget {
    Q_OBJECT
public:
    FormOptions(FormMain& main, Prompts& prompts);

    void LbGridColor_Click();
    void LbSelectionColor_Click();
    void LbEmptyColor_Click();
    void BtOk_Click();
    void BtAbort_Click();

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    ColorField* LbGridColor = nullptr;
    ColorField* LbSelectionColor = nullptr;
    ColorField* LbEmptyColor = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtAbort = nullptr;

protected:
    // The close box and Escape act as "Cancle".
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pickSwatchColor(ColorField* swatch);
    void leave();

    FormMain& m_main;
    Prompts& m_prompts;
};
