#include "analysis/scenery/models_ahead.h"

#include "analysis/models/model_forms.h"
#include "analysis/models/scan_binary_model.h"
#include "analysis/resolve/expand_placeholder.h"
#include "analysis/resolve/lookup.h"
#include "analysis/scenery/apply_statement.h"
#include "analysis/scenery/classify_line.h"
#include "common/blank_text.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/folder_handle_scope.h"
#include "common/native_path.h"
#include "common/opened_ahead.h"
#include "common/text_compare.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace ferwis {
namespace {

// The reading ahead has ended: the reading needs nothing more from it.
struct Stopped {};

// The pieces of a normalised statement line, the statement parameters of a
// queued file's line: P(n) is pieces[n - 1].
using Pieces = std::vector<std::string_view>;

// The words without which a line names no model: a model node, a sky, and in
// a queued file an include read with parameters.
constexpr std::array<std::string_view, 3> kQueuedKeywords = {"model", "sky", "include"};
constexpr std::array<std::string_view, 2> kIncludeKeywords = {"model", "sky"};
// A larger file is left to the reading.
constexpr std::size_t kLargestFileAhead = std::size_t{4} << 20;

// A byte that ends a line. Looked at byte by byte: a set of two, searched
// with the library's find_first_of, costs a search of the set per byte.
bool is_line_break(char byte) {
    return byte == '\r' || byte == '\n';
}

// The models a statement line names itself, in the order the statement rules
// name them: a sky's model, then the model of a model node (its tenth piece).
// queued: the line is a queued file's (a track is known only there).
void statement_models(const Pieces& pieces, bool queued, std::vector<std::string_view>& named) {
    enum class Node { None, Node, Model, Other, Track };
    Node node = Node::None;
    std::string_view node_model;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string_view token = pieces[i];
        if (names_equal(token, "node") ||
            (node == Node::None && token.size() >= 4 && ends_with_name(token, "node"))) {
            node = Node::Node;
        }
        if (node == Node::Node) {
            if (names_equal(token, "model")) {
                node = Node::Model;
            } else if (names_equal(token, "track") && queued) {
                node = Node::Track;
            } else if (names_equal(token, "triangles") || names_equal(token, "triangle_strip")) {
                node = Node::Other;
            }
        }
        if (node == Node::Track && (names_equal(token, "novis") || names_equal(token, "unvis"))) {
            node = Node::None;
        }
        if (node == Node::Model && i + 1 == 10) {
            node_model = token;
        }
    }
    if (pieces.size() >= 2 && names_equal(pieces[0], "sky")) {
        named.push_back(pieces[1]);
    }
    if (node == Node::Model && !node_model.empty()) {
        named.push_back(node_model);
    }
}

// Follows the files the reading queues and reads the models their statements
// name. Which models those are is a guess that follows the statement rules
// for what matters here: a line the reading takes otherwise costs a model
// read in vain, or one the reading reads itself, never a different result.
class Reader {
public:
    Reader(const RunState& run, ReadAhead& ahead) : run_(run), ahead_(ahead) {}

    // Reads the models a queued file names, as far as it can: a file it
    // cannot read is the reading's to report.
    void read_file(std::string name) {
        const std::optional<std::size_t> row = find_file(std::move(name));
        if (!row) {
            return;
        }
        std::string line;
        for_each_statement(*row, kQueuedKeywords, line, [&] {
            if (pieces_.size() >= 4 && names_equal(pieces_[0], "include")) {
                // Read in place with the line's parameters, after the line's own models.
                const Pieces parameters = pieces_;
                read_line_models(parameters);
                if (const auto* models = include_models(std::string(parameters[1]))) {
                    for (const std::string& model : *models) {
                        read_model(model, parameters);
                    }
                }
            } else {
                read_line_models(pieces_);
            }
            if (planned_.size() >= OpenedAhead::kTogether) {
                read_planned();
            }
        });
        read_planned();
    }

private:
    // The listed row of a file named relative to the scenery folder.
    std::optional<std::size_t> find_file(std::string name) {
        if (!name.empty() && name.back() == '\t') {
            name.pop_back();
        }
        return find(run_.scenery_dir, name);
    }

    // The listed row of directory + name, name cleaned as a lookup cleans it.
    std::optional<std::size_t> find(std::string_view directory, std::string& name) {
        clean_reference_name(name);
        tried_.assign(directory);
        tried_.append(name);
        return run_.inventory.find(tried_);
    }

