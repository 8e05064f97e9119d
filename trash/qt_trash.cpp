#include "trash/qt_trash.h"

#include <QFile>
#include <QString>

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

// Qt's text of a path and back: UTF-16 on Windows, the local 8-bit form of
// file names elsewhere.
QString to_qt(const fs::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(path.c_str());
#endif
}

fs::path from_qt(const QString& path) {
#ifdef _WIN32
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

#ifndef _WIN32
// The user's data folder, where the home trash lives.
fs::path data_home() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && fs::path(xdg).is_absolute()) {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? fs::path(home) / ".local" / "share" : fs::path();
}

// Without the data folder, Qt cannot find the home trash, and still moves the
// file: into files/ and info/ below the working folder. The trash convention
// lets a program create the data folder, private to the user.
void ensure_data_home() {
    const fs::path folder = data_home();
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec)) {
        return;
    }
    fs::create_directories(folder, ec);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
}

// A trash folder holds files/ and info/: the home trash, or .Trash/UID or
// .Trash-UID at the top of another file system.
bool in_trash_folder(const fs::path& place) {
    const fs::path files = place.parent_path();
    if (files.filename() != "files") {
        return false;
    }
    const fs::path trash = files.parent_path();
    const std::string name = trash.filename().string();
    std::error_code ec;
    return (trash.filename() == "Trash" && fs::equivalent(trash.parent_path(), data_home(), ec)) ||
           name.rfind(".Trash-", 0) == 0 || trash.parent_path().filename() == ".Trash";
}
#endif

} // namespace

TrashOutcome QtTrash::move_to_trash(const fs::path& path) {
    TrashOutcome outcome;
#ifndef _WIN32
    ensure_data_home();
#endif
    QString in_trash;
    if (!QFile::moveToTrash(to_qt(path), &in_trash)) {
        outcome.reason = "the system trash did not take the file";
        return outcome;
    }
    outcome.place = from_qt(in_trash);
#ifndef _WIN32
    if (!in_trash_folder(outcome.place)) {
        // Put it back where it was, as a file that could not go to the trash,
        // and take away the files/ and info/ made for it.
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(path, ec))) {
            fs::rename(outcome.place, path, ec);
        }
        const fs::path files = outcome.place.parent_path();
        const fs::path info = files.parent_path() / "info";
        fs::path entry = info / outcome.place.filename();
        entry += ".trashinfo";
        fs::remove(entry, ec);
        fs::remove(files, ec); // only when empty
        fs::remove(info, ec);
        outcome.reason = "it went outside a trash folder";
        return outcome;
    }
#endif
    outcome.moved = true;
    return outcome;
}

} // namespace ferwis
