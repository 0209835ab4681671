#include "text_file.h"
#include "errors.h"

#include <fstream>
#include <system_error>

namespace host {

void write_file_whole(const std::filesystem::path& path, std::string_view content) {
    std::filesystem::path partial = path;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            throw UsageError("cannot write " + path.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::filesystem::remove(partial, error);
        throw UsageError("cannot write " + path.string() + ": " + error.message());
    }
}

} // namespace host
