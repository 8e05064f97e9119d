#include "cli/json_report.h"

#include "common/code_page.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "format/file_beside.h"
#include "format/provenance_file.h"
#include "format/result_code.h"
#include "format/result_record.h"
#include "results/likely_matches.h"

#include <nlohmann/json.hpp>

#include <array>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

namespace ferwis {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::streamoff kPiece = 1 << 16;

std::string utf8(std::string_view text) {
    return cp1250_to_utf8(text);
}

std::string utc_time_text(std::time_t time) {
    std::array<char, 32> text{};
    const std::tm* utc = std::gmtime(&time);
    const std::size_t length =
        utc == nullptr ? 0 : std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", utc);
    return std::string(text.data(), length);
}

Json run_part(const JsonRun& run, bool placed) {
    // Built part by part: an ordered object moves its members as it grows.
    Json part = Json::object();
    part["main_directory"] = utf8(run.main_dir);
    part["sceneries"] = Json::array();
    for (const std::string& name : run.selected) {
        part["sceneries"].push_back(utf8(name));
    }
    part["time"] = utc_time_text(run.started);
    part["result_file"] = utf8(run.result_path);
    part["provenance"] = placed;
    return part;
}

Json categories_part(const RunTotals& totals) {
    Json categories = Json::object();
    for (const ResultCode code : kAllCategories) {
        const CategoryTotal& total = totals[static_cast<std::size_t>(code)];
        Json& category = categories[std::string(code_text(code))];
        category["text"] = utf8(category_text(code));
        category["count"] = total.records;
        category["bytes"] = total.bytes;
    }
    return categories;
}

// Null for a row without a place.
Json place_part(const SourcePlace* place) {
    if (place == nullptr) {
        return Json(nullptr);
    }
    Json where = Json::object();
    if (place->file.empty()) {
        where["selected"] = true;
    } else {
        where["file"] = utf8(place->file);
        where["line"] = place->line == 0 ? Json(nullptr) : Json(place->line);
    }
    return where;
}

// One value as the whole report's dump(2) writes it at the given depth: every
// line after the first indented by two blanks per level. No string of the
// report holds a line end of its own (dump escapes it), so the lines are the
// value's own.
void write_nested(std::ostream& out, const Json& value, std::size_t depth) {
    const std::string text = value.dump(2);
    const std::string indent(2 * depth, ' ');
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        out.write(text.data() + start, static_cast<std::streamsize>(end + 1 - start));
        out << indent;
    }
    out.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

// The places of the result file's rows, when its provenance file belongs to
// exactly these bytes and names only rows it has.
std::optional<std::vector<RowPlace>> places_of(const std::string& result_path,
                                               std::size_t records) {
    const auto digest = digest_of_file(result_path);
    if (!digest) {
        return std::nullopt;
    }
    auto places = read_provenance(result_path, *digest);
    if (!places) {
        return std::nullopt;
    }
    for (const RowPlace& entry : *places) {
        if (entry.row >= records) {
            return std::nullopt;
        }
    }
    return places;
}

// The number of records, and the paths of those that name existing files.
std::pair<std::size_t, std::vector<std::string>> read_rows(const std::string& result_path) {
    LineReader reader(result_path);
    std::string line;
    std::size_t records = 0;
    std::vector<std::string> existing;
    while (reader.next(line)) {
        ++records;
        ResultRecord record = parse_record(line);
        if (names_existing_file(record)) {
            existing.push_back(std::move(record.path));
        }
    }
    return {records, std::move(existing)};
}

Json matches_part(const std::vector<LikelyMatch>& matches) {
    Json part = Json::array();
    for (const LikelyMatch& match : matches) {
        Json one = Json::object();
        one["path"] = utf8(match.path);
        one["reason"] = std::string(match_reason_key(match.reason));
        part.push_back(std::move(one));
    }
    return part;
}

} // namespace

// The report is written as it is read, one record at a time, so that a large
// result takes no more memory than the places of its used and missing files
// and the indexes of the likely matches of its missing ones;
// the bytes are those of the whole report's dump(2).
void write_json_report(const std::string& path, const JsonRun& run, const RunTotals& totals) {
    // The places belong to exactly this result file; without them the report
    // still lists every file.
    auto [records, existing] = read_rows(run.result_path);
    const auto places = places_of(run.result_path, records);
    const bool placed = places.has_value();
    const LikelyMatches likely(run.main_dir, std::move(existing));

    // Replaces an earlier report only when complete; the bytes go out in
    // pieces so that memory stays small.
    ReplacingFile report(path);
    std::ostringstream out;
    const auto pass_on = [&report, &out] {
        report.write(out.view());
        out.str({});
    };
    out << "{\n  \"run\": ";
    write_nested(out, run_part(run, placed), 1);
    out << ",\n  \"categories\": ";
    write_nested(out, categories_part(totals), 1);
    out << ",\n  \"files\": [";

    LineReader reader(run.result_path);
    std::string line;
    std::size_t next_place = 0;
    bool any = false;
    for (std::size_t row = 0; reader.next(line); ++row) {
        const SourcePlace* place = nullptr;
        if (placed) {
            // In row order, as the analysis wrote them.
            while (next_place < places->size() && (*places)[next_place].row < row) {
                ++next_place;
            }
            if (next_place < places->size() && (*places)[next_place].row == row) {
                place = &(*places)[next_place].place;
            }
        }
        const ResultRecord record = parse_record(line);
        const auto code = parse_code(record.code);
        // A record with a code of no category is reported as it stands, not left out.
        Json file = Json::object();
        file["path"] = utf8(record.path);
        file["code"] = code ? std::string(code_text(*code)) : utf8(record.code);
        const bool missing = code == ResultCode::B || code == ResultCode::BD;
        const auto bytes = missing ? std::nullopt : file_size(record.path);
        file["size"] = bytes ? Json(*bytes) : Json(nullptr);
        file["place"] = place_part(place);
        if (missing) {
            file["matches"] = matches_part(likely.find(record.path));
        }
        out << (any ? ",\n    " : "\n    ");
        write_nested(out, file, 2);
        any = true;
        if (out.tellp() >= kPiece) {
            pass_on();
        }
    }
    out << (any ? "\n  ]" : "]") << "\n}\n";
    pass_on();
    report.commit();
}

} // namespace ferwis
