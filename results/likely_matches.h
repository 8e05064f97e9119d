#pragma once
// Where a missing file (a B or BD record) may really lie: the existing files
// of the result that differ from its path in one of the ways a package goes
// wrong. The indexes are built once for a question over the result's existing
// files; the analysis knows nothing of them.

#include "format/result_record.h"
#include "results/result_provenance.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ferwis {

// Why a file may be the one a missing record names, best first.
enum class MatchReason : std::uint8_t {
    OtherFolder,        // the same name in another folder of the same content folder
    OtherContentFolder, // the same name in another content folder
    OtherExtension,     // the same path with another extension the analysis reads it under
    PolishLetters,      // the same path with Polish letters where it has plain ones, or back
    OneEdit,            // in the same folder, a name one character added, removed, replaced or
                        // two neighbours swapped away
};

inline constexpr std::size_t kMostLikelyMatches = 3;

struct LikelyMatch {
    std::string path; // as the result writes it
    MatchReason reason = MatchReason::OtherFolder;
    bool operator==(const LikelyMatch&) const = default;
};

// The reason's key for scripts ("other_folder", "other_content_folder",
// "other_extension", "polish_letters", "one_edit").
std::string_view match_reason_key(MatchReason reason);

// "  ? PATH (the reason in words)", Windows-1250.
std::string match_line(const LikelyMatch& match);

// A line per match as match_line gives it, each ending with a line feed, or
// the sentence that the installation holds no such file.
std::string matches_text(const std::vector<LikelyMatch>& matches);

// True for a record of a missing file (B or BD); for one of an existing file
// (U, N, W, UD). A record of no category is neither.
bool names_missing_file(const ResultRecord& record);
bool names_existing_file(const ResultRecord& record);

class LikelyMatches {
public:
    // main_dir is the simulator main directory (its first folders are the
    // content folders); existing holds the paths of the result's records that
    // name existing files.
    LikelyMatches(std::string_view main_dir, std::vector<std::string> existing);

    // The matches of a missing path, at most kMostLikelyMatches, best reason
    // first and, within a reason, in the result's order; each file once.
    std::vector<LikelyMatch> find(std::string_view missing) const;

private:
    using Index = std::vector<std::pair<std::uint64_t, std::uint32_t>>; // hash -> file, sorted
    static constexpr std::uint32_t kNoContentFolder = 0;

    // The number of a content folder that files lie in, from 1;
    // kNoContentFolder for another or none.
    std::uint32_t content_id(std::string_view folder) const;

    // The files under a hash of an index, in the result's order.
    template <class Visit> void visit(const Index& index, std::uint64_t hash, Visit&& visit) const;

    std::string main_dir_; // compared form, ending with the separator
    std::vector<std::string> paths_;
    std::vector<std::string> content_folders_;
    std::vector<std::uint32_t> content_of_; // per file
    Index by_name_;                         // lower-case name
    Index by_stem_;   // lower-case path without its extension, for readable forms only
    Index by_folded_; // whole path with Polish letters folded
    Index by_folder_; // lower-case folder and the length of the name
};

// The indexes over the existing files of a result read with its places.
LikelyMatches likely_matches_of(std::string_view main_dir, const ResultProvenance& provenance);

} // namespace ferwis
