// The layering check: one table (tools/layers.txt) says which folders each source folder may
// include, and every `#include "..."` of the checked folders must follow it. The table itself
// must have no cycle, so the arrows between folders point one way.
//
// Table lines: `folder: entry entry ...`; an indented line adds entries to the folder above it;
// `#` starts a comment. An entry is a folder, a single header (a path ending in .h, for the few
// headers a folder lends to the ones below it; a loan is no arrow between the folders), `dir/**`
// (dir and every folder below it) or `**` (everything). A file always includes its own folder.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tools::layers {

// The top folders whose files are checked.
inline const std::vector<std::string> kCheckedFolders = {
    "runtime", "platform", "profile", "game", "installer", "app", "tools", "bench", "fuzz"};

struct Table {
    std::map<std::string, std::vector<std::string>> allowed; // folder -> entries
    std::vector<std::string> problems;                       // lines that could not be read
};

// One include that breaks the table, or a table fault (line 0 names the table).
struct Violation {
    std::string file;
    int line = 0;
    std::string message;
};

// Reads the table text; malformed lines are listed in problems.
Table parseTable(const std::string& text);

// The folders of a cycle in the table ("a -> b -> a"), or empty when there is none.
std::vector<std::string> findCycle(const Table& table);

// True when a file in `from` may include `header` (a path from the tree root).
bool mayInclude(const Table& table, const std::string& from, const std::string& header);

// Checks every .h/.cpp below the given top folders of root against the table (and the table
// for cycles); returns what breaks it, one entry per include.
std::vector<Violation> checkTree(const std::filesystem::path& root, const Table& table,
                                 const std::vector<std::string>& topFolders);

// "file:line: message" for the report.
std::string describe(const Violation& violation);

} // namespace tools::layers
