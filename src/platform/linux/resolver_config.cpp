// The name servers and search domain, from the resolver's file and a link manager's state files.
#include "platform/linux/resolver_config.h"

#include "platform/linux/ip_helper_linux.h"

#include <algorithm>
#include <arpa/inet.h>
#include <dirent.h>
#include <fstream>
#include <string_view>
#include <unordered_set>

namespace qn::linux_ip {

namespace {

// Takes the leading IPv4 address of a word such as "192.0.2.1", "192.0.2.1:53" or "192.0.2.1%eth0#name".
bool ParseServer(std::string_view AWord, std::uint32_t& AAddress)
{
    const std::size_t end = AWord.find_first_of(":%#");
    const std::string text(AWord.substr(0, end));
    in_addr address{};
    if (inet_pton(AF_INET, text.c_str(), &address) != 1)
        return false;
    AAddress = address.s_addr;
    return true;
}

std::vector<std::string_view> Words(std::string_view ALine)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < ALine.size()) {
        while (i < ALine.size() && (ALine[i] == ' ' || ALine[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < ALine.size() && ALine[i] != ' ' && ALine[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(ALine.substr(start, i - start));
    }
    return words;
}

// The names in a folder; empty when it cannot be read.
std::unordered_set<std::string> FolderEntries(const char* APath)
{
    std::unordered_set<std::string> names;
    if (DIR* folder = opendir(APath)) {
        while (const dirent* entry = readdir(folder))
            names.insert(entry->d_name);
        closedir(folder);
    }
    return names;
}

// The state files of a link-management daemon, listed once per call of LinkDnsServers so that
// links without a file cost no open.
struct TStateFolders
{
    std::unordered_set<std::string> Resolve = FolderEntries("/run/systemd/resolve/netif");
    std::unordered_set<std::string> Links = FolderEntries("/run/systemd/netif/links");
};

// The servers a link-management daemon configured for one link, from its state files.
void ReadLinkServers(const TStateFolders& AFolders, std::uint32_t AIndex, std::vector<std::uint32_t>& AServers,
                     std::string& ADomain)
{
    const std::string index = std::to_string(AIndex);
    const std::pair<std::string, std::string_view> sources[] = {
        {AFolders.Resolve.count(index) ? "/run/systemd/resolve/netif/" + index : std::string(), "SERVERS="},
        {AFolders.Links.count(index) ? "/run/systemd/netif/links/" + index : std::string(), "DNS="},
    };
    for (const auto& [path, key] : sources) {
        if (path.empty())
            continue;
        std::ifstream file(path);
        std::string line;
        while (std::getline(file, line)) {
            if (line.starts_with(key)) {
                for (std::string_view word : Words(std::string_view(line).substr(key.size()))) {
                    std::uint32_t address = 0;
                    if (ParseServer(word, address) &&
                        std::find(AServers.begin(), AServers.end(), address) == AServers.end())
                        AServers.push_back(address);
                }
            } else if (line.starts_with("DOMAINS=") && ADomain.empty()) {
                const std::vector<std::string_view> words = Words(std::string_view(line).substr(8));
                if (!words.empty())
                    ADomain = std::string(words[0]);
            }
        }
    }
}

} // namespace

TResolver ReadResolver()
{
    TResolver resolver;
    std::ifstream file("/etc/resolv.conf");
    std::string line;
    while (std::getline(file, line)) {
        const std::vector<std::string_view> words = Words(line);
        if (words.size() < 2 || words[0].starts_with('#') || words[0].starts_with(';'))
            continue;
        std::uint32_t address = 0;
        if (words[0] == "nameserver" && ParseServer(words[1], address)) {
            if (std::find(resolver.Servers.begin(), resolver.Servers.end(), address) == resolver.Servers.end())
                resolver.Servers.push_back(address);
        } else if ((words[0] == "domain" || words[0] == "search") && resolver.Domain.empty()) {
            resolver.Domain = std::string(words[1]);
        }
    }
    return resolver;
}

std::vector<TLinkDns> LinkDnsServers(const std::vector<nl::TLinkInfo>& ALinks)
{
    std::vector<TLinkDns> result(ALinks.size());
    const TStateFolders folders;
    if (!folders.Resolve.empty() || !folders.Links.empty())
        for (std::size_t i = 0; i < ALinks.size(); ++i)
            ReadLinkServers(folders, ALinks[i].Index, result[i].Servers, result[i].Suffix);
    const TResolver resolver = ReadResolver();
    for (std::uint32_t server : resolver.Servers) {
        DWORD index = 0;
        if (GetBestInterface(server, &index) != NO_ERROR)
            continue;
        for (std::size_t i = 0; i < ALinks.size(); ++i) {
            if (ALinks[i].Index != index)
                continue;
            std::vector<std::uint32_t>& servers = result[i].Servers;
            if (std::find(servers.begin(), servers.end(), server) == servers.end())
                servers.push_back(server);
            if (result[i].Suffix.empty())
                result[i].Suffix = resolver.Domain;
        }
    }
    return result;
}

} // namespace qn::linux_ip
