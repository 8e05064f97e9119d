#include "common/folder_handle.h"

#include "common/errors.h"
#include "common/file_time_windows.h"
#include "common/native_path.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <windows.h>

// Windows has no *at calls for ordinary programs. A folder is held open
// instead (without delete sharing, so it can be neither renamed nor removed
// while held), and every entry is reached below the place the system gives
// for that handle now, with no link on the way. Links and junctions (reparse
// points) are never followed unless a caller asks for it.
namespace ferwis {
namespace {

HANDLE handle_of(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::intptr_t to_handle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(handle);
}

std::string reason(DWORD error = GetLastError()) {
    return std::system_category().message(static_cast<int>(error));
}

void close_handle(std::intptr_t& handle) {
    if (handle != -1) {
        CloseHandle(handle_of(handle));
        handle = -1;
    }
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE open_native(const std::filesystem::path& path, DWORD access, DWORD share, DWORD creation,
                   DWORD flags) {
    return CreateFileW(path.c_str(), access, share, nullptr, creation, flags, nullptr);
}

std::optional<BY_HANDLE_FILE_INFORMATION> information(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(handle, &info) == 0) {
        return std::nullopt;
    }
    return info;
}

FileIdentity identity_of(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber,
            (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// The place of an open file or folder as the system names it now.
std::optional<std::filesystem::path> final_path(HANDLE handle) {
    std::wstring buffer(512, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD got =
            GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (got == 0) {
            return std::nullopt;
        }
        if (got < buffer.size()) {
            buffer.resize(got);
            return std::filesystem::path(buffer);
        }
        buffer.resize(got + 1);
    }
    return std::nullopt;
}

EntryStatus status_of(const std::filesystem::path& path) {
    EntryStatus status;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) == 0) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
            error != ERROR_INVALID_NAME && error != ERROR_BAD_PATHNAME) {
            status.kind = EntryKind::Unreachable;
        }
        return status;
    }
    status.size = (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    status.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? EntryKind::Link
                  : (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0   ? EntryKind::Folder
                  : (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0      ? EntryKind::Other
                                                                              : EntryKind::File;
    // The identity of the entry itself, a link not followed.
    const HANDLE handle = open_native(path, 0, kShareAll, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT);
    if (handle != INVALID_HANDLE_VALUE) {
        if (const auto info = information(handle)) {
            status.identity = identity_of(*info);
        }
        CloseHandle(handle);
    }
    return status;
}

std::optional<FileIdentity> identity_at(const std::filesystem::path& path) {
    const HANDLE handle =
        open_native(path, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const auto info = information(handle);
    CloseHandle(handle);
    if (!info) {
        return std::nullopt;
    }
    return identity_of(*info);
}

// Whether the folder at path is ancestor or lies below it: climbs the levels of
// the path (which holds no link: it is a final path) comparing identities.
bool path_lies_within(std::filesystem::path path, FileIdentity ancestor) {
    for (int level = 0; level < 4096; ++level) {
        if (identity_at(path) == ancestor) {
            return true;
        }
        const std::filesystem::path parent = path.parent_path();
        if (parent == path || parent.empty()) {
            return false;
        }
        path = parent;
    }
    return false;
}

// Opens a folder; a reparse point is refused unless follow.
std::optional<std::intptr_t> open_folder_at(const std::filesystem::path& path, bool follow) {
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (follow ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    // Without delete sharing: the folder can be neither renamed nor removed
    // while it is held.
    const HANDLE handle = open_native(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, flags);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const auto info = information(handle);
    if (!info || (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (info->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        CloseHandle(handle);
        return std::nullopt;
    }
    return to_handle(handle);
}

// Opens a regular file for reading; with follow, a link at its end is followed.
HANDLE open_regular(const std::filesystem::path& path, bool follow) {
    const HANDLE handle =
        open_native(path, GENERIC_READ, kShareAll, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | (follow ? 0 : FILE_FLAG_OPEN_REPARSE_POINT));
    if (handle == INVALID_HANDLE_VALUE) {
        return handle;
    }
    const auto info = information(handle);
    if (!info || GetFileType(handle) != FILE_TYPE_DISK ||
        (info->dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        CloseHandle(handle);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

} // namespace

// ---- OwnedHandle -----------------------------------------------------------

void OwnedHandle::close_quietly() noexcept {
    close_handle(handle_);
}

// ---- OpenFile --------------------------------------------------------------

OpenFile OpenFile::open_for_reading(const std::filesystem::path& native, std::string path) {
    // Named pipes and devices do not lie in folders; the check on the open
    // handle keeps the rule the same as elsewhere.
    const HANDLE handle =
        open_native(native, GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (handle == INVALID_HANDLE_VALUE) {
        throw FileError(std::move(path), reason());
    }
    const auto info = information(handle);
    if (!info || GetFileType(handle) != FILE_TYPE_DISK ||
        (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(handle);
        throw FileError(std::move(path), text(Text::ReasonNotRegularFile));
    }
    return OpenFile(to_handle(handle), std::move(path), platform::regular_file_stamp_of(*info));
}

bool OpenFile::is_open() const {
    return handle_ != -1;
}

FileIdentity OpenFile::identity() const {
    const auto info = information(handle_of(handle_));
    return info ? identity_of(*info) : FileIdentity{};
}

std::uintmax_t OpenFile::size() const {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(handle_of(handle_), &size) == 0) {
        throw FileError(path_, reason());
    }
    return static_cast<std::uintmax_t>(size.QuadPart);
}

std::size_t OpenFile::read(char* buffer, std::size_t size) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (ReadFile(handle_of(handle_), buffer, want, &got, nullptr) == 0) {
        throw FileError(path_, reason());
    }
    return got;
}

// Not given on Windows: the hint is left to its own cache.
void OpenFile::will_read(std::uintmax_t) const {}

std::size_t OpenFile::read_at(std::uintmax_t offset, char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const std::uintmax_t at = offset + done;
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
        if (ReadFile(handle_of(handle_), buffer + done, want, &got, &where) == 0) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                break;
            }
            throw FileError(path_, reason(error));
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

void OpenFile::write(const char* buffer, std::size_t size) {
    while (size > 0) {
        DWORD put = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        if (WriteFile(handle_of(handle_), buffer, want, &put, nullptr) == 0) {
            throw FileError(path_, reason());
        }
        buffer += put;
        size -= put;
    }
}

void OpenFile::sync() {
    if (FlushFileBuffers(handle_of(handle_)) == 0) {
        throw FileError(path_, reason());
    }
}

void OpenFile::close() {
    if (handle_ == -1) {
        return;
    }
    const BOOL closed = CloseHandle(handle_of(handle_));
    handle_ = -1;
    if (closed == 0) {
        throw FileError(path_, reason());
    }
}

// ---- FolderHandle ----------------------------------------------------------

std::optional<FolderHandle> FolderHandle::open(std::string_view path) {
    const auto handle = open_folder_at(to_native(path), true);
    if (!handle) {
        return std::nullopt;
    }
    return FolderHandle(*handle, with_final_separator(std::string(path)));
}

bool FolderHandle::is_open() const {
    return handle_ != -1;
}

FileIdentity FolderHandle::identity() const {
    const auto info = information(handle_of(handle_));
    return info ? identity_of(*info) : FileIdentity{};
}

namespace {

// The entry name below the folder's place now; nothing when that place cannot
// be told (then nothing is done through a path that might lead elsewhere).
std::optional<std::filesystem::path> entry_path(std::intptr_t folder, std::string_view name) {
    auto place = final_path(handle_of(folder));
    if (!place) {
        return std::nullopt;
    }
    return *place / to_native(name);
}

} // namespace

EntryStatus FolderHandle::status(std::string_view name) const {
    const auto path = entry_path(handle_, name);
    return path ? status_of(*path) : EntryStatus{};
}

std::optional<FolderHandle> FolderHandle::open_folder(std::string_view name, bool follow_link,
                                                      bool* linked) const {
    if (linked != nullptr) {
        *linked = false;
    }
    const auto path = entry_path(handle_, name);
    if (!path) {
        return std::nullopt;
    }
    const EntryKind kind = status_of(*path).kind;
    if (kind == EntryKind::Link && !follow_link) {
        return std::nullopt;
    }
    const auto handle = open_folder_at(*path, kind == EntryKind::Link);
    if (!handle) {
        return std::nullopt;
    }
    if (linked != nullptr) {
        *linked = kind == EntryKind::Link;
    }
    return FolderHandle(*handle, path_ + std::string(name) + kSeparator);
}

bool FolderHandle::lies_within(const FolderHandle& ancestor) const {
    const auto place = final_path(handle_of(handle_));
    return place && path_lies_within(*place, ancestor.identity());
}

std::optional<OpenFile> FolderHandle::open_file(std::string_view name) const {
    const auto path = entry_path(handle_, name);
    if (!path) {
        return std::nullopt;
    }
    const HANDLE handle = open_regular(*path, false);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    return OpenFile(to_handle(handle), path_ + std::string(name));
}

OpenFile FolderHandle::open_for_reading(const std::filesystem::path& relative,
                                        std::string path) const {
    // No call opens a path relative to a held folder: the whole path is given.
    return OpenFile::open_for_reading(to_native(path_) / relative, std::move(path));
}

std::optional<OpenFile> FolderHandle::open_link_target(std::string_view name,
                                                       const FolderHandle& ancestor) const {
    const auto path = entry_path(handle_, name);
    if (!path) {
        return std::nullopt;
    }
    const HANDLE handle = open_regular(*path, true);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    // The file the link leads to, held open; its folder must lie inside.
    const auto place = final_path(handle);
    if (!place || !path_lies_within(place->parent_path(), ancestor.identity())) {
        CloseHandle(handle);
        return std::nullopt;
    }
    return OpenFile(to_handle(handle), path_ + std::string(name));
}

std::optional<OpenFile> FolderHandle::create_file(std::string_view name) const {
    const std::string text = path_ + std::string(name);
    const auto path = entry_path(handle_, name);
    if (!path) {
        throw FileError(text, ferwis::text(Text::ReasonFolderPlaceUnknown));
    }
    const HANDLE handle = open_native(*path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
        throw FileError(text, reason(error));
    }
    return OpenFile(to_handle(handle), text);
}

void FolderHandle::create_folder(std::string_view name) const {
    const std::string text = path_ + std::string(name);
    const auto path = entry_path(handle_, name);
    if (!path) {
        throw FileError(text, ferwis::text(Text::ReasonFolderPlaceUnknown));
    }
    if (CreateDirectoryW(path->c_str(), nullptr) == 0 && GetLastError() != ERROR_ALREADY_EXISTS) {
        throw FileError(text, reason());
    }
}

void FolderHandle::remove(std::string_view name) const {
    const std::string text = path_ + std::string(name);
    const auto path = entry_path(handle_, name);
    if (!path) {
        throw FileError(text, ferwis::text(Text::ReasonFolderPlaceUnknown));
    }
    const DWORD attributes = GetFileAttributesW(path->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        throw FileError(text, reason());
    }
    // A read-only file goes like any other; the attribute is the entry's own.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(path->c_str(),
                           attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
    // A link to a folder or a junction is removed as a folder entry, itself only.
    const BOOL removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                             ? RemoveDirectoryW(path->c_str())
                             : DeleteFileW(path->c_str());
    if (removed == 0) {
        throw FileError(text, reason());
    }
}

bool FolderHandle::rename(std::string_view name, const FolderHandle& to, std::string_view new_name,
                          bool replace) const {
    const std::string text = to.path_ + std::string(new_name);
    const auto from = entry_path(handle_, name);
    const auto target = entry_path(to.handle_, new_name);
    if (!from || !target) {
        throw FileError(text, ferwis::text(Text::ReasonFolderPlaceUnknown));
    }
    // An entry at the target, a link too, is replaced, never written through;
    // without replace it stays.
    if (MoveFileExW(from->c_str(), target->c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0) == 0) {
        const DWORD error = GetLastError();
        if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
            return false;
        }
        throw FileError(text, reason(error));
    }
    return true;
}

void FolderHandle::sync() const {
    // Windows writes a folder's entries through without being asked.
}

bool FolderHandle::syncs_file_system() {
    // Flushing a whole volume needs rights a person seldom has: each file is
    // flushed by itself.
    return false;
}

void FolderHandle::sync_file_system() const {}

EntryStatus entry_status(const std::filesystem::path& path) {
    return status_of(path);
}

std::optional<std::filesystem::path> FolderHandle::real_path() const {
    auto place = final_path(handle_of(handle_));
    if (!place) {
        return std::nullopt;
    }
    // "\\?\C:\..." names the same folder as "C:\...".
    const std::wstring& text = place->native();
    if (text.starts_with(L"\\\\?\\") && !text.starts_with(L"\\\\?\\UNC\\")) {
        return std::filesystem::path(text.substr(4));
    }
    return place;
}

} // namespace ferwis
