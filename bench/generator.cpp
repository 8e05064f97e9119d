#include "bench/generator.h"

#include "common/code_page.h"
#include "common/native_path.h"
#include "common/platform.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace fs = std::filesystem;

namespace ferwis::bench {
namespace {

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

std::string num(std::size_t n) {
    return std::to_string(n);
}

std::string coordinate(Random& random) {
    char text[32];
    const double value = static_cast<double>(random.below(200000)) / 10.0 - 10000.0;
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// A file name as it may lie on disk: mostly lower case, sometimes capitalised or
// with the extension in capitals, so that lookups must ignore case.
std::string disk_name(Random& random, const std::string& base, const std::string& ext) {
    if (random.chance(0.08)) {
        return upper(base.substr(0, 1)) + base.substr(1) + ext;
    }
    if (random.chance(0.04)) {
        return base + upper(ext);
    }
    return base + ext;
}

// A reference as a scenery author writes it: "/" or "\", now and then in capitals.
std::string written(Random& random, std::string reference) {
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
void append_filler(Random& random, std::string& out, std::size_t count) {
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

std::string blob(Random& random, std::string_view header, std::size_t low, std::size_t high) {
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
        }
    }

    GeneratorSummary run() {
        fs::create_directories(to_native(main_));
        fs::create_directories(to_native(out_ + "kopia/"));
        make_textures();
        make_models();
        make_sounds();
        make_dynamic();
        make_sceneries();
        make_fillers();
        write_configuration();
        write_lists();
        return summary_;
    }

private:
    std::size_t count(double large, std::size_t least) const {
        return std::max(least, static_cast<std::size_t>(std::llround(large * scale_)));
    }

    // Writes main/top/relative. Files of the five content directories count
    // towards the inventory.
    void write(const std::string& top, const std::string& relative, std::string_view bytes) {
        const std::string path = main_ + top + "/" + relative;
        const std::string folder = path.substr(0, path.rfind('/'));
        if (made_.insert(folder).second) {
            fs::create_directories(to_native(folder));
        }
        const fs::path native = to_native(path);
        std::FILE* file = platform::open_file(native, "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
            std::fclose(file) != 0) {
            throw std::runtime_error("cannot write " + native_to_utf8(native));
        }
        ++summary_["files_" + top];
        if (top != "dynamic") {
            ++summary_["inventory_files"];
            summary_["inventory_path_bytes"] += path.size();
        }
    }

    static std::string text_file(const std::vector<std::string>& lines) {
        std::string out;
        for (const std::string& line : lines) {
            out += line;
            out += "\r\n";
        }
        return out;
    }

    std::string missing_name(const std::string& prefix, const std::string& ext) {
        // Some missing names come back many times: recorded once, met often.
        if (!missing_.empty() && random_.chance(0.4)) {
            return random_.pick(missing_) + ext;
        }
        missing_.push_back(prefix + "brak_" + num(missing_.size()));
        return missing_.back() + ext;
    }

    std::string random_ext() {
        const std::size_t r = random_.below(100);
        return r < 70 ? ".dds" : r < 85 ? ".tga" : r < 95 ? ".bmp" : ".tex";
    }

    std::vector<Texture> make_texture_pool(const std::string& top, const std::string& dir,
                                           const std::string& prefix, std::size_t n) {
        std::vector<Texture> pool;
        for (std::size_t i = 0; i < n; ++i) {
            Texture t{dir, prefix + num(i), random_ext()};
            write(top, dir + disk_name(random_, t.base, t.ext), blob(random_, "DDS |", 200, 6000));
            pool.push_back(std::move(t));
        }
        return pool;
    }

    void make_textures() {
        const std::size_t shared = count(6000, 20);
        for (std::size_t i = 0; i < shared; i += 60) {
            auto part =
                make_texture_pool("textures", "wspolne/g_" + num(i / 60) + "/",
                                  "s_" + num(i / 60) + "_", std::min<std::size_t>(60, shared - i));
            shared_textures_.insert(shared_textures_.end(), part.begin(), part.end());
        }
        const std::size_t terrain = count(3000, 10);
        for (std::size_t i = 0; i < terrain; i += 100) {
            auto part = make_texture_pool("textures",
                                          "teren/" + std::string(i % 200 ? "lato" : "zima") + "_" +
                                              num(i / 100) + "/",
                                          "t_", std::min<std::size_t>(100, terrain - i));
            terrain_textures_.insert(terrain_textures_.end(), part.begin(), part.end());
        }
        track_textures_ = make_texture_pool("textures", "tory/", "szyna_", count(600, 4));
        // Textures a model finds in the scenery directory (the second try of its chain).
        scenery_dir_textures_ = make_texture_pool("scenery", "tekstury/", "sc_", count(300, 3));
    }

    void make_models() {
        const std::vector<std::string> categories = {"budynki",        "drzewa",       "niebo",
                                                     "infrastruktura", "stacje",       "sieci",
                                                     cp1250("słupy"),  cp1250("różne")};
        const std::size_t names = count(18200, 120);
        const std::size_t per_dir = 40;
        for (std::size_t i = 0; i < names; ++i) {
            const std::size_t d = i / per_dir;
            if (i % per_dir == 0) {
                std::string dir = categories[d % categories.size()] + "/grupa_" + num(d) + "/";
                if (d % 4 == 3) {
                    dir += "a" + num(d % 7) + "/b" + num(d % 5) + "/wersja_" + num(d) + "/";
                }
                model_dirs_.push_back(dir);
                dir_textures_.push_back(
                    make_texture_pool("textures", dir, "l_", random_.between(8, 15)));
            }
            Model m;
            m.dir = model_dirs_.back();
            m.base = (d % categories.size() == 2 ? "chmury_" : "obiekt_") + num(i);
            const std::size_t r = random_.below(100);
            m.binary = r < 60 || r >= 90;
            m.text = r >= 60;
            m.texture_pool = dir_textures_.size() - 1;
            if (m.binary) {
                m.binary_name = disk_name(random_, m.base, ".e3d");
                write("models", m.dir + m.binary_name, binary_model(m));
                ++summary_["models_binary"];
            }
            if (m.text) {
                m.text_name = disk_name(random_, m.base, ".t3d");
                write("models", m.dir + m.text_name, text_model(m));
                ++summary_["models_text"];
            }
            if (d % categories.size() == 2) {
                sky_models_.push_back(models_.size());
            }
            // A fifth of the models is never placed: they end up unused.
            if (random_.chance(0.8)) {
                used_models_.push_back(models_.size());
            }
            models_.push_back(std::move(m));
        }
    }

    std::string model_texture(const Model& m) {
        const std::size_t r = random_.below(100);
        if (r < 45) {
            return random_.pick(dir_textures_[m.texture_pool]).reference(random_);
        }
        if (r < 78) {
            return random_.pick(shared_textures_).reference(random_);
        }
        if (r < 85) {
            return random_.pick(scenery_dir_textures_).reference(random_);
        }
        if (r < 91) {
            return "none";
        }
        if (r < 95) {
            return random_.chance(0.5) ? "ReplacableSkin" : "pojazd_replacableskin_1";
        }
        return missing_name("tekstury_brak/", random_.chance(0.5) ? ".dds" : "");
    }

    std::string binary_model(const Model& m) {
        std::string out = "E3D0";
        append_filler(random_, out, 4);
        out += "SUB0";
        const std::size_t r = random_.below(100);
        const std::size_t tag_at = r < 90   ? random_.between(16, 12000)
                                   : r < 98 ? random_.between(20000, 38000)
                                            : 0;
        append_filler(random_, out, (tag_at > out.size() ? tag_at : 16) - out.size());
        if (tag_at != 0) {
            out += random_.chance(0.5) ? "TEX0" : "tex0";
            out += std::string("\x20\x01\x00\x00\x00", 5);
            const std::size_t n = random_.between(1, 6);
            for (std::size_t i = 0; i < n; ++i) {
                out += model_texture(m);
                out += '\0';
            }
            out += std::string("NAM0\x10\x00\x00\x00", 8);
            out += "korpus";
            out += '\0';
        }
        append_filler(random_, out, random_.between(100, 16000));
        return out;
    }

    std::string text_model(const Model& m) {
        std::vector<std::string> lines = {"// " + m.base};
        const std::size_t parts = random_.between(1, 5);
        for (std::size_t p = 0; p < parts; ++p) {
            lines.insert(lines.end(),
                         {"Parent: none", "Type: Mesh", "Name: czesc_" + num(p), "Anim: false",
                          "Ambient: 255 255 255", "Diffuse: 255 255 255", "Specular: 255 255 255",
                          "SelfIllum: false", "Wire: false", "Opacity: 100"});
            const std::size_t r = random_.below(100);
            if (r < 3) {
                lines.push_back("Map:\t" + model_texture(m)); // names no texture
            } else if (r < 6) {
                lines.push_back("BumpMap: " + model_texture(m));
            } else {
                lines.push_back("Map: " + model_texture(m));
            }
            const std::size_t verts = random_.between(2, 20) * 3;
            lines.push_back("MaxDistance: -1");
            lines.push_back("NumVerts: " + num(verts));
            for (std::size_t v = 0; v < verts; ++v) {
                lines.push_back(coordinate(random_) + " " + coordinate(random_) + " " +
                                coordinate(random_) + " 0 0 1 0.5 0.5");
            }
        }
        return text_file(lines);
    }

    struct Sound {
        std::string dir;
        std::string base;
    };

    std::vector<Sound> make_sound_pool(const std::vector<std::string>& categories, std::size_t n,
                                       double subtitles) {
        std::vector<Sound> pool;
        for (std::size_t i = 0; i < n; ++i) {
            Sound s{categories[i % categories.size()] + "/zestaw_" + num(i / 50) + "/",
                    "dzwiek_" + num(i)};
            write("sounds", s.dir + disk_name(random_, s.base, ".wav"),
                  blob(random_, "RIFF\x10\x00\x00\x00WAVEfmt ", 500, 6000));
            if (random_.chance(subtitles)) {
                write("sounds", s.dir + s.base + ".txt",
                      text_file({"Napis do " + s.base, cp1250("Słychać pociąg.")}));
            }
            pool.push_back(std::move(s));
        }
        return pool;
    }

    void make_sounds() {
        scenery_sounds_ =
            make_sound_pool({"ptaki", "otoczenie", "stacje", "przejazdy"}, count(5000, 10), 0.4);
        stock_sounds_ = make_sound_pool(
            {"pojazdy/spalinowe", "pojazdy/elektryczne", "pojazdy/wagony"}, count(3000, 10), 0.0);
    }

    void make_dynamic() {
        const std::size_t definitions = count(5000, 10);
        const std::vector<std::string> makers = {"pkp", "db", cp1250("łódź"), "cd"};
        for (std::size_t i = 0; i < definitions; ++i) {
            const std::string dir = makers[i % makers.size()] + "/pojazd_" + num(i / 2) + "/";
            std::vector<std::string> beside;
            if (i % 2 == 0) {
                // The vehicle's own sounds lie beside its definition files.
                const std::size_t n = random_.between(1, 4);
                for (std::size_t k = 0; k < n; ++k) {
                    std::string name =
                        (k == 3 ? "dzwieki/" : "") + std::string("wlasny_") + num(k) + ".wav";
                    write("dynamic", dir + name, blob(random_, "RIFF", 200, 2000));
                    beside.push_back(name);
                }
                write("dynamic", dir + "tekstura.dds", blob(random_, "DDS |", 200, 2000));
                vehicle_beside_.push_back(beside);
            } else {
                beside = vehicle_beside_.back();
            }
            const std::string name = dir + disk_name(random_, "pojazd_" + num(i), ".mmd");
            if (i % 997 == 5) {
                write("dynamic", name, "\r\n"); // skipped: shorter than four bytes
                continue;
            }
            write("dynamic", name, definition(beside));
            read_text_.insert(main_ + "dynamic/" + name);
            ++summary_["mmd_files"];
        }
    }

    std::string stock_sound(const std::vector<std::string>& beside) {
        const std::size_t r = random_.below(100);
        if (r < 45 && !beside.empty()) {
            return random_.pick(beside);
        }
        if (r < 88) {
            const Sound& s = random_.pick(stock_sounds_);
            return s.dir + s.base + ".wav";
        }
        return missing_name("pojazdy/", ".wav");
    }

    std::string definition(const std::vector<std::string>& beside) {
        std::vector<std::string> lines = {"// Definicja pojazdu", "Typ: EZT",
                                          cp1250("Masa: 45000 Długość: 21.5")};
        const std::size_t n = random_.between(3, 20);
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t r = random_.below(10);
            if (r == 0) {
                lines.push_back("// stary: " + stock_sound(beside));
            } else if (r == 1) {
                lines.push_back("sounds:\t" + stock_sound(beside) + ";" + stock_sound(beside));
            } else if (r == 2) {
                lines.push_back("a:" + stock_sound(beside) + "," + stock_sound(beside));
            } else if (r < 6) {
                lines.push_back("horn: " + stock_sound(beside) + " 1.0 80");
            } else {
                lines.push_back("Engine:  power  " + num(random_.between(100, 3000)) + " kW");
            }
        }
        return text_file(lines);
    }

    // --- sceneries ---------------------------------------------------------

    std::string model_reference(std::size_t index) {
        const Model& m = models_[index];
        std::string ext = random_.chance(0.7) ? ".t3d" : ".e3d";
        if (random_.chance(0.05)) {
            ext = upper(ext);
        }
        return written(random_, m.dir + m.base + ext);
    }

    // The model of a node statement: mostly one that exists, now and then none.
    std::string placed_model(std::vector<std::size_t>& reached_models) {
        if (random_.chance(0.03)) {
            return missing_name("brak/", ".t3d");
        }
        const std::size_t index = random_.pick(used_models_);
        reached_models.push_back(index);
        return model_reference(index);
    }

    void read_model(std::size_t index) {
        const Model& m = models_[index];
        if (m.binary) {
            read_binary_.insert(main_ + "models/" + m.dir + m.binary_name);
        } else {
            read_text_.insert(main_ + "models/" + m.dir + m.text_name);
        }
    }

    void reach(std::vector<IncludeFile>& files, std::size_t index) {
        if (files[index].reached) {
            return;
        }
        files[index].reached = true;
        read_text_.insert(main_ + "scenery/" + files[index].name);
        for (std::size_t m : files[index].models) {
            read_model(m);
        }
        for (std::size_t i : files[index].includes) {
            reach(files, i);
        }
    }

    std::string scenery_texture(const std::vector<Texture>& local) {
        const std::size_t r = random_.below(100);
        if (r < 45) {
            return written(random_, random_.pick(terrain_textures_).reference(random_));
        }
        if (r < 65 && !local.empty()) {
            return random_.pick(local).local_reference(random_);
        }
        if (r < 90) {
            return written(random_, random_.pick(shared_textures_).reference(random_));
        }
        if (r < 96) {
            return "none";
        }
        return missing_name("teren_brak/", random_.chance(0.5) ? ".dds" : "");
    }

    std::string model_node(const std::string& model, const std::string& texture) {
        const std::string separator = random_.chance(0.03)   ? "\t"
                                      : random_.chance(0.03) ? ";"
                                                             : " ";
        std::string line = "node -1 0 m" + num(node_++);
        for (const std::string& token :
             {std::string("model"), coordinate(random_), coordinate(random_), coordinate(random_),
              num(random_.below(360)), model, texture}) {
            line += separator + token;
        }
        return line + " endmodel";
    }

    void triangles(std::vector<std::string>& lines, const std::string& texture) {
        const char* kind = random_.chance(0.2) ? "triangle_strip" : "triangles";
        if (random_.chance(0.25)) {
            lines.push_back("node 1000 0 g" + num(node_++) + " " + kind +
                            " material ambient: 0.6 0.6 0.6 diffuse: 1 1 1 endmaterial " + texture);
        } else {
            lines.push_back("node 1000 0 g" + num(node_++) + " " + kind + " " + texture);
        }
        const std::size_t verts = random_.between(1, 6) * 3;
        for (std::size_t v = 0; v < verts; ++v) {
            lines.push_back(coordinate(random_) + " " + coordinate(random_) + " " +
                            coordinate(random_) + " 0 1 0 " + num(random_.below(8)) + " " +
                            num(random_.below(8)) + (v + 1 < verts ? " end" : ""));
        }
        lines.push_back("endtri");
    }

    void track(std::vector<std::string>& lines, const std::vector<Texture>& local) {
        const bool hidden = random_.chance(0.1);
        lines.push_back("node 2000 0 t" + num(node_++) +
                        " track normal 25.0 1.435 0.25 0.2 20 0 1.5 " +
                        (hidden ? (random_.chance(0.5) ? "unvis" : "novis") : "vis"));
        if (!hidden) {
            if (random_.chance(0.1)) {
                lines.push_back("");
            }
            const std::string rail = random_.chance(0.1) && !local.empty()
                                         ? random_.pick(local).local_reference(random_)
                                         : random_.pick(track_textures_).reference(random_);
            lines.push_back(written(random_, rail) + " 1.5 " +
                            random_.pick(track_textures_).reference(random_) + " 0.2");
        }
        lines.push_back(coordinate(random_) + " 0.0 " + coordinate(random_) + " 0");
        lines.push_back("0 0 0 " + coordinate(random_) + " 0.0 " + coordinate(random_) + " 0");
        lines.push_back("0.0 0.0 0.0 endtrack");
    }

    std::string sound_node() {
        std::string name;
        if (random_.chance(0.04)) {
            name = missing_name("otoczenie/", ".wav");
        } else {
            const Sound& s = random_.pick(scenery_sounds_);
            name = s.dir + s.base + ".wav";
        }
        return "node 300 0 d" + num(node_++) + " sound " + coordinate(random_) + " 2.0 " +
               coordinate(random_) + " " + name + " endsound";
    }

    // Files included plainly by many parts of every scenery.
    void make_shared_includes() {
        const std::size_t n = count(300, 3);
        for (std::size_t i = 0; i < n; ++i) {
            shared_includes_.push_back({"wspolne/w_" + num(i) + ".inc", false, {}, {}});
        }
        for (std::size_t i = 0; i < n; ++i) {
            std::vector<std::string> lines = {"// element wspolny " + num(i)};
            std::vector<std::size_t> models;
            const std::size_t statements = random_.between(5, 30);
            for (std::size_t k = 0; k < statements; ++k) {
                const std::size_t r = random_.below(10);
                if (r < 5) {
                    lines.push_back(model_node(placed_model(models), "none"));
                } else if (r < 7) {
                    lines.push_back(sound_node());
                } else if (r < 9) {
                    triangles(lines, scenery_texture({}));
                } else if (i + 1 < n) {
                    const std::size_t child = random_.between(i + 1, n - 1);
                    shared_includes_[i].includes.push_back(child);
                    lines.push_back("include " + written(random_, shared_includes_[child].name) +
                                    " end");
                }
            }
            shared_includes_[i].models = models;
            write("scenery", shared_includes_[i].name, text_file(lines));
        }
    }

    // Files included with parameters: one model and one texture come from the
    // include statement.
    void make_parameter_includes() {
        const std::size_t n = count(400, 3);
        const std::vector<Texture> leaves =
            make_texture_pool("scenery", "obiekty/", "liscie_", count(50, 2));
        for (std::size_t i = 0; i < n; ++i) {
            IncludeFile file{"obiekty/grupa_" + num(i) + ".inc", false, {}, {}};
            std::vector<std::string> lines = {"// obiekt z parametrami"};
            const std::size_t statements = random_.between(3, 20);
            lines.push_back(model_node("(p1)", "(p2)"));
            for (std::size_t k = 0; k < statements; ++k) {
                const std::size_t r = random_.below(12);
                if (r < 3) {
                    lines.push_back(model_node(placed_model(file.models), "none"));
                } else if (r < 5) {
                    lines.push_back(
                        model_node("(p1)", random_.pick(leaves).local_reference(random_)));
                } else if (r < 8) {
                    triangles(lines,
                              r == 5 ? "(p2)" : random_.pick(leaves).local_reference(random_));
                } else if (r == 8) {
                    lines.push_back(sound_node());
                } else if (r == 9) {
                    lines.push_back("include wspolne/w_0.inc end"); // not followed here
                } else if (r == 10) {
                    lines.push_back("node 2000 0 t" + num(node_++) +
                                    " track normal 25 1.435 0.2 0.2 10 0 1.5 vis");
                } else {
                    lines.push_back("// " + num(k));
                }
            }
            write("scenery", file.name, text_file(lines));
            parameter_includes_.push_back(std::move(file));
        }
    }

    std::string parameter_include() {
        if (random_.chance(0.02)) {
            return "include obiekty/brak_" + num(random_.below(50)) + ".inc x y 1 end";
        }
        const std::size_t index = random_.below(parameter_includes_.size());
        reach(parameter_includes_, index);
        const std::size_t model = random_.pick(used_models_);
        read_model(model);
        return "include " + written(random_, parameter_includes_[index].name) + " " +
               models_[model].dir + models_[model].base + ".t3d " +
               random_.pick(terrain_textures_).reference(random_) + " " +
               num(random_.between(1, 9)) + " end";
    }

    void make_sceneries() {
        make_shared_includes();
        make_parameter_includes();
        const std::vector<std::string> names = {"linia_1",       cp1250("Głowno"), "Trasa_Polnocna",
                                                cp1250("Krzyż"), "wies",           cp1250("Łąka"),
                                                "gory",          "miasto"};
        const std::size_t lines_total = count(1000000, 2000);
        const std::size_t per_scenery = lines_total / sceneries_;
        const std::size_t part_budget = std::clamp<std::size_t>(per_scenery / 20, 150, 1500);
        for (std::size_t s = 0; s < sceneries_; ++s) {
            const std::string region = "obszar_" + num(s) + "/";
            const std::vector<Texture> local =
                make_texture_pool("scenery", region, "lok_", count(400.0 / 8, 3));
            std::vector<std::string> timetables;
            for (std::size_t k = 0; k < count(250, 3); ++k) {
                const std::string name = "rozklady/" + region + "r_" + num(k);
                write("scenery", disk_name(random_, name, ".txt"),
                      text_file({"Rozklad jazdy " + num(k), "Stacja  Przyjazd  Odjazd"}));
                if (random_.chance(0.3)) {
                    write("scenery", name + "radio.wav", blob(random_, "RIFF", 300, 3000));
                }
                timetables.push_back(name);
            }
            std::vector<std::string> images;
            for (std::size_t k = 0; k < count(60, 2); ++k) {
                images.push_back(region + "foto_" + num(k) + ".jpg");
                write("scenery", "images/" + images.back(), blob(random_, "JFIF", 300, 5000));
            }
            std::vector<std::string> notes;
            for (std::size_t k = 0; k < count(100, 2); ++k) {
                notes.push_back("inne/opisy/obszar_" + num(s) + "_" + num(k) + ".txt");
                write("inne", notes.back().substr(5),
                      text_file({"Opis obszaru " + num(s), cp1250("Zażółć gęślą jaźń.")}));
            }

            std::vector<std::string> main = {"// Sceneria " + names[s % names.size()],
                                             "//$i " + images.front(),
                                             "//$f pl " + notes.front(),
                                             "atmo 0.5 0.5 0.7 500 2000 0 0 0 endatmo",
                                             "time 12:00 6:00 20:00 endtime",
                                             "config movelight 0 endconfig"};
            if (!sky_models_.empty()) {
                const std::size_t sky = random_.pick(sky_models_);
                read_model(sky);
                main.push_back("sky " + models_[sky].dir + models_[sky].base + ".t3d endsky");
            }
            main.push_back("include " + shared_includes_.front().name + " end");
            reach(shared_includes_, 0);
            std::size_t written_lines = main.size();
            std::size_t part = 0;
            while (written_lines < per_scenery) {
                const std::string name = region + "czesc_" + num(part++) + ".scm";
                if (random_.chance(0.02)) {
                    main.push_back("include " + region + "brak_" + num(part) + ".scm end");
                }
                main.push_back("Include " + written(random_, name) + "  End");
                read_text_.insert(main_ + "scenery/" + name);
                written_lines +=
                    write_part(name, part_budget, local, timetables, images, notes) + 1;
                if (random_.chance(0.1)) {
                    trainset(timetables, main);
                }
            }
            main.push_back("// koniec");
            const std::string file = names[s % names.size()] + ".scn";
            write("scenery", file, text_file(main));
            read_text_.insert(main_ + "scenery/" + file);
            summary_["scenery_lines"] += main.size();
            ++summary_["scenery_files_selected"];
        }
    }

    void trainset(const std::vector<std::string>& timetables, std::vector<std::string>& lines) {
        const std::string name = random_.chance(0.1)    ? "none"
                                 : random_.chance(0.05) ? missing_name("rozklady/", "")
                                                        : random_.pick(timetables);
        lines.push_back("trainset " + written(random_, name) + " t" + num(node_) + " 0 0");
        lines.push_back("node -1 0 v" + num(node_++) +
                        " dynamic pkp/ep07 ep07 t0 0 headdriver 0 0 1 enddynamic");
        lines.push_back("endtrainset");
    }

    std::size_t write_part(const std::string& name, std::size_t budget,
                           const std::vector<Texture>& local,
                           const std::vector<std::string>& timetables,
                           const std::vector<std::string>& images,
                           const std::vector<std::string>& notes) {
        std::vector<std::string> lines = {"// " + name};
        std::vector<std::size_t> models;
        while (lines.size() < budget) {
            const std::size_t r = random_.below(1000);
            if (r < 330) {
                triangles(lines, scenery_texture(local));
            } else if (r < 580) {
                track(lines, local);
            } else if (r < 860) {
                lines.push_back(model_node(placed_model(models),
                                           random_.chance(0.7) ? "none" : scenery_texture(local)));
            } else if (r < 890) {
                lines.push_back(sound_node());
            } else if (r < 915) {
                const std::size_t index = random_.below(shared_includes_.size());
                reach(shared_includes_, index);
                lines.push_back("include " + written(random_, shared_includes_[index].name) +
                                " end");
            } else if (r < 955) {
                lines.push_back(parameter_include());
            } else if (r < 965) {
                lines.push_back("event ev" + num(node_++) + " multiple 0 none timetable:" +
                                (random_.chance(0.05)
                                     ? missing_name("rozklady/", "")
                                     : written(random_, random_.pick(timetables))));
            } else if (r < 972) {
                trainset(timetables, lines);
            } else if (r < 975) {
                lines.push_back("//$i " + (random_.chance(0.1) ? missing_name("", ".jpg")
                                                               : random_.pick(images)));
            } else if (r < 978) {
                lines.push_back("//$f pl " + written(random_, random_.pick(notes)) + " opis");
            } else if (r < 990) {
                lines.push_back("// node stary " + num(r) + " model usuniety");
            } else {
                lines.push_back("lua skrypt_" + num(r) + ".lua");
            }
        }
        for (std::size_t m : models) {
            read_model(m);
        }
        write("scenery", name, text_file(lines));
        summary_["scenery_lines"] += lines.size();
        return lines.size();
    }

    // --- files nothing refers to ------------------------------------------

    void make_fillers() {
        fill("textures", 100000, [this](std::size_t i) {
            const std::size_t r = i % 20;
            if (r < 5) {
                return "zbiorcze/" + disk_name(random_, "z_" + num(i), random_ext());
            }
            if (r < 8) {
                return "tabor/wagon_" + num(i / 300) + "/" +
                       disk_name(random_, "w_" + num(i), ".dds");
            }
            return deep("archiwum", i) + disk_name(random_, "a_" + num(i), random_ext());
        });
        fill("sounds", 20000, [this](std::size_t i) {
            return deep("archiwum", i) + disk_name(random_, "stary_" + num(i), ".wav");
        });
        fill("scenery", 15000, [this](std::size_t i) {
            return i % 10 == 0
                       ? "stare/stara_" + num(i) + ".scn"
                       : "obszar_" + num(i % sceneries_) + "/nieuzywane/n_" + num(i) + ".dds";
        });
        fill("inne", 45000, [this](std::size_t i) {
            const std::size_t r = i % 10;
            if (r < 3) {
                return "dokumenty/" + disk_name(random_, "dok_" + num(i), ".txt");
            }
            if (r < 5) {
                return "stare/" + deep("", i) + "s_" + num(i) + ".pdf";
            }
            return deep("archiwum", i) + "plik_" + num(i) + ".txt";
        });
    }

    // A folder several levels down, 40 files to a folder.
    static std::string deep(const std::string& root, std::size_t i) {
        const std::size_t folder = i / 40;
        std::string path = root.empty() ? std::string() : root + "/";
        const std::size_t depth = 2 + folder % 7;
        for (std::size_t d = 0; d < depth; ++d) {
            path += "p" + num((folder >> (2 * d)) % 4) + "/";
        }
        return path + "f_" + num(folder) + "/";
    }

    template <class Name> void fill(const std::string& top, double large, Name name) {
        const std::size_t target = count(large, 0);
        for (std::size_t i = summary_["files_" + top]; i < target; ++i) {
            write(top, name(i), blob(random_, "----", 100, 3000));
        }
    }

    void write_configuration() {
        const std::string ini =
            text_file({"[sciezka_dostepu]", main_, "[domyslne_rozszerzenie]", "dds",
                       "[sciezka_kopiowania_przesuwania]", out_ + "kopia/",
                       "[pomijane_foldery_pliki]", "textures/tabor/", "inne/stare/"});
        write_plain(out_ + "ferwis.ini", ini);
    }

    static void write_plain(const std::string& path, std::string_view bytes) {
        const fs::path native = to_native(path);
        std::FILE* file = platform::open_file(native, "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
            std::fclose(file) != 0) {
            throw std::runtime_error("cannot write " + native_to_utf8(native));
        }
    }

    void write_lists() {
        const auto list = [this](const std::set<std::string>& paths, const char* name) {
            std::string text;
            for (const std::string& path : paths) {
                text += native_to_utf8(to_native(path));
                text += '\n';
            }
            write_plain(out_ + name, text);
        };
        list(read_text_, "read-text.txt");
        list(read_binary_, "read-binary.txt");
        summary_["read_text_files"] = read_text_.size();
        summary_["read_binary_files"] = read_binary_.size();
        std::string text;
        for (const auto& [key, value] : summary_) {
            text += key + " " + std::to_string(value) + "\n";
        }
        write_plain(out_ + "summary.txt", text);
    }

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

} // namespace

std::optional<InstallationSize> parse_size(std::string_view name) {
    if (name == "tiny") {
        return InstallationSize::tiny;
    }
    if (name == "small") {
        return InstallationSize::small;
    }
    if (name == "medium") {
        return InstallationSize::medium;
    }
    if (name == "large") {
        return InstallationSize::large;
    }
    return std::nullopt;
}

GeneratorSummary generate_installation(const GeneratorOptions& options) {
    return Generator(options).run();
}

} // namespace ferwis::bench
