#include "FileHead.h"

#include <cstdio>
#include <memory>

#include "SsmFile.h"

bool readFileHead(tTrc__File_identifier& id) {
    const std::filesystem::path path = id.path();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f)
        return false;
    std::vector<std::uint8_t> head(ssm::kHeaderSize);
    head.resize(std::fread(head.data(), 1, head.size(), f.get()));
    const std::uint64_t size = std::filesystem::file_size(path, ec);
    id.fileSize = ec ? head.size() : size;
    id.magic.fill(0);
    std::copy_n(head.begin(), std::min(head.size(), id.magic.size()), id.magic.begin());
    id.header = std::move(head);
    id.headerSize = std::uint16_t(id.header.size());
    return true;
}
