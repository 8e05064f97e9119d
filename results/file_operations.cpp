#include "results/file_operations.h"

#include "common/catalogue.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/result_record.h"
#include "results/record_path.h"
#include "results/target_folder.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

std::string as_folder(std::string_view path) {
    std::string folder = normalize_record_path(path);
    if (!folder.empty()) {
        ensure_final_separator(folder);
    }
    return folder;
}

// The main directory as records are compared with it, and as the file system
// resolves it (empty when it cannot be resolved: then nothing lies inside it).
struct MainDirectory {
    std::string text;
    fs::path resolved;
};

MainDirectory resolve_main(std::string_view main_dir) {
    MainDirectory main{as_folder(main_dir), {}};
    if (!main.text.empty()) {
        std::error_code ec;
        main.resolved = fs::canonical(to_native(main.text), ec);
        if (ec) {
            main.resolved.clear();
        }
    }
    return main;
}

// Whether a folder lies inside the main directory once links are resolved.
bool inside_main(const MainDirectory& main, const fs::path& folder) {
    if (main.resolved.empty()) {
        return false;
    }
    std::error_code ec;
    const fs::path resolved = fs::canonical(folder, ec);
    if (ec) {
        return false;
    }
    // Resolved paths are compared component by component, exactly as the file
    // system names them.
    const auto [m, f] =
        std::mismatch(main.resolved.begin(), main.resolved.end(), resolved.begin(), resolved.end());
    static_cast<void>(f);
    return m == main.resolved.end();
}

enum class Verdict { Outside, Missing, Ready };

struct CheckedRecord {
    Verdict verdict = Verdict::Outside;
    std::string source;   // main directory + relative path
    std::string relative; // below the main directory
};

// Decides, just before acting, whether a record's file may be touched. The file
// is addressed as main directory + relative path, so the checked path is the one
// acted on; its folder must still lie inside the main directory once links are
// resolved, so that a linked folder cannot lead a delete elsewhere.
CheckedRecord check_record(const MainDirectory& main, std::string_view path) {
    CheckedRecord checked;
    auto relative = path_below_main(path, main.text);
    if (!relative) {
        return checked;
    }
    checked.source = main.text + *relative;
    checked.relative = std::move(*relative);
    if (!file_exists(checked.source)) {
        checked.verdict = Verdict::Missing;
        return checked;
    }
    checked.verdict = inside_main(main, to_native(checked.source).parent_path()) ? Verdict::Ready
                                                                                 : Verdict::Outside;
    return checked;
}

bool exists_as_anything(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

// Copies through a temporary file beside the target that is renamed over it: a
// broken copy never takes the target's place, and a link at the target is
// replaced rather than written through. Returns the bytes copied; throws
// FileError unless the target ends up with the source's size.
std::uintmax_t copy_over(const std::string& source, const std::string& folder,
                         const std::string& target) {
    const auto size = file_size(source);
    if (!size) {
        throw FileError(source, "the file disappeared");
    }
    const fs::path target_native = to_native(target);
    // The temporary name does not grow with the file's name, and never takes
    // the place of anything already in the folder.
    fs::path temp;
    for (int i = 0; temp.empty() || exists_as_anything(temp); ++i) {
        temp = to_native(folder + ".ferwis-kopia-" + std::to_string(i) + ".tmp");
    }
    std::error_code ec;
    fs::copy_file(to_native(source), temp, fs::copy_options::none, ec);
    if (!ec) {
        const auto copied = fs::file_size(temp, ec);
        if (!ec && copied != *size) {
            ec = std::make_error_code(std::errc::io_error);
        }
    }
    if (!ec) {
        fs::rename(temp, target_native, ec);
    }
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw FileError(target, ec.message());
    }
    if (file_size(target) != size) {
        throw FileError(target, "the copy is incomplete");
    }
    return *size;
}

// Deletes one file, read-only ones too. Returns its size.
std::uintmax_t delete_file(const std::string& path) {
    const fs::path native = to_native(path);
    const std::uintmax_t size = file_size(path).value_or(0);
    std::error_code ec;
    // A link has no attributes of its own here; changing them would reach its target.
    if (!fs::is_symlink(native, ec)) {
        fs::permissions(native, fs::perms::owner_write, fs::perm_options::add, ec);
    }
    if (!fs::remove(native, ec) || ec) {
        throw FileError(path, ec ? ec.message() : "the file disappeared");
    }
    return size;
}

bool same_file(const std::string& a, const std::string& b) {
    std::error_code ec;
    const bool same = fs::equivalent(to_native(a), to_native(b), ec);
    return !ec && same;
}

