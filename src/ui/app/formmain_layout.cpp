// The main window's controls at their designed places (positions in twips), and where the
// views and the frames go in a window larger than designed.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/app/windowlayout.h"
#include "ui/app/twips.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace {

// The window's client area and the designed places of what a larger window moves or grows.
constexpr int kClientWidth = 7875;
constexpr int kClientHeight = 8190;
constexpr TwipRect kSpriteBoxPlace{0, 1560, 3495, 6015};
constexpr TwipRect kEditorControlPlace{3840, 0, 1695, 2535};
constexpr TwipRect kTileControlPlace{5640, 0, 2175, 2535};
constexpr TwipRect kEditorBoxPlace{3840, 2640, 3975, 3735};
constexpr TwipRect kColorsPlace{3840, 6480, 3975, 1095};
constexpr TwipRect kInfoPlace{0, 7560, 7335, 615};
constexpr TwipRect kHelpPlace{7440, 7680, 435, 435};

QString icon(const char* name) {
    return QStringLiteral(":/icons/%1.png").arg(QLatin1String(name));
}

GraphicButton* pushButton(QWidget* parent, const char* picture, const QString& tooltip, int left,
                          int top) {
    auto* button = new GraphicButton(icon(picture), tooltip, parent);
    button->move(px(left), px(top));
    return button;
}

GraphicButton* checkBox(QWidget* parent, const char* picture, const char* ticked,
                        const QString& tooltip, int left, int top) {
    auto* box = new GraphicButton(icon(picture), icon(ticked), tooltip, parent);
    box->move(px(left), px(top));
    return box;
}

QGroupBox* frame(QWidget* parent, const QString& caption, TwipRect place) {
    auto* box = new QGroupBox(caption, parent);
    box->setGeometry(place.pixels());
    return box;
}

QFont addressFont(qreal points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLineEdit* addressBox(QWidget* parent, const QString& tooltip, QRect geometry) {
    auto* text = new QLineEdit(QStringLiteral("0"), parent);
    text->setGeometry(geometry);
    text->setToolTip(tooltip);
    text->setAccessibleName(tooltip);
    text->setFont(addressFont(13.5));
    return text;
}

// A thin separator line from (x1, y1) to (x2, y2), horizontal or vertical, in twips.
void separator(QWidget* parent, int x1, int y1, int x2, int y2) {
    auto* line = new QWidget(parent);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
    line->setPalette(palette);
    line->setGeometry(px(x1), px(y1), px(x2) - px(x1) + 1, px(y2) - px(y1) + 1);
}

// The two lines of a row of controls in a frame: one under the row from `left` to `right`,
// one at its right end from `top` down to `bottom`.
void rowSeparators(QWidget* frame, int left, int top, int right, int bottom) {
    separator(frame, left, bottom, right, bottom);
    separator(frame, right, top, right, bottom);
}

} // namespace

void FormMain::buildControls() {
    buildBrowserControl();
    buildEditorControl();
    buildTileControl();
    buildEditorArea();
    buildInfo();
    setFocusOrder();
}

void FormMain::buildBrowserControl() {
    Frame1 = frame(this, QStringLiteral("Browser Control"), {0, 0, 3735, 1455});
    BtOpenFile = pushButton(Frame1, "open", QStringLiteral("Open a file"), 120, 240);
    BtCloseFile = pushButton(Frame1, "close", QStringLiteral("Close file"), 600, 240);
    BtExit = pushButton(Frame1, "exit", QStringLiteral("Exit"), 1080, 240);
    ChkGrid = checkBox(Frame1, "grid_off", "grid_on", QStringLiteral("Grid on/off"), 2160, 240);
    BtBrowZoomIn = pushButton(Frame1, "zoom_in", QStringLiteral("Zoom in"), 2640, 240);
    BtBrowZoomOut = pushButton(Frame1, "zoom_out", QStringLiteral("Zoom out"), 3120, 240);
    ComboDivert = new QComboBox(Frame1);
    for (int i = 0; i < 16; ++i)
        ComboDivert->addItem(QString::number(i));
    ComboDivert->setGeometry(twipRect(2520, 840, 975, 420));
    ComboDivert->setToolTip(QStringLiteral("Add to address"));
    ComboDivert->setAccessibleName(ComboDivert->toolTip());
    ComboDivert->setFont(addressFont(12, true));
    rowSeparators(Frame1, 120, 240, 2040, 720);
    rowSeparators(Frame1, 2160, 240, 3600, 720);
    rowSeparators(Frame1, 120, 840, 3600, 1320);

    // These stand on the window itself, over the frame that lies at the window's origin.
    BtOptions = pushButton(this, "options", QStringLiteral("Options"), 1560, 240);
    TextAddress = addressBox(this, QStringLiteral("Address"), twipRect(120, 840, 1815, 405));
    BtJumpAdd = pushButton(this, "jump", QStringLiteral("Jump to address"), 2040, 840);

    SpriteBox = new PictureBox(this);
    SpriteBox->place(kSpriteBoxPlace.pixels());
    SpriteScroll = new QScrollBar(Qt::Vertical, this);
    SpriteScroll->setRange(0, 1024);
    SpriteScroll->setSingleStep(1);
    SpriteScroll->setPageStep(2);
    // Dragging the thumb reports scrolls; the change comes when it is let go.
    SpriteScroll->setTracking(false);
    SpriteScroll->setFocusPolicy(Qt::StrongFocus);
}

