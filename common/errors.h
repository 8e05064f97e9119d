#pragma once
// The one error model. The core reports a failure by throwing; it never shows
// a message itself. A Failure names the Polish message a person sees (from the
// catalogue) and carries in what() the detail, file and reason, which the
// command line writes after the message. Each front end turns a failure into
// its message with failure_text(), so the window and the command line say the
// same thing.

#include "common/catalogue.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace ferwis {

// The detail of a failure on a file, as the command line writes it after the
// message: the reason, then the file.
inline std::string file_detail(std::string_view path, std::string_view reason) {
    return std::string(reason) + ": " + std::string(path);
}

// A file or folder that could not be opened, read, written, created or deleted.
// A low-level failure: the procedure it ends turns it into the Failure of what
// it was doing.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, std::string reason)
        : std::runtime_error(file_detail(path, reason)), path_(std::move(path)),
          reason_(std::move(reason)) {}
    const std::string& path() const { return path_; }
    // The system's reason, as the system says it.
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// A line longer than a reader holds: the file is abandoned, not the run.
class LineTooLong : public FileError {
public:
    explicit LineTooLong(std::string path)
        : FileError(std::move(path), text(Text::ReasonLineTooLong)) {}
};

// A path longer than the system takes: what lies below it cannot be reached by
// its path, so a walk passes over it.
class PathTooLong : public FileError {
public:
    using FileError::FileError;
};

// A failure a person is told about: the message it names, the particulars a
// person is told on the lines after it (Polish, Windows-1250; often none) and
// the detail.
class Failure : public std::runtime_error {
public:
    Failure(Text message, const std::string& detail, std::string particulars = {})
        : std::runtime_error(detail), message_(message), particulars_(std::move(particulars)) {}
    Text message() const { return message_; }
    const std::string& particulars() const { return particulars_; }
    // The message as said, when it names something itself; else empty.
    const std::string& sentence() const { return sentence_; }

protected:
    void set_sentence(std::string sentence) { sentence_ = std::move(sentence); }

private:
    Text message_;
    std::string particulars_;
    std::string sentence_;
};

// The analysis run failed; the program ends after the message, which names the
// file and the system's reason when a file failed.
class AnalysisFailure : public Failure {
public:
    explicit AnalysisFailure(const std::string& detail)
        : Failure(Text::AnalysisFailed, detail, failure_reason(detail)) {}
    explicit AnalysisFailure(const FileError& error)
        : Failure(Text::AnalysisFailed, error.what(), failed_file(error.path(), error.reason())) {}
};

// wynik.txt could not be read while a category was shown.
class DisplayFailure : public Failure {
public:
    explicit DisplayFailure(const std::string& detail) : Failure(Text::DisplayFailed, detail) {}
};

// wynik.txt could not be read before a file operation (the delete's count).
class ResultUnreadable : public Failure {
public:
    explicit ResultUnreadable(const std::string& detail)
        : Failure(Text::ResultUnreadable, detail) {}
};

// The copy/move path of ferwis.ini is unusable: its first level is missing.
class CopyPathUnusable : public Failure {
public:
    explicit CopyPathUnusable(const std::string& detail)
        : Failure(Text::CopyPathUnusable, detail) {}
};

// A file the analysis read changed or vanished since, or a file it missed now
// exists: the result no longer says what is on the disk, and nothing is acted on.
class StaleResult : public Failure {
public:
    explicit StaleResult(const std::string& path) : Failure(Text::ResultStale, path) {
        set_sentence(stale_result(path));
    }
};

// A copy, move or delete failed on a file; the files handled before stay so.
class OperationFailure : public Failure {
public:
    explicit OperationFailure(const std::string& detail, std::string particulars = {})
        : Failure(Text::OperationFailed, detail, std::move(particulars)) {}
};

// An undo failed on a file or its journal; the files put back before stay so.
class UndoFailure : public Failure {
public:
    explicit UndoFailure(const FileError& error)
        : Failure(Text::UndoFailed, error.what(), failed_file(error.path(), error.reason())) {}
};

// The sceneries outside the analysis could not be read before a move or
// delete: what they use is unknown, so nothing is acted on. The program goes on.
class OtherSceneriesUnreadable : public Failure {
public:
    explicit OtherSceneriesUnreadable(const std::string& detail)
        : Failure(Text::OtherSceneriesUnreadable, detail, failure_reason(detail)) {}
    explicit OtherSceneriesUnreadable(const FileError& error)
        : Failure(Text::OtherSceneriesUnreadable, error.what(),
                  failed_file(error.path(), error.reason())) {}
};

// A problem of the configuration found at start-up. Start-up reports every
// problem it finds, in order, instead of throwing the first.
class ConfigurationProblem : public Failure {
public:
    explicit ConfigurationProblem(Text message, std::string particulars = {})
        : Failure(message, {}, std::move(particulars)) {}
};

// The Polish message of a failure with its particulars on the lines after it,
// Windows-1250.
inline std::string failure_text(const Failure& failure) {
    std::string said = failure.sentence().empty() ? text(failure.message()) : failure.sentence();
    if (!failure.particulars().empty()) {
        said.append("\n").append(failure.particulars());
    }
    return said;
}

// A close request arrived while a long operation let the event loop run. Not a
// failure: nothing is said.
class OperationCancelled : public std::runtime_error {
public:
    OperationCancelled() : std::runtime_error("cancelled") {}
};

} // namespace ferwis
