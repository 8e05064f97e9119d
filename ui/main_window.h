#pragma once

#include "analysis/inventory/walk_folder_tree.h"
#include "app/app_state.h"
#include "app/program_paths.h"
#include "common/messages.h"
#include "common/progress.h"
#include "results/file_operations.h"
#include "ui/message_box.h"

#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ferwis {

class HelpWindow;
struct OperationRequest;

// The program's main window Form1: scenery selection and analysis, result
// display and the file operations, all at the positions of the design.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // messages receives every message of the window; paths say where
    // ferwis.ini and wynik.txt are; end_program ends the process at once after
    // a failed analysis.
    MainWindow(Messages& messages, ProgramPaths paths, std::function<void()> end_program,
               QWidget* parent = nullptr);

    // The load step: reads the configuration and gives the window its function
    // when the configuration is complete. The installed program without
    // ferwis.ini first asks for the main directory and writes one.
    void load();

    // The analysis the window runs; ferwis::run_analysis unless a test stands in.
    using AnalysisRun = std::function<PassedOver(
        const AnalysisSettings&, const std::vector<std::string>&, const std::string&, Progress&)>;
    void set_analysis_run(AnalysisRun run) { analysis_run_ = std::move(run); }

    // Who answers the questions before a move or delete: boxes over this
    // window unless a test stands in.
    void set_questions(Questions& questions) { questions_ = &questions; }

    const AppState& state() const { return state_; }
    // The help window while it is open.
    HelpWindow* help_window() const;

    // The analysis button is enabled while at least one scenery file is selected.
    void update_analyse_button();

    // Shows the window (or the help window open over it) in front of the others,
    // for a second start of the program.
    void bring_to_front();

    // The handlers of the buttons and lists.
    void run_analysis_clicked();
    void show_category_clicked();
    void execute_operation_clicked();
    // Puts back the files of the operation of journal id (the last one when
    // empty) and says what was done.
    void undo_operation_clicked(const std::string& id = {});
    // Shows what the chosen operation would do, changing nothing.
    void preview_operation_clicked();
    void show_help();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build_controls();
    // Asks for the main directory until one with the content folders is chosen
    // or the person cancels, and writes ferwis.ini naming it. True when written.
    bool write_first_configuration();
    void set_tab_order();
    void set_commands_enabled(bool enabled);
    void begin_busy();
    void end_busy();
    void clear_status();
    // Empties the result list, its count and the name of its category.
    void clear_result_display();
    // Closes the window when a close request arrived while an operation ran.
    void close_if_requested();
    std::vector<std::string> selected_sceneries() const;
    // Asks before a move or delete; a delete's answer sets its mode. False when
    // the person declines or the result file cannot be read (said).
    // used: what the sceneries outside the analysis use, read here for a move
    // or delete; request.keep points to it when the person keeps those files.
    bool confirm(OperationRequest& request, std::optional<UsedElsewhere>& used);
    // Reads what the sceneries outside the analysis use (move, delete); false
    // when a close request cancelled the reading.
    bool read_used_elsewhere(const OperationRequest& request, std::optional<UsedElsewhere>& used);
    // Runs work with the window busy, its progress on the labels; false when a
    // close request cancelled it. A failure passes on.
    bool busy_while(const std::function<void(Progress&)>& work);
    // The operation and category the options choose.
    OperationRequest chosen_request() const;
    // Reads and shows the preview; false when a close request ended the reading.
    bool show_preview(const OperationRequest& request);
    // The line the status label keeps after an analysis that took the given time.
    void show_analysis_summary(std::chrono::steady_clock::duration took);

    Messages& messages_;
    MessageBoxQuestions own_questions_{this};
    Questions* questions_ = &own_questions_;
    ProgramPaths paths_;
    std::function<void()> end_program_;
    AnalysisRun analysis_run_;
    AppState state_;
    QPointer<HelpWindow> help_;
    bool busy_ = false;
    bool close_requested_ = false;

    // The controls, by role; each one's objectName is its name in the design.
    QListWidget* scenery_list_ = nullptr;          // File1
    QPushButton* analyse_button_ = nullptr;        // Command1
    QComboBox* category_selector_ = nullptr;       // Combo1
    QPushButton* display_button_ = nullptr;        // Command2
    QListWidget* result_list_ = nullptr;           // List1
    QLabel* count_label_ = nullptr;                // Label3
    QLabel* shown_category_label_ = nullptr;       // beside Label3: the category listed
    QRadioButton* copy_option_ = nullptr;          // Option1
    QRadioButton* move_option_ = nullptr;          // Option2
    QRadioButton* delete_option_ = nullptr;        // Option3
    QRadioButton* used_option_ = nullptr;          // Option4
    QRadioButton* unused_option_ = nullptr;        // Option5
    QRadioButton* vehicle_sound_option_ = nullptr; // Option6
    QPushButton* execute_button_ = nullptr;        // Command3
    QLabel* copy_path_label_ = nullptr;            // Label5
    QLabel* status_label_ = nullptr;               // Label6
    QLabel* detail_label_ = nullptr;               // Label7
    QPushButton* help_button_ = nullptr;           // Command4
};

} // namespace ferwis
