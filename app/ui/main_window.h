#pragma once

#include <QWidget>

namespace ferwis {

// The program's main window (Form1). Placeholder until the window lands.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace ferwis
