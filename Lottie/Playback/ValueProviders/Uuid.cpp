#include "Lottie/Playback/ValueProviders/Uuid.h"

#include <random>

namespace lottie {

Uuid Uuid::random() {
    thread_local std::mt19937_64 generator = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }();
    Uuid uuid{generator(), generator()};
    uuid.high = (uuid.high & ~0xF000ULL) | 0x4000ULL;                       // version 4
    uuid.low = (uuid.low & 0x3FFFFFFFFFFFFFFFULL) | 0x8000000000000000ULL;  // RFC 4122 variant
    return uuid;
}

}  // namespace lottie
