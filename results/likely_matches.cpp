#include "results/likely_matches.h"

#include "common/catalogue.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/readable_extensions.h"
#include "format/result_code.h"
#include "results/record_path.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

namespace ferwis {
namespace {

// The parts of a path's compared form (lower case, one separator between
// folders), as views into it.
struct KeyParts {
    explicit KeyParts(std::string_view key) {
        const std::size_t slash = key.rfind(kSeparator);
        folder = key.substr(0, slash == std::string_view::npos ? 0 : slash + 1);
        name = key.substr(folder.size());
        const std::size_t dot = name.rfind('.');
        extension = dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
        stem = key.substr(0, key.size() - extension.size());
    }
    std::string_view folder; // up to and including the last separator
    std::string_view name;
    std::string_view extension; // from the name's last ".", or empty
    std::string_view stem;      // the key without the name's extension
};

// Writes the compared form of path into key, reusing its room.
void compared_form(std::string_view path, std::string& key) {
    normalize_record_path(path, key);
    to_lower_in_place(key);
}

// A compared form with its parts; the parts point into the key, so they stay
// where they are made.
struct PathParts : KeyParts {
    explicit PathParts(std::string_view path) : KeyParts({}) {
        compared_form(path, key);
        static_cast<KeyParts&>(*this) = KeyParts(key);
    }
    PathParts(const PathParts&) = delete;
    PathParts& operator=(const PathParts&) = delete;

    std::string key;
};

// The content folder of a compared path below the main directory ("textures"),
// or empty for a path outside it.
std::string_view content_folder_of(std::string_view key, std::string_view main_dir) {
    if (!starts_with_name(key, main_dir)) {
        return {};
    }
    const std::string_view below = key.substr(main_dir.size());
    const std::size_t end = below.find(kSeparator);
    return end == std::string_view::npos ? std::string_view{} : below.substr(0, end);
}

// Whether two lower-case names are one edit apart: one character added or
// removed, one replaced, or two neighbours swapped.
bool one_edit_apart(std::string_view a, std::string_view b) {
    if (a.size() > b.size()) {
        std::swap(a, b);
    }
    if (a == b || b.size() - a.size() > 1) {
        return false;
    }
    std::size_t i = 0;
    while (i < a.size() && a[i] == b[i]) {
        ++i;
    }
    if (a.size() < b.size()) {
        return a.substr(i) == b.substr(i + 1);
    }
    return a.substr(i + 1) == b.substr(i + 1) ||
           (i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] &&
            a.substr(i + 2) == b.substr(i + 2));
}

// The folder index holds a folder's names by their length, so that only names
// one edit can reach are compared.
std::uint64_t folder_hash(std::string_view folder, std::size_t name_length) {
    return hash_name(folder) + name_length * 0x9E3779B97F4A7C15U;
}

} // namespace

std::string_view match_reason_key(MatchReason reason) {
    static constexpr std::array<std::string_view, 5> kKeys = {
        "other_folder", "other_content_folder", "other_extension", "polish_letters", "one_edit"};
    return kKeys[static_cast<std::size_t>(reason)];
}

std::string match_line(const LikelyMatch& match) {
    static constexpr std::array<Text, 5> kTexts = {
        Text::MatchOtherFolder, Text::MatchOtherContentFolder, Text::MatchOtherExtension,
        Text::MatchPolishLetters, Text::MatchOneEdit};
    return "  ? " + match.path + " (" + text(kTexts[static_cast<std::size_t>(match.reason)]) + ")";
}

std::string matches_text(const std::vector<LikelyMatch>& matches) {
    std::string lines;
    for (const LikelyMatch& match : matches) {
        lines += match_line(match) + "\n";
    }
    return matches.empty() ? text(Text::NoLikelyMatch) + "\n" : lines;
}

bool names_missing_file(const ResultRecord& record) {
    const auto code = parse_code(record.code);
    return code == ResultCode::B || code == ResultCode::BD;
}

bool names_existing_file(const ResultRecord& record) {
    const auto code = parse_code(record.code);
    return code && !names_missing_file(record);
}

