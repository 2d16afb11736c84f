// Starts the workbench: one main window with an empty project.
#include "HelpDialog.h"
#include "MainWindow.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    meridan::enterProgramFolder();

    auto* window = new MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    const int status = app.exec();

    // Windows still open when the loop ends wait for their workers as they go.
    QList<MainWindow*> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* mainWindow = qobject_cast<MainWindow*>(widget))
            open.append(mainWindow);
    }
    qDeleteAll(open);
    return status;
}
