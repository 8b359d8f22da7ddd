#pragma once

#include <cstddef>
#include <cstdint>

// Two Han characters that stand side by side inside Chinese words, and how often: built at build
// time from a word list with frequencies (cmake/word_pairs.py), nothing read at run time.
namespace WordPairTable {

// (left << 16 | right) of each pair, in UTF-16 code units, ascending.
extern const std::uint32_t pairs[];
// For each pair, the rounded log2 of how often it stands in the words of the list.
extern const std::uint8_t strengths[];
extern const std::size_t size;

} // namespace WordPairTable
