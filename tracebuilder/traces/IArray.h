#pragma once
// Owning array with 16-bit counts. Resizing never copies: shrinking keeps the storage and its
// contents, growing past the capacity replaces the storage with fresh elements.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "TrcError.h"

template <class T> class IArray {
public:
    static constexpr std::size_t MaxCount = 0xFFFF;

    IArray() = default;
    ~IArray() { delete[] items_; }

    // A copy holds its own storage with the elements in use.
    IArray(const IArray& other) { copyFrom(other); }
    IArray& operator=(const IArray& other) {
        if (this != &other) {
            SetCount(0);
            copyFrom(other);
        }
        return *this;
    }
    IArray(IArray&& other) noexcept { swap(other); }
    IArray& operator=(IArray&& other) noexcept {
        IArray moved(std::move(other));
        swap(moved);
        return *this;
    }

    // Counts above 65535 raise an invalid-value error rather than wrapping.
    void SetCount(std::size_t n) {
        if (n > MaxCount)
            throw tTrcError(tTrcError::InvalidValue);
        if (n == 0) {
            delete[] items_;
            items_ = nullptr;
            capacity_ = count_ = 0;
        } else if (n <= capacity_) {
            count_ = std::uint16_t(n);
        } else {
            T* fresh = new T[n]();
            delete[] items_;
            items_ = fresh;
            capacity_ = count_ = std::uint16_t(n);
        }
    }

    // Element i; an index at or past the end yields the last element.
    T& Item(std::size_t i) { return items_[clamp(i)]; }
    const T& Item(std::size_t i) const { return items_[clamp(i)]; }

    std::uint16_t count() const { return count_; }
    std::uint16_t capacity() const { return capacity_; }
    T* data() { return items_; }
    const T* data() const { return items_; }
    T* begin() { return items_; }
    T* end() { return items_ + count_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + count_; }

private:
    std::size_t clamp(std::size_t i) const {
        if (count_ == 0)
            throw tTrcError(tTrcError::InvalidValue);
        return i < count_ ? i : count_ - 1u;
    }

    void copyFrom(const IArray& other) {
        if (other.count_ == 0)
            return;
        SetCount(other.count_);
        if constexpr (std::is_trivially_copyable_v<T>) {
            std::memcpy(static_cast<void*>(items_), other.items_, sizeof(T) * count_);
        } else {
            for (std::size_t i = 0; i < count_; ++i)
                items_[i] = other.items_[i];
        }
    }

    void swap(IArray& other) noexcept {
        std::swap(capacity_, other.capacity_);
        std::swap(count_, other.count_);
        std::swap(items_, other.items_);
    }

    std::uint16_t capacity_ = 0;
    std::uint16_t count_ = 0;
    T* items_ = nullptr;
};
