#pragma once
// Failures that cross the core's boundary. The Polish message a person sees is
// chosen by the caller; what() carries the detail (file and reason) for the CLI.

#include <stdexcept>
#include <string>

namespace ferwis {

// A file or folder that could not be opened, read, written, created or deleted.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, const std::string& reason)
        : std::runtime_error(reason + ": " + path), path_(std::move(path)) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A line longer than a reader holds: the file is abandoned, not the run.
class LineTooLong : public FileError {
public:
    explicit LineTooLong(std::string path)
        : FileError(std::move(path), "a line too long to be held in memory") {}
};

// A close request arrived while a long operation let the event loop run.
class OperationCancelled : public std::runtime_error {
public:
    OperationCancelled() : std::runtime_error("cancelled") {}
};

} // namespace ferwis
