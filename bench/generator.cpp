#include "bench/generator.h"
#include "bench/generator_parts.h"

#include "common/code_page.h"
#include "common/native_path.h"
#include "common/platform.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace ferwis::bench {

GeneratorSummary Generator::run() {
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

std::size_t Generator::count(double large, std::size_t least) const {
    return std::max(least, static_cast<std::size_t>(std::llround(large * scale_)));
}

void Generator::write(const std::string& top, const std::string& relative, std::string_view bytes) {
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

std::string Generator::text_file(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string Generator::missing_name(const std::string& prefix, const std::string& ext) {
    // Some missing names come back many times: recorded once, met often.
    if (!missing_.empty() && random_.chance(0.4)) {
        return random_.pick(missing_) + ext;
    }
    missing_.push_back(prefix + "brak_" + num(missing_.size()));
    return missing_.back() + ext;
}

std::string Generator::random_ext() {
    const std::size_t r = random_.below(100);
    return r < 70 ? ".dds" : r < 85 ? ".tga" : r < 95 ? ".bmp" : ".tex";
}

void Generator::make_fillers() {
    fill("textures", 100000, [this](std::size_t i) {
        const std::size_t r = i % 20;
        if (r < 5) {
            return "zbiorcze/" + disk_name(random_, "z_" + num(i), random_ext());
        }
        if (r < 8) {
            return "tabor/wagon_" + num(i / 300) + "/" + disk_name(random_, "w_" + num(i), ".dds");
        }
        return deep("archiwum", i) + disk_name(random_, "a_" + num(i), random_ext());
    });
    fill("sounds", 20000, [this](std::size_t i) {
        return deep("archiwum", i) + disk_name(random_, "stary_" + num(i), ".wav");
    });
    fill("scenery", 15000, [this](std::size_t i) {
        return i % 10 == 0 ? "stare/stara_" + num(i) + ".scn"
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

std::string Generator::deep(const std::string& root, std::size_t i) {
    const std::size_t folder = i / 40;
    std::string path = root.empty() ? std::string() : root + "/";
    const std::size_t depth = 2 + folder % 7;
    for (std::size_t d = 0; d < depth; ++d) {
        path += "p" + num((folder >> (2 * d)) % 4) + "/";
    }
    return path + "f_" + num(folder) + "/";
}

void Generator::write_configuration() {
    const std::string ini =
        text_file({"[sciezka_dostepu]", main_, "[domyslne_rozszerzenie]", "dds",
                   "[sciezka_kopiowania_przesuwania]", out_ + "kopia/", "[pomijane_foldery_pliki]",
                   "textures/tabor/", "inne/stare/"});
    write_plain(out_ + "ferwis.ini", ini);
}

void Generator::write_plain(const std::string& path, std::string_view bytes) {
    const fs::path native = to_native(path);
    std::FILE* file = platform::open_file(native, "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        throw std::runtime_error("cannot write " + native_to_utf8(native));
    }
}

void Generator::write_lists() {
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
    if (name == "huge") {
        return InstallationSize::huge;
    }
    return std::nullopt;
}

GeneratorSummary generate_installation(const GeneratorOptions& options) {
    return Generator(options).run();
}

} // namespace ferwis::bench
