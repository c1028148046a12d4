#pragma once

#include "core/editor/editorchange.h"
#include "core/rom/tilerecord.h"
#include "ui/app/formmainstate.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ColorField;
struct History;
struct HistoryStep;
class FilledBar;
class FormOptions;
class GraphicButton;
class OffscreenDC;
class PictureBox;
class Prompts;
class RomFile;
class VisibleBytes;
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
    // The same for a browser redraw, from the bytes it read for all its cells.
    void LoadSprite(qint64 address, const VisibleBytes& visible);
    void openfile();
    void CloseFile();
    // Opens a file named outside the window (the command line), as the open button would.
    void openPath(const QString& path);

    // What ends the program; tests replace it to observe the exit status.
    void setEndProgram(std::function<void(int)> end) { m_endProgram = std::move(end); }

    // Start-up and shut-down
    void Form_Load();
    void InitSettings();
    void ArrangeControls();
    void Form_Unload(int& cancel);
    void BtExit_Click();
    void Bthelp_Click();

    // The ROM file
    void BtOpenFile_Click();
    void BtCloseFile_Click();
    // Encodes editor tile `index` and writes its 16 bytes at `address`; the reason on failure.
    [[nodiscard]] std::optional<QString> WriteTileAt(int index, qint32 address);

    // The browser
    void CreateOffscreenBitmaps();
    void DrawBrowser();
    void DrawBrowserSelection();
    void DrawTilePixels(int x0, int y0, OffscreenDC& dc, const TilePixels& pixels);
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

    [[nodiscard]] FormOptions* optionsDialog() const { return m_options.get(); }

    // Runs `change` on the editor's cells and selection as one step of the history, described
    // by `what` ("paint in cell ( 3, 0)").
    void editorStep(const QString& what, const std::function<void()>& change);

    // The history, reached by keys: Ctrl+Z, Ctrl+Shift+Z (or Ctrl+Y), and Ctrl+Shift+P for an
    // IPS patch of what this session wrote to the open file.
    void undoLastStep();
    void redoNextStep();
    void makePatch();
    // Keys on the focused browser (the view moves through the jump) and editor (the selected
    // cell moves); the release of the mouse on the editor, which ends a paint stroke.
    void browserKey(int key);
    void editorKey(int key);
    void editorMouseUp(int button, int shift, double x, double y);

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

  private:
    void buildControls();
    void buildBrowserControl();
    void buildEditorControl();
    void buildTileControl();
    void buildEditorArea();
    void buildInfo();
    void setFocusOrder();
    void connectHandlers();
    void connectBrowserHandlers();
    void connectEditorHandlers();
    void connectTransferHandlers();
    void connectPaletteHandlers();
    void connectKeysAndWheel();
    void connectHistoryKeys();
    void connectPictureKeys();
    void optionsClosed(int result);

    void refuseOpen(const QString& reason);
    [[nodiscard]] QString openDialogFolder() const;
    [[nodiscard]] bool showNoFile();
    void recomputeTopAddress();
    void browserZoomChanged();
    void applyEditorTool(double x, double y);
    void toggleFlip(bool TileRecord::*flag, GraphicButton* box);
    [[nodiscard]] TileRecord& selectedTile() { return s.EditorTiles[s.editorSelIndex()]; }

    enum class WriteStep { Proceed, Stop };
    [[nodiscard]] WriteStep beginWrite();
    [[nodiscard]] bool writeOrReport(int index, qint32 address, int writtenBefore = -1);

    FormMainState s;
    Prompts& m_prompts;
    std::unique_ptr<RomFile> RomFileHandle;
    std::unique_ptr<OffscreenDC> BrowserDC;
    std::unique_ptr<OffscreenDC> EditorDC;
    std::unique_ptr<FormOptions> m_options;
    std::function<void(int)> m_endProgram;
    bool m_unloaded = false;
    // The palette as screen colours, taken once at the start of every redraw; values past
    // OutsideFile are drawn as outside the file.
    std::array<quint32, 8> m_tileColors{};
    void takeTileColors();

    // The history (formmain_history.cpp)
    void beginStroke();
    void endStroke();
    void paintStep(int column, int row, const std::function<void()>& change);
    void recordEditorStep(const QString& what, const EditorTileArray& tiles, int column, int row);
    void fileStep(const QString& what, const std::function<void()>& writes);
    [[nodiscard]] std::optional<TileBytes> tileOnDisk(qint32 address) const;
    void noteTileWrite(qint32 address, const std::optional<TileBytes>& before,
                       const TileBytes& after);
    enum class FileStepsEnd { FileClosed, WriteBackFailed };
    void forgetFileSteps(FileStepsEnd why);
    void pushStep(std::shared_ptr<HistoryStep> step);
    void applyStep(HistoryStep& step, HistoryDirection direction);
    void takeStep(HistoryDirection direction);
    [[nodiscard]] bool fileStepMayRun(const HistoryStep& step, HistoryDirection direction);
    [[nodiscard]] bool namesRomFile(const QString& path) const;
    struct HistoryDeleter {
        void operator()(History* history) const;
    };
    [[nodiscard]] static History* newHistory();
    std::unique_ptr<History, HistoryDeleter> m_history{newHistory()};
};
