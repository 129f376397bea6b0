#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace bench {

// The nearest-rank percentile (0 < p <= 100): the smallest sample that at
// least p per cent of the samples do not exceed. Never interpolates, so the
// result is always a time that was actually measured. NaN for no samples.
inline double percentile(std::vector<double> samples, double p)
{
    if (samples.empty())
        return std::nan("");
    const auto n = samples.size();
    auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(n)));
    rank = std::clamp<std::size_t>(rank, 1, n);
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(rank - 1),
                     samples.end());
    return samples[rank - 1];
}

} // namespace bench
