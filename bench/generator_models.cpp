// Textures and models: the pools, and models as text and binary files.
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

std::vector<Texture> Generator::make_texture_pool(const std::string& top, const std::string& dir,
                                                  const std::string& prefix, std::size_t n) {
    std::vector<Texture> pool;
    for (std::size_t i = 0; i < n; ++i) {
        Texture t{dir, prefix + num(i), random_ext()};
        write(top, dir + disk_name(random_, t.base, t.ext), blob(random_, "DDS |", 200, 6000));
        pool.push_back(std::move(t));
    }
    return pool;
}

void Generator::make_textures() {
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

void Generator::make_models() {
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

std::string Generator::model_texture(const Model& m) {
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

std::string Generator::binary_model(const Model& m) {
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

std::string Generator::text_model(const Model& m) {
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

} // namespace ferwis::bench
