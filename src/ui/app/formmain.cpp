#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/app/userguide.h"
#include "core/browser/browsermath.h"
#include "core/rom/romfile.h"
#include "ui/app/history.h"
#include "ui/app/twips.h"
#include "ui/palette/formoptions.h"
#include "ui/platform/launcher.h"
#include "ui/platform/offscreendc.h"
#include "ui/platform/picturebox.h"
#include "ui/platform/prompts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QUrl>

// The pictures live in the ui library, whose resource initialiser the linker would drop.
static void initPictures() {
    Q_INIT_RESOURCE(pelorin);
}

namespace {
// The scroll bar's width and its distance from the browser box, in twips.
constexpr int kScrollWidth = 255;
constexpr int kScrollGap = 20;
} // namespace

FormMain::FormMain(Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_prompts(prompts),
      m_endProgram([](int status) { QCoreApplication::exit(status); }),
      m_history(std::make_unique<History>(s, RomFileHandle)), m_launcher(&Launcher::system()) {
    initPictures();
    setWindowTitle(msg::kAppTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/pelorin-32.png")));
    setMinimumSize(designedSize());
    resize(designedSize());
    m_laidOutSize = designedSize();
    buildControls();
    connectHandlers();
    Form_Load();
}

FormMain::~FormMain() = default;

void FormMain::Form_Load() {
    InitSettings();
    ArrangeControls();
    ComboDivert->setCurrentIndex(0);
    ComboDivert_click();
    CreateOffscreenBitmaps();
    DrawBrowser();
    DrawEditor();
    SpriteBox->setFocus();
}

void FormMain::InitSettings() {
    s.BrowserZoom = 3;
    s.AppTitle = msg::kAppTitle;
    s.BrowserTopAddress = 0;
    s.BrowserColumns = 8;
    s.BrowserCellSize = 8;
    s.OptionColors[0] = rgbColor(0, 0, 0);
    s.OptionColors[1] = rgbColor(255, 255, 255);
    s.OptionColors[2] = rgbColor(191, 191, 191);
    s.PaletteColors[4] = rgbColor(191, 191, 191);
    s.PaletteColors[3] = rgbColor(64, 64, 32);
    s.PaletteColors[2] = rgbColor(128, 128, 64);
    s.PaletteColors[1] = rgbColor(181, 181, 96);
    s.PaletteColors[0] = rgbColor(255, 255, 128);
    s.CurrentColor = 0;
    s.RomFileOpen = false;
    s.EditorZoom = 3;
    s.EditorCellSize = 8;
}

void FormMain::ArrangeControls() {
    layBrowserGrid();
    s.BrowserSelColumn = 0;
    s.BrowserSelRow = 0;
    ShowCurrentColor();
}

// The cells the browser box shows, and its scroll bar just right of it, as tall and level.
void FormMain::layBrowserGrid() {
    const GridCounts counts = browserGridCounts(SpriteBox->scaleWidth(), SpriteBox->scaleHeight(),
                                                s.BrowserZoom, s.BrowserCellSize);
    s.BrowserRows = counts.rows;
    s.BrowserColumns = counts.columns;
    const QRect box = SpriteBox->geometry();
    SpriteScroll->setGeometry(box.x() + box.width() + px(kScrollGap), box.y(), px(kScrollWidth),
                              box.height());
}

void FormMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// The views take the window's new room and are drawn anew. The mark stays on its cell while
// that cell is shown, so that it does not jump home at every step of a drag; only a cell the
// smaller grid no longer has sends it home.
void FormMain::Form_Resize() {
    if (size() == m_laidOutSize) return;
    m_laidOutSize = size();
    fitControlsToWindow();
    layBrowserGrid();
    if (s.BrowserSelColumn >= s.BrowserColumns || s.BrowserSelRow >= s.BrowserRows) {
        s.BrowserSelColumn = 0;
        s.BrowserSelRow = 0;
    }
    showBrowserAnew();
    DrawEditor();
}

void FormMain::Form_Unload(int& cancel) {
    Q_UNUSED(cancel); // closing can not be cancelled
    if (m_unloaded) return;
    m_unloaded = true;
    if (s.RomFileOpen) CloseFile();
    BrowserDC.reset();
    EditorDC.reset();
    m_options.reset();
    setEnabled(false);
    hide();
    m_endProgram(0);
}

void FormMain::BtExit_Click() {
    int cancel = 0;
    Form_Unload(cancel);
}

void FormMain::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    Form_Unload(cancel);
    event->accept();
}

void FormMain::Bthelp_Click() {
    // Where the help button sends people: the user guide beside the program.
    const QString guide =
        userGuidePath(QCoreApplication::applicationDirPath(), QStringLiteral(PELORIN_SOURCE_GUIDE));
    MessageSpec help =
        notice(msg::kHelpPrefix + QUrl::fromLocalFile(guide).toString(), msg::kHelpTitle);
    help.details = keyList();
    m_prompts.messageBox(help);
}
