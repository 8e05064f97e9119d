#include "trash/gio_trash.h"

#include "common/catalogue.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/folder_handle.h"
#include "common/native_path.h"

#include <cerrno>
#include <gio/gio.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

struct ObjectRelease {
    void operator()(GFile* file) const { g_object_unref(file); }
};
struct ErrorRelease {
    void operator()(GError* error) const { g_error_free(error); }
};

// A trash folder and the folder its .trashinfo paths are relative to (a trash
// at the top of a file system may record paths relative to that top).
struct TrashFolder {
    fs::path folder;
    fs::path top;
};

// Where the freedesktop convention lets a file go: the home trash, and the
// two trash folders at the top of the file's own file system.
std::vector<TrashFolder> trash_folders(const fs::path& original) {
    std::vector<TrashFolder> folders{{fs::path(g_get_user_data_dir()) / "Trash", fs::path()}};
    fs::path top = original.parent_path();
    const std::uint64_t device = entry_status(top).identity.device;
    while (top.has_relative_path() && entry_status(top.parent_path()).identity.device == device) {
        top = top.parent_path();
    }
    const std::string user = std::to_string(::getuid());
    folders.push_back({top / ".Trash" / user, top});
    folders.push_back({top / (".Trash-" + user), top});
    return folders;
}

// The names a trash gives a file of that name, the first one free: the name
// itself, then with a number before its first dot.
std::string trash_name(const std::string& name, int number) {
    if (number == 1) {
        return name;
    }
    const std::size_t dot = name.find('.');
    return dot == std::string::npos
               ? name + "." + std::to_string(number)
               : name.substr(0, dot) + "." + std::to_string(number) + name.substr(dot);
}

struct Trashed {
    fs::path file;
    fs::path info;
    const TrashFolder* trash = nullptr;
};

// The place of the file the trash has just taken: among the names it may have
// got, the one that is this very file.
std::optional<Trashed> find_trashed(const std::vector<TrashFolder>& folders,
                                    const fs::path& original, const FileIdentity& identity) {
    const std::string name = original.filename().string();
    for (const TrashFolder& trash : folders) {
        for (int number = 1; number < 1000000; ++number) {
            const std::string given = trash_name(name, number);
            fs::path info = trash.folder / "info" / (given + ".trashinfo");
            if (entry_status(info).kind == EntryKind::Missing) {
                break;
            }
            fs::path file = trash.folder / "files" / given;
            if (entry_status(file).identity == identity) {
                return Trashed{std::move(file), std::move(info), &trash};
            }
        }
    }
    return std::nullopt;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// A percent-encoded path; nothing when it is not well formed.
std::optional<std::string> percent_decoded(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded.push_back(text[i]);
            continue;
        }
        const int high = i + 2 < text.size() ? hex_digit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hex_digit(text[i + 2]) : -1;
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return decoded;
}

// Whether the .trashinfo of a trashed file names where it came from, so that a
// file manager can put it back: a full file system leaves it empty, and the
// trash still reports success.
bool records_origin(const Trashed& trashed, const fs::path& original) {
    std::ifstream in(trashed.info, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!text.starts_with("[Trash Info]\n") || text.find("\nDeletionDate=") == std::string::npos) {
        return false;
    }
    const std::size_t key = text.find("\nPath=");
    if (key == std::string::npos) {
        return false;
    }
    const std::size_t begin = key + 6;
    const std::size_t end = text.find('\n', begin);
    const auto path = percent_decoded(std::string_view(text).substr(begin, end - begin));
    if (!path || path->empty()) {
        return false;
    }
    const fs::path recorded(*path);
    return recorded.is_absolute()
               ? recorded == original
               : !trashed.trash->top.empty() && trashed.trash->top / recorded == original;
}

} // namespace

// GIO refuses where the trash cannot be written (a read-only file system, a
// home folder that cannot hold the trash) instead of trying names without end
// or choosing another place; the file then stays where it was. Where it
// reports success, the file is looked for in the trash and its .trashinfo
// checked: a file the file manager could not put back is put back here.
TrashOutcome GioTrash::move_to_trash(const fs::path& path) {
    TrashOutcome outcome;
    const FileIdentity identity = entry_status(path).identity;
    const std::unique_ptr<GFile, ObjectRelease> file(g_file_new_for_path(path.c_str()));
    GError* raw_error = nullptr;
    const bool trashed = g_file_trash(file.get(), nullptr, &raw_error) != FALSE;
    const std::unique_ptr<GError, ErrorRelease> error(raw_error);
    if (!trashed) {
        // GLib's own words, in UTF-8; the core's text is Windows-1250.
        outcome.reason =
            error != nullptr ? utf8_to_cp1250(error->message) : text(Text::ReasonTrashRefused);
        return outcome;
    }
    const std::vector<TrashFolder> folders = trash_folders(path);
    const auto found = find_trashed(folders, path, identity);
    if (!found) {
        // Taken under a name this build does not know: the trash's word stands.
        outcome.moved = true;
        return outcome;
    }
    if (records_origin(*found, path)) {
        outcome.moved = true;
        outcome.place = found->file;
        return outcome;
    }
    // Back under its name by a link, which never replaces a file that took
    // the name meanwhile, then out of the trash.
    std::error_code ec;
    if (::link(found->file.c_str(), path.c_str()) != 0) {
        ec = std::error_code(errno, std::generic_category());
    } else {
        fs::remove(found->file, ec);
    }
    if (ec) {
        outcome.reason = trash_kept_file(from_native(found->file), ec.message());
        return outcome;
    }
    fs::remove(found->info, ec);
    outcome.reason = text(Text::ReasonTrashOriginUnwritten);
    return outcome;
}

// The trash:/// listing of GIO needs the desktop's file-system daemon, which a
// machine without a desktop lacks; the trash folders themselves are read here,
// by the names the trash gives.
fs::path GioTrash::locate(const fs::path& original, const FileIdentity& identity) {
    const auto found = find_trashed(trash_folders(original), original, identity);
    return found ? found->file : fs::path();
}

// Back under its name by a rename that never replaces (or a second name, then
// the first removed), then its .trashinfo removed, as a file manager's
// "restore" does. The caller makes the folder durable.
RestoreOutcome GioTrash::restore(const fs::path& place, const fs::path& original) {
    RestoreOutcome outcome;
    if (place.empty()) {
        outcome.reason = text(Text::ReasonNotInTrash);
        return outcome;
    }
    try {
        const auto from = FolderHandle::open(from_native(place.parent_path()));
        const auto to = FolderHandle::open(from_native(original.parent_path()));
        if (!from || !to) {
            outcome.reason = text(Text::ReasonMissing);
            return outcome;
        }
        const std::string name = from_native(place.filename());
        if (!from->rename(name, *to, from_native(original.filename()), false)) {
            outcome.reason = text(Text::ReasonNameTaken);
            return outcome;
        }
    } catch (const FileError& error) {
        outcome.reason = error.reason();
        return outcome;
    }
    std::error_code ec;
    fs::remove(place.parent_path().parent_path() / "info" /
                   (place.filename().native() + ".trashinfo"),
               ec);
    outcome.restored = true;
    return outcome;
}

} // namespace ferwis
