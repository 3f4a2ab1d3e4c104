// The layering check: reading the table, finding a cycle, and the includes of a small tree that
// break it.
#include "tools/layers/LayerCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace tools::layers {
namespace {

constexpr const char* kTable = R"(# a comment
top:
    middle bottom   # both below it
    lent/Service.h
middle: bottom/**
bottom:
lent: bottom
)";

TEST(LayerTableTest, IndentedLinesContinueTheFolderAboveThem) {
    const Table table = parseTable(kTable);
    EXPECT_TRUE(table.problems.empty());
    EXPECT_EQ(table.allowed.at("top"), (std::vector<std::string>{"middle", "bottom", "lent/Service.h"}));
    EXPECT_EQ(table.allowed.at("middle"), (std::vector<std::string>{"bottom/**"}));
    EXPECT_TRUE(table.allowed.at("bottom").empty());
}

TEST(LayerTableTest, MalformedLinesAreNamed) {
    const Table table = parseTable("    orphan\nnot a folder line\na: b\na: c\n");
    EXPECT_EQ(table.problems,
              (std::vector<std::string>{"line 1 continues no folder", "line 2 is not `folder: entries`",
                                        "line 4 lists a a second time"}));
}

TEST(LayerTableTest, FindsACycleButNotThroughALentHeader) {
    EXPECT_TRUE(findCycle(parseTable(kTable)).empty());
    EXPECT_EQ(findCycle(parseTable("a: b\nb: c\nc: a\n")), (std::vector<std::string>{"a", "b", "c", "a"}));
    // A folder that lends a header still uses the folders below it.
    EXPECT_TRUE(findCycle(parseTable("low: high\nhigh: low/Loan.h\n")).empty());
    EXPECT_FALSE(findCycle(parseTable("all: **\nlow: all\n")).empty());
}

TEST(LayerTableTest, WhatAFolderMayInclude) {
    const Table table = parseTable(kTable);
    struct Case {
        const char* from;
        const char* header;
        bool allowed;
    };
    const Case cases[] = {
        {"top", "top/Own.h", true},          // its own folder
        {"top", "middle/X.h", true},         // listed
        {"top", "lent/Service.h", true},     // a lent header
        {"top", "lent/Other.h", false},      // only the lent one
        {"middle", "bottom/X.h", true},      // dir/** takes the folder
        {"middle", "bottom/deep/X.h", true}, // and the folders below it
        {"middle", "bottomless/X.h", false}, // not a folder that merely starts alike
        {"bottom", "top/X.h", false},        // upward
        {"unlisted", "bottom/X.h", false},   // a folder the table does not know
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mayInclude(table, c.from, c.header), c.allowed) << c.from << " -> " << c.header;
    }
}

class LayerTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = std::filesystem::temp_directory_path() /
               ("layers-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    void write(const std::string& path, const std::string& text) {
        std::filesystem::create_directories((root / path).parent_path());
        std::ofstream(root / path) << text;
    }

    std::vector<std::string> check(const std::string& table) {
        std::vector<std::string> lines;
        for (const Violation& v : checkTree(root, parseTable(table), {"src"})) {
            lines.push_back(describe(v));
        }
        return lines;
    }

    std::filesystem::path root;
};

TEST_F(LayerTreeTest, AnUpwardIncludeIsNamedWithItsFileLineAndRule) {
    write("src/high/High.h", "#pragma once\n#include \"src/low/Low.h\"\n");
    write("src/low/Low.h", "#pragma once\n");
    write("src/low/Low.cpp",
          "#include \"src/low/Low.h\"\n#include <vector>\n\n#include \"src/high/High.h\"\n");
    EXPECT_EQ(
        check("src/high: src/low\nsrc/low:\n"),
        (std::vector<std::string>{"src/low/Low.cpp:4: includes \"src/high/High.h\": src/low may not include "
                                  "src/high (tools/layers.txt)"}));
}

TEST_F(LayerTreeTest, UnlistedFoldersStrayHeadersAndTableFaultsAreReported) {
    write("src/a/A.cpp", "#include \"Missing.h\"\n#include \"Beside.h\"\n");
    write("src/a/Beside.h", "#pragma once\n");
    write("src/extra/E.cpp", "\n");
    const std::vector<std::string> found = check("src/a: src/b\nsrc/b: src/a\n");
    EXPECT_EQ(found, (std::vector<std::string>{
                         "tools/layers.txt:0: the table has a cycle: src/a -> src/b -> src/a",
                         "src/a/A.cpp:1: includes \"Missing.h\", which names no folder",
                         "src/extra/E.cpp:0: its folder src/extra is not in tools/layers.txt"}));
}

} // namespace
} // namespace tools::layers
