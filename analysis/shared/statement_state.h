#pragma once
// What the statements of a scenery reading keep between one another: the
// statement parameters, whether the line in hand belongs to an include read
// with parameters, and what node statements leave for the later ones.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace ferwis {

// Statement parameters P(1) to P(50); P(0) exists and stays empty.
inline constexpr std::size_t kStatementParameters = 50;

// Whose line is in hand: a file of the read queue, or an include read in place
// with the parameters of its include statement.
enum class LineContext { Queued, Include };

class StatementState {
public:
    LineContext context() const { return context_; }

    // The inventory row of the include being read with parameters (only in the
    // Include context).
    std::size_t include_row() const { return include_row_; }

    // Reading an include with parameters: the Include context holds from
    // construction to destruction, however the reading ends.
    class IncludeScope {
    public:
        IncludeScope(StatementState& state, std::size_t row);
        ~IncludeScope();
        IncludeScope(const IncludeScope&) = delete;
        IncludeScope& operator=(const IncludeScope&) = delete;

    private:
        StatementState& state_;
    };

    // Empties P(1) to P(50).
    void clear_parameters();
    // Sets P(n), n from 1 to 50.
    void set_parameter(std::size_t n, std::string_view value) {
        parameters_[n] = value;
        set_up_to_ = std::max(set_up_to_, n);
    }
    // P(index), index from 0 to 50.
    const std::string& parameter(std::size_t index) const { return parameters_[index]; }

    // The model a node or sky statement named last (a model node without a
    // name of its own resolves it again) and the two textures of the last
    // visible track.
    std::string model_name;
    std::string track_texture_1;
    std::string track_texture_2;

private:
    std::array<std::string, kStatementParameters + 1> parameters_;
    // Every P(n) above it is empty: a statement mostly sets a few, and most
    // lines of a scenery are statements.
    std::size_t set_up_to_ = 0;
    LineContext context_ = LineContext::Queued;
    std::size_t include_row_ = 0;
};

} // namespace ferwis
