#pragma once
// A synthetic simulator installation for measuring the analysis and the file
// operations: every kind of file and reference the readers know, at a chosen
// size, the same bytes for the same seed.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ferwis::bench {

// tiny is for the test suite; large is about 200,000 files and 1,000,000 scenery
// lines; huge, five times large (1,000,000 files), is only ever asked for by name.
enum class InstallationSize { tiny, small, medium, large, huge };

// Returns the size named by "tiny", "small", "medium", "large" or "huge".
std::optional<InstallationSize> parse_size(std::string_view name);

struct GeneratorOptions {
    InstallationSize size = InstallationSize::small;
    std::uint64_t seed = 1;
    std::string out_dir; // Windows-1250, ending with "/"; created when missing
};

// What was written, by name: file counts per content directory ("files_textures",
// ...), "inventory_files", "inventory_path_bytes" (the analysis's paths, summed),
// "scenery_lines", "models_text", "models_binary", "mmd_files", "read_text_files",
// "read_binary_files", "scenery_files_selected".
using GeneratorSummary = std::map<std::string, std::uint64_t>;

// Writes below out_dir:
//   main/                 the installation (inne, models, scenery, sounds, textures, dynamic)
//   kopia/                the (empty) copy folder
//   ferwis.ini            CR LF, naming main/, the extension dds, kopia/ and a skip list
//   read-text.txt         native paths of the files the analysis reads whole, one a line (LF)
//   read-binary.txt       native paths of the binary models the analysis scans
//   summary.txt           the summary as "name value" lines
// Returns the summary. Throws std::runtime_error when a file cannot be written.
GeneratorSummary generate_installation(const GeneratorOptions& options);

} // namespace ferwis::bench
