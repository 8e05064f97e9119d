#include "results/result_provenance.h"

#include "common/catalogue.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "results/record_path.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace ferwis {
namespace {

std::string compared_form(std::string_view path) {
    return to_lower(normalize_record_path(path));
}

// The whole file, or nothing when it cannot be read.
std::optional<std::string> read_bytes(std::string_view path) {
    std::string bytes;
    if (!read_regular_file(path, [&](std::string_view piece) { bytes.append(piece); })) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::optional<ResultProvenance> ResultProvenance::load(std::string_view result_path) {
    const auto bytes = read_bytes(result_path);
    if (!bytes) {
        return std::nullopt;
    }
    ResultDigest digest;
    digest.add(*bytes);
    auto places = read_provenance(result_path, digest);
    if (!places) {
        return std::nullopt;
    }
    ResultProvenance provenance;
    // The digest matched, so these are the bytes the analysis wrote: one record
    // per line, each ending with CR LF.
    for (std::size_t start = 0; start < bytes->size();) {
        std::size_t end = bytes->find("\r\n", start);
        end = end == std::string::npos ? bytes->size() : end;
        provenance.records_.push_back(
            parse_record(std::string_view(*bytes).substr(start, end - start)));
        start = end + 2;
    }
    provenance.place_of_row_.assign(provenance.records_.size(), 0);
    for (RowPlace& entry : *places) {
        if (entry.row >= provenance.records_.size()) {
            return std::nullopt;
        }
        provenance.places_.push_back(std::move(entry.place));
        provenance.place_of_row_[entry.row] = static_cast<std::uint32_t>(provenance.places_.size());
    }
    if (provenance.records_.size() >= std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    std::string key;
    for (std::uint32_t row = 0; row < provenance.records_.size(); ++row) {
        normalize_record_path(provenance.records_[row].path, key);
        provenance.rows_by_hash_.emplace_back(hash_name(key), row);
    }
    std::sort(provenance.rows_by_hash_.begin(), provenance.rows_by_hash_.end());
    return provenance;
}

std::optional<std::size_t> ResultProvenance::find(std::string_view path) const {
    const std::string key = normalize_record_path(path);
    const std::uint64_t hash = hash_name(key);
    // Rows of one hash ascend, so the first that compares equal is the first record.
    for (auto it = std::lower_bound(rows_by_hash_.begin(), rows_by_hash_.end(),
                                    std::pair{hash, std::uint32_t{0}});
         it != rows_by_hash_.end() && it->first == hash; ++it) {
        if (names_equal(normalize_record_path(records_[it->second].path), key)) {
            return it->second;
        }
    }
    return std::nullopt;
}

const SourcePlace* ResultProvenance::place(std::size_t row) const {
    const std::uint32_t index = row < place_of_row_.size() ? place_of_row_[row] : 0;
    return index == 0 ? nullptr : &places_[index - 1];
}

std::vector<SourcePlace> ResultProvenance::chain(std::size_t row) const {
    std::vector<SourcePlace> steps;
    const SourcePlace* step = place(row);
    // Each file was named before the files it names, so the chain cannot come
    // back to a row; the bound only guards against a hand-made provenance file.
    while (step != nullptr && steps.size() <= records_.size()) {
        steps.push_back(*step);
        if (step->file.empty()) {
            break;
        }
        const auto named_by = find(step->file);
        step = named_by ? place(*named_by) : nullptr;
        // A selected scenery ends the chain at its own place.
        if (step != nullptr && step->file.empty()) {
            break;
        }
    }
    return steps;
}

std::vector<OriginGroup> group_by_origin(const ResultProvenance& provenance, ResultCode code) {
    std::vector<OriginGroup> groups;
    std::unordered_map<std::string, std::size_t> group_of; // compared form -> group
    for (std::size_t row = 0; row < provenance.size(); ++row) {
        if (parse_code(provenance.record(row).code) != code) {
            continue;
        }
        const std::vector<SourcePlace> chain = provenance.chain(row);
        const std::string origin = chain.empty() ? std::string() : chain.back().file;
        const auto [it, added] = group_of.try_emplace(compared_form(origin), groups.size());
        if (added) {
            groups.push_back({origin, {}});
        }
        groups[it->second].rows.push_back(row);
    }
    return groups;
}

std::string place_text(const SourcePlace& place) {
    if (place.file.empty()) {
        return text(Text::SelectedForAnalysis);
    }
    return place.line == 0 ? place.file : place.file + ":" + std::to_string(place.line);
}

std::string chain_text(const ResultProvenance& provenance, std::size_t row) {
    const ResultRecord& record = provenance.record(row);
    std::string text = record.code + " " + record.path + "\n";
    for (const SourcePlace& step : provenance.chain(row)) {
        text += "  <- " + place_text(step) + "\n";
    }
    return text;
}

} // namespace ferwis
