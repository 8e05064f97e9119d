#include "ui/main_window.h"

#include "analysis/run_analysis.h"
#include "app/start_up.h"
#include "common/catalogue.h"
#include "common/errors.h"
#include "results/file_operations.h"
#include "results/read_category.h"
#include "trash/qt_trash.h"
#include "ui/design_font.h"
#include "ui/help_window.h"
#include "ui/result_list.h"
#include "ui/twips.h"
#include "ui/ui_text.h"
#include "ui/window_progress.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
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

template <typename Control>
Control* place(Control* control, const char* name, const Twips& twips, int left, int top, int width,
               int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twips.rect(left, top, width, height));
    return control;
}

QGroupBox* frame(QWidget* container, const char* name, const char* caption, const Twips& twips,
                 int left, int top, int width, int height) {
    return place(new QGroupBox(ui_text(caption), container), name, twips, left, top, width, height);
}

QLabel* label(QWidget* container, const char* name, const char* caption, const Twips& twips,
              int left, int top, int width, int height) {
    auto* control =
        place(new QLabel(ui_text(caption), container), name, twips, left, top, width, height);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

QPushButton* button(QWidget* container, const char* name, const char* caption, const Twips& twips,
                    int left, int top, int width, int height) {
    return place(new QPushButton(ui_text(caption), container), name, twips, left, top, width,
                 height);
}

QRadioButton* option(QWidget* container, const char* name, const char* caption, const Twips& twips,
                     int left, int top, int width, int height) {
    return place(new QRadioButton(ui_text(caption), container), name, twips, left, top, width,
                 height);
}

// A status label: blue text that wraps.
QLabel* status_label(QWidget* container, const char* name, const Twips& twips, int left, int top,
                     int width, int height) {
    QLabel* control = label(container, name, "", twips, left, top, width, height);
    control->setWordWrap(true);
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    control->setPalette(palette);
    return control;
}

// The room from control's left edge to the nearest control beside it on the
// right, or to the inside of its frame.
int room_to_the_right(const QWidget& control) {
    const QWidget& container = *control.parentWidget();
    const QRect own = control.geometry();
    int limit = container.width() - 2;
    for (const QObject* child : container.children()) {
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (sibling == nullptr || sibling == &control) {
            continue;
        }
        const QRect other = sibling->geometry();
        if (other.left() > own.left() && other.top() <= own.bottom() &&
            other.bottom() >= own.top()) {
            limit = std::min(limit, other.left() - 1);
        }
    }
    return limit - own.left();
}

// The design's captions were measured in "MS Sans Serif"; a wider stand-in font
// would cut them off. Such a caption first takes the free room at its right,
// and only what still does not fit is made smaller.
void fit_caption(QWidget& control, const QString& caption) {
    constexpr double kSmallest = 6.5;
    // What the control needs beside its text (an option's circle) stays the same.
    const int beside =
        control.sizeHint().width() - control.fontMetrics().horizontalAdvance(caption);
    QFont font = control.font();
    const auto needed = [&] { return QFontMetrics(font).horizontalAdvance(caption) + beside; };
    if (needed() > control.width()) {
        const int width = std::min(needed(), std::max(control.width(), room_to_the_right(control)));
        control.resize(width, control.height());
    }
    while (needed() > control.width() && font.pointSizeF() > kSmallest) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    control.setFont(font);
}

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

MainWindow::MainWindow(Messages& messages, std::string program_dir,
                       std::function<void()> end_program, QWidget* parent)
    : QWidget(parent), messages_(messages), program_dir_(std::move(program_dir)),
      end_program_(std::move(end_program)), analysis_run_(&run_analysis) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ferwis"));
    setFont(design_font(8.25));
    build_controls();
    set_tab_order();
}

