#pragma once
// What the scenery reading shares with the thread that reads its models ahead
// of it: the files the reading queues, in the order it reads them, and the
// bytes of the models read for it. The reading never waits here: it takes a
// model's bytes when they are held for it, and reads the model itself
// otherwise (a guess that missed, a reader-ahead behind, a file it could not
// read).

#include "common/platform.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_set>

namespace ferwis {

// The form a model was found in, which says how its bytes are read.
enum class ModelForm : std::uint8_t { Binary, Text };

// The bytes of a model read ahead: of a text model the whole file; of a binary
// model its texture list, read as the scan of a binary model reads it
// (tagged: the model has a list at all). The stamp is the file's when it was
// opened for them, which the record of the run keeps as the reading's own.
struct HeldModel {
    ModelForm form = ModelForm::Text;
    bool tagged = false;
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    platform::RegularFileStamp stamp;
};

class ReadAhead {
public:
    // Holds at most byte_limit bytes of models at a time (one model more
    // when none is held).
    explicit ReadAhead(std::size_t byte_limit) : byte_limit_(byte_limit) {}

    // The reading's side. A file it queued (a selected scenery, a plain
    // include), as its name is written in the queue; nothing once stopped.
    void queue_file(std::string name);
    // The reading begins the next file it queued.
    void begin_file() { begun_.fetch_add(1, std::memory_order_relaxed); }
    // The bytes of the model at a listed row, read in form, when they are
    // held (the models held before it were guesses the reading passed by:
    // they give their room first). Without them the model is the reading's
    // own to read, and the reader-ahead leaves it.
    std::optional<HeldModel> take_model(std::size_t row, ModelForm form);

    // The reader-ahead's side. Waits for the next queued file that the
    // reading has not read yet (the one it reads may come); false once stopped.
    bool next_file(std::string& name);
    // Waits for a while, less when stopped meanwhile; false once stopped.
    bool pause(std::chrono::milliseconds time);
    // Whether the model at a row is still to be read ahead: the reading has
    // not come to it.
    bool wants_model(std::size_t row) const;
    // Holds a model for the reading, making room from the guesses it passed
    // by, or else waiting for it to take models; false once stopped.
    bool hold_model(std::size_t row, HeldModel model);

    // Ends the reading ahead: every wait returns, and the reader-ahead ends.
    void stop();
    bool stopped() const { return stopped_.load(std::memory_order_relaxed); }

private:
    struct Held {
        std::size_t row;
        HeldModel model;
    };

    const std::size_t byte_limit_;
    std::atomic<bool> stopped_{false};
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    struct Queued {
        std::size_t number; // counted from 0 in the order queued
        std::string name;
    };
    std::deque<Queued> files_;
    std::size_t queued_ = 0;
    std::atomic<std::size_t> begun_{0};
    std::deque<Held> held_;  // in the order read, which is the reading's
    std::size_t behind_ = 0; // how many of held_, from its front, the reading passed by
    std::size_t held_bytes_ = 0;
    std::unordered_set<std::size_t> passed_; // rows the reading read itself
};

} // namespace ferwis
