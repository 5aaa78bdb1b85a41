// The heap's work of a piece of code, counted rather than timed, so that how a
// cost grows with its input is checked the same on a busy machine as on an
// idle one.
#pragma once

#include <functional>

struct HeapWork {
    unsigned long long allocations = 0;  // blocks asked for
    unsigned long long bytes = 0;        // bytes asked for, freed or not
};

// What the work asks of the heap, on any thread, while it runs.
HeapWork HeapWorkOf(const std::function<void()>& work);

// Fails the test unless the heap's work of run(4 * lines) stays within twice
// four times that of run(lines): a cost per line gives four times, one that
// grows with the lines before it (each line copying all before it) sixteen.
void ExpectHeapWorkGrowsWithTheLines(const std::function<void(int lines)>& run, int lines);
