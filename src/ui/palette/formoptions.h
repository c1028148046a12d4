#pragma once

#include "core/app/colorref.h"

#include <QDialog>

#include <array>

class ColorField;
class Prompts;
class QGroupBox;
class QLabel;
class QPushButton;

// The options dialog: three colour swatches for grid, selection and empty cells. It has no
// parent, so that it stays usable while the main window is disabled. "Ok" accepts it,
// "Cancle", Escape and the close box reject it.
class FormOptions : public QDialog {
    Q_OBJECT
  public:
    using Colors = std::array<ColorRef, 3>; // grid, selection, empty

    explicit FormOptions(Prompts& prompts);

    // The swatches' colours: loaded when the dialog is opened, read back after "Ok".
    void setColors(const Colors& colors);
    [[nodiscard]] const Colors& colors() const { return m_colors; }

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

  private:
    void pickSwatchColor(int index);
    void showColors();

    Prompts& m_prompts;
    Colors m_colors{};
};
