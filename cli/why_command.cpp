#include "cli/cli_command.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "format/result_code.h"
#include "results/result_provenance.h"

#include <ostream>

namespace ferwis {

int why_command(const CliContext& context) {
    if (context.options.operands.size() != 1) {
        return usage(context, "why");
    }
    const std::string& path = context.options.operands.front();
    if (!file_exists(context.options.result_path)) {
        return report_failure(context, ResultUnreadable(file_detail(context.options.result_path,
                                                                    text(Text::ReasonMissing))));
    }
    const auto provenance = ResultProvenance::load(context.options.result_path);
    if (!provenance) {
        tell(context, Text::CliNoProvenance, context.options.result_path);
        return kExitUsage;
    }
    const auto row = provenance->find(path);
    if (!row) {
        tell(context, Text::CliNotInResult, path);
        return kExitFailed;
    }
    const ResultRecord& record = provenance->record(*row);
    write_name_out(context, record.code + " " + record.path);
    context.out << '\n';
    if (provenance->place(*row) == nullptr) {
        const auto code = parse_code(record.code);
        write_text(context.err, text(Text::CliNoPlace));
        context.err << ' ';
        tell(context, code == ResultCode::N || code == ResultCode::W ? Text::CliNoPlaceKept
                                                                     : Text::CliNoPlaceRecorded);
        return kExitFailed;
    }
    for (const SourcePlace& step : provenance->chain(*row)) {
        context.out << "  <- ";
        write_name_out(context, place_text(step));
        context.out << '\n';
    }
    return kExitDone;
}

} // namespace ferwis
