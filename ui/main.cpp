#include "app/program_paths.h"
#include "common/catalogue.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/single_instance.h"
#include "ui/widget_helpers.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// The one line said without a display, in the terminal's encoding; made before
// the toolkit starts, since the toolkit's fatal report cannot wait for it.
const QByteArray& no_display_line() {
    static const QByteArray line =
        (QStringLiteral("ferwis: ") + ferwis::to_qstring(ferwis::text(ferwis::Text::NoDisplay)) +
         QLatin1Char('\n'))
            .toLocal8Bit();
    return line;
}

// Holds the toolkit's own messages until the application object exists: when
// it cannot open a display, the person sees one clear line instead of the
// toolkit's report and abort.
class StartUpGuard {
public:
    StartUpGuard() { qInstallMessageHandler(&StartUpGuard::hold); }
    ~StartUpGuard() {
        qInstallMessageHandler(nullptr);
        std::fputs(held().toLocal8Bit().constData(), stderr);
    }
    StartUpGuard(const StartUpGuard&) = delete;
    StartUpGuard& operator=(const StartUpGuard&) = delete;

private:
    static QString& held() {
        static QString text;
        return text;
    }
    static void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtFatalMsg) {
            std::fputs(no_display_line().constData(), stderr);
            std::_Exit(EXIT_FAILURE);
        }
        held() += qFormatLogMessage(type, context, text) + QLatin1Char('\n');
    }
};

// On X11 and Wayland systems a display is named by the environment; without one
// the toolkit would abort.
bool display_named() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
    no_display_line();
    if (!display_named()) {
        std::fputs(no_display_line().constData(), stderr);
        return EXIT_FAILURE;
    }
    // The window system groups the windows under the desktop entry and its
    // icon by these names.
    QApplication::setApplicationName(QStringLiteral("Ferwis"));
    QApplication::setOrganizationName(QStringLiteral("Ferwis"));
    QApplication::setDesktopFileName(QStringLiteral("ferwis"));
    std::optional<StartUpGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    ferwis::use_design_font();
    QApplication::setWindowIcon(ferwis::program_icon());

    const ferwis::ProgramPaths paths = ferwis::program_paths();
    // The lock lies in the data folder, which the first start makes; one that
    // cannot be made is said by the load step.
    ferwis::prepare_data_dir(paths);
    ferwis::SingleInstance instance(ferwis::to_qstring(paths.data_dir));
    if (!instance.acquire()) {
        // Another instance runs: it comes to the front, and this one ends.
        instance.ask_running_to_front();
        return EXIT_SUCCESS;
    }
    ferwis::MessageBoxMessages messages;
    // After a failed analysis the program ends at once, without the window's
    // close handling.
    ferwis::MainWindow window(messages, paths, [&instance] {
        instance.release();
        std::_Exit(EXIT_FAILURE);
    });
    messages.set_parent(&window);
    instance.listen([&window] { window.bring_to_front(); });
    window.load();
    window.show();
    return QApplication::exec();
}
