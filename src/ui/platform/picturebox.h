#pragma once

#include "core/app/colorref.h"

#include <QFrame>
#include <QImage>
#include <QList>

#include <optional>

// A box with a sunken border that keeps a persistent picture of its drawing area and shows
// it whenever it is uncovered. Mouse positions are reported in drawing-area pixels.
// Mouse buttons as a mask: 1 left, 2 right, 4 middle; shift state: 1 Shift, 2 Ctrl, 4 Alt.
class PictureBox : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kBorder = 2;

    explicit PictureBox(QWidget* parent = nullptr);

    // Places the box; its drawing area is sized at once, shown or not.
    void place(const QRect& geometry);

    // Width and height of the drawing area.
    [[nodiscard]] int scaleWidth() const { return m_surface.width(); }
    [[nodiscard]] int scaleHeight() const { return m_surface.height(); }

    [[nodiscard]] QImage& surface() { return m_surface; }
    [[nodiscard]] const QImage& surface() const { return m_surface; }

    // A filled box and a box outline, both corners included, clipped to the drawing area.
    void fillBox(int x1, int y1, int x2, int y2, ColorRef color);
    void outlineBox(int x1, int y1, int x2, int y2, ColorRef color);
    void Fill(ColorRef color);
    // Shows the picture on the screen.
    void Refresh();
    // The keys that, pressed without Shift, Ctrl or Alt, are reported as navigationKey.
    void setNavigationKeys(const QList<int>& keys) { m_navigationKeys = keys; }
    // Where the pointer stands in the drawing area, while it stands there and no other window
    // of the program covers the box; the picture may change under a pointer that stays put.
    [[nodiscard]] std::optional<QPointF> pointerInDrawingArea() const;

  signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void dblClick();
    // A button let go, wherever the pointer is then (positions may lie outside the area).
    void mouseUp(int button, int shift, double x, double y);
    // One of the navigation keys pressed without Shift, Ctrl or Alt.
    void navigationKey(int key);
    // The wheel turned by `steps` notches (positive away from the user).
    void wheelTurned(int steps);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    [[nodiscard]] QPointF toDrawingArea(const QPointF& widgetPos) const;
    [[nodiscard]] bool insideDrawingArea(const QPointF& p) const;
    void fitSurface();

    QImage m_surface;
    QList<int> m_navigationKeys;
    int m_wheelRemainder = 0;
};

[[nodiscard]] int mouseButtonMask(Qt::MouseButtons buttons);
[[nodiscard]] int shiftMask(Qt::KeyboardModifiers modifiers);
