#pragma once
// The known word nearest to a mistyped one, for "did you mean" hints.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Insertions, deletions, substitutions and swaps of two neighbouring characters each count one,
// so that the commonest slip, two letters typed the wrong way round, costs one step.
size_t EditDistance(const std::string& from, const std::string& to);

// The first candidate at the smallest distance, when that distance is small enough for a slip
// (a third of the word's length, at least one); none otherwise.
std::optional<std::string> NearestWord(const std::string& word, const std::vector<std::string>& candidates);
