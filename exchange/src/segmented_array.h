#pragma once
// Arrays of records whose elements never move: element i lives in segment s, where
// segment s holds 8 << s elements. Growing adds segments, so pointers handed out
// stay valid until their element is removed.

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "tessera/records.h"

namespace tessera {

constexpr uint32_t kFirstSegmentSize = 8;
constexpr int32_t kMaxArrayCount = int32_t(kFirstSegmentSize * ((1u << SK_ARRAY_SEGMENTS) - 1));

inline int SegmentOf(uint32_t index) { return std::bit_width(index / kFirstSegmentSize + 1) - 1; }
inline uint32_t SegmentStart(int segment) { return kFirstSegmentSize * ((1u << segment) - 1); }
inline uint32_t SegmentSize(int segment) { return kFirstSegmentSize << segment; }

// Each record type provides Init (defaults) and Release (frees what it owns).
template <class T> struct Element;

// Address of element `index` in its segment, whether or not it is in use yet.
template <class T> T* Slot(const skArray* array, uint32_t index)
{
    const int segment = SegmentOf(index);
    if (segment >= SK_ARRAY_SEGMENTS || !array->segments[segment])
        return nullptr;
    return static_cast<T*>(array->segments[segment]) + (index - SegmentStart(segment));
}

template <class T> T* ArrayAt(const skArray* array, int32_t index)
{
    if (!array || index < 0 || index >= array->count)
        return nullptr;
    return Slot<T>(array, uint32_t(index));
}

// Frees the segments that lie wholly at or past `count`.
inline void FreeSegmentsFrom(skArray* array, int32_t count)
{
    for (int s = 0; s < SK_ARRAY_SEGMENTS; ++s) {
        if (array->segments[s] && SegmentStart(s) >= uint32_t(count)) {
            std::free(array->segments[s]);
            array->segments[s] = nullptr;
        }
    }
}

template <class T> bool ArrayResize(skArray* array, int32_t count)
{
    if (!array || count < 0 || count > kMaxArrayCount)
        return false;
    const int32_t old = array->count;
    if (count > old) {
        const int last = SegmentOf(uint32_t(count - 1));
        if (last >= SK_ARRAY_SEGMENTS)
            return false;
        for (int s = 0; s <= last; ++s) {
            if (array->segments[s])
                continue;
            array->segments[s] = std::malloc(size_t(SegmentSize(s)) * sizeof(T));
            if (!array->segments[s]) {
                FreeSegmentsFrom(array, old);
                return false;
            }
        }
        for (int32_t i = old; i < count; ++i)
            Element<T>::Init(Slot<T>(array, uint32_t(i)));
    } else {
        for (int32_t i = count; i < old; ++i)
            Element<T>::Release(ArrayAt<T>(array, i));
        FreeSegmentsFrom(array, count);
    }
    array->count = count;
    return true;
}

template <class T> T* ArrayAppend(skArray* array)
{
    if (!array || !ArrayResize<T>(array, array->count + 1))
        return nullptr;
    return ArrayAt<T>(array, array->count - 1);
}

template <class T> void ArrayClear(skArray* array)
{
    if (array)
        ArrayResize<T>(array, 0);
}

inline int32_t ArrayCount(const skArray* array) { return array ? array->count : 0; }

} // namespace tessera
