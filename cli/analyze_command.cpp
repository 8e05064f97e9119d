#include "analysis/run/run_analysis.h"
#include "app/start_up.h"
#include "cli/cli_command.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/result_code.h"
#include "format/result_record.h"
#include "results/result_provenance.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ferwis {
namespace {

constexpr std::string_view kAnalyzeUsage =
    "usage: ferwis-cli [--config FILE] [--result FILE] analyze [--json FILE] SCENERY...\n"
    "       ferwis-cli [--config FILE] [--result FILE] analyze [--json FILE] --all\n";

// Turns the operands into the selected sceneries, as File1 shows them: exactly
// as listed, or the one listed name that equals it case-insensitively.
// Returns false (after saying why) when one of them is not listed.
bool select_sceneries(const CliContext& context, const std::vector<std::string>& listed,
                      const std::vector<std::string>& operands,
                      std::vector<std::string>& selected) {
    for (const std::string& operand : operands) {
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
    FileSizes() = default;
    FileSizes(const FileSizes&) = delete;
    FileSizes& operator=(const FileSizes&) = delete;
    ~FileSizes() { close_folder(); }

    // The length of the regular file (a link followed) at path, or nothing.
    std::optional<std::uintmax_t> of(const std::string& path) {
        const std::size_t cut = path.rfind(kSeparator);
        if (cut == std::string::npos) {
            return file_size(path);
        }
        const std::string_view folder(path.data(), cut + 1);
        if (folder != folder_) {
            close_folder();
            folder_ = folder;
            folder_fd_ = ::open(to_native(folder_).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        }
        if (folder_fd_ < 0) {
            return std::nullopt;
        }
        struct stat info {};
        if (::fstatat(folder_fd_, to_native(path.substr(cut + 1)).c_str(), &info, 0) != 0 ||
            !S_ISREG(info.st_mode)) {
            return std::nullopt;
        }
        return static_cast<std::uintmax_t>(info.st_size);
    }

private:
    void close_folder() {
        if (folder_fd_ >= 0) {
            ::close(folder_fd_);
        }
        folder_fd_ = -1;
    }

    std::string folder_;
    int folder_fd_ = -1;
};

using Totals = std::array<CategoryTotal, kAllCategories.size()>;

// The records of a result file with the sizes of their files, and the totals
// per category.
struct Summary {
    struct Record {
        std::string path;
        std::optional<ResultCode> code;      // nothing for a record with another code
        std::optional<std::uintmax_t> bytes; // nothing for a file that does not exist
    };
    std::vector<Record> records; // one per line of the result file
    Totals totals{};
};

// Counts the records of the result file per category, with the sizes of the
// files that exist. Asking the system for a size per file is most of the
// summary's cost on a large installation, so the records are shared out among
// a few threads, each asking for a contiguous run of them; the analysis itself
// is over by then.
Summary summarise(const std::string& result_path) {
    Summary summary;
    auto& records = summary.records;
    LineReader reader(result_path);
    std::string line;
    while (reader.next(line)) {
        ResultRecord record = parse_record(line);
        records.push_back({std::move(record.path), parse_code(record.code), std::nullopt});
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
                    if (!records[i].code) {
                        continue;
                    }
                    CategoryTotal& total = partial[w][static_cast<std::size_t>(*records[i].code)];
                    ++total.records;
                    records[i].bytes = sizes.of(records[i].path);
                    if (records[i].bytes) {
                        total.bytes += *records[i].bytes;
                    }
                }
            });
        }
    }
    for (const Totals& part : partial) {
        for (std::size_t c = 0; c < summary.totals.size(); ++c) {
            summary.totals[c].records += part[c].records;
            summary.totals[c].bytes += part[c].bytes;
        }
    }
    return summary;
}

std::string utc_time_text(std::time_t time) {
    std::array<char, 32> text{};
    const std::tm* utc = std::gmtime(&time);
    const std::size_t length =
        utc == nullptr ? 0 : std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", utc);
    return std::string(text.data(), length);
}

