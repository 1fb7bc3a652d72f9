#include "SsmTimeAxis.h"

namespace ssm {

std::vector<std::uint32_t> unwrapTicks(const std::uint8_t* counterBytes, std::size_t n) {
    std::vector<std::uint32_t> ticks(n, 0);
    if (n == 0)
        return ticks;
    TickUnwrapper u(readU16(counterBytes));
    for (std::size_t i = 1; i < n; ++i)
        ticks[i] = u.next(readU16(counterBytes + 2 * i));
    return ticks;
}

} // namespace ssm
