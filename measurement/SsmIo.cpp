#include "SsmIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace ssm {

bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out, std::string& error) {
    out.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = std::strerror(EISDIR);
        return false;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    std::uint8_t chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
        out.insert(out.end(), chunk, chunk + n);
        if (n < sizeof chunk)
            break;
    }
    if (std::ferror(f.get())) {
        error = std::strerror(errno);
        out.clear();
        return false;
    }
    return true;
}

} // namespace ssm
