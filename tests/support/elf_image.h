// A minimal ELF file with one extra section, for the tests that look for the version resource.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qn::test {

// An ELF file of class A64 (else 32-bit) and big (else little) byte order whose section ASection
// holds AData; the section-name table is its only other section.
std::vector<std::uint8_t> MakeElf(bool A64, bool ABig, const std::string& ASection,
                                  const std::vector<std::uint8_t>& AData);

} // namespace qn::test
