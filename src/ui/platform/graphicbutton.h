#pragma once

#include <QLabel>
#include <QToolButton>

// The 29 x 29 graphical push button, check box and option button: no caption, one 16 x 16
// picture (a check box has a second one, shown while ticked, and looks pressed then), each
// with a 32 x 32 twin for screens scaled by 1.5 or 2.
class GraphicButton : public QToolButton {
    Q_OBJECT
  public:
    static constexpr int kSize = 29;

    GraphicButton(const QString& picture, const QString& tooltip, QWidget* parent);
    // A check box: `tickedPicture` is shown while ticked.
    GraphicButton(const QString& picture, const QString& tickedPicture, const QString& tooltip,
                  QWidget* parent);

    // A box whose handler decides its state: a click neither ticks nor unticks it by itself.
    // Every mouse press reports mouseDown; a toggle from the keyboard reports keyToggle.
    void setHandlerDriven(bool on) { m_handlerDriven = on; }

  signals:
    void mouseDown(int button, int shift, double x, double y);
    void keyToggle();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void nextCheckState() override;

  private:
    bool m_handlerDriven = false;
    bool m_inMouseRelease = false;
};

// A label used as a colour field: background colour, single-line border, clicks.
class ColorField : public QLabel {
    Q_OBJECT
  public:
    explicit ColorField(QWidget* parent);

  signals:
    void clicked();
    void doubleClicked();
    void mouseMoved(int button, int shift, double x, double y);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// A filled bar without border.
class FilledBar : public QWidget {
  public:
    explicit FilledBar(QWidget* parent);
};

// Shows a colour as the background of a label, bar or swatch.
void setBackColor(QWidget* widget, quint32 colorRef);
