#include "cli/cli_command.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "format/result_code.h"
#include "results/result_provenance.h"

#include <ostream>

namespace ferwis {

int why_command(const CliContext& context) {
    if (context.options.operands.size() != 1) {
        context.err << "usage: ferwis-cli [--result FILE] why PATH\n";
        return kExitUsage;
    }
    const std::string& path = context.options.operands.front();
    if (!file_exists(context.options.result_path)) {
        return report_failure(context,
                              ResultUnreadable(context.options.result_path + ": no result file"));
    }
    const auto provenance = ResultProvenance::load(context.options.result_path);
    if (!provenance) {
        context.err << "ferwis-cli: no valid provenance for ";
        write_name_err(context, context.options.result_path);
        context.err << " (wynik_zrodla.txt is missing or belongs to another result; "
                       "a new analysis writes it)\n";
        return kExitUsage;
    }
    const auto row = provenance->find(path);
    if (!row) {
        context.err << "ferwis-cli: the result has no record of ";
        write_name_err(context, path);
        context.err << '\n';
        return kExitFailed;
    }
    const ResultRecord& record = provenance->record(*row);
    write_name_out(context, record.code + " " + record.path);
    context.out << '\n';
    if (provenance->place(*row) == nullptr) {
        context.err << "ferwis-cli: no file named it: ";
        const auto code = parse_code(record.code);
        if (code == ResultCode::N || code == ResultCode::W) {
            context.err << "unused files and exceptions have no place\n";
        } else {
            context.err << "its place is not recorded\n";
        }
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
