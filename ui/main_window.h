#pragma once

#include "app/app_state.h"
#include "common/messages.h"
#include "common/progress.h"
#include "ui/help_window.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ferwis {

// The program's main window Form1: scenery selection and analysis, result
// display and the file operations, all at the positions of the design.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // messages receives every message of the window; program_dir (ending with
    // "/") holds ferwis.ini and wynik.txt; end_program ends the process at once
    // after a failed analysis.
    MainWindow(Messages& messages, std::string program_dir, std::function<void()> end_program,
               QWidget* parent = nullptr);

    // The load step: reads the configuration and gives the window its function
    // when the configuration is complete.
    void load();

    // The analysis the window runs; ferwis::run_analysis unless a test stands in.
    using AnalysisRun = std::function<void(const AnalysisSettings&, const std::vector<std::string>&,
                                           const std::string&, Progress&)>;
    void set_analysis_run(AnalysisRun run) { analysis_run_ = std::move(run); }

    const AppState& state() const { return state_; }
    // The help window while it is open.
    HelpWindow* help_window() const { return help_; }

    // Command1 is enabled while at least one scenery file is selected.
    void update_analyse_button();

    // The handlers of the buttons and lists.
    void run_analysis_clicked();
    void show_category_clicked();
    void execute_operation_clicked();
    void show_help();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build_controls();
    void set_tab_order();
    void set_commands_enabled(bool enabled);
    void begin_busy();
    void end_busy();
    void clear_status();
    // Closes the window when a close request arrived while an operation ran.
    void close_if_requested();
    std::vector<std::string> selected_sceneries() const;

    Messages& messages_;
    std::string program_dir_;
    std::function<void()> end_program_;
    AnalysisRun analysis_run_;
    AppState state_;
    QPointer<HelpWindow> help_;
    bool busy_ = false;
    bool close_requested_ = false;

    QListWidget* file1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QListWidget* list1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* label7_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QRadioButton* option3_ = nullptr;
    QRadioButton* option4_ = nullptr;
    QRadioButton* option5_ = nullptr;
    QRadioButton* option6_ = nullptr;
};

} // namespace ferwis
