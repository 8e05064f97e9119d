#pragma once
// What the commands of ferwis-cli share: the parsed options and the way they
// load the configuration and speak to the terminal.

#include "app/app_state.h"
#include "cli/run_cli.h"
#include "common/errors.h"
#include "common/messages.h"
#include "common/progress.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

class ResultProvenance;

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCancelled = 128; // + the signal's number

struct CliOptions {
    std::string config_path; // Windows-1250
    std::string result_path; // Windows-1250
    std::string command;     // "analyze", "show", "copy", "move", "delete", "why", "undo", "init"
    std::vector<std::string> operands;      // after the command, Windows-1250
    std::vector<std::string> utf8_operands; // the same as given, for names kept whole
};

struct CliContext {
    const CliOptions& options;
    std::ostream& out;
    std::ostream& err;
    const CliEnvironment& environment;
};

// Writes the program's own Windows-1250 text to a stream as UTF-8.
void write_text(std::ostream& stream, std::string_view cp1250_text);

// Writes a name (a path, or a text that holds one) as UTF-8. To a terminal its
// control characters (bytes below 0x20 and 0x7F) are written as "?", so that no
// file name can steer the terminal; to a pipe or file the bytes stay.
void write_name(std::ostream& stream, std::string_view cp1250_text, bool terminal);
void write_name_out(const CliContext& context, std::string_view cp1250_text);
void write_name_err(const CliContext& context, std::string_view cp1250_text);

// Says on standard error a sentence of the catalogue, then the name it is
// about, if any, on one line.
void tell(const CliContext& context, Text sentence, std::string_view name = {});

// Says on standard error the detail of a failure (its reason and file) after
// "ferwis-cli: ".
void tell_detail(const CliContext& context, std::string_view detail);

// Says on standard error how a command is used (all commands for an empty
// command); returns kExitUsage.
int usage(const CliContext& context, std::string_view command = {});

// Says on standard error the Polish message of a failure, as the window shows
// it, and then its detail (file and reason); returns kExitFailed.
int report_failure(const CliContext& context, const Failure& failure);

// Messages on standard error, one per line; confirm() asks on the input when it
// is a terminal and answers no otherwise.
class StreamMessages : public Messages {
public:
    explicit StreamMessages(const CliContext& context) : context_(context) {}
    void show(std::string_view text) override;
    bool confirm(std::string_view text) override;

private:
    const CliContext& context_;
};

// Progress as lines on standard error: the status when it changes, details
// throttled so that a large run stays readable.
class StreamProgress : public Progress {
public:
    StreamProgress(std::ostream& err, bool terminal, std::function<int()> interrupted = {})
        : err_(err), terminal_(terminal), interrupted_(std::move(interrupted)) {}
    void set_status(std::string_view text) override;
    void set_detail(std::string_view text) override;
    void process_events() override {}
    bool close_requested() const override { return interrupted_ && interrupted_() != 0; }

private:
    std::ostream& err_;
    bool terminal_;
    std::function<int()> interrupted_;
    std::string status_;
    std::size_t details_ = 0;
};

// Reads and checks the configuration as start-up does. Returns nothing (after
// reporting on standard error) when the window would stay without function.
std::optional<AppState> load_configuration(const CliContext& context);

// Reads the result with its places. Nothing, after saying why on standard
// error, when the result is missing or has no valid places; status is then
// the exit status.
std::optional<ResultProvenance> load_result_provenance(const CliContext& context, int& status);

// The commands; each returns the exit status.
int analyze_command(const CliContext& context);
int show_command(const CliContext& context);
int file_operation_command(const CliContext& context);
int why_command(const CliContext& context);
int undo_command(const CliContext& context);
// Writes a new ferwis.ini naming the main directory given.
int init_command(const CliContext& context);

// --paths: where the programs read and write, one "key: path" line each.
void write_paths(const CliOptions& options, std::ostream& out, const CliEnvironment& environment);

} // namespace ferwis
