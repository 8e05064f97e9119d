#pragma once
// Every Polish text the program shows a person: messages, status and detail
// lines, category texts. Both front ends take their texts from here, so the
// window and the command line say the same thing. The texts are Windows-1250
// bytes, as the core keeps all text. The captions of the window's controls stay
// with the controls, and the help text is a document of its own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
    SettingsMissing,
    MainFolderMissing,
    SceneryFolderUnreadable,
    DataFolderUnusable,
    // The first start of the installed program, and ferwis-cli init.
    FirstStart,
    ChooseMainDir,
    PathNotWritable,
    ConfigUnwritable,
    ConfigWritten,
    ConfigExists,
    FirstConfigNote,
    CliHowToConfigure,
    CliWindowAsks,
    // The window without a graphical display, on standard error.
    NoDisplay,
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
    CategoryEmpty,
    ResultStale,
    FreshnessUnknown,
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
    SkipNameWithoutForm,
    SkipAmbiguous,
    SkipListedTwice,
    SkipTargetDiffers,
    SkipUsedElsewhere,
    // The line the status label keeps after a file operation: what was done.
    DoneCopying,
    DoneMoving,
    DoneTrashing,
    DoneDeleting,
    // Where a file of the result was named: the place of a selected scenery.
    SelectedForAnalysis,
    // The preview of a file operation: what would be done to each file.
    PreviewTitle,
    PreviewReading,
    PreviewCopy,
    PreviewMove,
    PreviewTrash,
    PreviewDelete,
    PreviewSkip,
    PreviewMore,
    PreviewAlreadyThere,
    // The program's own reasons a file or folder failed, said after
    // "Przyczyna:"; the system's own reasons stay as the system words them.
    ReasonMissing,
    ReasonNotRegularFile,
    ReasonNotFolder,
    ReasonFolderUnopenable,
    ReasonFolderPlaceUnknown,
    ReasonNotCreated,
    ReasonNameTaken,
    ReasonReplaced,
    ReasonDisappeared,
    ReasonCopyPathChanged,
    ReasonLineTooLong,
    ReasonOutOfMemory,
    ReasonTooManyFiles,
    ReasonNoTrash,
    ReasonTrashRefused,
    ReasonTrashAborted,
    ReasonStillThere,
    ReasonOtherFileTrashed,
    ReasonTrashOriginUnwritten,
    // The command line: its refusals and notices (its usage stays as typed).
    CliUnknownCommand,
    CliUnknownCategory,
    CliCategoryChoices,
    CliActsOnlyOn,
    CliNotScenery,
    CliJsonWouldReplace,
    CliJsonUnwritable,
    CliNeedsYes,
    CliNotConfirmed,
    CliAnalysisCancelled,
    CliOperationCancelled,
    CliSettingsMissing,
    NoResult,
    CliDryRunNames,
    CliNoProvenance,
    CliNotInResult,
    CliNoPlace,
    CliNoPlaceKept,
    CliNoPlaceRecorded,
    // Undoing a move or delete: its status, end messages and the reasons a
    // file stays where it is.
    Undoing,
    DoneRestoring,
    UndoNothing,
    UndoUnknown,
    UndoPermanent,
    UndoLeft,
    UndoByHand,
    UndoAnalyseAgain,
    UndoOffered,
    UndoHint,
    UndoFailed,
    OtherSceneriesUnreadable,
    ReasonPlaceTaken,
    ReasonPlacedChanged,
    ReasonWhereaboutsUnknown,
    ReasonNotInTrash,
    CliUsedElsewhere,
    CliUsedNowhere,
    CliNoSelectionRecorded,
    MatchOtherFolder,
    MatchOtherContentFolder,
    MatchOtherExtension,
    MatchPolishLetters,
    MatchOneEdit,
    NoLikelyMatch,
};

// The text, Windows-1250.
const std::string& text(Text id);

// The detail line of the rolling-stock check: the definition file in hand.
std::string checking_file_detail(std::string_view path);

