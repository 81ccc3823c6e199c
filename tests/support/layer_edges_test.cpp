// The layer edges that README lists are the ones the sources include and the libraries link.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
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

// The folders directly under AFolder.
std::set<std::string> Folders(const fs::path& AFolder)
{
    std::set<std::string> folders;
    for (const auto& entry : fs::directory_iterator(AFolder))
        if (entry.is_directory())
            folders.insert(entry.path().filename().string());
    return folders;
}

std::set<std::string> Layers()
{
    return Folders(Root / "src");
}

// "app         → mainwindow, watcher" lines of README's fenced block after AHeading. A layer that
// has more than one line goes to ATwice: a reader takes the first line for the whole list.
TEdges ReadmeEdges(const std::set<std::string>& ALayers, const std::string& AHeading = "these are all the edges",
                   std::set<std::string>* ATwice = nullptr)
{
    const std::string text = ReadFile(Root / "README.md");
    const std::size_t start = text.find(AHeading);
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
        if (ATwice && edges.count(layer))
            ATwice->insert(layer);
        std::set<std::string>& to = edges[layer];
        const std::regex word("[a-z_]+");
        const std::string rest = line.substr(a + arrow.size());
        for (auto it = std::sregex_iterator(rest.begin(), rest.end(), word); it != std::sregex_iterator(); ++it)
            if (ALayers.count(it->str()) && it->str() != layer)
                to.insert(it->str());
    }
    return edges;
}

// The includes of each folder of ALayers under AFolder that name another one through APrefix.
TEdges IncludeEdges(const std::set<std::string>& ALayers, const fs::path& AFolder = Root / "src",
                    const std::string& APrefix = "")
{
    TEdges edges;
    const std::regex include("#\\s*include\\s*\"" + APrefix + "([a-z_]+)/");
    for (const std::string& layer : ALayers) {
        edges[layer];
        for (const auto& entry : fs::recursive_directory_iterator(AFolder / layer)) {
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

// A folder of AEdges that reaches itself again, or empty when the edges run one way.
std::string FindCircle(const TEdges& AEdges)
{
    std::map<std::string, int> state; // 1 on the current path, 2 done
    std::function<std::string(const std::string&)> visit = [&](const std::string& AFrom) -> std::string {
        state[AFrom] = 1;
        if (const auto it = AEdges.find(AFrom); it != AEdges.end())
            for (const std::string& to : it->second) {
                if (state[to] == 1)
                    return to;
                if (state[to] == 0)
                    if (std::string circle = visit(to); !circle.empty())
                        return circle;
            }
        state[AFrom] = 2;
        return {};
    };
    for (const auto& [from, to] : AEdges)
        if (state[from] == 0)
            if (std::string circle = visit(from); !circle.empty())
                return circle;
    return {};
}

TEST(LayerEdges, ReadmeListsExactlyTheIncludedLayersAndEveryLinkedOne)
{
    if (!fs::exists(Root / "README.md") || !fs::exists(Root / "src"))
        GTEST_SKIP() << "no source tree at " << Root.string();
    const std::set<std::string> layers = Layers();
    std::set<std::string> twice;
    TEdges readme = ReadmeEdges(layers, "these are all the edges", &twice);
    ASSERT_FALSE(readme.empty()) << "README has no edge list";
    EXPECT_TRUE(twice.empty()) << "README lists the edges of " << *twice.begin() << " on more than one line";
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
    EXPECT_EQ(FindCircle(readme), "") << "README's layers include in a circle";
}

// The main window's folders are parts of one layer; they include one way too, as README lists them.
TEST(LayerEdges, TheMainWindowsFoldersIncludeOneWayAsReadmeListsThem)
{
    const fs::path mainWindow = Root / "src" / "mainwindow";
    if (!fs::exists(Root / "README.md") || !fs::exists(mainWindow))
        GTEST_SKIP() << "no source tree at " << Root.string();
    const std::set<std::string> folders = Folders(mainWindow);
    ASSERT_FALSE(folders.empty());
    for (const auto& entry : fs::directory_iterator(mainWindow))
        EXPECT_FALSE(entry.path().extension() == ".h" || entry.path().extension() == ".cpp")
            << entry.path().filename().string() << " belongs in one of the folders";
    TEdges readme = ReadmeEdges(folders, "the main window's folders include one way");
    ASSERT_FALSE(readme.empty()) << "README has no list of the main window's folders";
    for (const std::string& folder : folders)
        readme[folder];
    const TEdges included = IncludeEdges(folders, mainWindow, "mainwindow/");
    EXPECT_EQ(Describe(readme), Describe(included));
    EXPECT_EQ(FindCircle(included), "") << "the main window's folders include in a circle";
}

// A newcomer finds every unit of the main window in the table of where a change goes.
TEST(LayerEdges, TheArchitectureNamesEveryUnitOfTheMainWindow)
{
    const fs::path mainWindow = Root / "src" / "mainwindow";
    if (!fs::exists(Root / "docs" / "ARCHITECTURE.md") || !fs::exists(mainWindow))
        GTEST_SKIP() << "no source tree at " << Root.string();
    const std::string text = ReadFile(Root / "docs" / "ARCHITECTURE.md");
    for (const auto& entry : fs::recursive_directory_iterator(mainWindow)) {
        if (entry.path().extension() != ".h")
            continue;
        const std::string unit = fs::relative(entry.path(), Root / "src").replace_extension().generic_string();
        EXPECT_NE(text.find("`" + unit + "."), std::string::npos) << unit << " is not named";
    }
}

} // namespace
