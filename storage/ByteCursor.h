#pragma once

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace zintu {

// Both file formats are little-endian on every platform, so bytes are placed one by one
// instead of copying in-memory representations.
class ByteWriter {
  public:
    explicit ByteWriter(std::span<std::uint8_t> out) : out_(out) {}

    void Bytes(std::string_view bytes) {
        for (const char c : bytes) {
            out_[pos_++] = static_cast<std::uint8_t>(c);
        }
    }
    void I16(std::int16_t value) { Unsigned(static_cast<std::uint16_t>(value)); }
    void I32(std::int32_t value) { Unsigned(static_cast<std::uint32_t>(value)); }
    void F32(float value) { Unsigned(std::bit_cast<std::uint32_t>(value)); }
    void F64(double value) { Unsigned(std::bit_cast<std::uint64_t>(value)); }

  private:
    template <std::unsigned_integral T>
    void Unsigned(T value) {
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            out_[pos_++] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }

    std::span<std::uint8_t> out_;
    std::size_t pos_ = 0;
};

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> in) : in_(in) {}

    std::string_view Bytes(std::size_t count) {
        const auto* first = reinterpret_cast<const char*>(in_.data() + pos_);
        pos_ += count;
        return {first, count};
    }
    std::int16_t I16() { return static_cast<std::int16_t>(Unsigned<std::uint16_t>()); }
    std::int32_t I32() { return static_cast<std::int32_t>(Unsigned<std::uint32_t>()); }
    float F32() { return std::bit_cast<float>(Unsigned<std::uint32_t>()); }
    double F64() { return std::bit_cast<double>(Unsigned<std::uint64_t>()); }

  private:
    template <std::unsigned_integral T>
    T Unsigned() {
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value |= static_cast<T>(static_cast<T>(in_[pos_++]) << (8 * i));
        }
        return value;
    }

    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
};

}  // namespace zintu
