#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>

// A count and an owned array of elements behind one pointer, null while empty. Most
// vertices and normals carry no weights, and each would otherwise spend the 24 bytes of a
// std::vector on none: this is 8. Elements keep their place until the array grows.
template <class T>
class COwnedArray {
public:
    COwnedArray() noexcept = default;
    COwnedArray(const COwnedArray& other)
    {
        if (other.empty())
            return;
        Block* block = Allocate(other.size());
        Fill(block, other.data(), other.size(), other.size());
        block_ = block;
    }
    COwnedArray(COwnedArray&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    COwnedArray& operator=(const COwnedArray& other)
    {
        if (this != &other) {
            COwnedArray copy(other);
            swap(copy);
        }
        return *this;
    }
    COwnedArray& operator=(COwnedArray&& other) noexcept
    {
        if (this != &other) {
            clear();
            block_ = std::exchange(other.block_, nullptr);
        }
        return *this;
    }
    ~COwnedArray() { clear(); }

    size_t size() const noexcept { return block_ ? block_->count : 0; }
    bool empty() const noexcept { return size() == 0; }
    T* data() noexcept { return block_ ? Items(block_) : nullptr; }
    const T* data() const noexcept { return block_ ? Items(block_) : nullptr; }
    T& operator[](size_t i) noexcept { return data()[i]; }
    const T& operator[](size_t i) const noexcept { return data()[i]; }
    T* begin() noexcept { return data(); }
    T* end() noexcept { return data() + size(); }
    const T* begin() const noexcept { return data(); }
    const T* end() const noexcept { return data() + size(); }

    void swap(COwnedArray& other) noexcept { std::swap(block_, other.block_); }

    void clear() noexcept
    {
        if (!block_)
            return;
        Destroy(Items(block_), block_->count);
        Free(block_);
        block_ = nullptr;
    }

    // Elements past the old size are default-constructed.
    void resize(size_t count)
    {
        if (count == size())
            return;
        if (count == 0) {
            clear();
            return;
        }
        if (block_ && count < block_->count) {
            Destroy(Items(block_) + count, block_->count - count);
            block_->count = uint32_t(count);
            return;
        }
        if (block_ && count <= block_->capacity) {
            AppendDefaults(block_, count);
            return;
        }
        Block* block = Allocate(count);
        Fill(block, data(), size(), count);
        Replace(block);
    }

    void push_back(const T& value) { emplace_back(value); }

    template <class... Args>
    T& emplace_back(Args&&... args)
    {
        const size_t count = size();
        if (!block_ || count == block_->capacity) {
            // The new element is made first: args may refer to an element of this array.
            T value(std::forward<Args>(args)...);
            Block* block = Allocate(count < 2 ? count + 2 : count * 2);
            Fill(block, data(), count, count);
            try {
                new (Items(block) + count) T(std::move(value));
            } catch (...) {
                Destroy(Items(block), count);
                Free(block);
                throw;
            }
            block->count = uint32_t(count + 1);
            Replace(block);
        } else {
            new (Items(block_) + count) T(std::forward<Args>(args)...);
            block_->count = uint32_t(count + 1);
        }
        return Items(block_)[count];
    }

private:
    struct Block {
        uint32_t count;
        uint32_t capacity;
    };
    static_assert(alignof(T) <= alignof(std::max_align_t));
    // The elements follow the header, aligned for T.
    static constexpr size_t kItemsAt = (sizeof(Block) + alignof(T) - 1) / alignof(T) * alignof(T);

    static T* Items(Block* block) noexcept
    {
        return std::launder(reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(block) + kItemsAt));
    }
    static const T* Items(const Block* block) noexcept { return Items(const_cast<Block*>(block)); }

    static Block* Allocate(size_t capacity)
    {
        if (capacity > UINT32_MAX || capacity > (SIZE_MAX - kItemsAt) / sizeof(T))
            throw std::length_error("COwnedArray");
        Block* block = static_cast<Block*>(::operator new(kItemsAt + capacity * sizeof(T)));
        block->count = 0;
        block->capacity = uint32_t(capacity);
        return block;
    }
    static void Free(Block* block) noexcept { ::operator delete(block); }
    static void Destroy(T* items, size_t count) noexcept
    {
        for (size_t i = count; i > 0; --i)
            items[i - 1].~T();
    }

    // Copies count elements from source into the empty block and default-constructs the
    // rest up to total; on failure the block is freed and the exception goes on.
    static void Fill(Block* block, const T* source, size_t count, size_t total)
    {
        T* items = Items(block);
        size_t made = 0;
        try {
            for (; made < count; ++made)
                new (items + made) T(source[made]);
            for (; made < total; ++made)
                new (items + made) T();
        } catch (...) {
            Destroy(items, made);
            Free(block);
            throw;
        }
        block->count = uint32_t(total);
    }

    static void AppendDefaults(Block* block, size_t total)
    {
        T* items = Items(block);
        for (size_t i = block->count; i < total; ++i) {
            new (items + i) T();
            block->count = uint32_t(i + 1);
        }
    }

    void Replace(Block* block) noexcept
    {
        clear();
        block_ = block;
    }

    Block* block_ = nullptr;
};
