#pragma once
// The models of a scenery reading read ahead of it on a second processor. The
// reading names them in an order that sets the result, so it stays on one
// thread; opening and reading a model's file is a third of its time, and
// needs nothing the reading changes. A thread of its own follows the files the
// reading queues, in the reading's order, guesses from their lines which models
// their statements name, finds each in the listed rows (which the reading
// does not move) and reads its bytes as the reading would. The reading takes
// them in its turn (ReadAhead) and reads any other model itself. The lengths
// of the listed files for the totals, which the run waits for at its end,
// have the second processor first: the thread begins once they are taken.

#include "analysis/shared/read_ahead.h"
#include "analysis/shared/scenery_run.h"

#include <cstddef>
#include <thread>

namespace ferwis {

// At most this many bytes of models are held ahead of the reading.
inline constexpr std::size_t kModelsAheadBytes = std::size_t{8} << 20;
// A larger text model is left to the reading, which reads it in blocks.
inline constexpr std::size_t kLargestModelAhead = std::size_t{1} << 20;

class ModelsAhead {
public:
    // Starts reading ahead for the reading of scenery, whose files are to be
    // queued to scenery.ahead from now on; without a thread to be had,
    // scenery.ahead stays null and the reading reads every model itself.
    explicit ModelsAhead(SceneryRun& scenery);
    // Stops the thread at once (it leaves what it reads) and waits for it.
    ~ModelsAhead();
    ModelsAhead(const ModelsAhead&) = delete;
    ModelsAhead& operator=(const ModelsAhead&) = delete;

private:
    SceneryRun& scenery_;
    ReadAhead ahead_{kModelsAheadBytes};
    std::thread worker_; // last: started when the rest is in place
};

} // namespace ferwis
