#pragma once

#include "core/editor/editorchange.h"
#include "core/rom/tilerecord.h"
#include "core/search/tilesearch.h"
#include "core/transfer/transferrules.h"
#include "core/transfer/writejournal.h"
#include "ui/app/formmainstate.h"
#include "ui/platform/prompts.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct ChecksumReport;
class ColorField;
class FilledBar;
class FileWatch;
class FormOptions;
class GraphicButton;
class History;
class Launcher;
class OffscreenDC;
class PictureBox;
class Prompts;
class RomFile;
class WriteStep;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;

// The main window: owns every piece of state and carries the handler of every control.
// Handlers turn an event into calls of the plain rules beneath and a redraw.
class FormMain : public QWidget {
    Q_OBJECT
  public:
    explicit FormMain(Prompts& prompts, QWidget* parent = nullptr);
    ~FormMain() override;

    [[nodiscard]] const FormMainState& state() const { return s; }

    // Public operations
    void GetOptions();
    void LoadSprite(qint64 address);
    void openfile();
    void CloseFile();
    // Opens a file named outside the window (the command line), as the open button would.
    void openPath(const QString& path);

    // What ends the program; tests replace it to observe the exit status.
    void setEndProgram(std::function<void(int)> end) { m_endProgram = std::move(end); }
    // What starts other programs; tests replace it to see what Ctrl+R starts.
    void setLauncher(Launcher& launcher) { m_launcher = &launcher; }

    // Start-up and shut-down
    void Form_Load();
    void InitSettings();
    void ArrangeControls();
    // The window's size changed (an addition: the designed window has a fixed size).
    void Form_Resize();
    // The designed client area: the window's least size and its size at start.
    [[nodiscard]] static QSize designedSize();
    void Form_Unload(int& cancel);
    void BtExit_Click();
    void Bthelp_Click();
    // Every key of the window and of its two boxes, with what it does, for the help box.
    [[nodiscard]] static QString keyList();

    // The ROM file
    void BtOpenFile_Click();
    void BtCloseFile_Click();
    // Encodes editor tile `index` and writes its 16 bytes at `address`, as the history's step
    // `what`; a failure is shown.
    void WriteTileAt(int index, qint32 address, const QString& what);

    // Drawing shared by the browser and the editor
    void CreateOffscreenBitmaps();
    // Draws the tile at one bitmap pixel a tile pixel with its top-left corner at (x0, y0);
    // a tile that does not lie wholly inside the bitmap is not drawn.
    void DrawTilePixels(int x0, int y0, OffscreenDC& dc, const TilePixels& pixels);

    // The browser
    void DrawBrowser();
    void DrawBrowserSelection();
    void SpriteScroll_Scroll();
    void SpriteScroll_Change();
    void ComboDivert_click();
    void BtJumpAdd_Click();
    void BtBrowZoomIn_Click();
    void BtBrowZoomOut_Click();
    void ChkGrid_Click();
    void SpriteBox_MouseMove(int button, int shift, double x, double y);
    void SpriteBox_MouseDown(int button, int shift, double x, double y);

    // The editor
    void DrawEditor();
    void ShowEditorTileInfo();
    void OptionSelect_Click();
    void OptionPaint_Click();
    void OptionFill_Click();
    void BtEditZoomIn_Click();
    void BtEditZoomOut_Click();
    void ChkGridEditor_Click();
    void ChkNoncopied_Click();
    void EditorBox_MouseDown(int button, int shift, double x, double y);
    void Editorbox_MouseMove(int button, int shift, double x, double y);
    void ChkFlipX_MouseDown(int button, int shift, double x, double y);
    void ChkFlipY_MouseDown(int button, int shift, double x, double y);
    void ChkWriteProtected_Click();

    // Transfers between the file and the editor
    void SpriteBox_DblClick();
    void CheckCopyToEditor(TileRecord& tile, const qint32& address);
    void SaveTile_Click();
    void BtCopySelTile_Click();
    void BtCopyToAddress_Click();
    void BtSaveEdit_Click();
    void BtReloadTile_Click();
    void BtReload_Click();
    void BtDeleteSprite_Click();
    void BtEditClear_Click();

