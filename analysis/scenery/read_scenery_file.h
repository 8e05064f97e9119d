#pragma once

#include "analysis/shared/scenery_run.h"

#include <string>

namespace ferwis {

// Reads one entry of the read queue (a file name relative to the scenery
// directory) line by line: directives, statements, timetables, plain includes
// (queued) and includes with parameters (read in place). A file missing from
// the inventory is recorded missing and not read; a file of zero bytes has no
// lines. Throws FileError when a found file cannot be read and
// OperationCancelled on a close request.
// The file's row, when it is new, takes the place that queued it.
void read_scenery_file(SceneryRun& scenery, std::string name, Place named_at);

// Appends a plain include, named at the inventory's current place, to the read
// queue unless an equal entry is queued.
void queue_plain_include(SceneryRun& scenery, const std::string& name);

} // namespace ferwis
