#include "controls/ThumbShape.h"

std::uint32_t ComposeOverBlack(std::uint32_t argb) {
    std::uint32_t a = argb >> 24;
    auto channel = [&](int shift) { return (((argb >> shift) & 0xFF) * a + 127) / 255; };
    return (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

std::vector<PixelRun> ThumbRuns(std::span<const std::uint32_t> argb, int width, int height) {
    std::vector<PixelRun> runs;
    if (width <= 0 || height <= 0 || argb.size() < std::size_t(width) * std::size_t(height)) return runs;
    const std::uint32_t key = ComposeOverBlack(argb[0]);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = argb.data() + std::size_t(y) * width;
        int x = 0;
        while (x < width) {
            while (x < width && ComposeOverBlack(row[x]) == key) ++x;
            int start = x;
            while (x < width && ComposeOverBlack(row[x]) != key) ++x;
            if (x > start) runs.push_back({y, start, x});
        }
    }
    return runs;
}
