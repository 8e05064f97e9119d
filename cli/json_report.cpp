#include "cli/json_report.h"

#include "common/code_page.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "format/result_code.h"
#include "format/result_record.h"
#include "results/result_provenance.h"

#include <nlohmann/json.hpp>

#include <array>
#include <fstream>
#include <string_view>
#include <utility>

namespace ferwis {
namespace {

using Json = nlohmann::ordered_json;

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

} // namespace

bool write_json_report(const std::string& path, const JsonRun& run, const RunTotals& totals) {
    std::vector<ResultRecord> records;
    {
        LineReader reader(run.result_path);
        std::string line;
        while (reader.next(line)) {
            records.push_back(parse_record(line));
        }
    }
    // The places belong to exactly this result file; without them the report
    // still lists every file.
    const auto provenance = ResultProvenance::load(run.result_path);
    const bool placed = provenance && provenance->size() == records.size();

    Json files = Json::array();
    for (std::size_t row = 0; row < records.size(); ++row) {
        const auto code = parse_code(records[row].code);
        if (!code) {
            continue;
        }
        Json file = Json::object();
        file["path"] = utf8(records[row].path);
        file["code"] = std::string(code_text(*code));
        const bool missing = *code == ResultCode::B || *code == ResultCode::BD;
        const auto bytes = missing ? std::nullopt : file_size(records[row].path);
        file["size"] = bytes ? Json(*bytes) : Json(nullptr);
        file["place"] = place_part(placed ? provenance->place(row) : nullptr);
        files.push_back(std::move(file));
    }
    Json report = Json::object();
    report["run"] = run_part(run, placed);
    report["categories"] = categories_part(totals);
    report["files"] = std::move(files);

    std::ofstream out(to_native(path), std::ios::binary | std::ios::trunc);
    out << report.dump(2) << '\n';
    out.close();
    return static_cast<bool>(out);
}

} // namespace ferwis