    // Hands each statement line of the file at a row that holds one of the
    // keywords, in the file's order, normalised and split into pieces_, to
    // take. Most lines of a scenery (a shape's points) hold none, and are not
    // looked at. A file that cannot be read, or is too large to hold, ends
    // quietly: the reading reads it itself.
    template <typename Take>
    void for_each_statement(std::size_t row, std::span<const std::string_view> keywords,
                            std::string& line, Take take) {
        // The file's own bytes: take() may look through another file (an
        // include read with parameters) before this one is done.
        std::vector<char> bytes;
        if (!read_whole(row, bytes)) {
            return;
        }
        const std::string_view text(bytes.data(), bytes.size());
        std::vector<std::size_t> next(keywords.size());
        for (std::size_t k = 0; k < keywords.size(); ++k) {
            next[k] = find_name(text, keywords[k]);
        }
        std::size_t from = 0;
        while (true) {
            if (ahead_.stopped()) {
                throw Stopped();
            }
            std::size_t at = std::string_view::npos;
            for (std::size_t k = 0; k < keywords.size(); ++k) {
                if (next[k] != std::string_view::npos && next[k] < from) {
                    next[k] = find_name(text, keywords[k], from);
                }
                at = std::min(at, next[k]);
            }
            if (at == std::string_view::npos) {
                return;
            }
            // The line around it, as a line reader cuts lines (at CR, LF or both).
            std::size_t begin = at;
            while (begin > 0 && !is_line_break(text[begin - 1])) {
                --begin;
            }
            std::size_t end = at;
            while (end < text.size() && !is_line_break(text[end])) {
                ++end;
            }
            from = end + 1;
            line.assign(text.substr(begin, end - begin));
            to_lower_in_place(line);
            if (line.starts_with("//") || classify_line(line) != LineKind::Statement) {
                continue;
            }
            normalize_line(line);
            if (static_cast<std::size_t>(std::count(line.begin(), line.end(), ' ')) + 1 >
                kMaxStatementTokens) {
                continue;
            }
            pieces_.clear();
            split_at_blanks(line, [&](std::string_view piece) {
                if (!piece.empty()) {
                    pieces_.push_back(piece);
                }
            });
            take();
        }
    }

    // Reads the file at a row whole into text; false when it cannot be read
    // or is too large to hold.
    bool read_whole(std::size_t row, std::vector<char>& text) {
        const PackageInventory& inventory = run_.inventory;
        try {
            OpenFile file =
                open_file_for_reading(inventory.row(row).path, inventory.native_path(row));
            text.resize(static_cast<std::size_t>(
                            std::min<std::uintmax_t>(file.size_when_opened(), kLargestFileAhead)) +
                        1);
            std::size_t size = 0;
            while (const std::size_t got = file.read(text.data() + size, text.size() - size)) {
                size += got;
                if (size == text.size()) {
                    if (size > kLargestFileAhead) {
                        return false;
                    }
                    text.resize(size * 2);
                }
            }
            text.resize(size);
            return true;
        } catch (const FileError&) {
            return false;
        }
    }

    // The models named in the lines of an include read with parameters, as
    // written (placeholders kept), read once; null when it is not listed.
    const std::vector<std::string>* include_models(std::string name) {
        const std::optional<std::size_t> row = find_file(std::move(name));
        if (!row) {
            return nullptr;
        }
        const auto [known, added] = includes_.try_emplace(*row);
        if (added) {
            std::string line;
            std::vector<std::string_view> named;
            for_each_statement(*row, kIncludeKeywords, line, [&] {
                named.clear();
                statement_models(pieces_, false, named);
                for (const std::string_view model : named) {
                    known->second.emplace_back(model);
                }
            });
        }
        return &known->second;
    }

    // The models a queued file's line names itself.
    void read_line_models(const Pieces& pieces) {
        named_.clear();
        statement_models(pieces, true, named_);
        for (const std::string_view model : named_) {
            read_model(model, pieces);
        }
    }

    // Finds a model as the reading finds it (its first placeholder expanded
    // with the statement parameters, binary form first) and reads it once,
    // unless the reading came to it first.
    void read_model(std::string_view written, const Pieces& parameters) {
        std::string name = with_read_separators(written);
        if (const auto placeholder = find_placeholder(name)) {
            const std::size_t n = placeholder->index;
            name.replace(placeholder->start, placeholder->end + 1 - placeholder->start,
                         n >= 1 && n <= parameters.size() ? parameters[n - 1] : "");
        }
        // A name met before finds the model it found then (a model is named
        // twice as often as there are models).
        if (!names_.insert(hash_name(name)).second) {
            return;
        }
        auto [binary, text] = model_forms(name);
        ModelForm form = ModelForm::Binary;
        std::optional<std::size_t> row = find(run_.models_dir, binary);
        if (!row) {
            form = ModelForm::Text;
            row = find(run_.models_dir, text);
        }
        if (!row || !seen_.insert(*row).second || !ahead_.wants_model(*row)) {
            return;
        }
        planned_.push_back({*row, form});
    }

