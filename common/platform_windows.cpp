#include "common/platform.h"

#include "common/file_time_windows.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace ferwis::platform {
namespace {

std::string to_utf8(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), size, nullptr, nullptr);
    out.pop_back(); // the terminating zero
    return out;
}

} // namespace

std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
    std::wstring wide_mode;
    for (const char* c = mode; *c != '\0'; ++c) {
        wide_mode.push_back(static_cast<wchar_t>(*c));
    }
    return _wfopen(path.c_str(), wide_mode.c_str());
}

std::optional<std::filesystem::path> environment_path(const char* name) {
    std::wstring wide_name;
    for (const char* c = name; *c != '\0'; ++c) {
        wide_name.push_back(static_cast<wchar_t>(*c));
    }
    const wchar_t* value = _wgetenv(wide_name.c_str());
    if (value == nullptr || *value == L'\0') {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

std::filesystem::path home_folder() {
    auto home = environment_path("USERPROFILE");
    return home && home->is_absolute() ? *home : std::filesystem::path();
}

std::optional<RegularFileStamp> regular_file_stamp(const std::filesystem::path& path) {
    // Asked of the file itself (a link followed), as an open handle tells it,
    // so that a stamp taken by path compares with one taken when it was read.
    const HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt; // also a folder, which opens only with backup semantics
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool told = GetFileInformationByHandle(handle, &info) != 0;
    const bool disk = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    if (!told || !disk || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return regular_file_stamp_of(info);
}

std::filesystem::path program_file() {
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD got =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got == 0) {
            return {};
        }
        if (got < buffer.size()) {
            buffer.resize(got);
            return std::filesystem::path(buffer);
        }
        buffer.resize(buffer.size() * 2); // the name was cut short
    }
}

std::vector<std::string> utf8_arguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        args.push_back(to_utf8(wide[i]));
    }
    LocalFree(wide);
    return args;
}

unsigned long process_id() {
    return GetCurrentProcessId();
}

void prepare_console() {
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
}

void return_freed_memory() {}

// Large pages need a privilege a desktop program does not hold.
void advise_large_pages(void*, std::size_t) {}

bool is_terminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

std::optional<FolderIdentity> folder_identity(const std::filesystem::path& path) {
    // Without FILE_FLAG_OPEN_REPARSE_POINT the handle is of the folder a link or
    // junction leads to; backup semantics let a folder be opened at all.
    HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool got = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!got) {
        return std::nullopt;
    }
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                              info.nFileIndexLow};
}

bool is_link(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool is_link(const std::filesystem::directory_entry& entry) {
    return is_link(entry.path());
}

namespace {

enum class EntryKind { File, Folder, LinkedFolder, Other };

// The kind of a listed entry, a link followed. The type the listing gave is
// used where it can be: only a link (any reparse point, a junction too) costs
// a status call.
EntryKind kind_of(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    if (is_link(entry)) {
        const std::filesystem::file_type type = entry.status(ec).type();
        return ec                                              ? EntryKind::Other
               : type == std::filesystem::file_type::directory ? EntryKind::LinkedFolder
               : type == std::filesystem::file_type::regular   ? EntryKind::File
                                                               : EntryKind::Other;
    }
    if (entry.is_directory(ec)) {
        return EntryKind::Folder;
    }
    return !ec && entry.is_regular_file(ec) && !ec ? EntryKind::File : EntryKind::Other;
}

} // namespace

std::error_code visit_folder(const std::filesystem::path& folder, bool with_sizes,
                             const std::function<void(const FolderEntry&)>& visit) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const EntryKind kind = kind_of(*it);
        if (kind == EntryKind::Other) {
            continue;
        }
        const std::filesystem::path name = it->path().filename();
        FolderEntry entry;
        entry.name = name.native();
        entry.is_folder = kind != EntryKind::File;
        entry.is_link = kind == EntryKind::LinkedFolder;
        if (with_sizes && kind == EntryKind::File) {
            std::error_code size_ec;
            const std::uintmax_t size = it->file_size(size_ec);
            entry.size = size_ec ? 0 : size;
        }
        visit(entry);
    }
    return ec;
}

// Windows opens a folder for listing by its path only: each is listed by
// its whole path.
ListingRoot::ListingRoot(const std::filesystem::path& root) : root_(root) {}

ListingRoot::~ListingRoot() = default;

std::error_code ListingRoot::visit(const std::filesystem::path& folder, bool with_sizes,
                                   const std::function<void(const FolderEntry&)>& visit) const {
    return visit_folder(folder, with_sizes, visit);
}

} // namespace ferwis::platform
