#include "app/ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ferwis::MainWindow window;
    window.show();
    return QApplication::exec();
}
