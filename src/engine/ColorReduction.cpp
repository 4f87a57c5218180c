#include "engine/ColorReduction.h"

#include "engine/Palette.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr int kDepth = 8;           // levels below the root: 8 bits of each channel
constexpr int kReservedColors = 20; // the system colours held back

class TOctree {
public:
    explicit TOctree(int maxColors) : maxColors_(std::max(1, maxColors)) {
        nodes_.emplace_back(); // root
        reducible_.fill(-1);
    }

    void Add(uint8_t r, uint8_t g, uint8_t b) {
        int32_t node = 0;
        for (int level = 0;; ++level) {
            Node& n = nodes_[node];
            if (n.Leaf) {
                n.Red += r, n.Green += g, n.Blue += b, ++n.Count;
                break;
            }
            const int shift = 7 - level;
            const int child = (((r >> shift) & 1) << 2) | (((g >> shift) & 1) << 1) | ((b >> shift) & 1);
            if (n.Child[child] < 0) {
                const int32_t created = NewNode(level + 1);
                nodes_[node].Child[child] = created; // NewNode may have moved the vector
            }
            node = nodes_[node].Child[child];
        }
        while (leaves_ > maxColors_) Reduce();
    }

    std::vector<TRGBQuad> Colors() const {
        std::vector<TRGBQuad> out;
        Collect(0, out);
        return out;
    }

private:
    struct Node {
        uint64_t Red = 0, Green = 0, Blue = 0, Count = 0;
        int32_t Child[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
        int32_t NextReducible = -1;
        bool Leaf = false;
    };

    int32_t NewNode(int level) {
        const int32_t index = static_cast<int32_t>(nodes_.size());
        nodes_.emplace_back();
        Node& n = nodes_.back();
        if (level == kDepth) {
            n.Leaf = true;
            ++leaves_;
        } else { // inner nodes can later be folded into one colour
            n.NextReducible = reducible_[level];
            reducible_[level] = index;
        }
        return index;
    }

    // Folds the most recently added node of the deepest level that has one.
    void Reduce() {
        int level = kDepth - 1;
        while (level > 0 && reducible_[level] < 0) --level;
        const int32_t index = reducible_[level];
        if (index < 0) return;
        Node& n = nodes_[index];
        reducible_[level] = n.NextReducible;
        int children = 0;
        for (int32_t& c : n.Child) {
            if (c < 0) continue;
            const Node& child = nodes_[c];
            n.Red += child.Red, n.Green += child.Green, n.Blue += child.Blue, n.Count += child.Count;
            c = -1;
            ++children;
        }
        n.Leaf = true;
        leaves_ -= children - 1;
    }

    void Collect(int32_t index, std::vector<TRGBQuad>& out) const {
        const Node& n = nodes_[index];
        if (n.Leaf) {
            if (n.Count)
                out.push_back(MakeRGB(static_cast<uint8_t>(n.Red / n.Count), static_cast<uint8_t>(n.Green / n.Count),
                                      static_cast<uint8_t>(n.Blue / n.Count)));
            return;
        }
        for (int32_t c : n.Child)
            if (c >= 0) Collect(c, out);
    }

    int maxColors_;
    int leaves_ = 0;
    std::vector<Node> nodes_;
    std::array<int32_t, kDepth> reducible_;
};

inline uint8_t Clamp255(int v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// An error in sixteenths, rounded half away from zero.
inline int Sixteenths(int v) {
    return v >= 0 ? (v + 8) / 16 : -((-v + 8) / 16);
}

} // namespace

std::vector<TRGBQuad> OctreeColors(const TBitmap& image, int maxColors) {
    TOctree tree(maxColors);
    const int bpp = image.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* p = image.Row(y);
        for (int x = 0; x < image.Width(); ++x, p += bpp) tree.Add(p[2], p[1], p[0]);
    }
    return tree.Colors();
}

std::vector<TRGBQuad> SystemPaletteAround(const std::vector<TRGBQuad>& computed) {
    std::vector<TRGBQuad> palette(256);
    std::copy(SystemColorsLow().begin(), SystemColorsLow().end(), palette.begin());
    std::copy(computed.begin(), computed.begin() + std::min<size_t>(computed.size(), 256 - kReservedColors),
              palette.begin() + 10);
    std::copy(SystemColorsHigh().begin(), SystemColorsHigh().end(), palette.begin() + 246);
    return palette;
}

TBitmap DiffuseOntoPalette(const TBitmap& image, const std::vector<TRGBQuad>& palette) {
    TBitmap out(image.Width(), image.Height(), TPixelFormat::pf8bit);
    out.Palette() = palette;
    TNearestColorMap nearest(palette);
    const int w = image.Width();
    const int bpp = image.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
    // Errors in sixteenths for this row and the next, one pixel of margin each side.
    std::vector<int> current(3 * (w + 2), 0), next(3 * (w + 2), 0);
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* src = image.Row(y);
        uint8_t* dst = out.Row(y);
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < w; ++x, src += bpp) {
            int* e = &current[3 * (x + 1)];
            const int b = Clamp255(src[0] + Sixteenths(e[0]));
            const int g = Clamp255(src[1] + Sixteenths(e[1]));
            const int r = Clamp255(src[2] + Sixteenths(e[2]));
            const uint8_t index = nearest.Nearest(static_cast<uint8_t>(r), static_cast<uint8_t>(g),
                                                  static_cast<uint8_t>(b));
            dst[x] = index;
            const TRGBQuad& c = out.Palette()[index];
            const int err[3] = {b - c.Blue, g - c.Green, r - c.Red};
            int* right = &current[3 * (x + 2)];
            int* below = &next[3 * (x + 1)];
            for (int k = 0; k < 3; ++k) {
                right[k] += err[k] * 7;
                below[k - 3] += err[k] * 3;
                below[k] += err[k] * 5;
                below[k + 3] += err[k];
            }
        }
        std::swap(current, next);
    }
    return out;
}

TBitmap ReduceTo256Colors(const TBitmap& image) {
    return DiffuseOntoPalette(image, SystemPaletteAround(OctreeColors(image, 256 - kReservedColors)));
}
