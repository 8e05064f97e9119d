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
    for (std::size_t n = 0; n <= set_up_to_; ++n) {
        parameters_[n].clear();
    }
    set_up_to_ = 0;
}

} // namespace ferwis
