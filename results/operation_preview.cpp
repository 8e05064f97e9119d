#include "results/operation_preview.h"

#include "common/catalogue.h"
#include "common/errors.h"
#include "results/operation_words.h"

#include <utility>

namespace ferwis {
namespace {

// Writes the lines as the dry run meets the files, up to the limit, and counts
// the rest.
class PreviewWriter : public OperationObserver {
public:
    PreviewWriter(const OperationRequest& request, std::size_t line_limit)
        : action_(text(operation_words(request).preview)), line_limit_(line_limit),
          keep_(request.keep) {}

    void file(std::string_view source, std::string_view target, std::uintmax_t) override {
        if (!room()) {
            return;
        }
        lines_.append(action_).append(source);
        if (!target.empty()) {
            lines_.append(" -> ").append(target);
        }
        lines_ += '\n';
    }

    void skipped(const SkippedFile& file) override {
        if (!room()) {
            return;
        }
        lines_.append(text(Text::PreviewSkip)).append(file.path);
        lines_.append(" (").append(skip_reason_text(file.reason));
        if (file.reason == SkipReason::UsedElsewhere) {
            // The scenery that uses it, then the place there.
            lines_.append(": ").append(keep_->find(file.path)->scenery).append(", ");
            lines_.append(file.detail);
        } else if (!file.detail.empty()) {
            lines_.append(": ").append(file.detail);
        }
        lines_ += ")\n";
    }

    void already_there(std::string_view source, std::string_view target) override {
        if (!room()) {
            return;
        }
        lines_.append(text(Text::PreviewAlreadyThere)).append(source);
        lines_.append(" -> ").append(target) += '\n';
    }

    OperationPreview finish(const OperationSummary& summary) && {
        if (left_out_ > 0) {
            lines_.append(text(Text::PreviewMore)).append(std::to_string(left_out_)) += '\n';
        }
        return {std::move(lines_), preview_totals(summary.files, summary.bytes,
                                                  summary.skipped.size(), summary.already_there)};
    }

private:
    bool room() {
        if (written_ < line_limit_) {
            ++written_;
            return true;
        }
        ++left_out_;
        return false;
    }

    std::string action_;
    std::size_t line_limit_;
    const UsedElsewhere* keep_;
    std::size_t written_ = 0;
    std::size_t left_out_ = 0;
    std::string lines_;
};

// Where no one watches the reading.
struct QuietProgress : Progress {
    void set_status(std::string_view) override {}
    void set_detail(std::string_view) override {}
    void process_events() override {}
};

} // namespace

OperationPreview operation_preview(const OperationSettings& settings,
                                   const OperationRequest& request, std::string_view result_path,
                                   std::size_t line_limit) {
    QuietProgress progress;
    return operation_preview(settings, request, result_path, progress, line_limit);
}

OperationPreview operation_preview(const OperationSettings& settings,
                                   const OperationRequest& request, std::string_view result_path,
                                   Progress& progress, std::size_t line_limit) {
    OperationRequest dry = request;
    dry.dry_run = true;
    PreviewWriter writer(request, line_limit);
    const OperationSummary summary =
        execute_operation(settings, dry, result_path, progress, nullptr, &writer);
    return std::move(writer).finish(summary);
}

} // namespace ferwis
