#include "common/native_path.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/single_instance.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ferwis::SingleInstance instance(QCoreApplication::applicationDirPath());
    if (!instance.acquire()) {
        return EXIT_SUCCESS; // another instance runs; this one ends without a word
    }
    ferwis::MessageBoxMessages messages;
    // After a failed analysis the program ends at once, without the window's
    // close handling.
    ferwis::MainWindow window(messages, ferwis::program_directory(), [&instance] {
        instance.release();
        std::_Exit(EXIT_FAILURE);
    });
    messages.set_parent(&window);
    window.load();
    window.show();
    return QApplication::exec();
}
