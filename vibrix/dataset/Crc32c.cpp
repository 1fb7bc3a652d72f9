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
// Large buffers run three independent crc32 chains side by side (the instruction's latency
// is three times its throughput) and join them by shifting a chain's register over the
// bytes that followed it, which is linear and table-driven.
constexpr std::size_t kStride = 8192;

using ShiftTable = std::array<std::array<std::uint32_t, 256>, 4>;

ShiftTable makeShiftTable() {
    std::uint32_t basis[32];
    const std::uint8_t zeros[kStride] = {};
    for (int b = 0; b < 32; ++b)
        basis[b] = updateTable(1u << b, zeros, kStride);
    ShiftTable t{};
    for (int k = 0; k < 4; ++k)
        for (std::uint32_t v = 0; v < 256; ++v)
            for (int bit = 0; bit < 8; ++bit)
                if (v & (1u << bit))
                    t[k][v] ^= basis[8 * k + bit];
    return t;
}

std::uint32_t shiftOverStride(std::uint32_t crc) {
    static const ShiftTable t = makeShiftTable();
    return t[0][crc & 0xFF] ^ t[1][(crc >> 8) & 0xFF] ^ t[2][(crc >> 16) & 0xFF] ^ t[3][crc >> 24];
}

__attribute__((target("sse4.2"))) std::uint64_t word(const std::uint8_t* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

__attribute__((target("sse4.2"))) std::uint32_t updateHardware(std::uint32_t crc, const std::uint8_t* p,
                                                               std::size_t n) {
    for (; n >= 3 * kStride; n -= 3 * kStride, p += 3 * kStride) {
        std::uint64_t c0 = crc, c1 = 0, c2 = 0;
        for (std::size_t i = 0; i < kStride; i += 8) {
            c0 = __builtin_ia32_crc32di(c0, word(p + i));
            c1 = __builtin_ia32_crc32di(c1, word(p + kStride + i));
            c2 = __builtin_ia32_crc32di(c2, word(p + 2 * kStride + i));
        }
        crc = shiftOverStride(shiftOverStride(std::uint32_t(c0)) ^ std::uint32_t(c1)) ^ std::uint32_t(c2);
    }
    std::uint64_t c = crc;
    for (; n >= 8; n -= 8, p += 8)
        c = __builtin_ia32_crc32di(c, word(p));
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
