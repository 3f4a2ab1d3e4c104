// The layering check (see LayerCheck.h).
#include "tools/layers/LayerCheck.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

namespace tools::layers {

namespace {

constexpr const char* kTableName = "tools/layers.txt";

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool isHeaderEntry(const std::string& entry) {
    return entry.size() > 2 && entry.compare(entry.size() - 2, 2, ".h") == 0;
}

// True when folder is named by a folder entry (not a single header).
bool folderMatches(const std::string& entry, const std::string& folder) {
    if (entry == "**") {
        return true;
    }
    if (entry.size() > 3 && entry.compare(entry.size() - 3, 3, "/**") == 0) {
        const std::string base = entry.substr(0, entry.size() - 3);
        return folder == base || folder.rfind(base + "/", 0) == 0;
    }
    return entry == folder;
}

// The `#include "..."` target on this line, or empty.
std::string includeTarget(const std::string& line) {
    const std::string text = trim(line);
    if (text.rfind("#include", 0) != 0) {
        return {};
    }
    const auto open = text.find('"');
    if (open == std::string::npos) {
        return {};
    }
    const auto close = text.find('"', open + 1);
    return close == std::string::npos ? std::string() : text.substr(open + 1, close - open - 1);
}

} // namespace

Table parseTable(const std::string& text) {
    Table table;
    std::istringstream lines(text);
    std::string line;
    std::string current; // the folder an indented line continues
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const auto hash = line.find('#');
        const std::string raw = hash == std::string::npos ? line : line.substr(0, hash);
        const std::string content = trim(raw);
        if (content.empty()) {
            continue;
        }
        std::string entriesText;
        if (raw[0] == ' ' || raw[0] == '\t') {
            if (current.empty()) {
                table.problems.push_back("line " + std::to_string(number) + " continues no folder");
                continue;
            }
            entriesText = content;
        } else {
            const auto colon = content.find(':');
            const std::string folder =
                colon == std::string::npos ? std::string() : trim(content.substr(0, colon));
            current.clear();
            if (folder.empty() || folder.find(' ') != std::string::npos) {
                table.problems.push_back("line " + std::to_string(number) + " is not `folder: entries`");
                continue;
            }
            if (table.allowed.count(folder) != 0) {
                table.problems.push_back("line " + std::to_string(number) + " lists " + folder +
                                         " a second time");
                continue;
            }
            table.allowed[folder];
            current = folder;
            entriesText = content.substr(colon + 1);
        }
        std::istringstream words(entriesText);
        std::string word;
        while (words >> word) {
            table.allowed[current].push_back(word);
        }
    }
    return table;
}

std::vector<std::string> findCycle(const Table& table) {
    // The edges between the table's own folders. A single header is a loan, not an edge: the
    // folder that lends it may still use the folders below it.
    std::map<std::string, std::vector<std::string>> edges;
    for (const auto& [folder, entries] : table.allowed) {
        for (const auto& [other, unused] : table.allowed) {
            (void)unused;
            if (other == folder) {
                continue;
            }
            const bool reaches = std::any_of(entries.begin(), entries.end(), [&](const std::string& entry) {
                return !isHeaderEntry(entry) && folderMatches(entry, other);
            });
            if (reaches) {
                edges[folder].push_back(other);
            }
        }
    }
    std::map<std::string, int> state; // 0 unseen, 1 on the path, 2 done
    std::vector<std::string> path;
    std::vector<std::string> cycle;
    std::function<bool(const std::string&)> visit = [&](const std::string& folder) {
        state[folder] = 1;
        path.push_back(folder);
        for (const std::string& next : edges[folder]) {
            if (state[next] == 1) {
                const auto start = std::find(path.begin(), path.end(), next);
                cycle.assign(start, path.end());
                cycle.push_back(next);
                return true;
            }
            if (state[next] == 0 && visit(next)) {
                return true;
            }
        }
        path.pop_back();
        state[folder] = 2;
        return false;
    };
    for (const auto& [folder, entries] : table.allowed) {
        (void)entries;
        if (state[folder] == 0 && visit(folder)) {
            return cycle;
        }
    }
    return {};
}

bool mayInclude(const Table& table, const std::string& from, const std::string& header) {
    const std::string target = folderOf(header);
    if (target == from) {
        return true;
    }
    const auto rules = table.allowed.find(from);
    if (rules == table.allowed.end()) {
        return false;
    }
    return std::any_of(rules->second.begin(), rules->second.end(), [&](const std::string& entry) {
        return isHeaderEntry(entry) ? entry == header : folderMatches(entry, target);
    });
}

std::vector<Violation> checkTree(const std::filesystem::path& root, const Table& table,
                                 const std::vector<std::string>& topFolders) {
    std::vector<Violation> found;
    for (const std::string& problem : table.problems) {
        found.push_back({kTableName, 0, problem});
    }
    if (const std::vector<std::string> cycle = findCycle(table); !cycle.empty()) {
        std::string chain;
        for (const std::string& folder : cycle) {
            chain += (chain.empty() ? "" : " -> ") + folder;
        }
        found.push_back({kTableName, 0, "the table has a cycle: " + chain});
    }
    std::vector<std::string> files;
    for (const std::string& top : topFolders) {
        const std::filesystem::path base = root / top;
        if (!std::filesystem::is_directory(base)) {
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
            const std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp")) {
                files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    std::set<std::string> unlisted;
    for (const std::string& file : files) {
        const std::string from = folderOf(file);
        if (table.allowed.count(from) == 0) {
            if (unlisted.insert(from).second) {
                found.push_back({file, 0, "its folder " + from + " is not in " + kTableName});
            }
            continue;
        }
        std::ifstream in(root / file);
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            const std::string header = includeTarget(line);
            if (header.empty()) {
                continue;
            }
            if (header.find('/') == std::string::npos) {
                // A header beside the file is its own folder's.
                if (!std::filesystem::exists(root / from / header)) {
                    found.push_back({file, number, "includes \"" + header + "\", which names no folder"});
                }
                continue;
            }
            if (!mayInclude(table, from, header)) {
                found.push_back({file, number,
                                 "includes \"" + header + "\": " + from + " may not include " +
                                     folderOf(header) + " (" + kTableName + ")"});
            }
        }
    }
    return found;
}

std::string describe(const Violation& violation) {
    return violation.file + ":" + std::to_string(violation.line) + ": " + violation.message;
}

} // namespace tools::layers
