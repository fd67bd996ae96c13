// The floors of the house: platform → draw → runtime → game, each including only the layers
// below it, backends that never include each other (but may stand on the Linux pieces of
// platform/linux, which include no backend), and no file that includes itself through others. The
// check reads the tree's quoted includes; it is tried on a tree with wrong includes planted in it,
// so that it is known to catch them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Where a file stands: "platform" for the platform's interface, "platform/<backend>" for a
// backend, "draw", "runtime", "game", "assets", or "" for what sits on top (tests, tools...).
std::string layerOf(const std::string& path) {
    const auto slash = path.find('/');
    const std::string folder = path.substr(0, slash);
    if (folder == "platform") {
        const auto second = path.find('/', slash + 1);
        return second == std::string::npos ? folder : path.substr(0, second);
    }
    for (const char* layer : {"draw", "runtime", "game", "assets"}) {
        if (folder == layer)
            return folder;
    }
    return "";
}

// Whether a file of one layer may include a given file.
bool mayInclude(const std::string& fromLayer, const std::string& target) {
    const std::string to = layerOf(target);
    if (fromLayer.empty() || to == fromLayer)
        return true;
    if (fromLayer == "game")  // the game sees the runtime's public header only
        return target == "runtime/graph.h";
    const std::map<std::string, std::set<std::string>> below = {
        {"platform", {}},
        {"draw", {"platform"}},
        {"runtime", {"platform", "draw", "assets"}},
    };
    // A backend stands on the platform's interface and on what the Linux window systems share,
    // and sees no other backend.
    const std::string floor = fromLayer.starts_with("platform/") ? "platform" : fromLayer;
    if (floor != fromLayer && (to == "platform" || to == "platform/linux"))
        return true;
    const auto allowed = below.find(floor);
    return allowed != below.end() && allowed->second.contains(to);
}

// The quoted includes of every C++ file of the tree that name a file of the tree.
using IncludeGraph = std::map<std::string, std::vector<std::string>>;

// The path a line's quoted include names, or "" for any other line.
std::string quotedInclude(const std::string& line) {
    const auto hash = line.find_first_not_of(" \t");
    if (hash == std::string::npos || line[hash] != '#')
        return "";
    const auto word = line.find_first_not_of(" \t", hash + 1);
    if (word == std::string::npos || line.compare(word, 7, "include") != 0)
        return "";
    const auto open = line.find_first_not_of(" \t", word + 7);
    if (open == std::string::npos || line[open] != '"')
        return "";
    const auto close = line.find('"', open + 1);
    return close == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
}

IncludeGraph readIncludes(const fs::path& root) {
    IncludeGraph graph;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
            continue;
        const std::string path = fs::relative(entry.path(), root).generic_string();
        if (path.starts_with("build") || path.starts_with("."))
            continue;
        std::vector<std::string>& targets = graph[path];
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            const std::string target = quotedInclude(line);
            if (!target.empty() && fs::exists(root / target))
                targets.push_back(target);
        }
    }
    return graph;
}

// "a includes b" for every include that runs the wrong way.
std::vector<std::string> wrongIncludes(const IncludeGraph& graph) {
    std::vector<std::string> wrong;
    for (const auto& [file, targets] : graph) {
        for (const std::string& target : targets) {
            if (!mayInclude(layerOf(file), target))
                wrong.push_back(file + " includes " + target);
        }
    }
    return wrong;
}

// One include cycle as "a -> b -> a", or "" when there is none.
std::string firstCycle(const IncludeGraph& graph) {
    enum class Mark { Unseen, OnPath, Done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> path;
    std::string cycle;
    const auto visit = [&](const auto& self, const std::string& file) -> void {
        marks[file] = Mark::OnPath;
        path.push_back(file);
        if (const auto found = graph.find(file); found != graph.end()) {
            for (const std::string& next : found->second) {
                if (!cycle.empty())
                    break;
                if (marks[next] == Mark::OnPath) {
                    const auto start = std::find(path.begin(), path.end(), next);
                    for (auto it = start; it != path.end(); ++it)
                        cycle += *it + " -> ";
                    cycle += next;
                } else if (marks[next] == Mark::Unseen) {
                    self(self, next);
                }
            }
        }
        path.pop_back();
        marks[file] = Mark::Done;
    };
    for (const auto& [file, targets] : graph) {
        if (cycle.empty() && marks[file] == Mark::Unseen)
            visit(visit, file);
    }
    return cycle;
}

TEST(Layers, EveryIncludeRunsDownAndNoneRunsInACircle) {
    const IncludeGraph graph = readIncludes(TRIVANTA_SOURCE_DIR);
    ASSERT_GT(graph.size(), 100u);
    EXPECT_EQ(wrongIncludes(graph), std::vector<std::string>{});
    EXPECT_EQ(firstCycle(graph), "");
}

// A small tree with one wrong include of each kind.
class PlantedTree : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("trivanta-layers-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::remove_all(root_);
        plant("platform/backend.h", {});
        plant("platform/x11/window.h",
              {"platform/backend.h", "platform/headless/window.h", "platform/linux/pump.h"});
        plant("platform/linux/pump.h", {"platform/backend.h", "platform/x11/events.h"});
        plant("platform/x11/events.h", {});
        plant("platform/headless/window.h", {"platform/backend.h"});
        plant("draw/image.h", {"platform/backend.h", "runtime/graph.h"});
        plant("runtime/graph.h", {"draw/image.h", "platform/x11/window.h"});
        plant("runtime/state.h", {"runtime/graph.h"});
        plant("game/play.cpp", {"runtime/graph.h", "runtime/state.h"});
        plant("tests/any_test.cpp", {"runtime/state.h", "platform/x11/window.h"});
    }
    void TearDown() override { fs::remove_all(root_); }

    void plant(const std::string& path, const std::vector<std::string>& includes) {
        fs::create_directories((root_ / path).parent_path());
        std::ofstream out(root_ / path);
        for (const std::string& include : includes)
            out << "#include \"" << include << "\"\n";
    }

    fs::path root_;
};

TEST_F(PlantedTree, TheCheckFindsEveryWrongIncludeAndTheCircle) {
    const IncludeGraph graph = readIncludes(root_);
    EXPECT_EQ(wrongIncludes(graph), (std::vector<std::string>{
                                        "draw/image.h includes runtime/graph.h",
                                        "game/play.cpp includes runtime/state.h",
                                        "platform/linux/pump.h includes platform/x11/events.h",
                                        "platform/x11/window.h includes platform/headless/window.h",
                                        "runtime/graph.h includes platform/x11/window.h",
                                    }));
    EXPECT_EQ(firstCycle(graph), "draw/image.h -> runtime/graph.h -> draw/image.h");
}

}  // namespace