// Deletes the result file after a move or delete; one that is already gone is
// fine. Returns whether no result file is left.
bool delete_result_file(std::string_view result_path) {
    const fs::path native = to_native(result_path);
    std::error_code ec;
    const auto status = fs::symlink_status(native, ec);
    if (status.type() == fs::file_type::not_found) {
        return true;
    }
    if (ec) {
        throw FileError(std::string(result_path), ec.message());
    }
    if (status.type() == fs::file_type::directory) {
        return false; // not a result file; never removed as one
    }
    if (!fs::remove(native, ec) && ec) {
        throw FileError(std::string(result_path), ec.message());
    }
    return true;
}

bool has_records(std::string_view result_path) {
    const auto size = file_size(result_path);
    return size && *size >= 4;
}

} // namespace

const std::string& operation_status(Operation operation) {
    switch (operation) {
    case Operation::Copy:
        return text(Text::Copying);
    case Operation::Move:
        return text(Text::Moving);
    case Operation::Delete:
        break;
    }
    return text(Text::Deleting);
}

OperationResult execute_operation(const OperationSettings& settings, Operation operation,
                                  ResultCode code, std::string_view result_path, Progress& progress,
                                  Messages& messages) {
    OperationResult result;
    progress.set_status(operation_status(operation));
    const MainDirectory main = resolve_main(settings.main_dir);
    const std::string copy_path = as_folder(settings.copy_move_path);
    try {
        if (has_records(result_path)) {
            RecordReader reader(result_path);
            ResultRecord record;
            while (reader.next(record)) {
                if (!names_equal(record.code, code_text(code))) {
                    continue;
                }
                const std::string path = normalize_record_path(record.path);
                progress.set_detail(to_lower(path));
                let_events_run(progress);
                const CheckedRecord checked = check_record(main, path);
                if (checked.verdict == Verdict::Outside) {
                    ++result.skipped_outside;
                    continue;
                }
                if (checked.verdict == Verdict::Missing) {
                    continue;
                }
                if (operation == Operation::Delete) {
                    result.bytes += delete_file(checked.source);
                    ++result.handled;
                    continue;
                }
                const std::size_t name_start = checked.relative.rfind(kSeparator) + 1;
                const std::string folder = copy_path + checked.relative.substr(0, name_start);
                if (!prepare_target_folder(folder)) {
                    messages.show(text(Text::CopyPathUnusable));
                    result.stopped = true;
                    break;
                }
                const std::string target = folder + checked.relative.substr(name_start);
                // A copy/move path that leads back to the file itself leaves it alone.
                // Nor does one inside the main directory replace a file of the
                // simulator that already lies at the target.
                if (same_file(checked.source, target) || (exists_as_anything(to_native(target)) &&
                                                          inside_main(main, to_native(folder)))) {
                    ++result.skipped_same;
                    continue;
                }
                const std::uintmax_t bytes = copy_over(checked.source, folder, target);
                if (operation == Operation::Move) {
                    delete_file(checked.source);
                }
                result.bytes += bytes;
                ++result.handled;
            }
        }
        progress.set_status("");
        progress.set_detail("");
        if (operation != Operation::Copy) {
            result.result_file_deleted = delete_result_file(result_path);
        }
    } catch (const OperationCancelled&) {
        throw;
    } catch (const std::exception& e) {
        // Files already handled stay so; the result file stays for another try.
        messages.show(text(Text::OperationFailed));
        progress.set_status("");
        progress.set_detail("");
        result.failed = true;
        result.failure_detail = e.what();
        return result;
    }
    if (result.skipped_outside > 0) {
        messages.show(skipped_records(result.skipped_outside));
    }
    return result;
}

CategoryFootprint measure_category(const OperationSettings& settings, ResultCode code,
                                   std::string_view result_path) {
    CategoryFootprint footprint;
    try {
        if (!has_records(result_path)) {
            return footprint;
        }
        const MainDirectory main = resolve_main(settings.main_dir);
        RecordReader reader(result_path);
        ResultRecord record;
        while (reader.next(record)) {
            if (!names_equal(record.code, code_text(code))) {
                continue;
            }
            const CheckedRecord checked = check_record(main, normalize_record_path(record.path));
            if (checked.verdict == Verdict::Ready) {
                ++footprint.files;
                footprint.bytes += file_size(checked.source).value_or(0);
            }
        }
    } catch (const FileError& error) {
        throw ResultUnreadable(error.what());
    }
    return footprint;
}

} // namespace ferwis
