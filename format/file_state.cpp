#include "format/file_state.h"

#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "format/file_beside.h"
#include "format/result_record.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace ferwis {
namespace {

// A path a record can hold between its quotes.
bool writable(std::string_view path) {
    return !path.empty() && !breaks_record(path);
}

template <typename Number> std::optional<Number> parse_number(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// Reads K,"path" and, after it, what follows the closing quote into rest.
bool parse_quoted(std::string_view line, char& kind, std::string& path, std::string_view& rest) {
    if (line.size() < 4 || line[1] != ',' || line[2] != '"') {
        return false;
    }
    const std::size_t close = line.find('"', 3);
    if (close == std::string_view::npos) {
        return false;
    }
    kind = line[0];
    path.assign(line.substr(3, close - 3));
    rest = line.substr(close + 1);
    return true;
}

std::optional<FileStamp> parse_stamp(std::string_view rest) {
    if (rest.empty() || rest[0] != ',') {
        return std::nullopt;
    }
    rest.remove_prefix(1);
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto size = parse_number<std::uintmax_t>(rest.substr(0, comma));
    const auto time = parse_number<std::int64_t>(rest.substr(comma + 1));
    if (!size || !time) {
        return std::nullopt;
    }
    return FileStamp{*size, *time};
}

} // namespace

std::optional<FileStamp> file_stamp(std::string_view path) {
    const auto stamp = platform::regular_file_stamp(to_native(path));
    if (!stamp) {
        return std::nullopt;
    }
    return FileStamp{stamp->size, stamp->modified};
}

std::string file_state_path(std::string_view result_path) {
    return side_file_path(result_path, "_stan.txt");
}

FileStateWriter::FileStateWriter(std::string_view result_path, const ResultDigest& result)
    : file_(file_state_path(result_path)), buffer_(binding_line(result) + "\r\n") {}

void FileStateWriter::add(char kind, std::string_view path, const FileStamp* stamp) {
    // Written a block at a time: a large installation's state runs to
    // megabytes, which need not be held whole beside the inventory.
    constexpr std::size_t kBlock = 64 * 1024;
    if (!writable(path)) {
        return;
    }
    buffer_.append(1, kind).append(",\"").append(path).append("\"");
    if (stamp != nullptr) {
        buffer_.append(",").append(std::to_string(stamp->size));
        buffer_.append(",").append(std::to_string(stamp->time));
    }
    buffer_ += "\r\n";
    if (buffer_.size() >= kBlock) {
        file_.write(buffer_);
        buffer_.clear();
    }
}

void FileStateWriter::commit() {
    file_.write(buffer_);
    buffer_.clear();
    file_.commit();
}

void write_file_state(std::string_view result_path, const ResultDigest& result,
                      const FileState& state) {
    FileStateWriter writer(result_path, result);
    for (const std::string& name : state.selected) {
        writer.add_selected(name);
    }
    for (const ReadFile& read : state.read) {
        writer.add_read(read.path, read.stamp);
    }
    for (const std::string& path : state.missed) {
        writer.add_missed(path);
    }
    writer.commit();
}

std::optional<FileState> read_file_state(std::string_view result_path, const ResultDigest& result) {
    try {
        std::optional<LineReader> reader = open_bound_file(file_state_path(result_path), result);
        if (!reader) {
            return std::nullopt;
        }
        std::string line;
        FileState state;
        char kind = 0;
        std::string named;
        std::string_view rest;
        while (reader->next(line)) {
            if (!parse_quoted(line, kind, named, rest)) {
                return std::nullopt;
            }
            if (kind == 'R') {
                const auto stamp = parse_stamp(rest);
                if (!stamp) {
                    return std::nullopt;
                }
                state.read.push_back({named, *stamp});
            } else if (rest.empty() && (kind == 'S' || kind == 'M')) {
                (kind == 'S' ? state.selected : state.missed).push_back(named);
            } else {
                return std::nullopt;
            }
        }
        return state;
    } catch (const std::exception&) {
        // A record that cannot be read is no record: the result is acted on
        // unchecked, and says so.
        return std::nullopt;
    }
}

void remove_file_state(std::string_view result_path) {
    std::error_code ec;
    std::filesystem::remove(to_native(file_state_path(result_path)), ec);
}

} // namespace ferwis
