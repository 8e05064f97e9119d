#include "format/provenance_file.h"
#include "format/result_file.h"
#include "results/result_provenance.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <tuple>

namespace ferwis {
namespace {

using test::crlf;
using test::TempTree;

TEST(result_digest, the_same_bytes_in_any_pieces_give_the_same_digest) {
    const std::string bytes = "\"/m/scenery/a.scn\",\"U\"\r\n\"/m/textures/b.dds\",\"N\"\r\n";
    ResultDigest whole;
    whole.add(bytes);
    for (std::size_t cut_1 = 0; cut_1 <= bytes.size(); cut_1 += 3) {
        for (std::size_t cut_2 = cut_1; cut_2 <= bytes.size(); cut_2 += 5) {
            ResultDigest pieces;
            pieces.add(std::string_view(bytes).substr(0, cut_1));
            pieces.add(std::string_view(bytes).substr(cut_1, cut_2 - cut_1));
            pieces.add(std::string_view(bytes).substr(cut_2));
            ASSERT_EQ(pieces, whole) << cut_1 << " " << cut_2;
        }
    }
    // One changed byte anywhere, in a whole word or in the last few, shows.
    for (std::size_t at : {std::size_t{0}, bytes.size() / 2, bytes.size() - 1}) {
        std::string changed = bytes;
        changed[at] = 'x';
        ResultDigest other;
        other.add(changed);
        EXPECT_NE(other.hash(), whole.hash()) << at;
    }
}

TEST(provenance_path, each_result_file_has_its_own) {
    EXPECT_EQ(provenance_path("/a/wynik.txt"), "/a/wynik_zrodla.txt");
    EXPECT_EQ(provenance_path("/a/small.wynik.txt"), "/a/small.wynik_zrodla.txt");
    EXPECT_EQ(provenance_path("/a/WYNIK.TXT"), "/a/WYNIK_zrodla.txt");
    EXPECT_EQ(provenance_path("/a/wynik"), "/a/wynik_zrodla.txt");
}

struct Written {
    Written() {
        ResultFileWriter result(tree.path("wynik.txt"));
        result.add("/m/scenery/a.scn", "U");
        result.add("/m/textures/b.dds", "U");
        result.add("/m/textures/c.dds", "N");
        ProvenanceFileWriter places(tree.path("wynik.txt"), result.finish());
        places.add(0, "", 0);
        places.add(1, "/m/scenery/a.scn", 7);
        places.commit();
        result.commit();
    }
    TempTree tree;
};

TEST(result_provenance, places_are_read_only_with_the_result_they_belong_to) {
    Written w;
    const auto provenance = ResultProvenance::load(w.tree.path("wynik.txt"));
    ASSERT_TRUE(provenance);
    EXPECT_EQ(chain_text(*provenance, *provenance->find("/M/TEXTURES\\B.dds")),
              "U /m/textures/b.dds\n  <- /m/scenery/a.scn:7\n");
    EXPECT_EQ(provenance->place(2), nullptr);

    const std::string places = w.tree.read("wynik_zrodla.txt");
    const std::string body = places.substr(places.find('\n') + 1);
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"result changed", w.tree.read("wynik.txt") + crlf({"\"/x\",\"U\""}), places},
        {"no binding line", w.tree.read("wynik.txt"), body},
        {"a row beyond the result", w.tree.read("wynik.txt"), places + crlf({"9,\"/m/x\",1"})},
        {"rows out of order", w.tree.read("wynik.txt"), places + crlf({"1,\"/m/x\",1"})},
        {"a malformed record", w.tree.read("wynik.txt"), places + crlf({"3,/m/x,1"})},
        {"a line that is no number", w.tree.read("wynik.txt"), places + crlf({"3,\"/m/x\",a"})},
    };
    for (const auto& [what, result, bad_places] : cases) {
        Written fresh;
        fresh.tree.write("wynik.txt", result);
        fresh.tree.write("wynik_zrodla.txt", bad_places);
        EXPECT_FALSE(ResultProvenance::load(fresh.tree.path("wynik.txt"))) << what;
    }
    remove_provenance(w.tree.path("wynik.txt"));
    EXPECT_FALSE(w.tree.exists("wynik_zrodla.txt"));
    EXPECT_FALSE(ResultProvenance::load(w.tree.path("wynik.txt")));
}

} // namespace
} // namespace ferwis
