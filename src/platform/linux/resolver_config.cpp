// The name servers and search domain, from the resolver's file and a link manager's state files.
#include "platform/linux/resolver_config.h"

#include "platform/linux/ip_helper_linux.h"

#include <algorithm>
#include <arpa/inet.h>
#include <fstream>
#include <string_view>
#include <sys/stat.h>

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

// The servers a link-management daemon configured for one link, from its state files.
void ReadLinkServers(std::uint32_t AIndex, std::vector<std::uint32_t>& AServers, std::string& ADomain)
{
    const std::string index = std::to_string(AIndex);
    const std::pair<std::string, std::string_view> sources[] = {
        {"/run/systemd/resolve/netif/" + index, "SERVERS="},
        {"/run/systemd/netif/links/" + index, "DNS="},
    };
    for (const auto& [path, key] : sources) {
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
    // Without a link manager's state folders there is nothing to open per link.
    struct stat folder;
    if (stat("/run/systemd/resolve/netif", &folder) == 0 || stat("/run/systemd/netif/links", &folder) == 0)
        for (std::size_t i = 0; i < ALinks.size(); ++i)
            ReadLinkServers(ALinks[i].Index, result[i].Servers, result[i].Suffix);
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
