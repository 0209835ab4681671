// Linux: the resource pack in the module file's .qx_resources section, read with libelf.
#include "errors.h"
#include "module_resources.h"
#include "resource_pack.h"

#include <fcntl.h>
#include <gelf.h>
#include <libelf.h>
#include <unistd.h>

#include <cstring>
#include <memory>

namespace host {

namespace {

struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
};

struct ElfDeleter {
    void operator()(Elf* elf) const { elf_end(elf); }
};

std::uint32_t word_at(const std::uint8_t* data, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | data[at + static_cast<std::size_t>(i)];
    }
    return value;
}

// The bytes of the named section, empty when the file has no such section.
std::vector<std::uint8_t> section_bytes(const std::string& file, const char* wanted) {
    if (elf_version(EV_CURRENT) == EV_NONE) {
        throw LoadError(file + ": cannot initialise libelf");
    }
    FileDescriptor descriptor{open(file.c_str(), O_RDONLY | O_CLOEXEC)};
    if (descriptor.fd < 0) {
        throw LoadError(file + ": cannot open the module file: " + std::strerror(errno));
    }
    std::unique_ptr<Elf, ElfDeleter> elf(elf_begin(descriptor.fd, ELF_C_READ, nullptr));
    std::size_t names_index = 0;
    if (!elf || elf_kind(elf.get()) != ELF_K_ELF ||
        elf_getshdrstrndx(elf.get(), &names_index) != 0) {
        throw LoadError(file + ": not a readable ELF file: " + elf_errmsg(-1));
    }
    for (Elf_Scn* section = elf_nextscn(elf.get(), nullptr); section != nullptr;
         section = elf_nextscn(elf.get(), section)) {
        GElf_Shdr header;
        if (gelf_getshdr(section, &header) == nullptr) {
            continue;
        }
        const char* name = elf_strptr(elf.get(), names_index, header.sh_name);
        if (name == nullptr || std::strcmp(name, wanted) != 0) {
            continue;
        }
        Elf_Data* data = elf_getdata(section, nullptr);
        if (data == nullptr || data->d_buf == nullptr) {
            return {};
        }
        const auto* bytes = static_cast<const std::uint8_t*>(data->d_buf);
        return {bytes, bytes + data->d_size};
    }
    return {};
}

} // namespace

std::map<std::int32_t, std::vector<std::uint8_t>> read_bitmap_resources(const GaugeModule& module) {
    const std::string file = module.path().string();
    const std::vector<std::uint8_t> pack = section_bytes(file, resource_pack::section_name);
    std::map<std::int32_t, std::vector<std::uint8_t>> bitmaps;
    if (pack.empty()) {
        return bitmaps;
    }
    const auto fault = [&](const std::string& what) {
        return LoadError(file + ": resource section: " + what);
    };
    if (pack.size() < resource_pack::header_size ||
        std::memcmp(pack.data(), resource_pack::magic, sizeof resource_pack::magic) != 0) {
        throw fault("not a resource pack");
    }
    const std::uint32_t count = word_at(pack.data(), 8);
    if (count > (pack.size() - resource_pack::header_size) / resource_pack::entry_size) {
        throw fault("entry table runs past the end");
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry =
            resource_pack::header_size + std::size_t{i} * resource_pack::entry_size;
        const std::uint32_t type = word_at(pack.data(), entry);
        const std::uint32_t id = word_at(pack.data(), entry + 4);
        const std::uint32_t offset = word_at(pack.data(), entry + 12);
        const std::uint32_t size = word_at(pack.data(), entry + 16);
        if (offset > pack.size() || size > pack.size() - offset) {
            throw fault("resource " + std::to_string(id) + " lies outside the section");
        }
        if (type == resource_pack::type_bitmap) {
            bitmaps[static_cast<std::int32_t>(id)] =
                std::vector<std::uint8_t>(pack.begin() + offset, pack.begin() + offset + size);
        }
    }
    return bitmaps;
}

} // namespace host
