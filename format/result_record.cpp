#include "format/result_record.h"

#include <algorithm>
#include <cstddef>

namespace ferwis {
namespace {

// Reads one field starting at pos; leaves pos behind the comma that ends it.
std::string read_field(std::string_view line, std::size_t& pos, bool* well_formed = nullptr) {
    while (pos < line.size() && line[pos] == ' ') {
        ++pos;
    }
    std::string field;
    if (pos < line.size() && line[pos] == '"') {
        const std::size_t close = line.find('"', pos + 1);
        const std::size_t end = close == std::string_view::npos ? line.size() : close;
        field.assign(line.substr(pos + 1, end - pos - 1));
        if (well_formed != nullptr) {
            *well_formed = close != std::string_view::npos &&
                           (close + 1 == line.size() || line[close + 1] == ',');
        }
        pos = end;
        const std::size_t comma = line.find(',', pos);
        pos = comma == std::string_view::npos ? line.size() : comma + 1;
        return field;
    }
    const std::size_t comma = line.find(',', pos);
    const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
    field.assign(line.substr(pos, end - pos));
    while (!field.empty() && field.back() == ' ') {
        field.pop_back();
    }
    pos = comma == std::string_view::npos ? line.size() : comma + 1;
    return field;
}

} // namespace

void append_record(std::string& out, std::string_view path, std::string_view code) {
    out.push_back('"');
    // Nothing in a field is escaped, so a double quote or a line break of a
    // file name (possible on POSIX) would make the record read back as another
    // file's path or as two records; such a character is written as "?", as
    // one without a Windows-1250 form is.
    // Appended whole and mended in place: a result holds a record per file.
    const std::size_t start = out.size();
    out.append(path);
    if (breaks_record(path)) {
        std::replace_if(
            out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
            [](char c) { return c == '"' || c == '\r' || c == '\n'; }, '?');
    }
    out.append("\",\"");
    out.append(code);
    out.append("\"\r\n");
}

ResultRecord parse_record(std::string_view line) {
    ResultRecord record;
    std::size_t pos = 0;
    record.path = read_field(line, pos, &record.well_formed);
    record.code = read_field(line, pos);
    return record;
}

RecordReader::RecordReader(std::string_view path) : lines_(path) {}

bool RecordReader::next(ResultRecord& record) {
    if (!lines_.next(line_)) {
        return false;
    }
    record = parse_record(line_);
    return true;
}

} // namespace ferwis
