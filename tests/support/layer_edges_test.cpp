// The layer edges that README lists are the ones the sources include and the libraries link.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using TEdges = std::map<std::string, std::set<std::string>>;

const fs::path Root = fs::path(QN_TEST_SOURCE_DIR).parent_path();

std::string ReadFile(const fs::path& APath)
{
    std::ifstream in(APath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> Layers()
{
    std::set<std::string> layers;
    for (const auto& entry : fs::directory_iterator(Root / "src"))
        if (entry.is_directory())
            layers.insert(entry.path().filename().string());
    return layers;
}

// "app         → mainwindow, watcher" lines of README's fenced block after "these are all the edges".
TEdges ReadmeEdges(const std::set<std::string>& ALayers)
{
    const std::string text = ReadFile(Root / "README.md");
    const std::size_t start = text.find("these are all the edges");
    TEdges edges;
    if (start == std::string::npos)
        return edges;
    const std::size_t open = text.find("```", start);
    const std::size_t close = text.find("```", open + 3);
    std::istringstream block(text.substr(open + 3, close - open - 3));
    const std::string arrow = "\xE2\x86\x92";
    for (std::string line; std::getline(block, line);) {
        const std::size_t a = line.find(arrow);
        if (a == std::string::npos)
            continue;
        std::istringstream from(line.substr(0, a));
        std::string layer;
        from >> layer;
        std::set<std::string>& to = edges[layer];
        const std::regex word("[a-z]+");
        const std::string rest = line.substr(a + arrow.size());
        for (auto it = std::sregex_iterator(rest.begin(), rest.end(), word); it != std::sregex_iterator(); ++it)
            if (ALayers.count(it->str()) && it->str() != layer)
                to.insert(it->str());
    }
    return edges;
}

TEdges IncludeEdges(const std::set<std::string>& ALayers)
{
    TEdges edges;
    const std::regex include(R"(#\s*include\s*"([a-z]+)/)");
    for (const std::string& layer : ALayers) {
        edges[layer];
        for (const auto& entry : fs::recursive_directory_iterator(Root / "src" / layer)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp")
                continue;
            const std::string text = ReadFile(entry.path());
            for (auto it = std::sregex_iterator(text.begin(), text.end(), include); it != std::sregex_iterator(); ++it)
                if (ALayers.count((*it)[1].str()) && (*it)[1].str() != layer)
                    edges[layer].insert((*it)[1].str());
        }
    }
    return edges;
}

// The qn_<layer> libraries named after DEPS in each layer's CMakeLists.txt.
TEdges LinkEdges(const std::set<std::string>& ALayers)
{
    TEdges edges;
    const std::regex deps(R"(DEPS([^)]*)\))");
    const std::regex library(R"(\bqn_([a-z]+))");
    for (const std::string& layer : ALayers) {
        edges[layer];
        const std::string text = ReadFile(Root / "src" / layer / "CMakeLists.txt");
        for (auto d = std::sregex_iterator(text.begin(), text.end(), deps); d != std::sregex_iterator(); ++d) {
            const std::string names = (*d)[1].str();
            for (auto it = std::sregex_iterator(names.begin(), names.end(), library); it != std::sregex_iterator();
                 ++it)
                if (ALayers.count((*it)[1].str()) && (*it)[1].str() != layer)
                    edges[layer].insert((*it)[1].str());
        }
    }
    return edges;
}

std::string Describe(const TEdges& AEdges)
{
    std::string text;
    for (const auto& [from, to] : AEdges) {
        text += from + " ->";
        for (const std::string& layer : to)
            text += " " + layer;
        text += "\n";
    }
    return text;
}

TEST(LayerEdges, ReadmeListsExactlyTheIncludedLayersAndEveryLinkedOne)
{
    if (!fs::exists(Root / "README.md") || !fs::exists(Root / "src"))
        GTEST_SKIP() << "no source tree at " << Root.string();
    const std::set<std::string> layers = Layers();
    TEdges readme = ReadmeEdges(layers);
    ASSERT_FALSE(readme.empty()) << "README has no edge list";
    for (const std::string& layer : layers)
        readme[layer];
    EXPECT_EQ(Describe(readme), Describe(IncludeEdges(layers)));
    // A library may reach a layer through another one's link line, but never link one that README
    // does not list.
    TEdges linked = LinkEdges(layers);
    for (auto& [from, to] : linked)
        std::erase_if(to, [&, &from = from](const std::string& ALayer) { return readme[from].count(ALayer) != 0; });
    for (const auto& [from, to] : linked)
        EXPECT_TRUE(to.empty()) << from << " links layers README does not list:\n" << Describe({{from, to}});
}

} // namespace