void MainWindow::build_controls() {
    const Twips t(*this);
    setFixedSize(t.x(14490), t.y(10665));

    QGroupBox* sceneries = frame(this, "Frame1", "Scenerie do analizy", t, 0, 120, 5655, 5295);
    QGroupBox* results = frame(this, "Frame2", "Wyświetlanie i działania na wyniku analizy", t,
                               6000, 360, 8295, 10215);
    QGroupBox* load =
        frame(results, "Frame3", "Polecenia wczytania wyniku", t, 120, 240, 4695, 1815);
    QGroupBox* display = frame(results, "Frame4", "Wyświetlanie wyniku", t, 120, 2280, 7695, 5415);
    QGroupBox* files = frame(results, "Frame5", "Kopiowanie/przesuwanie/usuwanie plików", t, 360,
                             7800, 7455, 2175);
    QGroupBox* operations = frame(files, "Frame6", "", t, 240, 240, 1695, 1335);
    QGroupBox* categories = frame(files, "Frame7", "Dla statusów plików", t, 2160, 240, 3375, 1335);
    QGroupBox* info =
        frame(this, "Frame8", "Informacja o działaniu programu", t, 120, 5640, 5655, 4695);

    file1_ = place(new QListWidget(sceneries), "File1", t, 240, 240, 5055, 4185);
    file1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    file1_->setEnabled(false);
    command1_ = button(sceneries, "Command1", "Analizuj", t, 2040, 4680, 1215, 375);
    command1_->setEnabled(false);

    label(load, "Label1", "Status plików:", t, 960, 600, 1095, 375);
    combo1_ = place(new QComboBox(load), "Combo1", t, 2160, 600, 2295, 315);
    combo1_->setEditable(false);
    command2_ = button(load, "Command2", "Wyświetl", t, 2400, 1080, 1695, 495);
    command2_->setEnabled(false);

    list1_ = place(new QListWidget(display), "List1", t, 360, 360, 7095, 4155);
    list1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    label(display, "Label2", "Ilość:", t, 360, 4800, 375, 255);
    label3_ = label(display, "Label3", "", t, 840, 4800, 735, 255);

    option1_ = option(operations, "Option1", "Kopiowanie", t, 240, 240, 1215, 255);
    option2_ = option(operations, "Option2", "Przesuwanie", t, 240, 600, 1335, 255);
    option3_ = option(operations, "Option3", "Usuwanie", t, 240, 840, 1215, 375);
    option1_->setChecked(true);
    option4_ = option(categories, "Option4", "Używanych sceneryjnych", t, 120, 240, 2295, 255);
    option5_ = option(categories, "Option5", "Nieużywanych", t, 120, 600, 1335, 255);
    option6_ = option(categories, "Option6", "Używanych *.wav DYNAMIC", t, 120, 960, 3015, 255);
    option4_->setChecked(true);

    command3_ = button(files, "Command3", "Wykonaj", t, 5640, 600, 1575, 495);
    command3_->setEnabled(false);
    label(files, "Label4", "Ścieżka kopiowania/przesuwania:", t, 120, 1680, 2535, 255);
    label5_ = label(files, "Label5", "dd", t, 2640, 1680, 4695, 255);

    label6_ = status_label(info, "Label6", t, 240, 600, 5175, 975);
    label7_ = status_label(info, "Label7", t, 240, 2160, 5175, 2415);

    command4_ = button(this, "Command4", "POMOC", t, 9960, 0, 975, 375);
    QFont bold = design_font(8.25);
    bold.setBold(true);
    command4_->setFont(bold);
    for (const char* name : {"Label1", "Label2", "Label4"}) {
        auto* caption = findChild<QLabel*>(QString::fromLatin1(name));
        fit_caption(*caption, caption->text());
    }
    for (QRadioButton* control : {option1_, option2_, option3_, option4_, option5_, option6_}) {
        fit_caption(*control, control->text());
    }

    connect(file1_, &QListWidget::itemSelectionChanged, this, &MainWindow::update_analyse_button);
    connect(list1_, &QListWidget::itemSelectionChanged, this, [this] { copy_selection(*list1_); });
    connect(command1_, &QPushButton::clicked, this, &MainWindow::run_analysis_clicked);
    connect(command2_, &QPushButton::clicked, this, &MainWindow::show_category_clicked);
    connect(command3_, &QPushButton::clicked, this, &MainWindow::execute_operation_clicked);
    connect(command4_, &QPushButton::clicked, this, &MainWindow::show_help);
}