// The detail line of scenery reading: the selected scenery and the file in hand.
std::string reading_scenery_detail(std::string_view scenery, std::string_view file);

// The line after a start-up message that names where the program looked.
std::string looked_in(std::string_view path);

// The line that names the configuration file the program read.
std::string config_file_read(std::string_view path);

// The lines after "Plik ferwis.ini jest pusty.": the file, and for a file of a
// few bytes that it holds none of the required sections.
std::string config_too_short(std::string_view path, std::uintmax_t bytes);

// One line of the missing-settings message: the section's header and whether
// the section is absent or has no value.
std::string missing_setting(std::string_view header, bool section_present);

// The particulars of a failure on a file: the file and the system's reason, on
// a line each.
std::string failed_file(std::string_view path, std::string_view reason);
// The particulars of a failure without a file: the reason.
std::string failure_reason(std::string_view reason);

// How ferwis-cli is used: the lines of the command (analyze, show, why, copy,
// move, delete), or of every command for an empty one, after "Użycie:".
std::string cli_usage(std::string_view command);

// The reason a file taken by the trash was not put back where it was: where it
// lies now and the system's reason.
std::string trash_kept_file(std::string_view place, std::string_view reason);

// The question asked before a delete: the number of files, their total size,
// and whether they go to the trash or are deleted for good.
std::string delete_confirmation(std::size_t files, std::uintmax_t bytes, bool to_trash);

// The line left on the status label after a file operation, the same counts the
// command line prints: done names what was done ("Skopiowano plików:", ...).
std::string operation_summary(Text done, std::size_t files, std::uintmax_t bytes,
                              std::size_t skipped, std::size_t already_there = 0);

// A status line with a count: "Trwa kopiowanie plików... 1 234 / 3 791".
std::string counted_status(std::string_view status, std::size_t done, std::size_t whole);

// The particulars of a file operation stopped by a failure: the file and the
// folder that refused, the system's reason, and how many files the run had
// handled before (done names what was done, "Przeniesiono plików:", ...).
std::string operation_failed_file(std::string_view path, std::string_view folder,
                                  std::string_view reason, Text done, std::size_t files);

// The question asked before a copy or move that finds other files under the
// same names at the target: how many differ, and how many are already there
// as they are.
std::string overwrite_question(std::size_t differing, std::size_t already_there);

// The window's question before a delete, answered by going to the trash or
// deleting for good: the number of files and their total size.
std::string delete_choice(std::size_t files, std::uintmax_t bytes);

// The totals under the preview of a file operation: the files that would be
// acted on, their total size and the files that would be left alone.
std::string preview_totals(std::size_t files, std::uintmax_t bytes, std::size_t skipped,
                           std::size_t already_there = 0);

// The refusal of a stale result: the file that changed since the analysis.
std::string stale_result(std::string_view path);

// What a move or delete confirmation says of the files that sceneries outside
// the analysis use: how many and their size, up to five of those sceneries
// (of users in all), and what the check box does.
std::string used_elsewhere_note(std::size_t files, std::uintmax_t bytes,
                                const std::vector<std::string>& sceneries, std::size_t users);

// The question asked before a move: the number of files, their total size and
// the folder they go to (Windows-1250).
std::string move_confirmation(std::size_t files, std::uintmax_t bytes,
                              std::string_view target_folder);

// The line the status label keeps after an analysis: the records of each
// category, in the order of ResultCode, and the time the run took.
std::string analysis_summary(const std::array<std::size_t, 6>& counts, double seconds);

// What the analysis says at its end about the folders its listing passed over:
// those whose path is too long for the system, and links to folders outside
// the main directory; and the files whose length could not be read, counted as
// 0 bytes in the totals; a line for each reason that occurred, empty for none.
std::string passed_over_text(std::size_t long_paths, std::size_t outside_links,
                             std::size_t unmeasured = 0);

} // namespace ferwis
