#pragma once

#include <stdexcept>
#include <string>

namespace ferwis {

// A failure of the analysis run: the window shows "Wystąpił błąd. Dalsze
// działanie programu zostało przerwane." and ends; what() names the cause.
class AnalysisFailure : public std::runtime_error {
public:
    explicit AnalysisFailure(const std::string& detail) : std::runtime_error(detail) {}
};

// The message a person sees when an analysis run fails (Windows-1250).
const std::string& analysis_failure_message();

} // namespace ferwis
