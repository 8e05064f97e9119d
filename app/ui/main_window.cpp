#include "app/ui/main_window.h"

namespace ferwis {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Ferwis"));
}

} // namespace ferwis
