#pragma once
// Every Polish text the program shows a person: messages, status and detail
// lines, category texts. Both front ends take their texts from here, so the
// window and the command line say the same thing. The texts are Windows-1250
// bytes, as the core keeps all text. The captions of the window's controls stay
// with the controls, and the help text is a document of its own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ferwis {

enum class Text {
    // Start-up: ferwis.ini and the simulator's main directory.
    ConfigMissing,
    ConfigEmpty,
    ConfigUnreadable,
    NoSceneryFolder,
    NoModelsFolder,
    NoSoundsFolder,
    NoTexturesFolder,
    NoDynamicFolder,
    // The analysis: its phases on the status line, and its one failure.
    ListingPhase,
    RollingStockPhase,
    SceneryPhase,
    ExceptionPhase,
    AnalysisFailed,
    // The result display: the count of a category, and its notice and failure.
    Count,
    ListFull,
    DisplayFailed,
    // The file operations.
    Copying,
    Moving,
    Deleting,
    ResultUnreadable,
    CopyPathUnusable,
    OperationFailed,
    // The category texts, in the order of ResultCode.
    CategoryUsed,
    CategoryUnused,
    CategoryMissing,
    CategoryException,
    CategoryRollingStockUsed,
    CategoryRollingStockMissing,
    // The end message of a file operation: the files left alone, by reason.
    SkippedFiles,
    SkipOutside,
    SkipMalformed,
    SkipLinkOutside,
    SkipTargetOutside,
    SkipTargetTaken,
    SkipCollision,
    SkipChanged,
    SkipNotTrashed,
};

// The text, Windows-1250.
const std::string& text(Text id);

// The detail line of the rolling-stock check: the definition file in hand.
std::string checking_file_detail(std::string_view path);

// The detail line of scenery reading: the selected scenery and the file in hand.
std::string reading_scenery_detail(std::string_view scenery, std::string_view file);

// The question asked before a delete: the number of files, their total size,
// and whether they go to the trash or are deleted for good.
std::string delete_confirmation(std::size_t files, std::uintmax_t bytes, bool to_trash);

// The question asked before a move: the number of files, their total size and
// the folder they go to (Windows-1250).
std::string move_confirmation(std::size_t files, std::uintmax_t bytes,
                              std::string_view target_folder);

} // namespace ferwis
