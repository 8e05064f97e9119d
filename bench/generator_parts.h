#pragma once
// The parts of the installation generator that its files share: the random
// stream, the name helpers, what was made so far, and the generator itself,
// whose member functions lie in one file per kind of file they make.

#include "bench/generator.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace ferwis::bench {

// splitmix64: the same sequence on every platform and library, unlike the
// standard distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    std::size_t between(std::size_t low, std::size_t high) { return low + below(high - low + 1); }
    bool chance(double p) { return static_cast<double>(next() >> 11) * 0x1.0p-53 < p; }
    template <class T> const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }

private:
    std::uint64_t state_;
};

inline std::string num(std::size_t n) {
    return std::to_string(n);
}

inline std::string coordinate(Random& random) {
    char text[32];
    const double value = static_cast<double>(random.below(200000)) / 10.0 - 10000.0;
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

inline std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// A file name as it may lie on disk: mostly lower case, sometimes capitalised or
// with the extension in capitals, so that lookups must ignore case.
inline std::string disk_name(Random& random, const std::string& base, const std::string& ext) {
    if (random.chance(0.08)) {
        return upper(base.substr(0, 1)) + base.substr(1) + ext;
    }
    if (random.chance(0.04)) {
        return base + upper(ext);
    }
    return base + ext;
}

// A reference as a scenery author writes it: "/" or "\", now and then in capitals.
inline std::string written(Random& random, std::string reference) {
    if (random.chance(0.15)) {
        std::replace(reference.begin(), reference.end(), '/', '\\');
    }
    if (random.chance(0.04)) {
        reference = upper(std::move(reference));
    }
    return reference;
}

// Bytes of no particular format; never a "t", so that no texture-list tag
// appears by chance.
inline void append_filler(Random& random, std::string& out, std::size_t count) {
    const std::size_t start = out.size();
    out.resize(start + count);
    for (std::size_t i = 0; i < count; i += 8) {
        std::uint64_t bits = random.next();
        for (std::size_t k = 0; k < 8 && i + k < count; ++k) {
            char c = static_cast<char>(bits & 0xFF);
            if (c == 't' || c == 'T') {
                c = '\x01';
            }
            out[start + i + k] = c;
            bits >>= 8;
        }
    }
}

inline std::string blob(Random& random, std::string_view header, std::size_t low,
                        std::size_t high) {
    std::string out(header);
    append_filler(random, out, random.between(low, high));
    return out;
}

struct Texture {
    std::string dir; // below textures/ (or scenery/ for scenery-local ones), "" or ending in "/"
    std::string base;
    std::string ext; // ".dds", ...
    // How it is referenced: with or without its extension.
    std::string reference(Random& random) const { return dir + local_reference(random); }
    // How a scenery file in the same folder refers to it.
    std::string local_reference(Random& random) const {
        return base + (random.chance(0.5) ? ext : std::string());
    }
};

struct Model {
    std::string dir; // below models/, ending in "/"
    std::string base;
    bool binary = false;
    bool text = false;
    std::string binary_name; // on disk
    std::string text_name;
    std::size_t texture_pool = 0; // its folder's own textures
};

// A file that a scenery includes; what reading it pulls in, so that the floor
// reads exactly the files the analysis reads.
struct IncludeFile {
    std::string name; // below scenery/
    bool reached = false;
    std::vector<std::size_t> includes; // indices into the same list
    std::vector<std::size_t> models;
};

struct Sound {
    std::string dir;
    std::string base;
};

class Generator {
public:
    explicit Generator(const GeneratorOptions& options)
        : random_(options.seed * 0x2545F4914F6CDD1DULL + 7), out_(options.out_dir),
          main_(options.out_dir + "main/") {
        switch (options.size) {
        case InstallationSize::tiny:
            scale_ = 0.002;
            sceneries_ = 1;
            break;
        case InstallationSize::small:
            scale_ = 0.01;
            sceneries_ = 2;
            break;
        case InstallationSize::medium:
            scale_ = 0.1;
            sceneries_ = 4;
            break;
        case InstallationSize::large:
            scale_ = 1.0;
            sceneries_ = 8;
            break;
        case InstallationSize::huge:
            scale_ = 5.0;
            sceneries_ = 16;
            break;
        }
    }

    GeneratorSummary run();

private:
    std::size_t count(double large, std::size_t least) const;

    // Writes main/top/relative. Files of the five content directories count
    // towards the inventory.
    void write(const std::string& top, const std::string& relative, std::string_view bytes);

    static std::string text_file(const std::vector<std::string>& lines);

    std::string missing_name(const std::string& prefix, const std::string& ext);

    std::string random_ext();

    std::vector<Texture> make_texture_pool(const std::string& top, const std::string& dir,
                                           const std::string& prefix, std::size_t n);

    void make_textures();

    void make_models();

    std::string model_texture(const Model& m);

    std::string binary_model(const Model& m);

    std::string text_model(const Model& m);

    std::vector<Sound> make_sound_pool(const std::vector<std::string>& categories, std::size_t n,
                                       double subtitles);

    void make_sounds();

    void make_dynamic();

    std::string stock_sound(const std::vector<std::string>& beside);

    std::string definition(const std::vector<std::string>& beside);

    // --- sceneries ---------------------------------------------------------

    std::string model_reference(std::size_t index);

    // The model of a node statement: mostly one that exists, now and then none.
    std::string placed_model(std::vector<std::size_t>& reached_models);

    void read_model(std::size_t index);

    void reach(std::vector<IncludeFile>& files, std::size_t index);

    std::string scenery_texture(const std::vector<Texture>& local);

    std::string model_node(const std::string& model, const std::string& texture);

    void triangles(std::vector<std::string>& lines, const std::string& texture);

    void track(std::vector<std::string>& lines, const std::vector<Texture>& local);

    std::string sound_node();

    // Files included plainly by many parts of every scenery.
    void make_shared_includes();

    // Files included with parameters: one model and one texture come from the
    // include statement.
    void make_parameter_includes();

    std::string parameter_include();

    void make_sceneries();

    void trainset(const std::vector<std::string>& timetables, std::vector<std::string>& lines);

    std::size_t write_part(const std::string& name, std::size_t budget,
                           const std::vector<Texture>& local,
                           const std::vector<std::string>& timetables,
                           const std::vector<std::string>& images,
                           const std::vector<std::string>& notes);

    // --- files nothing refers to ------------------------------------------

    void make_fillers();

    // A folder several levels down, 40 files to a folder.
    static std::string deep(const std::string& root, std::size_t i);

    template <class Name> void fill(const std::string& top, double large, Name name) {
        const std::size_t target = count(large, 0);
        for (std::size_t i = summary_["files_" + top]; i < target; ++i) {
            write(top, name(i), blob(random_, "----", 100, 3000));
        }
    }

    void write_configuration();

    static void write_plain(const std::string& path, std::string_view bytes);

    void write_lists();

    Random random_;
    std::string out_;
    std::string main_;
    double scale_ = 1.0;
    std::size_t sceneries_ = 1;
    std::size_t node_ = 0;
    GeneratorSummary summary_;
    std::unordered_set<std::string> made_;
    std::set<std::string> read_text_;
    std::set<std::string> read_binary_;
    std::vector<std::string> missing_;
    std::vector<Texture> shared_textures_, terrain_textures_, track_textures_,
        scenery_dir_textures_;
    std::vector<std::string> model_dirs_;
    std::vector<std::vector<Texture>> dir_textures_;
    std::vector<Model> models_;
    std::vector<std::size_t> used_models_, sky_models_;
    std::vector<Sound> scenery_sounds_, stock_sounds_;
    std::vector<std::vector<std::string>> vehicle_beside_;
    std::vector<IncludeFile> shared_includes_, parameter_includes_;
};

} // namespace ferwis::bench
