#include "analysis/analysis_failure.h"

#include "common/code_page.h"

namespace ferwis {

const std::string& analysis_failure_message() {
    static const std::string kText =
        cp1250("Wystąpił błąd. Dalsze działanie programu zostało przerwane.");
    return kText;
}

} // namespace ferwis
