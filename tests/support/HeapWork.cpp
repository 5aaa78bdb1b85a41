#include "support/HeapWork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<unsigned long long> g_allocations{0};
std::atomic<unsigned long long> g_bytes{0};

}  // namespace

// The program's allocations of a test executable that counts the heap's work
// come here (the C++ library's other forms of new call this one).
void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    g_bytes.fetch_add(size, std::memory_order_relaxed);
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }

HeapWork HeapWorkOf(const std::function<void()>& work)
{
    const unsigned long long allocations = g_allocations.load();
    const unsigned long long bytes = g_bytes.load();
    work();
    return {g_allocations.load() - allocations, g_bytes.load() - bytes};
}

void ExpectHeapWorkGrowsWithTheLines(const std::function<void(int lines)>& run, int lines)
{
    const HeapWork few = HeapWorkOf([&] { run(lines); });
    const HeapWork many = HeapWorkOf([&] { run(4 * lines); });
    ASSERT_GT(few.allocations, 0u) << "the work asked nothing of the heap: nothing to compare";
    EXPECT_LT(many.allocations, 8 * few.allocations)
        << "blocks for " << lines << " lines: " << few.allocations << ", for four times as many: " << many.allocations;
    EXPECT_LT(many.bytes, 8 * few.bytes)
        << "bytes for " << lines << " lines: " << few.bytes << ", for four times as many: " << many.bytes;
}
