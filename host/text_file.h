// Writing output files whole: a file is either written completely or not at all.
#pragma once

#include <filesystem>
#include <string_view>

namespace host {

// Writes `content` to a temporary file beside `path` and renames it into place. Throws
// UsageError naming the file when it cannot be written.
void write_file_whole(const std::filesystem::path& path, std::string_view content);

} // namespace host
