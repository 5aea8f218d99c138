#pragma once
// The sample school must come out byte for byte the same from the same seed on
// every compiler and standard library, so it draws from this small generator
// (SplitMix64) instead of <random>'s distributions, whose results differ
// between implementations.

#include <cstdint>
#include <vector>

namespace brisolt {

class Aleatorio {
  public:
    explicit Aleatorio(uint64_t semilla) : estado_(semilla) {}

    uint64_t Siguiente() {
        uint64_t z = (estado_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 <= result < n (n > 0). The modulo bias is irrelevant for sample data.
    uint32_t Menor(uint32_t n) { return static_cast<uint32_t>(Siguiente() % n); }

    // lo <= result <= hi.
    int Entre(int lo, int hi) {
        return lo + static_cast<int>(Menor(static_cast<uint32_t>(hi - lo + 1)));
    }

    // True with probability percent/100.
    bool Porcentaje(int percent) { return Menor(100) < static_cast<uint32_t>(percent); }

    template <typename T>
    const T& Elegir(const std::vector<T>& v) {
        return v[Menor(static_cast<uint32_t>(v.size()))];
    }

  private:
    uint64_t estado_;
};

}  // namespace brisolt
