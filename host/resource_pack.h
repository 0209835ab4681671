// The resource pack that a Linux gauge module carries in its .qx_resources section: the same
// resources that windres puts into a Windows module, in a simple layout. All numbers are
// little-endian 32-bit words.
//
//   magic "QXRES001" (8 bytes), entry count
//   per entry: type, id, language, offset of the data from the start of the pack, size
//   the data
//
// A bitmap's data is its device-independent bitmap, as a Windows resource stores it: the file
// without its 14-byte file header.
#pragma once

#include <cstdint>

namespace resource_pack {

constexpr char magic[8] = {'Q', 'X', 'R', 'E', 'S', '0', '0', '1'};
constexpr std::uint32_t header_size = 12;
constexpr std::uint32_t entry_size = 20;
constexpr std::uint32_t type_bitmap = 2;
constexpr const char* section_name = ".qx_resources";

} // namespace resource_pack
