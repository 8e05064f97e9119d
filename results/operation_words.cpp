#include "results/operation_words.h"

#include "common/catalogue.h"

namespace ferwis {

namespace {

Text reason_id(SkipReason reason) {
    switch (reason) {
    case SkipReason::Outside:
        return Text::SkipOutside;
    case SkipReason::Malformed:
        return Text::SkipMalformed;
    case SkipReason::LinkOutside:
        return Text::SkipLinkOutside;
    case SkipReason::TargetOutside:
        return Text::SkipTargetOutside;
    case SkipReason::TargetTaken:
        return Text::SkipTargetTaken;
    case SkipReason::Collision:
        return Text::SkipCollision;
    case SkipReason::Changed:
        return Text::SkipChanged;
    case SkipReason::NameWithoutForm:
        return Text::SkipNameWithoutForm;
    case SkipReason::Ambiguous:
        return Text::SkipAmbiguous;
    case SkipReason::ListedTwice:
        return Text::SkipListedTwice;
    case SkipReason::TargetDiffers:
        return Text::SkipTargetDiffers;
    case SkipReason::UsedElsewhere:
        return Text::SkipUsedElsewhere;
    case SkipReason::NotTrashed:
        break;
    }
    return Text::SkipNotTrashed;
}

} // namespace

OperationWords operation_words(const OperationRequest& request) {
    switch (request.operation) {
    case Operation::Copy:
        return {Text::Copying, Text::DoneCopying, Text::PreviewCopy};
    case Operation::Move:
        return {Text::Moving, Text::DoneMoving, Text::PreviewMove};
    case Operation::Delete:
        break;
    }
    // The trash gives a file back, a permanent delete does not: the words say which.
    if (request.delete_mode == DeleteMode::Trash) {
        return {Text::Deleting, Text::DoneTrashing, Text::PreviewTrash};
    }
    return {Text::Deleting, Text::DoneDeleting, Text::PreviewDelete};
}

const std::string& skip_reason_text(SkipReason reason) {
    return text(reason_id(reason));
}

std::string confirmation_text(const ConfirmationFacts& facts, const OperationRequest& request) {
    switch (request.operation) {
    case Operation::Copy:
        break;
    case Operation::Move:
        return move_confirmation(facts.files, facts.bytes, facts.target_folder) +
               confirmation_notes(facts);
    case Operation::Delete:
        return delete_confirmation(facts.files, facts.bytes,
                                   request.delete_mode == DeleteMode::Trash) +
               confirmation_notes(facts);
    }
    return {};
}

std::string confirmation_notes(const ConfirmationFacts& facts) {
    std::string notes;
    if (facts.kept > 0) {
        notes += "\n\n" +
                 used_elsewhere_note(facts.kept, facts.kept_bytes, facts.kept_by, facts.kept_users);
    }
    if (facts.freshness_unknown) {
        notes += "\n\n" + text(Text::FreshnessUnknown);
    }
    return notes;
}

std::string skipped_files_text(const OperationSummary& summary) {
    constexpr std::size_t kNamed = 10; // a long list would not fit a message box
    if (summary.skipped.empty()) {
        return {};
    }
    std::string message = text(Text::SkippedFiles) + std::to_string(summary.skipped.size());
    for (const SkipReason reason : kSkipReasons) {
        const std::size_t count = summary.count(reason);
        if (count == 0) {
            continue;
        }
        message += "\n" + skip_reason_text(reason) + ": " + std::to_string(count);
        std::size_t named = 0;
        for (const auto& file : summary.skipped) {
            if (file.reason == reason && named++ < kNamed) {
                message += "\n  " + file.path;
                if (!file.detail.empty()) {
                    message += " (" + file.detail + ")";
                }
            }
        }
        if (count > kNamed) {
            message += "\n  ...";
        }
    }
    return message;
}

std::string undo_text(const UndoSummary& summary) {
    if (summary.permanent) {
        return text(Text::UndoPermanent);
    }
    std::string said = operation_summary(Text::DoneRestoring, summary.restored, summary.bytes,
                                         summary.left.size() + summary.by_hand.size());
    if (!summary.left.empty()) {
        said += "\n" + text(Text::UndoLeft);
        for (const auto& [path, reason] : summary.left) {
            said += "\n" + path + " (" + reason + ")";
        }
    }
    if (!summary.by_hand.empty()) {
        said += "\n" + text(Text::UndoByHand);
        for (const std::string& path : summary.by_hand) {
            said += "\n" + path;
        }
    }
    if (summary.result_file_deleted) {
        said += "\n" + text(Text::UndoAnalyseAgain);
    }
    return said;
}

} // namespace ferwis
