#include "analysis/scenery/scenery_directives.h"

#include "analysis/resolve/lookup.h"
#include "common/blank_text.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <string_view>

namespace ferwis {
namespace {

void image_directive(SceneryRun& scenery, std::string& line) {
    normalize_line(line);
    std::size_t position = 0;
    std::string image;
    bool taken = false;
    split_at_blanks(line, [&](std::string_view token) {
        // The first non-empty token after the directive's own token.
        if (position++ > 0 && !taken && !token.empty()) {
            image = token;
            taken = true;
        }
    });
    if (taken) {
        resolve_reference(scenery, scenery.run.scenery_dir + "images" + kSeparator, image,
                          LookupMode::RecordMissing);
    }
}

void additional_file_directive(SceneryRun& scenery, std::string& line) {
    normalize_line(line);
    const std::size_t at = find_name(line, "//$f pl");
    // The directive and the one character after it are dropped.
    const std::size_t rest = at + 8;
    line = std::string(trim_blanks(rest < line.size() ? std::string_view(line).substr(rest) : ""));
    if (line.empty()) {
        return;
    }
    std::string name(trim_blanks(std::string_view(line).substr(0, line.find(' '))));
    if (!name.empty()) {
        resolve_reference(scenery, with_final_separator(scenery.run.settings.main_dir), name,
                          LookupMode::RecordMissing);
    }
}

} // namespace

void apply_scenery_directives(SceneryRun& scenery, std::string& line) {
    // The line is in lower case: a plain search serves, and most lines hold
    // neither directive (nor "//$", which both begin with).
    if (line.find("//$") == std::string::npos) {
        return;
    }
    if (line.find("//$i") != std::string::npos) {
        image_directive(scenery, line);
    }
    if (line.find("//$f pl") != std::string::npos) {
        additional_file_directive(scenery, line);
    }
}

} // namespace ferwis
