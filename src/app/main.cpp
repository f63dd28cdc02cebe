// Velkついたて将棋: the game window.
#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velk-tsuitate"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velkついたて将棋"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velk.Tsuitate"));
    velk::app::installJapanese(&app);

    velk::app::MainWindow window;
    window.start();
    if (window.hasEnded()) return 0;
    return QApplication::exec();
}
