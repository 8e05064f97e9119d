#include "format/provenance_file.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/file_beside.h"

#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ferwis {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

std::string hex16(std::uint64_t value) {
    std::array<char, 16> digits{};
    for (std::size_t i = digits.size(); i-- > 0; value >>= 4) {
        digits[i] = "0123456789abcdef"[value & 0xF];
    }
    return std::string(digits.data(), digits.size());
}

// Reads an unsigned number that runs to the end of text; nothing for anything else.
template <typename Number>
std::optional<Number> parse_number(std::string_view text, int base = 10) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// row,"file",line with the row counted from 1; nothing for a malformed record.
std::optional<RowPlace> parse_place(std::string_view line) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos || comma + 1 >= line.size() || line[comma + 1] != '"') {
        return std::nullopt;
    }
    const std::size_t close = line.find('"', comma + 2);
    if (close == std::string_view::npos || close + 1 >= line.size() || line[close + 1] != ',') {
        return std::nullopt;
    }
    const auto row = parse_number<std::size_t>(line.substr(0, comma));
    const std::string_view line_text = line.substr(close + 2);
    const auto line_number = line_text.empty() ? std::optional<std::uint32_t>(0)
                                               : parse_number<std::uint32_t>(line_text);
    if (!row || *row == 0 || !line_number) {
        return std::nullopt;
    }
    return RowPlace{*row - 1, SourcePlace{std::string(line.substr(comma + 2, close - comma - 2)),
                                          *line_number}};
}

} // namespace

namespace {

std::uint64_t little_endian_word(const unsigned char* bytes) {
    std::uint64_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, bytes, sizeof word); // one load, not eight
    } else {
        for (std::size_t i = 8; i-- > 0;) {
            word = (word << 8) | bytes[i];
        }
    }
    return word;
}

} // namespace

void ResultDigest::add(std::string_view bytes) {
    size_ += bytes.size();
    const auto* next = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = next + bytes.size();
    while (pending_size_ > 0 && pending_size_ < 8 && next != end) {
        pending_[pending_size_++] = *next++;
    }
    if (pending_size_ == 8) {
        mix(little_endian_word(pending_.data()));
        pending_size_ = 0;
    }
    for (; end - next >= 8; next += 8) {
        mix(little_endian_word(next));
    }
    while (next != end) {
        pending_[pending_size_++] = *next++;
    }
}

std::uint64_t ResultDigest::hash() const {
    std::uint64_t hash = hash_;
    for (std::size_t i = 0; i < pending_size_; ++i) {
        hash = (hash ^ pending_[i]) * 1099511628211ULL;
    }
    return hash;
}

std::optional<ResultDigest> digest_of_file(std::string_view path) {
    ResultDigest digest;
    if (!read_regular_file(path, [&](std::string_view piece) { digest.add(piece); })) {
        return std::nullopt;
    }
    return digest;
}

std::string binding_line(const ResultDigest& result) {
    return std::to_string(result.size()) + "," + hex16(result.hash());
}

std::string side_file_path(std::string_view result_path, std::string_view suffix) {
    // wynik.txt gives wynik_zrodla.txt; another result file names its own, so
    // that results kept side by side keep their own side files.
    std::string path(result_path);
    if (path.size() >= 4 && names_equal(std::string_view(path).substr(path.size() - 4), ".txt")) {
        path.resize(path.size() - 4);
    }
    return path.append(suffix);
}

std::optional<LineReader> open_bound_file(const std::string& path, const ResultDigest& result) {
    if (!std::filesystem::is_regular_file(to_native(path))) {
        return std::nullopt;
    }
    LineReader reader(path);
    std::string line;
    if (!reader.next(line) || line != binding_line(result)) {
        return std::nullopt;
    }
    return reader;
}

std::string provenance_path(std::string_view result_path) {
    return side_file_path(result_path, "_zrodla.txt");
}

ProvenanceFileWriter::ProvenanceFileWriter(std::string_view result_path, const ResultDigest& result)
    : file_(provenance_path(result_path)), buffer_(binding_line(result) + "\r\n") {}

void ProvenanceFileWriter::add(std::size_t row, std::string_view file, std::uint32_t line) {
    std::array<char, 24> number{};
    buffer_.append(number.data(),
                   std::to_chars(number.data(), number.data() + number.size(), row + 1).ptr);
    buffer_ += ",\"";
    const std::size_t start = buffer_.size();
    buffer_ += file;
    // A double quote or a line break of a file name would end the field or the
    // record early; they are written as "?", as in the result file.
    const auto holds = [&](char c) { return std::memchr(file.data(), c, file.size()) != nullptr; };
    if (!file.empty() && (holds('"') || holds('\r') || holds('\n'))) {
        for (std::size_t i = start; i < buffer_.size(); ++i) {
            const char c = buffer_[i];
            buffer_[i] = c == '"' || c == '\r' || c == '\n' ? '?' : c;
        }
    }
    buffer_ += "\",";
    if (line > 0) {
        buffer_.append(number.data(),
                       std::to_chars(number.data(), number.data() + number.size(), line).ptr);
    }
    buffer_ += "\r\n";
    if (buffer_.size() >= kFlushSize) {
        file_.write(buffer_);
        buffer_.clear();
    }
}

void ProvenanceFileWriter::commit() {
    file_.write(buffer_);
    buffer_.clear();
    file_.commit();
}

std::optional<std::vector<RowPlace>> read_provenance(std::string_view result_path,
                                                     const ResultDigest& result) {
    try {
        std::optional<LineReader> reader = open_bound_file(provenance_path(result_path), result);
        if (!reader) {
            return std::nullopt;
        }
        std::string line;
        std::vector<RowPlace> places;
        while (reader->next(line)) {
            auto place = parse_place(line);
            if (!place || (!places.empty() && place->row <= places.back().row)) {
                return std::nullopt;
            }
            places.push_back(std::move(*place));
        }
        return places;
    } catch (const std::exception&) {
        // Unreadable provenance is no provenance: the result stays usable without it.
        return std::nullopt;
    }
}

void remove_provenance(std::string_view result_path) {
    std::error_code ec;
    std::filesystem::remove(to_native(provenance_path(result_path)), ec);
}

} // namespace ferwis