    // The palette and the options
    void ShowCurrentColor();
    void BtCol_Click(int index);
    void BtCol_DblClick(int index);
    void BtCol_MouseMove(int index, int button, int shift, double x, double y);
    void BtOptions_Click();

    // Pictures of the editor's cells, reached by keys: the editor or the selected cell
    // exported as a PNG file, and a PNG file imported from the selected cell on.
    void exportEditorPicture();
    void exportCellPicture();
    void importPicture();

    // Game Boy and Super Nintendo headers, reached by keys: the checksums shown and, when any
    // is wrong, corrected (Ctrl+K); colours 0 to 3 read from the file (Ctrl+L).
    void showChecksums();
    void readStoredPalette();

    [[nodiscard]] FormOptions* optionsDialog() const { return m_options.get(); }

    // Runs `edit` on a copy of the editor's cells and selection and makes what it changed one
    // step of the history, described by `what` ("fill of cell ( 3, 0)"); true when it changed
    // anything. The caller redraws.
    using EditorEdit = std::function<void(EditorTileArray& tiles, EditorSelection& selected)>;
    bool editorStep(const QString& what, const EditorEdit& edit);

    // The history, reached by keys: Ctrl+Z, Ctrl+Shift+Z (or Ctrl+Y), and Ctrl+Shift+P for an
    // IPS patch of what this session wrote to the open file.
    void undoLastStep();
    void redoNextStep();
    void makePatch();
    // Ctrl+R: the open file opened with the program the desktop has for its type.
    void runRom();
    // Keys on the focused browser (the view moves through the jump) and editor (the selected
    // cell moves); the release of the mouse on the editor, which ends a paint stroke.
    void browserKey(int key);
    void editorKey(int key);
    void editorMouseUp(int button, int shift, double x, double y);
    // Searching the file for the selected cell's tile (formmain_search.cpp): Ctrl+F as
    // stored, Ctrl+Shift+F also mirrored and renumbered; F3 and Shift+F3 go to the next and
    // the previous place the last search found.
    void findTile();
    void findSamePicture();
    void findNext();
    void findPrevious();

    // Controls, under their names
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;
    GraphicButton* BtOpenFile = nullptr;
    GraphicButton* BtCloseFile = nullptr;
    GraphicButton* BtExit = nullptr;
    GraphicButton* BtOptions = nullptr;
    GraphicButton* ChkGrid = nullptr;
    GraphicButton* BtBrowZoomIn = nullptr;
    GraphicButton* BtBrowZoomOut = nullptr;
    QLineEdit* TextAddress = nullptr;
    GraphicButton* BtJumpAdd = nullptr;
    QComboBox* ComboDivert = nullptr;
    PictureBox* SpriteBox = nullptr;
    QScrollBar* SpriteScroll = nullptr;
    GraphicButton* OptionSelect = nullptr;
    GraphicButton* OptionPaint = nullptr;
    GraphicButton* OptionFill = nullptr;
    GraphicButton* BtSaveEdit = nullptr;
    GraphicButton* BtReload = nullptr;
    GraphicButton* BtEditClear = nullptr;
    GraphicButton* ChkGridEditor = nullptr;
    GraphicButton* BtEditZoomOut = nullptr;
    GraphicButton* BtEditZoomIn = nullptr;
    GraphicButton* ChkNoncopied = nullptr;
    GraphicButton* BtDeleteSprite = nullptr;
    GraphicButton* SaveTile = nullptr;
    GraphicButton* BtReloadTile = nullptr;
    GraphicButton* BtCopySelTile = nullptr;
    GraphicButton* BtCopyToAddress = nullptr;
    QLineEdit* TextEditAddress = nullptr;
    GraphicButton* ChkWriteProtected = nullptr;
    GraphicButton* ChkFlipX = nullptr;
    GraphicButton* ChkFlipY = nullptr;
    PictureBox* EditorBox = nullptr;
    FilledBar* ShpCol = nullptr;
    std::array<ColorField*, 4> BtCol{};
    QLabel* LbStatus = nullptr;
    GraphicButton* Bthelp = nullptr;
    QButtonGroup* EditModeGroup = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildControls();
    void buildBrowserControl();
    void buildEditorControl();
    void buildTileControl();
    void buildEditorArea();
    void buildInfo();
    void setFocusOrder();
    void fitControlsToWindow();
    void layBrowserGrid();
    void connectHandlers();
    void connectBrowserHandlers();
    void connectEditorHandlers();
    void connectTransferHandlers();
    void connectPaletteHandlers();
    void connectKeys();
    void optionsClosed(int result);

