#include "analysis/rolling_stock/definition_folders.h"

#include "analysis/rolling_stock/sprawdz_dynamic_wav.h"
#include "analysis/shared/opened_stamps.h"
#include "common/blank_text.h"
#include "common/catalogue.h"
#include "common/errors.h"
#include "common/folder_handle_scope.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/opened_ahead.h"
#include "common/text_compare.h"

#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace ferwis {
namespace {

// Where a reference leads beside its definition file (definition_dir ending
// with "/"): each name matched case-insensitively, as it is on disk. Adds the
// reference to references.
void add_reference(SoundReferences& references, std::uint32_t line, const std::string& reference,
                   const std::string& definition_dir, FolderNameCache* folders) {
    if (can_be_path(definition_dir + reference)) {
        if (const auto beside = find_file_case_insensitive(definition_dir, reference, folders)) {
            // The walk knows the length of every file below dynamic/; a path
            // that leads out of it is asked for.
            const FolderNameCache::Entry* walked =
                folders != nullptr ? folders->walked_entry(*beside) : nullptr;
            const std::uintmax_t size =
                walked != nullptr ? walked->size : file_size(*beside).value_or(0);
            references.add(line, std::string_view(*beside).substr(definition_dir.size()), true,
                           size);
            return;
        }
    }
    references.add(line, reference, false, 0);
}

bool is_definition_file(std::string_view path) {
    return ends_with_name(path, ".mmd");
}

} // namespace

void SoundReferences::add(std::uint32_t line, std::string_view text, bool beside,
                          std::uintmax_t size) {
    if (texts_.size() + text.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error(ferwis::text(Text::ReasonTooManyFiles));
    }
    texts_.append(text);
    stored_.push_back({size, line, static_cast<std::uint32_t>(texts_.size())});
    beside_.push_back(beside);
}

SoundReferences::Reference SoundReferences::operator[](std::size_t i) const {
    const Stored& stored = stored_[i];
    const std::size_t begin = i == 0 ? 0 : stored_[i - 1].text_end;
    return {stored.line, std::string_view(texts_).substr(begin, stored.text_end - begin),
            beside_[i], stored.size};
}

DefinitionFindings read_definition_file(const std::string& path,
                                        const std::filesystem::path* native,
                                        FolderNameCache* folders, SoundReferences& references,
                                        OpenFile* opened) {
    DefinitionFindings findings;
    findings.references_begin = references.count();
    const std::string definition_dir(folder_part(path));
    try {
        std::optional<LineReader> reader;
        try {
            reader.emplace(
                opened != nullptr ? std::move(*opened) : open_file_for_reading(path, native), path);
        } catch (const FileError&) {
            if (!(native != nullptr ? native_file_size(*native) : file_size(path))) {
                throw FileError(path, text(Text::ReasonDisappeared));
            }
            throw;
        }
        if (native == nullptr) {
            findings.stamp = stamp_of(reader->stamp_when_opened());
        }
        std::string line;
        while (reader->next(line)) {
            normalize_line(line);
            if (line.starts_with("//")) {
                continue;
            }
            const auto line_number = static_cast<std::uint32_t>(reader->line_number());
            cut_sound_references(line, [&](std::string_view piece) {
                if (piece.starts_with("//")) {
                    return;
                }
                add_reference(references, line_number, with_read_separators(piece), definition_dir,
                              folders);
            });
        }
    } catch (const LineTooLong&) {
        // Only this definition file is abandoned; its references so far stay.
    } catch (...) {
        findings.failure = std::current_exception();
    }
    findings.references_end = references.count();
    return findings;
}

DefinitionFolders read_definition_folders(const std::string& root,
                                          const std::filesystem::path* within) {
    DefinitionFolders walked;
    // The walk's tree and names serve the reading only: they go before the
    // listing thread takes its next folder, which can then use their memory.
    FolderTree tree;
    FolderNameCache names;
    try {
        walked.found = folder_exists(root);
        if (!walked.found) {
            return walked;
        }
        tree = walk_folder_tree(root, true, &names, within);
        walked.passed_over = tree.passed_over;
    } catch (...) {
        walked.failure = std::current_exception();
        return walked;
    }
    const FolderHandleScope held({root});
    // Reached by its name as the walk found it where the text holds a "?".
    const auto native_of = [&](std::size_t f) -> const std::filesystem::path* {
        const auto native = tree.native_files.find(f);
        return native != tree.native_files.end() ? &native->second : nullptr;
    };
    const auto to_read = [&](std::size_t f) {
        return is_definition_file(tree.files[f]) && tree.file_sizes[f] >= 4;
    };
    // The next files to read are opened ahead of their reading.
    OpenedAhead ahead;
    for (std::size_t f = 0; f < tree.files.size(); ++f) {
        if (!is_definition_file(tree.files[f])) {
            continue;
        }
        walked.files.emplace_back(tree.files[f]);
        if (tree.file_sizes[f] < 4) {
            continue;
        }
        if (ahead.empty()) {
            for (std::size_t next = f; next < tree.files.size() && !ahead.full(); ++next) {
                if (to_read(next)) {
                    ahead.open(next, tree.files[next], native_of(next), UINTMAX_MAX);
                }
            }
        }
        OpenFile* opened = ahead.take(f);
        DefinitionFindings& findings = walked.definitions.emplace_back(read_definition_file(
            walked.files.back(), native_of(f), &names, walked.references, opened));
        findings.file = walked.files.size() - 1;
        if (findings.failure) {
            break; // the check ends here: nothing after it is reported
        }
    }
    walked.references.trim();
    return walked;
}

} // namespace ferwis