void FormMain::buildEditorControl() {
    Frame4 = frame(this, QStringLiteral("Editor Control"), kEditorControlPlace);
    Frame4->setToolTip(QStringLiteral("Switch to 'Selection' mode"));
    OptionSelect =
        checkBox(Frame4, "select", "select", QStringLiteral("Switch to 'Select' mode"), 120, 240);
    OptionPaint =
        checkBox(Frame4, "paint", "paint", QStringLiteral("Switch to 'Paint' mode"), 600, 240);
    OptionFill =
        checkBox(Frame4, "fill", "fill", QStringLiteral("Switch to 'Fill' mode"), 1080, 240);
    EditModeGroup = new QButtonGroup(this);
    EditModeGroup->setExclusive(true);
    EditModeGroup->addButton(OptionSelect, int(EditModeKind::Select));
    EditModeGroup->addButton(OptionPaint, int(EditModeKind::Paint));
    EditModeGroup->addButton(OptionFill, int(EditModeKind::Fill));
    OptionSelect->setChecked(true);
    BtSaveEdit = pushButton(Frame4, "save_all", QStringLiteral("Save all tiles to file"), 120, 840);
    BtReload = pushButton(Frame4, "reload_all", QStringLiteral("Reload all tiles"), 600, 840);
    BtEditClear = pushButton(Frame4, "clear_all", QStringLiteral("Clear all tiles"), 1080, 840);
    BtEditClear->setFixedSize(px(435), px(425));
    ChkGridEditor =
        checkBox(Frame4, "grid_off", "grid_on", QStringLiteral("Grid on/off"), 120, 1440);
    // Named the other way round from what they do: "ZoomOut" enlarges the canvas.
    BtEditZoomOut = pushButton(Frame4, "zoom_in", QStringLiteral("Zoom in"), 600, 1440);
    BtEditZoomIn = pushButton(Frame4, "zoom_out", QStringLiteral("Zoom out"), 1080, 1440);
    ChkNoncopied = checkBox(Frame4, "noncopied_show", "noncopied_hide",
                            QStringLiteral("Show/hide noncopied tiles"), 600, 1920);
    rowSeparators(Frame4, 120, 240, 1560, 720);
    rowSeparators(Frame4, 120, 840, 1560, 1320);
    rowSeparators(Frame4, 120, 1440, 1560, 2400);
}

void FormMain::buildTileControl() {
    Frame5 = frame(this, QStringLiteral("Tile Control"), kTileControlPlace);
    BtDeleteSprite =
        pushButton(Frame5, "clear_one", QStringLiteral("Clear the selected tile"), 120, 240);
    SaveTile =
        pushButton(Frame5, "save", QStringLiteral("Save the selected tile to file"), 840, 240);
    BtReloadTile = pushButton(Frame5, "reload_one",
                              QStringLiteral("Reload the selected tile to file"), 1560, 240);
    BtCopySelTile = pushButton(
        Frame5, "copy_to_browser",
        QStringLiteral("Copy selected tile to the selected position in the browser"), 120, 840);
    BtCopyToAddress =
        pushButton(Frame5, "copy_to_address",
                   QStringLiteral("Copy selected tile to the address beneath"), 1560, 840);
    TextEditAddress = addressBox(Frame5, QStringLiteral("Address of selected tile"),
                                 twipRect(120, 1320, 1815, 405));
    ChkWriteProtected =
        checkBox(Frame5, "lock_open", "lock_closed",
                 QStringLiteral("Turn on/off the writeprotection the selected tile"), 120, 1920);
    ChkFlipX = checkBox(Frame5, "f_normal", "f_mirror_x",
                        QStringLiteral("Mirrow the selected tile"), 840, 1920);
    ChkFlipY = checkBox(Frame5, "f_normal", "f_mirror_y",
                        QStringLiteral("Turn the tile upsidedown"), 1560, 1920);
    ChkFlipX->setHandlerDriven(true);
    ChkFlipY->setHandlerDriven(true);
    rowSeparators(Frame5, 120, 240, 2040, 720);
    rowSeparators(Frame5, 120, 840, 2040, 1800);
    rowSeparators(Frame5, 120, 1920, 2040, 2400);
}