    void refuseOpen(const QString& reason);
    [[nodiscard]] QString openDialogFolder() const;
    [[nodiscard]] bool showNoFile();
    void recomputeTopAddress();
    void browserViewMoved();
    void browserZoomChanged();
    void showBrowserAnew();
    void fitBrowserBitmap();
    void applyEditorTool(double x, double y);
    void toggleFlip(const QString& what, bool TileRecord::*flag, GraphicButton* box);
    [[nodiscard]] TileRecord& selectedTile() { return s.EditorTiles[s.editorSelIndex()]; }

    enum class WriteAnswer { Proceed, Stop };
    [[nodiscard]] WriteAnswer beginWrite(const MessageSpec& ask);
    void writeTiles(const QString& what, std::vector<TileWrite> tiles, bool series);
    // Makes `step` one step of the history and shows a failure; true when nothing failed.
    bool writeStep(const QString& what, WrittenTiles step, bool series);
    // The question before a write into the file's header (formmain_cartridge.cpp).
    [[nodiscard]] bool mayWriteIntoHeader(const std::vector<TileWrite>& writes);
    void writeChecksums(const ChecksumReport& shown);
    // Reads tiles for the reloads, through LoadSprite.
    [[nodiscard]] TileLoader tileLoader();

    FormMainState s;
    Prompts& m_prompts;
    std::unique_ptr<RomFile> RomFileHandle;
    std::unique_ptr<OffscreenDC> BrowserDC;
    std::unique_ptr<OffscreenDC> EditorDC;
    std::unique_ptr<FormOptions> m_options;
    std::function<void(int)> m_endProgram;
    bool m_unloaded = false;
    QSize m_laidOutSize;
    // The palette as screen colours for two neighbouring pixels at once, indexed by the left
    // one's value plus 8 times the right one's; taken at the start of every redraw. Values
    // past OutsideFile are drawn as outside the file.
    std::array<std::array<quint32, 2>, 64> m_tileColors{};
    void takeTileColors();

    // The history (formmain_history.cpp)
    bool paintStep(int column, int row, const EditorEdit& edit);
    bool recordEdit(const QString& what, const EditorEdit& edit, bool partOfStroke);
    void takeStep(HistoryDirection direction);
    [[nodiscard]] bool mayTakeWrite(const WriteStep& step, HistoryDirection direction);
    void forgetWrites();
    std::unique_ptr<History> m_history;

    // Other programs beside this one (formmain_watch.cpp, formmain_others.cpp): the open file
    // watched and followed, what this program saw of it, the question before a save over
    // another program's change.
    void connectFileWatch();
    void watchRomFile();
    void unwatchRomFile();
    void followRomFile();
    void followReplacement();
    void takeRomFile(std::unique_ptr<RomFile> file);
    void noteReadForEditor(qint64 address);
    [[nodiscard]] bool mayOverwrite(qint32 address);
    FileWatch* m_fileWatch = nullptr;
    bool m_romFileGone = false;
    // The bytes the last LoadSprite(address) read: those a copy or reload put into a cell.
    struct TileRead {
        qint64 address = 0;
        TileBytes bytes{};
        qint64 got = 0;
    } m_lastRead;
    Launcher* m_launcher;

    // The search (formmain_search.cpp)
    void searchFile(SearchKind kind);
    [[nodiscard]] std::optional<SearchResult> runSearch(SearchKind kind, const QString& title);
    void stepToPlace(int direction);
    void showFoundPlace(qsizetype index);
    std::optional<SearchResult> m_found;
    qsizetype m_foundIndex = 0;
    bool m_searching = false;
};