    // Reads the models planned, in their order, all opened first, so that on
    // a cold cache their reads wait for the disk together, where one after
    // another they kept the reading waiting for each.
    void read_planned() {
        const PackageInventory& inventory = run_.inventory;
        for (const Planned& model : planned_) {
            if (ahead_.wants_model(model.row)) {
                opened_.open(
                    model.row, inventory.row(model.row).path, inventory.native_path(model.row),
                    model.form == ModelForm::Binary ? kBinaryModelWindow : kLargestModelAhead);
            }
        }
        for (const Planned& model : planned_) {
            OpenFile* file = opened_.take(model.row);
            if (file == nullptr || !ahead_.wants_model(model.row)) {
                continue;
            }
            std::optional<HeldModel> held;
            try {
                held = read_bytes(*file, model.form);
            } catch (const FileError&) {
                // The reading reads it itself and says what fails.
            }
            *file = OpenFile();
            if (held && !ahead_.hold_model(model.row, std::move(*held))) {
                throw Stopped();
            }
        }
        planned_.clear();
    }

    // The bytes of an open model as the reading of its form reads them;
    // nothing for a text model too large to hold.
    std::optional<HeldModel> read_bytes(OpenFile& file, ModelForm form) {
        HeldModel held;
        held.form = form;
        held.stamp = file.stamp_when_opened();
        if (form == ModelForm::Binary) {
            if (!block_) {
                block_.reset(new char[kBinaryModelWindow]);
            }
            if (const auto list = read_texture_list(file, block_.get())) {
                held.tagged = true;
                held.size = list->size();
                held.bytes.reset(new char[held.size]);
                std::memcpy(held.bytes.get(), list->data(), held.size);
            }
            return held;
        }
        // The whole file, as a line reader reads it: to where a read gives nothing.
        std::size_t room = static_cast<std::size_t>(std::min<std::uintmax_t>(
                               file.size_when_opened(), kLargestModelAhead)) +
                           1;
        held.bytes.reset(new char[room]);
        while (true) {
            if (held.size == room) {
                if (room > kLargestModelAhead) {
                    return std::nullopt;
                }
                auto larger = std::make_unique<char[]>(room * 2);
                std::memcpy(larger.get(), held.bytes.get(), held.size);
                held.bytes = std::move(larger);
                room *= 2;
            }
            const std::size_t got = file.read(held.bytes.get() + held.size, room - held.size);
            if (got == 0) {
                return held;
            }
            held.size += got;
        }
    }

    // A model to read.
    struct Planned {
        std::size_t row;
        ModelForm form;
    };

    const RunState& run_;
    ReadAhead& ahead_;
    std::vector<Planned> planned_;            // in the order the reading comes to them
    OpenedAhead opened_;                      // their files
    std::unordered_set<std::size_t> seen_;    // the models decided on
    std::unordered_set<std::uint64_t> names_; // the names looked for, by their hashes
    // The models named in each include read with parameters, by its row.
    std::unordered_map<std::size_t, std::vector<std::string>> includes_;
    Pieces pieces_;
    std::vector<std::string_view> named_;
    std::unique_ptr<char[]> block_;
    std::string tried_;
};

void read_ahead(const RunState& run, ReadAhead& ahead) {
    try {
        // The lengths of the listed files take the second processor first:
        // the run waits for them at its end. Meanwhile the reading reads its
        // models itself, and the reader-ahead then begins where it stands.
        while (run.listed_sizes.measuring()) {
            if (!ahead.pause(std::chrono::milliseconds(2))) {
                return;
            }
        }
        // The files are opened relative to their folders, as the reading's are.
        const FolderHandleScope held({run.scenery_dir, run.models_dir});
        Reader reader(run, ahead);
        std::string name;
        while (ahead.next_file(name)) {
            reader.read_file(std::move(name));
        }
    } catch (const Stopped&) {
    } catch (const std::exception&) {
        // Out of memory, say: the reading reads on alone.
    }
    ahead.stop();
}

} // namespace

ModelsAhead::ModelsAhead(SceneryRun& scenery) : scenery_(scenery) {
    try {
        worker_ = std::thread([this] { read_ahead(scenery_.run, ahead_); });
        scenery_.ahead = &ahead_;
    } catch (const std::system_error&) {
        // No second thread to be had: the reading reads every model itself.
    }
}

ModelsAhead::~ModelsAhead() {
    scenery_.ahead = nullptr;
    ahead_.stop();
    if (worker_.joinable()) {
        worker_.join();
    }
}

} // namespace ferwis