void MainWindow::set_tab_order() {
    // The controls that take focus, by the tab index of the design.
    QWidget* const order[] = {file1_,   command1_, combo1_,  command2_, list1_,
                              option1_, option2_,  option4_, option5_,  command3_,
                              option3_, option6_,  command4_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

void MainWindow::load() {
    StartUp start = start_up(program_dir_);
    for (const ConfigurationProblem& problem : start.problems) {
        messages_.show(failure_text(problem));
    }
    state_ = std::move(start.state);
    label5_->clear();
    if (!start.ready) {
        return;
    }
    file1_->setEnabled(true);
    file1_->clear();
    for (const auto& name : list_scenery_files(start.scenery_dir)) {
        auto* item = new QListWidgetItem(to_qstring(name));
        item->setData(kFileNameRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
        file1_->addItem(item);
    }
    combo1_->clear();
    for (const ResultCode code : kAllCategories) {
        combo1_->addItem(to_qstring(category_text(code)));
    }
    combo1_->setCurrentIndex(0);
    fill_result_list(*list1_, {});
    label3_->clear();
    label5_->setText(to_qstring(state_.copy_move_path));
    label5_->setToolTip(label5_->text()); // a long path is cut off at the label's end
    if (start.result_available) {
        command2_->setEnabled(true);
        command3_->setEnabled(true);
    }
}

void MainWindow::update_analyse_button() {
    bool any = false;
    for (int i = 0; i < file1_->count() && !any; ++i) {
        any = file1_->item(i)->isSelected();
    }
    // The scenery list stays usable while a file operation lets events run; a
    // click in it must not open the way to an analysis in the middle of it.
    command1_->setEnabled(any && !busy_);
}

std::vector<std::string> MainWindow::selected_sceneries() const {
    std::vector<std::string> names;
    for (int i = 0; i < file1_->count(); ++i) {
        const QListWidgetItem* item = file1_->item(i);
        if (item->isSelected()) {
            names.push_back(item->data(kFileNameRole).toByteArray().toStdString());
        }
    }
    return names;
}

void MainWindow::set_commands_enabled(bool enabled) {
    command1_->setEnabled(enabled);
    command2_->setEnabled(enabled);
    command3_->setEnabled(enabled);
}

void MainWindow::begin_busy() {
    busy_ = true;
    setCursor(Qt::WaitCursor);
}

void MainWindow::end_busy() {
    busy_ = false;
    unsetCursor();
}

void MainWindow::clear_status() {
    label6_->clear();
    label7_->clear();
}

void MainWindow::close_if_requested() {
    if (close_requested_) {
        close();
    }
}

void MainWindow::run_analysis_clicked() {
    const std::vector<std::string> selected = selected_sceneries();
    fill_result_list(*list1_, {});
    label3_->clear();
    begin_busy();
    set_commands_enabled(false);
    file1_->setEnabled(false);
    WindowProgress progress(*label6_, *label7_, close_requested_);
    try {
        analysis_run_(state_.analysis_settings(), selected, state_.result_path(), progress);
    } catch (const OperationCancelled&) {
        // The run stopped for the close request; the earlier result file stays.
    } catch (const std::exception& failure) {
        // Any failure of the run ends the program, as the analysis's one handler says.
        end_busy();
        const auto* known = dynamic_cast<const Failure*>(&failure);
        messages_.show(known != nullptr ? failure_text(*known) : text(Text::AnalysisFailed));
        end_program_();
        return;
    }
    end_busy();
    set_commands_enabled(true);
    file1_->setEnabled(true);
    clear_status();
    close_if_requested();
}

void MainWindow::show_category_clicked() {
    const auto code = code_for_category(from_qstring(combo1_->currentText()));
    set_commands_enabled(false);
    fill_result_list(*list1_, {});
    label3_->clear();
    {
        const BusyPointer busy(*this);
        try {
            if (const auto listing = read_category(state_.result_path(), code)) {
                fill_result_list(*list1_, listing->paths);
                if (listing->list_full) {
                    messages_.show(text(Text::ListFull));
                }
                label3_->setText(QString::number(listing->count));
            }
        } catch (const Failure& failure) {
            messages_.show(failure_text(failure));
        }
    }
    clear_status();
    set_commands_enabled(true);
    update_analyse_button();
}

void MainWindow::execute_operation_clicked() {
    OperationRequest request;
    request.operation = option1_->isChecked()   ? Operation::Copy
                        : option2_->isChecked() ? Operation::Move
                                                : Operation::Delete;
    request.code = option4_->isChecked()   ? ResultCode::U
                   : option5_->isChecked() ? ResultCode::N
                                           : ResultCode::UD;
    if (request.operation != Operation::Copy) {
        // Move and delete take files out of the installation: both ask first.
        try {
            const ConfirmationFacts facts =
                confirmation_facts(state_.operation_settings(), request, state_.result_path());
            if (!messages_.confirm(confirmation_text(facts, request))) {
                return;
            }
        } catch (const Failure& failure) {
            messages_.show(failure_text(failure));
            return;
        }
    }
    label6_->setText(to_qstring(operation_status(request.operation)));
    begin_busy();
    set_commands_enabled(false);
    WindowProgress progress(*label6_, *label7_, close_requested_);
    QtTrash trash;
    OperationSummary summary;
    try {
        summary = execute_operation(state_.operation_settings(), request, state_.result_path(),
                                    progress, &trash);
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
    if (summary.stopped) {
        messages_.show(text(Text::CopyPathUnusable));
    }
    if (const std::string skipped = skipped_files_text(summary); !skipped.empty()) {
        messages_.show(skipped);
    }
    set_commands_enabled(true);
    if (summary.result_file_deleted) {
        command2_->setEnabled(false);
        command3_->setEnabled(false);
    }
    update_analyse_button();
    close_if_requested();
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
