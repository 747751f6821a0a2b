#include "app/Maindebugmega.h"
#include "app/ProgramWindows.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("ВТ-2М Влагомеры"));
    QApplication::setApplicationName(QStringLiteral("ВТ-2М Влагомеры"));

    ProgramWindows windows;
    windows.main().show();
    return application.exec();
}
