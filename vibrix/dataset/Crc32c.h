#pragma once
// CRC-32C (Castagnoli polynomial, reflected, initial and final value 0xFFFFFFFF); the
// processor's crc32 instruction is used where there is one.

#include <cstddef>
#include <cstdint>

namespace vxds {

class Crc32c {
public:
    void update(const void* data, std::size_t size);
    std::uint32_t value() const { return ~state_; }

private:
    std::uint32_t state_ = 0xFFFFFFFFu;
};

std::uint32_t crc32c(const void* data, std::size_t size);

} // namespace vxds
