// A non-negative integer in fixed storage, for exact decimal and binary
// conversion of doubles. Its size bounds the largest product the conversions
// form: a 90-bit digit group times 10^351 times 2^54 stays under 1300 bits
// (decimal to binary), and 2^53 times 10^350 under 1250 bits (binary to
// decimal), so 48 words of 32 bits (1536 bits) are enough. No heap is used.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>

class BigInteger {
public:
    static constexpr int capacity = 48;

    BigInteger() = default;
    explicit BigInteger(std::uint64_t value) {
        while (value != 0) {
            words_[size_++] = static_cast<std::uint32_t>(value);
            value >>= 32;
        }
    }

    // From a 128-bit value.
    static BigInteger fromUint128(unsigned __int128 value) {
        BigInteger result;
        while (value != 0) {
            result.words_[result.size_++] = static_cast<std::uint32_t>(value);
            value >>= 32;
        }
        return result;
    }

    bool isZero() const { return size_ == 0; }
    int size() const { return size_; }
    std::uint32_t word(int i) const { return words_[i]; }

    void multiplySmall(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (int i = 0; i < size_; ++i) {
            std::uint64_t product = static_cast<std::uint64_t>(words_[i]) * factor + carry;
            words_[i] = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) push(static_cast<std::uint32_t>(carry));
    }

    void addSmall(std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (int i = 0; i < size_ && carry != 0; ++i) {
            std::uint64_t sum = static_cast<std::uint64_t>(words_[i]) + carry;
            words_[i] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
        if (carry != 0) push(static_cast<std::uint32_t>(carry));
    }

    void multiplyPowerOfTen(int exponent) {
        assert(exponent >= 0);
        static constexpr std::uint32_t powers[] = {1,      10,      100,      1000,      10000,
                                                   100000, 1000000, 10000000, 100000000, 1000000000};
        for (; exponent >= 9; exponent -= 9) multiplySmall(powers[9]);
        if (exponent > 0) multiplySmall(powers[exponent]);
    }

    void shiftLeft(int bits) {
        assert(bits >= 0);
        if (size_ == 0) return;
        int wordShift = bits / 32, bitShift = bits % 32;
        assert(size_ + wordShift + 1 <= capacity);
        if (bitShift != 0) {
            std::uint32_t carry = 0;
            for (int i = 0; i < size_; ++i) {
                std::uint32_t next = words_[i] >> (32 - bitShift);
                words_[i] = (words_[i] << bitShift) | carry;
                carry = next;
            }
            if (carry != 0) words_[size_++] = carry;
        }
        if (wordShift != 0) {
            std::copy_backward(words_, words_ + size_, words_ + size_ + wordShift);
            std::fill(words_, words_ + wordShift, 0u);
            size_ += wordShift;
        }
    }

    // Floor division by 2^bits.
    void shiftRight(int bits) {
        assert(bits >= 0);
        int wordShift = bits / 32, bitShift = bits % 32;
        if (wordShift >= size_) {
            size_ = 0;
            return;
        }
        std::copy(words_ + wordShift, words_ + size_, words_);
        size_ -= wordShift;
        if (bitShift != 0) {
            for (int i = 0; i < size_; ++i) {
                std::uint32_t high = i + 1 < size_ ? words_[i + 1] << (32 - bitShift) : 0;
                words_[i] = (words_[i] >> bitShift) | high;
            }
        }
        trim();
    }

    // Divides in place and returns the remainder.
    std::uint32_t divideSmall(std::uint32_t divisor) {
        std::uint64_t remainder = 0;
        for (int i = size_ - 1; i >= 0; --i) {
            std::uint64_t current = (remainder << 32) | words_[i];
            words_[i] = static_cast<std::uint32_t>(current / divisor);
            remainder = current % divisor;
        }
        trim();
        return static_cast<std::uint32_t>(remainder);
    }

    friend int compare(const BigInteger& a, const BigInteger& b) {
        if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
        for (int i = a.size_ - 1; i >= 0; --i)
            if (a.words_[i] != b.words_[i]) return a.words_[i] < b.words_[i] ? -1 : 1;
        return 0;
    }

private:
    void push(std::uint32_t word) {
        assert(size_ < capacity);
        words_[size_++] = word;
    }
    void trim() {
        while (size_ > 0 && words_[size_ - 1] == 0) --size_;
    }

    std::uint32_t words_[capacity] = {};
    int size_ = 0;
};