void FormMain::buildEditorArea() {
    EditorBox = new PictureBox(this);
    EditorBox->place(kEditorBoxPlace.pixels());
    Frame3 = frame(this, QStringLiteral("Colors"), kColorsPlace);
    ShpCol = new FilledBar(Frame3);
    ShpCol->setGeometry(twipRect(120, 240, 3735, 255));
    for (int i = 0; i < 4; ++i) {
        BtCol[i] = new ColorField(Frame3);
        BtCol[i]->setGeometry(twipRect(120 + 960 * i, 600, 855, 375));
    }
}

void FormMain::buildInfo() {
    Frame2 = frame(this, QStringLiteral("Info"), kInfoPlace);
    LbStatus = new QLabel(msg::kCredit, Frame2);
    LbStatus->setGeometry(twipRect(120, 240, 7095, 255));
    Bthelp = pushButton(this, "help", QStringLiteral("Show where the user guide is"),
                        kHelpPlace.left, kHelpPlace.top);
}

QSize FormMain::designedSize() {
    return {px(kClientWidth), px(kClientHeight)};
}

// Extra width and height go to the two views, the browser's box growing right and down from
// the window's top-left corner, the editor's to the right of the browser's scroll bar. Each
// frame keeps its size and stays by the view it serves: the editor's two above the editor,
// "Colors" below it, "Info" and the help button at the bottom.
void FormMain::fitControlsToWindow() {
    const QSize extra = (size() - designedSize()).expandedTo({0, 0});
    const ViewWidths share =
        shareExtraWidth(extra.width(), px(kEditorBoxPlace.width) - 2 * PictureBox::kBorder);
    const int right = share.browser;
    const int down = extra.height();
    SpriteBox->place(kSpriteBoxPlace.pixels().adjusted(0, 0, right, down));
    Frame4->move(kEditorControlPlace.pixels().topLeft() + QPoint(right, 0));
    Frame5->move(kTileControlPlace.pixels().topLeft() + QPoint(right, 0));
    EditorBox->place(
        kEditorBoxPlace.pixels().translated(right, 0).adjusted(0, 0, share.editor, down));
    Frame3->move(kColorsPlace.pixels().topLeft() + QPoint(right, down));
    Frame2->move(kInfoPlace.pixels().topLeft() + QPoint(0, down));
    Bthelp->move(kHelpPlace.pixels().topLeft() + QPoint(0, down));
}

void FormMain::setFocusOrder() {
    QWidget* const order[] = {
        SpriteBox,     SpriteScroll,      BtJumpAdd,    TextAddress, ChkGrid,       BtEditClear,
        BtEditZoomOut, BtEditZoomIn,      EditorBox,    BtSaveEdit,  ComboDivert,   BtReload,
        ChkGridEditor, OptionSelect,      OptionPaint,  OptionFill,  BtBrowZoomOut, BtBrowZoomIn,
        BtOpenFile,    BtCloseFile,       BtOptions,    BtExit,      Bthelp,        BtDeleteSprite,
        ChkNoncopied,  ChkWriteProtected, ChkFlipX,     ChkFlipY,    SaveTile,      TextEditAddress,
        BtReloadTile,  BtCopyToAddress,   BtCopySelTile};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void FormMain::connectHandlers() {
    connect(BtExit, &QAbstractButton::clicked, this, &FormMain::BtExit_Click);
    connect(Bthelp, &QAbstractButton::clicked, this, &FormMain::Bthelp_Click);
    connectBrowserHandlers();
    connectEditorHandlers();
    connectTransferHandlers();
    connectPaletteHandlers();
    connectKeys();
    connectFileWatch();
}
