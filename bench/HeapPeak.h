// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Counts the bytes the program holds on the heap through operator new, so a
// benchmark can report the peak memory an operation needs: the peak is taken
// from the moment the object is made, above what was held then.
class HeapPeak {
public:
    HeapPeak();
    std::size_t Bytes() const;
    // The bytes held now above what was held when the object was made.
    std::size_t HeldBytes() const;

private:
    std::size_t m_baseline;
};
