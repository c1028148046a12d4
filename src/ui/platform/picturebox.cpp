#include "ui/platform/picturebox.h"

#include "ui/platform/qtcolor.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::place(const QRect& geometry) {
    setGeometry(geometry);
    fitSurface();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitSurface();
}

void PictureBox::fitSurface() {
    const QSize area = contentsRect().size();
    if (area == m_surface.size()) return;
    QImage resized(area.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    resized.fill(Qt::white);
    QPainter copy(&resized);
    copy.drawImage(0, 0, m_surface);
    copy.end();
    m_surface = resized;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // On a screen scaled by 1.5 or 2 every picture pixel becomes a block of whole device
    // pixels of its own colour: tile pixels stay sharp squares, never blended with neighbours.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(contentsRect().topLeft(), m_surface);
}

void PictureBox::fillBox(int x1, int y1, int x2, int y2, ColorRef color) {
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), m_surface.width() - 1);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), m_surface.height() - 1);
    const QRgb rgb = toQRgb(color);
    for (int y = top; y <= bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_surface.scanLine(y));
        std::fill(line + left, line + std::max(left, right + 1), rgb);
    }
}

void PictureBox::outlineBox(int x1, int y1, int x2, int y2, ColorRef color) {
    fillBox(x1, y1, x2, y1, color);
    fillBox(x1, y2, x2, y2, color);
    fillBox(x1, y1, x1, y2, color);
    fillBox(x2, y1, x2, y2, color);
}

void PictureBox::Fill(ColorRef color) {
    m_surface.fill(toQRgb(color));
}

void PictureBox::Refresh() {
    update(contentsRect());
}

QPointF PictureBox::toDrawingArea(const QPointF& widgetPos) const {
    return widgetPos - QPointF(contentsRect().topLeft());
}

bool PictureBox::insideDrawingArea(const QPointF& p) const {
    return p.x() >= 0 && p.y() >= 0 && p.x() < scaleWidth() && p.y() < scaleHeight();
}

std::optional<QPointF> PictureBox::pointerInDrawingArea() const {
    const QPoint global = QCursor::pos();
    if (QApplication::widgetAt(global) != this) return std::nullopt;
    const QPointF p = toDrawingArea(mapFromGlobal(QPointF(global)));
    if (!insideDrawingArea(p)) return std::nullopt;
    return p;
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF p = toDrawingArea(event->position());
    // The border is not part of the box's drawing area and takes no clicks.
    if (insideDrawingArea(p))
        emit mouseDown(mouseButtonMask(event->button()), shiftMask(event->modifiers()), p.x(),
                       p.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = toDrawingArea(event->position());
    if (insideDrawingArea(p) || event->buttons() != Qt::NoButton)
        emit mouseMove(mouseButtonMask(event->buttons()), shiftMask(event->modifiers()), p.x(),
                       p.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = toDrawingArea(event->position());
    emit mouseUp(mouseButtonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && m_navigationKeys.contains(event->key())) {
        emit navigationKey(event->key());
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (insideDrawingArea(toDrawingArea(event->position()))) emit dblClick();
}

void PictureBox::wheelEvent(QWheelEvent* event) {
    // Whole notches only; high-resolution wheels deliver fractions of one.
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / QWheelEvent::DefaultDeltasPerStep;
    m_wheelRemainder -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0) emit wheelTurned(steps);
    event->accept();
}

int mouseButtonMask(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftMask(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}
