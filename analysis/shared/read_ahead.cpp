#include "analysis/shared/read_ahead.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace ferwis {

void ReadAhead::queue_file(std::string name) {
    if (stopped()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        files_.push_back(Queued{queued_++, std::move(name)});
    }
    changed_.notify_all();
}

std::optional<HeldModel> ReadAhead::take_model(std::size_t row, ModelForm form) {
    std::optional<HeldModel> taken;
    {
        const std::lock_guard lock(mutex_);
        // Mostly the first model the reading has not passed by.
        const auto is_row = [&](const Held& held) { return held.row == row; };
        const auto ahead = held_.begin() + static_cast<std::ptrdiff_t>(behind_);
        auto found = std::find_if(ahead, held_.end(), is_row);
        if (found == held_.end()) {
            found = std::find_if(held_.begin(), ahead, is_row);
            found = found == ahead ? held_.end() : found;
        }
        if (found == held_.end()) {
            passed_.insert(row);
            return std::nullopt;
        }
        // The models held before it the reading passed by: guesses it may
        // still come to elsewhere, which give their room first.
        const auto at = static_cast<std::size_t>(found - held_.begin());
        behind_ = at < behind_ ? behind_ - 1 : at;
        held_bytes_ -= found->model.size;
        if (found->model.form == form) {
            taken = std::move(found->model);
        }
        held_.erase(found);
    }
    changed_.notify_all();
    return taken;
}

bool ReadAhead::next_file(std::string& name) {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [&] { return stopped() || !files_.empty(); });
        if (stopped()) {
            return false;
        }
        Queued file = std::move(files_.front());
        files_.pop_front();
        // Behind the reading (the reader-ahead began late or fell behind):
        // what those files name the reading has read.
        if (file.number + 1 >= begun_.load(std::memory_order_relaxed)) {
            name = std::move(file.name);
            return true;
        }
    }
}

bool ReadAhead::pause(std::chrono::milliseconds time) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, time, [&] { return stopped(); });
    return !stopped();
}

bool ReadAhead::wants_model(std::size_t row) const {
    const std::lock_guard lock(mutex_);
    return !passed_.contains(row);
}

bool ReadAhead::hold_model(std::size_t row, HeldModel model) {
    std::unique_lock lock(mutex_);
    const auto room = [&] { return held_.empty() || held_bytes_ + model.size <= byte_limit_; };
    while (!stopped()) {
        while (!room() && behind_ > 0) {
            held_bytes_ -= held_.front().model.size;
            held_.pop_front();
            --behind_;
        }
        if (room()) {
            break;
        }
        changed_.wait(lock, [&] { return stopped() || behind_ > 0 || room(); });
    }
    if (stopped()) {
        return false;
    }
    // The reading came to it while it was read: it read the model itself.
    if (!passed_.contains(row)) {
        held_bytes_ += model.size;
        held_.push_back(Held{row, std::move(model)});
    }
    return true;
}

void ReadAhead::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopped_.store(true, std::memory_order_relaxed);
    }
    changed_.notify_all();
}

} // namespace ferwis
