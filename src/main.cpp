#include "ui/app/formmain.h"

#include "ui/platform/qtprompts.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pelorin"));
    QtPrompts prompts;
    FormMain window(prompts);
    prompts.setParent(&window);
    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window.openPath(args.at(1));
    return QApplication::exec();
}