// The machine-readable report of a run: the run, the totals per category and
// every record with its size and first place. Text goes out as UTF-8.
nlohmann::ordered_json json_report(const AppState& state, const std::vector<std::string>& selected,
                                   std::time_t started, const std::string& result_path,
                                   const Summary& summary) {
    using Json = nlohmann::ordered_json;
    const auto utf8 = [](std::string_view text) { return cp1250_to_utf8(text); };
    // Built part by part: an ordered object moves its members as it grows.
    Json run = Json::object();
    run["main_directory"] = utf8(state.main_dir);
    run["sceneries"] = Json::array();
    for (const std::string& name : selected) {
        run["sceneries"].push_back(utf8(name));
    }
    run["time"] = utc_time_text(started);
    run["result_file"] = utf8(result_path);

    Json categories = Json::object();
    for (const ResultCode code : kAllCategories) {
        const CategoryTotal& total = summary.totals[static_cast<std::size_t>(code)];
        Json& category = categories[std::string(code_text(code))];
        category["text"] = utf8(category_text(code));
        category["count"] = total.records;
        category["bytes"] = total.bytes;
    }

    // The places belong to exactly this result file; without them the report
    // still lists every file.
    const auto provenance = ResultProvenance::load(result_path);
    const bool placed = provenance && provenance->size() == summary.records.size();
    run["provenance"] = placed;
    Json files = Json::array();
    for (std::size_t row = 0; row < summary.records.size(); ++row) {
        const Summary::Record& record = summary.records[row];
        if (!record.code) {
            continue;
        }
        Json file = Json::object();
        file["path"] = utf8(record.path);
        file["code"] = std::string(code_text(*record.code));
        file["size"] = record.bytes ? Json(*record.bytes) : Json(nullptr);
        const SourcePlace* place = placed ? provenance->place(row) : nullptr;
        Json& where = file["place"];
        if (place != nullptr && place->file.empty()) {
            where["selected"] = true;
        } else if (place != nullptr) {
            where["file"] = utf8(place->file);
            where["line"] = place->line == 0 ? Json(nullptr) : Json(place->line);
        }
        files.push_back(std::move(file));
    }
    Json report = Json::object();
    report["run"] = std::move(run);
    report["categories"] = std::move(categories);
    report["files"] = std::move(files);
    return report;
}

// Writes the report; false when the file cannot be written.
bool write_json(const std::string& path, const nlohmann::ordered_json& report) {
    std::ofstream out(to_native(path), std::ios::binary | std::ios::trunc);
    out << report.dump(2) << '\n';
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int analyze_command(const CliContext& context) {
    std::vector<std::string> operands = context.options.operands;
    std::optional<std::string> json_path;
    if (operands.size() >= 2 && operands.front() == "--json") {
        json_path = operands[1];
        operands.erase(operands.begin(), operands.begin() + 2);
    }
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
    } else if (!select_sceneries(context, listed, operands, selected)) {
        return kExitUsage;
    }

    const std::time_t started = std::time(nullptr);
    StreamProgress progress(context.err, context.environment.error_is_terminal);
    try {
        run_analysis(state->analysis_settings(), selected, context.options.result_path, progress);
    } catch (const AnalysisFailure& failure) {
        return report_failure(context, failure);
    }

    Summary summary;
    try {
        summary = summarise(context.options.result_path);
    } catch (const FileError& error) {
        context.err << "ferwis-cli: ";
        write_name_err(context, error.what());
        context.err << '\n';
        return kExitFailed;
    }
    for (const ResultCode code : kAllCategories) {
        const CategoryTotal& total = summary.totals[static_cast<std::size_t>(code)];
        context.out << code_text(code) << '\t';
        write_text(context.out, category_text(code));
        context.out << '\t' << total.records << '\t' << total.bytes << '\n';
    }
    if (json_path && !write_json(*json_path, json_report(*state, selected, started,
                                                         context.options.result_path, summary))) {
        context.err << "ferwis-cli: cannot write the JSON report: ";
        write_name_err(context, *json_path);
        context.err << '\n';
        return kExitFailed;
    }
    return kExitDone;
}

} // namespace ferwis
