#include "ui/platform/graphicbutton.h"

#include "ui/platform/picturebox.h"
#include "ui/platform/qtcolor.h"

#include <QMouseEvent>
#include <QPixmap>

namespace {
// The picture at 16 x 16 and its twin at 32 x 32 ("name@2x.png"), drawn for screens scaled
// by 1.5 or 2: Qt shows the one that suits the screen instead of enlarging the small one.
void addPictures(QIcon& icon, const QString& picture, QIcon::State state) {
    QString twice = picture;
    twice.insert(twice.lastIndexOf(u'.'), QStringLiteral("@2x"));
    for (const QString& file : {picture, twice}) {
        const QPixmap pixmap(file);
        icon.addPixmap(pixmap, QIcon::Normal, state);
        icon.addPixmap(pixmap, QIcon::Active, state);
    }
}

QIcon pictureIcon(const QString& picture, const QString& tickedPicture) {
    QIcon icon;
    addPictures(icon, picture, QIcon::Off);
    if (!tickedPicture.isEmpty()) addPictures(icon, tickedPicture, QIcon::On);
    return icon;
}
} // namespace

GraphicButton::GraphicButton(const QString& picture, const QString& tooltip, QWidget* parent)
    : GraphicButton(picture, QString(), tooltip, parent) {
    setCheckable(false);
}

GraphicButton::GraphicButton(const QString& picture, const QString& tickedPicture,
                             const QString& tooltip, QWidget* parent)
    : QToolButton(parent) {
    setCheckable(true);
    setIcon(pictureIcon(picture, tickedPicture));
    setIconSize(QSize(16, 16));
    setToolTip(tooltip);
    setAccessibleName(tooltip);
    setFixedSize(kSize, kSize);
    setFocusPolicy(Qt::StrongFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void GraphicButton::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit mouseDown(mouseButtonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
    QToolButton::mousePressEvent(event);
}

void GraphicButton::mouseReleaseEvent(QMouseEvent* event) {
    m_inMouseRelease = true;
    QToolButton::mouseReleaseEvent(event);
    m_inMouseRelease = false;
}

void GraphicButton::nextCheckState() {
    if (!m_handlerDriven) {
        QToolButton::nextCheckState();
        return;
    }
    // The press has already been handled; only a keyboard toggle still needs its handler.
    if (!m_inMouseRelease) emit keyToggle();
}

ColorField::ColorField(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void ColorField::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ColorField::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

void ColorField::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit mouseMoved(mouseButtonMask(event->buttons()), shiftMask(event->modifiers()), p.x(), p.y());
    QLabel::mouseMoveEvent(event);
}

FilledBar::FilledBar(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void setBackColor(QWidget* widget, quint32 colorRef) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toQColor(colorRef));
    widget->setPalette(palette);
}
