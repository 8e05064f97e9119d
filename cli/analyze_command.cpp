#include "analysis/run_analysis.h"
#include "app/start_up.h"
#include "cli/cli_command.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "common/text_compare.h"
#include "format/result_code.h"
#include "format/result_record.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace ferwis {
namespace {

constexpr std::string_view kAnalyzeUsage =
    "usage: ferwis-cli [--config FILE] [--result FILE] analyze SCENERY...\n"
    "       ferwis-cli [--config FILE] [--result FILE] analyze --all\n";

// Turns the operands into the selected sceneries, as File1 shows them: exactly
// as listed, or the one listed name that equals it case-insensitively.
// Returns false (after saying why) when one of them is not listed.
bool select_sceneries(const CliContext& context, const std::vector<std::string>& listed,
                      std::vector<std::string>& selected) {
    for (const std::string& operand : context.options.operands) {
        const std::string* found = nullptr;
        for (const std::string& name : listed) {
            if (name == operand) {
                found = &name;
                break;
            }
            if (found == nullptr && names_equal(name, operand)) {
                found = &name;
            }
        }
        if (found == nullptr) {
            context.err << "ferwis-cli: not a scenery file of the scenery directory: ";
            write_name_err(context, operand);
            context.err << '\n';
            return false;
        }
        selected.push_back(*found);
    }
    return true;
}

struct CategoryTotal {
    std::size_t records = 0;
    std::uintmax_t bytes = 0;
};

// The sizes of the files of a result, asked folder by folder: the records come
// in the order of their paths, so one open folder serves a run of them and the
// system does not look up the whole path again for every file.
class FileSizes {
public:
    // The length of the regular file (a link followed) at path, or nothing.
    std::optional<std::uintmax_t> of(const std::string& path) {
        const std::size_t cut = path.rfind(kSeparator);
        if (cut == std::string::npos) {
            return file_size(path);
        }
        const std::string_view folder(path.data(), cut + 1);
        if (!open_ || folder != folder_) {
            folder_ = folder;
            open_.emplace(to_native(folder_));
        }
        return open_->regular_file_size(to_native(path.substr(cut + 1)));
    }

private:
    std::string folder_;
    std::optional<platform::OpenFolder> open_;
};

using Totals = std::array<CategoryTotal, kAllCategories.size()>;

// Counts the records of the result file per category, with the sizes of the
// files that exist. Asking the system for a size per file is most of the
// summary's cost on a large installation, so the records are shared out among
// a few threads, each asking for a contiguous run of them; the analysis itself
// is over by then.
Totals summarise(const std::string& result_path) {
    std::vector<std::pair<std::string, ResultCode>> records;
    LineReader reader(result_path);
    std::string line;
    while (reader.next(line)) {
        ResultRecord record = parse_record(line);
        if (const auto code = parse_code(record.code)) {
            records.emplace_back(std::move(record.path), *code);
        }
    }
    const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<Totals> partial(workers, Totals{});
    {
        std::vector<std::jthread> threads;
        for (std::size_t w = 0; w < workers; ++w) {
            threads.emplace_back([&, w] {
                FileSizes sizes;
                const std::size_t begin = records.size() * w / workers;
                const std::size_t end = records.size() * (w + 1) / workers;
                for (std::size_t i = begin; i < end; ++i) {
                    CategoryTotal& total = partial[w][static_cast<std::size_t>(records[i].second)];
                    ++total.records;
                    if (const auto size = sizes.of(records[i].first)) {
                        total.bytes += *size;
                    }
                }
            });
        }
    }
    Totals totals{};
    for (const Totals& part : partial) {
        for (std::size_t c = 0; c < totals.size(); ++c) {
            totals[c].records += part[c].records;
            totals[c].bytes += part[c].bytes;
        }
    }
    return totals;
}

} // namespace

int analyze_command(const CliContext& context) {
    const auto& operands = context.options.operands;
    const bool all = operands.size() == 1 && operands.front() == "--all";
    bool misused = operands.empty();
    for (const std::string& operand : operands) {
        misused = misused || (operand.starts_with("--") && !all);
    }
    if (misused) {
        context.err << kAnalyzeUsage;
        return kExitUsage;
    }
    std::optional<AppState> state = load_configuration(context);
    if (!state) {
        return kExitUsage;
    }
    const std::vector<std::string> listed =
        list_scenery_files(content_folder(state->main_dir, "scenery"));
    std::vector<std::string> selected;
    if (all) {
        selected = listed;
    } else if (!select_sceneries(context, listed, selected)) {
        return kExitUsage;
    }

    StreamProgress progress(context.err, context.environment.error_is_terminal);
    try {
        run_analysis(state->analysis_settings(), selected, context.options.result_path, progress);
    } catch (const AnalysisFailure& failure) {
        return report_failure(context, failure);
    }

    std::array<CategoryTotal, kAllCategories.size()> totals;
    try {
        totals = summarise(context.options.result_path);
    } catch (const FileError& error) {
        context.err << "ferwis-cli: ";
        write_name_err(context, error.what());
        context.err << '\n';
        return kExitFailed;
    }
    for (const ResultCode code : kAllCategories) {
        const CategoryTotal& total = totals[static_cast<std::size_t>(code)];
        context.out << code_text(code) << '\t';
        write_text(context.out, category_text(code));
        context.out << '\t' << total.records << '\t' << total.bytes << '\n';
    }
    return kExitDone;
}

} // namespace ferwis
