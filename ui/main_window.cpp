#include "ui/main_window.h"

#include "analysis/run/run_analysis.h"
#include "app/first_start.h"
#include "app/start_up.h"
#include "common/catalogue.h"
#include "common/errors.h"
#include "results/file_operations.h"
#include "results/operation_journal.h"
#include "results/operation_preview.h"
#include "results/operation_words.h"
#include "results/read_category.h"
#include "results/result_freshness.h"
#include "trash/system_trash.h"
#include "ui/form_controls.h"
#include "ui/help_window.h"
#include "ui/result_list.h"
#include "ui/widget_helpers.h"
#include "ui/window_progress.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <exception>
#include <utility>

namespace ferwis {
namespace {

constexpr int kFileNameRole = Qt::UserRole;

// Shows the hourglass over the window for as long as it lives.
class BusyPointer {
public:
    explicit BusyPointer(QWidget& window) : window_(window) { window_.setCursor(Qt::WaitCursor); }
    ~BusyPointer() { window_.unsetCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QWidget& window_;
};

} // namespace

MainWindow::MainWindow(Messages& messages, ProgramPaths paths, std::function<void()> end_program,
                       QWidget* parent)
    : QWidget(parent), messages_(messages), paths_(std::move(paths)),
      end_program_(std::move(end_program)), analysis_run_(&run_analysis) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ferwis"));
    setFont(design_font(8.25));
    build_controls();
    set_tab_order();
}

void MainWindow::build_controls() {
    const FormBuilder f(*this);
    setFixedSize(f.twips().x(14490), f.twips().y(10665));

    DesignFrame* sceneries = f.frame(this, "Frame1", "Scenerie do analizy", 0, 120, 5655, 5295);
    DesignFrame* results = f.frame(this, "Frame2", "Wyświetlanie i działania na wyniku analizy",
                                   6000, 360, 8295, 10215);
    DesignFrame* load =
        f.frame(results, "Frame3", "Polecenia wczytania wyniku", 120, 240, 4695, 1815);
    DesignFrame* display = f.frame(results, "Frame4", "Wyświetlanie wyniku", 120, 2280, 7695, 5415);
    DesignFrame* files =
        f.frame(results, "Frame5", "Kopiowanie/przesuwanie/usuwanie plików", 360, 7800, 7455, 2175);
    DesignFrame* operations = f.frame(files, "Frame6", "", 240, 240, 1695, 1335);
    DesignFrame* categories =
        f.frame(files, "Frame7", "Dla statusów plików", 2160, 240, 3375, 1335);
    DesignFrame* info =
        f.frame(this, "Frame8", "Informacja o działaniu programu", 120, 5640, 5655, 4695);

    scenery_list_ = f.place(new QListWidget(sceneries), "File1", 240, 240, 5055, 4185);
    scenery_list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    scenery_list_->setEnabled(false);
    analyse_button_ = f.button(sceneries, "Command1", "Analizuj", 2040, 4680, 1215, 375);
    analyse_button_->setEnabled(false);

    QLabel* category_caption = f.label(load, "Label1", "Status plików:", 960, 600, 1095, 375);
    category_selector_ = f.place(new QComboBox(load), "Combo1", 2160, 600, 2295, 315);
    category_selector_->setEditable(false);
    display_button_ = f.button(load, "Command2", "Wyświetl", 2400, 1080, 1695, 495);
    display_button_->setEnabled(false);

    result_list_ = f.place(new QListWidget(display), "List1", 360, 360, 7095, 4155);
    result_list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QLabel* count_caption = f.label(display, "Label2", "Ilość:", 360, 4800, 375, 255);
    count_label_ = f.label(display, "Label3", "", 840, 4800, 735, 255);
    // Which category the list holds, beside its count: the selector above may
    // already name another one.
    shown_category_label_ = f.label(display, "ShownCategory", "", 1680, 4800, 5775, 255);

    copy_option_ = f.option(operations, "Option1", "Kopiowanie", 240, 240, 1215, 255);
    move_option_ = f.option(operations, "Option2", "Przesuwanie", 240, 600, 1335, 255);
    delete_option_ = f.option(operations, "Option3", "Usuwanie", 240, 840, 1215, 375);
    copy_option_->setChecked(true);
    used_option_ = f.option(categories, "Option4", "Używanych sceneryjnych", 120, 240, 2295, 255);
    unused_option_ = f.option(categories, "Option5", "Nieużywanych", 120, 600, 1335, 255);
    vehicle_sound_option_ =
        f.option(categories, "Option6", "Używanych *.wav DYNAMIC", 120, 960, 3015, 255);
    used_option_->setChecked(true);

    execute_button_ = f.button(files, "Command3", "Wykonaj", 5640, 600, 1575, 495);
    execute_button_->setEnabled(false);
    QLabel* path_caption =
        f.label(files, "Label4", "Ścieżka kopiowania/przesuwania:", 120, 1680, 2535, 255);
    copy_path_label_ = f.label(files, "Label5", "dd", 2640, 1680, 4695, 255);

    status_label_ = f.status_label(info, "Label6", 240, 600, 5175, 975);
    detail_label_ = f.status_label(info, "Label7", 240, 2160, 5175, 2415);

    help_button_ = f.button(this, "Command4", "POMOC", 9960, 0, 975, 375);
    QFont bold = design_font(8.25);
    bold.setBold(true);
    help_button_->setFont(bold);

    for (QLabel* caption : {category_caption, count_caption, path_caption}) {
        fit_caption(*caption);
    }
    for (QRadioButton* option : {copy_option_, move_option_, delete_option_, used_option_,
                                 unused_option_, vehicle_sound_option_}) {
        fit_caption(*option);
    }

    connect(scenery_list_, &QListWidget::itemSelectionChanged, this,
            &MainWindow::update_analyse_button);
    connect(result_list_, &QListWidget::itemSelectionChanged, this,
            [this] { copy_selection(*result_list_); });
    // A list under another category's name would be read as that category's
    // files: it goes until "Wyświetl" shows the one chosen.
    connect(category_selector_, &QComboBox::currentIndexChanged, this,
            &MainWindow::clear_result_display);
    connect(analyse_button_, &QPushButton::clicked, this, &MainWindow::run_analysis_clicked);
    connect(display_button_, &QPushButton::clicked, this, &MainWindow::show_category_clicked);
    connect(execute_button_, &QPushButton::clicked, this, &MainWindow::execute_operation_clicked);
    // A dry run of any operation, copy included, from the button's own menu.
    auto* preview = new QAction(ui_text("Podgląd (bez zmian)"), execute_button_);
    execute_button_->addAction(preview);
    execute_button_->setContextMenuPolicy(Qt::ActionsContextMenu);
    execute_button_->setToolTip(ui_text("Prawy przycisk myszy: podgląd bez zmian"));
    connect(preview, &QAction::triggered, this, &MainWindow::preview_operation_clicked);
    connect(help_button_, &QPushButton::clicked, this, &MainWindow::show_help);
}

void MainWindow::set_tab_order() {
    // The controls that take focus, as the form reads: the sceneries and their
    // analysis, the result's category and display, the list, the operation and
    // its category, then "Wykonaj" and help.
    QWidget* const order[] = {
        scenery_list_,         analyse_button_, category_selector_, display_button_, result_list_,
        copy_option_,          move_option_,    delete_option_,     used_option_,    unused_option_,
        vehicle_sound_option_, execute_button_, help_button_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

bool MainWindow::write_first_configuration() {
    const std::string config = paths_.config_path();
    messages_.show(text(Text::FirstStart) + "\n" + config);
    while (const auto folder = questions_->choose_folder(text(Text::ChooseMainDir))) {
        const auto problems = make_first_configuration(config, *folder);
        if (problems.empty()) {
            return true;
        }
        for (const ConfigurationProblem& problem : problems) {
            messages_.show(failure_text(problem));
        }
    }
    return false;
}

void MainWindow::load() {
    // Cancelled, the load step goes on as without ferwis.ini.
    const bool written = needs_first_configuration(paths_) && write_first_configuration();
    StartUp start = start_up(paths_);
    // Once a box is closed the window would say nothing of why it stays
    // without function: the problems stay on the status line, their details
    // (each once) and the file read below them, until the program ends.
    std::string problems;
    std::string details;
    for (const ConfigurationProblem& problem : start.problems) {
        messages_.show(failure_text(problem));
        problems.append(problems.empty() ? "" : "\n").append(text(problem.message()));
        if (!problem.particulars().empty() &&
            details.find(problem.particulars()) == std::string::npos) {
            details.append(problem.particulars()).append("\n");
        }
    }
    if (!problems.empty()) {
        status_label_->setText(to_qstring(problems));
        // The file read, unless a problem's details already name it.
        const std::string config = paths_.config_path();
        if (details.find(config) == std::string::npos) {
            details += config_file_read(config);
        } else {
            details.pop_back(); // the line end after the last detail
        }
        detail_label_->setText(to_qstring(details));
    } else if (written) {
        // Where the settings now are, for the skip list a person adds later.
        status_label_->setText(to_qstring(text(Text::ConfigWritten)));
        detail_label_->setText(to_qstring(paths_.config_path()));
    }
    state_ = std::move(start.state);
    copy_path_label_->clear();
    if (!start.ready) {
        return;
    }
    scenery_list_->setEnabled(true);
    scenery_list_->clear();
    try {
        for (const auto& name : list_scenery_files(start.scenery_dir)) {
            auto* item = new QListWidgetItem(to_qstring(name));
            item->setData(kFileNameRole,
                          QByteArray(name.data(), static_cast<qsizetype>(name.size())));
            scenery_list_->addItem(item);
        }
    } catch (const Failure& failure) {
        // The rest of the window still works on an earlier result.
        messages_.show(failure_text(failure));
    }
    category_selector_->clear();
    for (const ResultCode code : kAllCategories) {
        category_selector_->addItem(to_qstring(category_text(code)));
    }
    category_selector_->setCurrentIndex(0);
    fit_entries(*category_selector_);
    clear_result_display();
    copy_path_label_->setText(to_qstring(state_.copy_move_path));
    copy_path_label_->setToolTip(
        copy_path_label_->text()); // a long path is cut off at the label's end
    if (start.result_available) {
        display_button_->setEnabled(true);
        execute_button_->setEnabled(true);
    }
}

void MainWindow::update_analyse_button() {
    bool any = false;
    for (int i = 0; i < scenery_list_->count() && !any; ++i) {
        any = scenery_list_->item(i)->isSelected();
    }
    // The scenery list stays usable while a file operation lets events run; a
    // click in it must not open the way to an analysis in the middle of it.
    analyse_button_->setEnabled(any && !busy_);
}

std::vector<std::string> MainWindow::selected_sceneries() const {
    std::vector<std::string> names;
    for (int i = 0; i < scenery_list_->count(); ++i) {
        const QListWidgetItem* item = scenery_list_->item(i);
        if (item->isSelected()) {
            names.push_back(item->data(kFileNameRole).toByteArray().toStdString());
        }
    }
    return names;
}

void MainWindow::set_commands_enabled(bool enabled) {
    analyse_button_->setEnabled(enabled);
    display_button_->setEnabled(enabled);
    execute_button_->setEnabled(enabled);
}

void MainWindow::begin_busy() {
    busy_ = true;
    setCursor(Qt::WaitCursor);
}

void MainWindow::end_busy() {
    busy_ = false;
    unsetCursor();
}

void MainWindow::clear_result_display() {
    fill_result_list(*result_list_, {});
    count_label_->clear();
    shown_category_label_->clear();
}

void MainWindow::clear_status() {
    status_label_->clear();
    detail_label_->clear();
}

void MainWindow::close_if_requested() {
    if (close_requested_) {
        close();
    }
}

void MainWindow::run_analysis_clicked() {
    const std::vector<std::string> selected = selected_sceneries();
    clear_result_display();
    begin_busy();
    set_commands_enabled(false);
    scenery_list_->setEnabled(false);
    WindowProgress progress(*status_label_, *detail_label_, close_requested_);
    PassedOver passed_over;
    bool finished = false;
    const auto started = std::chrono::steady_clock::now();
    try {
        passed_over =
            analysis_run_(state_.analysis_settings(), selected, state_.result_path(), progress);
        finished = true;
    } catch (const OperationCancelled&) {
        // The run stopped for the close request; the earlier result file stays.
    } catch (const Failure& failure) {
        // Any failure of the run ends the program, as the analysis's one handler
        // says; the run has said it as an AnalysisFailure.
        end_busy();
        messages_.show(failure_text(failure));
        end_program_();
        return;
    }
    end_busy();
    set_commands_enabled(true);
    scenery_list_->setEnabled(true);
    clear_status();
    if (finished) {
        show_analysis_summary(std::chrono::steady_clock::now() - started);
    }
    // The result is whole, but without what the listing could not or would not reach.
    if (const std::string said = passed_over_text(passed_over.long_paths, passed_over.outside_links,
                                                  passed_over.unmeasured);
        !said.empty()) {
        messages_.show(said);
    }
    close_if_requested();
}

void MainWindow::show_analysis_summary(std::chrono::steady_clock::duration took) {
    // What the run found stays in view until the next action, as after a file
    // operation. The counts come from the result file just written; without
    // them the line is left out, the result itself is not in doubt.
    try {
        status_label_->setText(to_qstring(analysis_summary(
            count_categories(state_.result_path()), std::chrono::duration<double>(took).count())));
    } catch (const Failure&) {
        status_label_->clear();
    }
}

void MainWindow::show_category_clicked() {
    const auto code = code_for_category(from_qstring(category_selector_->currentText()));
    set_commands_enabled(false);
    clear_result_display();
    {
        const BusyPointer busy(*this);
        try {
            if (const auto listing = read_category(state_.result_path(), code)) {
                fill_result_list(*result_list_, listing->paths);
                show_provenance(*result_list_, state_.result_path(), state_.main_dir, messages_);
                if (listing->list_full) {
                    messages_.show(text(Text::ListFull));
                }
                count_label_->setText(QString::number(listing->count));
                shown_category_label_->setText(category_selector_->currentText());
            } else {
                messages_.show(text(Text::NoResult));
            }
        } catch (const Failure& failure) {
            messages_.show(failure_text(failure));
        }
    }
    clear_status();
    set_commands_enabled(true);
    update_analyse_button();
}

OperationRequest MainWindow::chosen_request() const {
    OperationRequest request;
    request.operation = copy_option_->isChecked()   ? Operation::Copy
                        : move_option_->isChecked() ? Operation::Move
                                                    : Operation::Delete;
    request.code = used_option_->isChecked()     ? ResultCode::U
                   : unused_option_->isChecked() ? ResultCode::N
                                                 : ResultCode::UD;
    return request;
}

void MainWindow::preview_operation_clicked() {
    if (!execute_button_->isEnabled()) {
        return;
    }
    try {
        OperationRequest request = chosen_request();
        std::optional<UsedElsewhere> used;
        if (!read_used_elsewhere(request, used)) {
            return;
        }
        request.keep = used ? &*used : nullptr;
        show_preview(request);
    } catch (const Failure& failure) {
        messages_.show(failure_text(failure));
    }
}

bool MainWindow::busy_while(const std::function<void(Progress&)>& work) {
    // A long reading shows its count, and the window repaints meanwhile, with
    // its commands off so that nothing starts in the middle of it.
    bool cancelled = false;
    begin_busy();
    set_commands_enabled(false);
    const auto done = [this] {
        end_busy();
        clear_status();
        set_commands_enabled(true);
        update_analyse_button();
    };
    try {
        WindowProgress progress(*status_label_, *detail_label_, close_requested_);
        work(progress);
    } catch (const OperationCancelled&) {
        cancelled = true;
    } catch (...) {
        done();
        throw;
    }
    done();
    if (cancelled) {
        close_if_requested();
        return false;
    }
    return true;
}

bool MainWindow::show_preview(const OperationRequest& request) {
    OperationPreview preview;
    if (!busy_while([&](Progress& progress) {
            preview = operation_preview(state_.operation_settings(), request, state_.result_path(),
                                        progress);
        })) {
        return false;
    }
    questions_->show_preview(preview);
    return true;
}

bool MainWindow::read_used_elsewhere(const OperationRequest& request,
                                     std::optional<UsedElsewhere>& used) {
    // Only a result that says which sceneries were selected tells which are
    // the others; a stale one is refused before they are read.
    const auto selected = ferwis::selected_sceneries(state_.result_path());
    if (request.operation == Operation::Copy || !selected) {
        return true;
    }
    check_freshness(state_.result_path(), state_.main_dir);
    return busy_while([&](Progress& progress) {
        used = find_used_elsewhere(state_.analysis_settings(),
                                   sceneries_not_selected(state_.main_dir, *selected), progress);
    });
}

void MainWindow::execute_operation_clicked() {
    OperationRequest request = chosen_request();
    status_label_->clear();            // the summary of the previous operation
    std::optional<UsedElsewhere> used; // what request.keep points to
    if (!confirm(request, used)) {
        return;
    }
    status_label_->setText(to_qstring(text(operation_words(request).status)));
    begin_busy();
    set_commands_enabled(false);
    WindowProgress progress(*status_label_, *detail_label_, close_requested_);
    SystemTrash trash;
    OperationSummary summary;
    JournalWriter journal(state_.journal_dir(), request);
    try {
        summary = execute_operation(state_.operation_settings(), request, state_.result_path(),
                                    progress, &trash, nullptr,
                                    request.operation == Operation::Copy ? nullptr : &journal);
    } catch (const OperationCancelled&) {
        end_busy();
        clear_status();
        set_commands_enabled(true);
        close_if_requested();
        return;
    } catch (const Failure& failure) {
        // Files already handled stay so; the buttons keep the state the failed
        // run left them in.
        end_busy();
        clear_status();
        messages_.show(failure_text(failure));
        close_if_requested();
        return;
    }
    end_busy();
    clear_status();
    // What was done stays in view until the next action.
    const std::string done =
        operation_summary(operation_words(request).done, summary.files, summary.bytes,
                          summary.skipped.size(), summary.already_there);
    status_label_->setText(to_qstring(done));
    if (summary.stopped) {
        messages_.show(text(Text::CopyPathUnusable));
    }
    // A move or a delete to the trash ends with a message that offers to undo it.
    const bool undoable = !journal.id().empty() && (request.operation == Operation::Move ||
                                                    request.delete_mode == DeleteMode::Trash);
    bool undo = false;
    if (const std::string skipped = skipped_files_text(summary); undoable) {
        undo = questions_->offer_undo(done + "\n" + (skipped.empty() ? "" : skipped + "\n") +
                                      text(Text::UndoOffered));
    } else if (!skipped.empty()) {
        messages_.show(skipped);
    }
    if (summary.freshness_unknown && request.operation == Operation::Copy) {
        messages_.show(text(Text::FreshnessUnknown)); // a move or delete said it when asking
    }
    set_commands_enabled(true);
    if (summary.result_file_deleted) {
        display_button_->setEnabled(false);
        execute_button_->setEnabled(false);
        // The list showed a result that no longer exists.
        clear_result_display();
    }
    update_analyse_button();
    if (undo && !close_requested_) {
        undo_operation_clicked(journal.id());
    }
    close_if_requested();
}

void MainWindow::undo_operation_clicked(const std::string& id) {
    status_label_->setText(to_qstring(text(Text::Undoing)));
    begin_busy();
    set_commands_enabled(false);
    WindowProgress progress(*status_label_, *detail_label_, close_requested_);
    SystemTrash trash;
    UndoSummary summary;
    std::string said;
    try {
        summary = undo_operation(state_.journal_dir(), id, state_.result_path(), &trash, progress);
        said = summary.id.empty() ? text(Text::UndoNothing) : undo_text(summary);
    } catch (const Failure& failure) {
        said = failure_text(failure);
    }
    end_busy();
    clear_status();
    messages_.show(said);
    set_commands_enabled(true);
    // The result no longer says what is on the disk: only a new analysis does.
    if (!result_file_available(state_.result_path())) {
        display_button_->setEnabled(false);
        execute_button_->setEnabled(false);
        clear_result_display();
    }
    update_analyse_button();
}

bool MainWindow::confirm(OperationRequest& request, std::optional<UsedElsewhere>& used) {
    // Move and delete take files out of the installation: both ask first, with
    // the number of files, their size and (move) the target folder, and offer a
    // preview of every file before the answer. A copy or move that finds other
    // files at its targets asks once whether to replace them. With nothing to
    // act on nothing is asked, and nothing changes.
    using DeleteChoice = Questions::DeleteChoice;
    using OverwriteChoice = Questions::OverwriteChoice;
    // The move and delete questions both offer "Podgląd" and "Anuluj": the
    // preview shows every file and asks again, unless it could not be shown.
    enum class Then { Act, AskAgain, Stop };
    const auto then = [this, &request](auto choice) {
        using Choice = decltype(choice);
        if (choice == Choice::Cancel) {
            return Then::Stop;
        }
        if (choice == Choice::Preview) {
            return show_preview(request) ? Then::AskAgain : Then::Stop;
        }
        return Then::Act;
    };
    try {
        if (!read_used_elsewhere(request, used)) {
            return false;
        }
        // The files other sceneries use are kept unless the person unticks the box.
        bool keep_used = true;
        for (;;) {
            request.keep = used ? &*used : nullptr;
            const ConfirmationFacts facts =
                confirmation_facts(state_.operation_settings(), request, state_.result_path());
            bool* keep_box = facts.kept > 0 ? &keep_used : nullptr;
            if (facts.nothing_to_act_on()) {
                std::string said = text(Text::CategoryEmpty);
                if (facts.skipped > 0) {
                    said += "\n" + text(Text::SkippedFiles) + std::to_string(facts.skipped);
                }
                messages_.show(said);
                return false;
            }
            Then next = Then::Act;
            if (request.operation == Operation::Move) {
                const auto choice =
                    questions_->choose_move(confirmation_text(facts, request), keep_box);
                request.keep = keep_used ? request.keep : nullptr;
                next = then(choice);
            } else if (request.operation == Operation::Delete) {
                const DeleteChoice choice = questions_->choose_delete(
                    delete_choice(facts.files, facts.bytes) + confirmation_notes(facts), keep_box);
                request.keep = keep_used ? request.keep : nullptr;
                next = then(choice);
                if (next == Then::Act) {
                    request.delete_mode =
                        choice == DeleteChoice::Trash ? DeleteMode::Trash : DeleteMode::Permanent;
                }
            }
            if (next == Then::Stop) {
                return false;
            }
            if (next == Then::AskAgain) {
                continue;
            }
            if (facts.differing > 0) {
                const OverwriteChoice choice = questions_->choose_overwrite(
                    overwrite_question(facts.differing, facts.already_there));
                if (choice == OverwriteChoice::Cancel) {
                    return false;
                }
                request.overwrite = choice == OverwriteChoice::Replace;
            }
            return true;
        }
    } catch (const Failure& failure) {
        messages_.show(failure_text(failure));
    }
    return false;
}

HelpWindow* MainWindow::help_window() const {
    return help_;
}

void MainWindow::show_help() {
    if (help_ != nullptr) {
        return;
    }
    help_ = new HelpWindow(this);
    help_->setAttribute(Qt::WA_DeleteOnClose);
    help_->setWindowModality(Qt::ApplicationModal);
    help_->show();
}

void MainWindow::bring_to_front() {
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
    // While the help window is open the main window takes no input: it is the
    // help window that the person is looking for.
    if (help_ != nullptr) {
        help_->raise();
        help_->activateWindow();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (busy_) {
        // The running operation ends at its next pass through the event loop,
        // and the window closes then.
        close_requested_ = true;
        event->ignore();
        return;
    }
    if (help_ != nullptr) {
        help_->close();
    }
    event->accept();
}

} // namespace ferwis
