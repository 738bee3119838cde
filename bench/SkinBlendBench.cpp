// The skin bitmap's 512 x 512 draws onto another TskBitmap (through its DC, so the direct path is part of the
// cost) against pixman on the same pixels: alpha blending against OVER, opaque drawing against SRC and memcpy.
// Both sides run in the same loop; speed_ratio is the reference's time over ours (1.0 = as fast).
// pixman works on premultiplied pixels, so its copy of the source is premultiplied once, before any timing.
#include <skin/GraphicsUnits.h>
#include <skin/PixelOps.h>
#include <skin/SkinBitmap.h>

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kSide = 512;
constexpr size_t kPixels = static_cast<size_t>(kSide) * kSide;
constexpr size_t kBytes = kPixels * 4;

void StartUnits() {
    static const bool started = [] {
        InitializeGraphicsUnits();
        return true;
    }();
    (void)started;
}

// Random colours; the source's alphas are spread over 0..255, so few blocks are all clear or all opaque.
void FillRandom(TskBitmap& bitmap, bool randomAlpha, unsigned seed) {
    std::mt19937 random(seed);
    for (size_t i = 0; i < kPixels; ++i) {
        TskColor pixel = random();
        bitmap.Bits()[i] = randomAlpha ? pixel : (pixel | 0xFF000000);
    }
}

std::vector<uint32_t> Premultiplied(const TskBitmap& bitmap) {
    std::vector<uint32_t> out(kPixels);
    for (size_t i = 0; i < kPixels; ++i) {
        uint32_t p = bitmap.Bits()[i], a = p >> 24;
        auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
        out[i] = (a << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
    }
    return out;
}

class PixmanImage {
public:
    explicit PixmanImage(uint32_t* bits)
        : FImage(pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, bits, kSide * 4)) {}
    ~PixmanImage() { pixman_image_unref(FImage); }
    PixmanImage(const PixmanImage&) = delete;
    PixmanImage& operator=(const PixmanImage&) = delete;
    pixman_image_t* Get() const { return FImage; }

private:
    pixman_image_t* FImage;
};

using Clock = std::chrono::steady_clock;

template <class Operation>
double Timed(Operation operation) {
    operation();
    auto start = Clock::now();
    operation();
    benchmark::ClobberMemory();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <class Ours, class Reference>
void Paired(benchmark::State& state, Ours ours, Reference reference) {
    double oursSeconds = 0, referenceSeconds = 0;
    for (auto _ : state) {
        oursSeconds += Timed(ours);
        referenceSeconds += Timed(reference);
    }
    double iterations = static_cast<double>(state.iterations());
    state.counters["ours_us"] = oursSeconds / iterations / 2 * 1e6;
    state.counters["reference_us"] = referenceSeconds / iterations / 2 * 1e6;
    state.counters["speed_ratio"] = referenceSeconds / oursSeconds;
}

// A source and a target of the benchmark's size, the source filled with random pixels.
struct TBitmapPair {
    TBitmapPair(bool translucent, unsigned seed) {
        StartUnits();
        Source.SetSize(kSide, kSide);
        Target.SetSize(kSide, kSide);
        FillRandom(Source, translucent, seed);
        Source.SetAlphaBlend(translucent);
    }
    TskBitmap Source;
    TskBitmap Target;
};

void BM_SkinBlendVsPixmanOver(benchmark::State& state) {
    TBitmapPair pair(true, 1);
    TskBitmap& source = pair.Source;
    TskBitmap& target = pair.Target;
    FillRandom(target, false, 2);
    std::vector<uint32_t> pixmanSource = Premultiplied(source);
    std::vector<uint32_t> pixmanTarget(target.Bits(), target.Bits() + kPixels);
    PixmanImage src(pixmanSource.data()), dst(pixmanTarget.data());
    Paired(
        state, [&] { source.Draw(target.DC(), 0, 0); },
        [&] {
            pixman_image_composite32(PIXMAN_OP_OVER, src.Get(), nullptr, dst.Get(), 0, 0, 0, 0, 0, 0, kSide, kSide);
        });
}
BENCHMARK(BM_SkinBlendVsPixmanOver)->Unit(benchmark::kMicrosecond);

void BM_SkinOpaqueVsPixmanSrc(benchmark::State& state) {
    TBitmapPair pair(false, 3);
    TskBitmap& source = pair.Source;
    TskBitmap& target = pair.Target;
    std::vector<uint32_t> pixmanSource(source.Bits(), source.Bits() + kPixels), pixmanTarget(kPixels);
    PixmanImage src(pixmanSource.data()), dst(pixmanTarget.data());
    Paired(
        state, [&] { source.Draw(target.DC(), 0, 0); },
        [&] {
            pixman_image_composite32(PIXMAN_OP_SRC, src.Get(), nullptr, dst.Get(), 0, 0, 0, 0, 0, 0, kSide, kSide);
        });
}
BENCHMARK(BM_SkinOpaqueVsPixmanSrc)->Unit(benchmark::kMicrosecond);

void BM_SkinOpaqueVsMemcpy(benchmark::State& state) {
    TBitmapPair pair(false, 4);
    TskBitmap& source = pair.Source;
    TskBitmap& target = pair.Target;
    std::vector<uint32_t> plainSource(source.Bits(), source.Bits() + kPixels), plainTarget(kPixels);
    Paired(
        state, [&] { source.Draw(target.DC(), 0, 0); },
        [&] { std::memcpy(plainTarget.data(), plainSource.data(), kBytes); });
}
BENCHMARK(BM_SkinOpaqueVsMemcpy)->Unit(benchmark::kMicrosecond);

}  // namespace
