// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/HeapPeak.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_heldBytes{0};
std::atomic<std::size_t> g_peakBytes{0};

// Each block carries its size in front of it, so that delete knows what it frees.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size)
{
    void* block = std::malloc(size + kHeader);
    if (!block)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const std::size_t held = g_heldBytes += size;
    std::size_t peak = g_peakBytes.load();
    while (held > peak && !g_peakBytes.compare_exchange_weak(peak, held)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void Release(void* pointer) noexcept
{
    if (!pointer)
        return;
    void* block = static_cast<char*>(pointer) - kHeader;
    g_heldBytes -= *static_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void* pointer) noexcept
{
    Release(pointer);
}
void operator delete[](void* pointer) noexcept
{
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept
{
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept
{
    Release(pointer);
}

HeapPeak::HeapPeak() : m_baseline(g_heldBytes.load())
{
    g_peakBytes = m_baseline;
}

std::size_t HeapPeak::Bytes() const
{
    return g_peakBytes.load() - m_baseline;
}

std::size_t HeapPeak::HeldBytes() const
{
    return g_heldBytes.load() - m_baseline;
}