LikelyMatches::LikelyMatches(std::string_view main_dir, std::vector<std::string> existing)
    : main_dir_(to_lower(normalize_record_path(main_dir))), paths_(std::move(existing)) {
    ensure_final_separator(main_dir_);
    if (paths_.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error(text(Text::ReasonTooManyFiles));
    }
    // One key's room for every path: the indexes hold hashes only.
    std::string key;
    for (std::uint32_t file = 0; file < paths_.size(); ++file) {
        compared_form(paths_[file], key);
        const KeyParts parts(key);
        const std::string_view content = content_folder_of(key, main_dir_);
        if (!content.empty() && content_id(content) == kNoContentFolder) {
            content_folders_.emplace_back(content);
        }
        content_of_.push_back(content_id(content));
        by_name_.emplace_back(hash_name(parts.name), file);
        if (!readable_forms(parts.extension).empty()) {
            by_stem_.emplace_back(hash_name(parts.stem), file);
        }
        by_folder_.emplace_back(folder_hash(parts.folder, parts.name.size()), file);
        fold_polish_letters(key);
        by_folded_.emplace_back(hash_name(key), file);
    }
    for (Index* index : {&by_name_, &by_stem_, &by_folded_, &by_folder_}) {
        std::sort(index->begin(), index->end());
    }
}

std::uint32_t LikelyMatches::content_id(std::string_view folder) const {
    const auto known = std::find(content_folders_.begin(), content_folders_.end(), folder);
    return folder.empty() || known == content_folders_.end()
               ? kNoContentFolder
               : static_cast<std::uint32_t>(known - content_folders_.begin()) + 1;
}

template <class Visit>
void LikelyMatches::visit(const Index& index, std::uint64_t hash, Visit&& visit) const {
    for (auto it = std::lower_bound(index.begin(), index.end(), std::pair{hash, std::uint32_t{0}});
         it != index.end() && it->first == hash; ++it) {
        visit(it->second);
    }
}

std::vector<LikelyMatch> LikelyMatches::find(std::string_view missing) const {
    const PathParts wanted(missing);
    const std::uint32_t wanted_content = content_id(content_folder_of(wanted.key, main_dir_));
    std::vector<LikelyMatch> found;
    std::vector<std::string> found_keys{wanted.key};
    // A file is offered once, under its best reason; hashes that collide are
    // told apart by the test each reason makes.
    const auto offer = [&](std::uint32_t file, MatchReason reason, auto&& fits) {
        if (found.size() >= kMostLikelyMatches) {
            return;
        }
        const PathParts parts(paths_[file]);
        if (std::find(found_keys.begin(), found_keys.end(), parts.key) == found_keys.end() &&
            fits(parts)) {
            found_keys.push_back(parts.key);
            found.push_back({paths_[file], reason});
        }
    };
    // Many files may share a name in other content folders: the content
    // folder is told before a path is taken apart.
    const auto same_content = [&](std::uint32_t file) {
        return wanted_content != kNoContentFolder && content_of_[file] == wanted_content;
    };
    const auto same_name = [&](const PathParts& parts) { return parts.name == wanted.name; };
    visit(by_name_, hash_name(wanted.name), [&](std::uint32_t file) {
        if (same_content(file)) {
            offer(file, MatchReason::OtherFolder, same_name);
        }
    });
    visit(by_name_, hash_name(wanted.name), [&](std::uint32_t file) {
        if (!same_content(file)) {
            offer(file, MatchReason::OtherContentFolder, same_name);
        }
    });
    const auto forms = readable_forms(wanted.extension);
    if (!forms.empty()) {
        visit(by_stem_, hash_name(wanted.stem), [&](std::uint32_t file) {
            offer(file, MatchReason::OtherExtension, [&](const PathParts& parts) {
                return parts.stem == wanted.stem &&
                       readable_forms(parts.extension).data() == forms.data();
            });
        });
    }
    std::string folded = wanted.key;
    fold_polish_letters(folded);
    visit(by_folded_, hash_name(folded), [&](std::uint32_t file) {
        offer(file, MatchReason::PolishLetters, [&](const PathParts& parts) {
            std::string key = parts.key;
            fold_polish_letters(key);
            return key == folded;
        });
    });
    for (const std::size_t length :
         {wanted.name.size() - 1, wanted.name.size(), wanted.name.size() + 1}) {
        visit(by_folder_, folder_hash(wanted.folder, length), [&](std::uint32_t file) {
            offer(file, MatchReason::OneEdit, [&](const PathParts& parts) {
                return parts.folder == wanted.folder && one_edit_apart(parts.name, wanted.name);
            });
        });
    }
    return found;
}

LikelyMatches likely_matches_of(std::string_view main_dir, const ResultProvenance& provenance) {
    std::vector<std::string> existing;
    for (std::size_t row = 0; row < provenance.size(); ++row) {
        if (names_existing_file(provenance.record(row))) {
            existing.push_back(provenance.record(row).path);
        }
    }
    return LikelyMatches(main_dir, std::move(existing));
}

} // namespace ferwis
