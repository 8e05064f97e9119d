#include "common/catalogue.h"
#include "common/code_page.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

// dev.sh is bash and cannot ask the catalogue: its line without a display, and
// the README's copy of it, must say what the window says.
TEST(catalogue, line_without_display_is_the_same_in_dev_sh_and_readme) {
    const std::string line = "ferwis: " + cp1250_to_utf8(text(Text::NoDisplay));
    for (const char* file : {"dev.sh", "README.md"}) {
        EXPECT_NE(test::read_file(std::string(FERWIS_SOURCE_DIR) + "/" + file).find(line),
                  std::string::npos)
            << file;
    }
}

} // namespace
} // namespace ferwis
