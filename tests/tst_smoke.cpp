#include "app/formmain.h"
#include "pictures.h"
#include "platform/picturebox.h"
#include "romfiles.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QTest>

class TestSmoke : public QObject {
    Q_OBJECT
private slots:
    void startShowsGreyBrowserAndBlankEditor()
    {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "start-browser");
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(form.state().EditorTiles, {}),
                        "start-editor");
        VERIFY_PROMPTS(prompts);
    }
    void openedFileShowsItsTiles()
    {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(4000, 7);
        const QString path = writeRom(dir, "a.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        prompts.expectOpen(path);
        form.BtOpenFile_Click();
        BrowserPicture view;
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view), "open-browser");
        VERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(TestSmoke)
#include "tst_smoke.moc"
