#include "Crc32c.h"

#include <array>
#include <cstring>

namespace vxds {

namespace {

constexpr std::uint32_t kPolynomial = 0x82F63B78u;

constexpr std::array<std::uint32_t, 256> makeTable() {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ kPolynomial : c >> 1;
        t[i] = c;
    }
    return t;
}

constexpr auto kTable = makeTable();

std::uint32_t updateTable(std::uint32_t crc, const std::uint8_t* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        crc = kTable[(crc ^ p[i]) & 0xFFu] ^ (crc >> 8);
    return crc;
}

#if defined(__x86_64__)
__attribute__((target("sse4.2"))) std::uint32_t updateHardware(std::uint32_t crc, const std::uint8_t* p,
                                                               std::size_t n) {
    std::uint64_t c = crc;
    for (; n >= 8; n -= 8, p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        c = __builtin_ia32_crc32di(c, word);
    }
    std::uint32_t c32 = std::uint32_t(c);
    for (; n > 0; --n, ++p)
        c32 = __builtin_ia32_crc32qi(c32, *p);
    return c32;
}

bool hasHardware() {
    static const bool has = __builtin_cpu_supports("sse4.2");
    return has;
}
#endif

} // namespace

void Crc32c::update(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
#if defined(__x86_64__)
    if (hasHardware()) {
        state_ = updateHardware(state_, p, size);
        return;
    }
#endif
    state_ = updateTable(state_, p, size);
}

std::uint32_t crc32c(const void* data, std::size_t size) {
    Crc32c c;
    c.update(data, size);
    return c.value();
}

} // namespace vxds
