// Checks the source tree's includes against tools/layers.txt: `check_layers <tree root>`. Prints
// every include that breaks the table and exits 1, or exits 0 when there is none.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/layers/LayerCheck.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_layers <tree root>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::ifstream in(root / "tools/layers.txt");
    if (!in) {
        std::fprintf(stderr, "check_layers: cannot read %s\n", (root / "tools/layers.txt").c_str());
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    const auto table = tools::layers::parseTable(text.str());
    const auto violations = tools::layers::checkTree(root, table, tools::layers::kCheckedFolders);
    for (const auto& violation : violations) {
        std::printf("%s\n", tools::layers::describe(violation).c_str());
    }
    if (!violations.empty()) {
        std::printf("%zu include(s) break the layering table\n", violations.size());
        return 1;
    }
    std::printf("every include follows the layering table\n");
    return 0;
}
