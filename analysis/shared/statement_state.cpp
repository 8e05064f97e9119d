#include "analysis/shared/statement_state.h"

namespace ferwis {

StatementState::IncludeScope::IncludeScope(StatementState& state, std::size_t row) : state_(state) {
    state_.context_ = LineContext::Include;
    state_.include_row_ = row;
}

StatementState::IncludeScope::~IncludeScope() {
    state_.context_ = LineContext::Queued;
    state_.include_row_ = 0;
}

void StatementState::clear_parameters() {
    for (std::string& parameter : parameters_) {
        parameter.clear();
    }
}

} // namespace ferwis
