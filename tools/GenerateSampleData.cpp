// The sample data generator: writes the game folder with "data.bar" below the given root, a
// manifest of its entries beside it, and checks what it wrote by reading it back.
//
//   tarnwick_datagen ROOT          ROOT/Brenvale/Tarnwick/data.bar and data.manifest, and the
//                                  test fixture app-promo.jad beside them
//   tarnwick_datagen --constants   the table of constant strings (tools/README.md)
//   tarnwick_datagen --texts       the table of every text of the text package
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "profile/GamePaths.h"
#include "tools/SampleData.h"
#include "tools/SampleTexts.h"

namespace {

std::filesystem::path gameFolder(const std::filesystem::path& root) {
    std::string relative = profile::kGameFolderPath;
    for (char& c : relative) {
        if (c == '\\') {
            c = '/';
        }
    }
    return root / relative.substr(1);
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

int generate(const std::filesystem::path& root) {
    const std::filesystem::path folder = gameFolder(root);
    std::filesystem::create_directories(folder);
    const std::vector<tools::ArchiveEntry> entries = tools::sampleEntries();
    const tools::Bytes archive = tools::buildArchive(entries);
    const std::filesystem::path archivePath = folder / profile::kArchiveFileName;
    writeFile(archivePath, std::string(archive.begin(), archive.end()));
    writeFile(folder / "data.manifest", tools::manifest(entries));
    writeFile(folder / "app-promo.jad", tools::promotionAppDescriptor());

    std::ifstream in(archivePath, std::ios::binary);
    const tools::Bytes written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> problems = tools::validateSampleArchive(written);
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "sample data: %s\n", problem.c_str());
    }
    return problems.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ROOT | --constants | --texts\n", argv[0]);
        return 2;
    }
    try {
        if (std::string(argv[1]) == "--constants") {
            std::fputs(tools::constantsTable().c_str(), stdout);
            return 0;
        }
        if (std::string(argv[1]) == "--texts") {
            std::fputs(tools::textsTable().c_str(), stdout);
            return 0;
        }
        return generate(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sample data: %s\n", error.what());
        return 1;
    }
}
