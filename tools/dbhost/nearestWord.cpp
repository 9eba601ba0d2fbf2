#include "nearestWord.h"

#include <algorithm>

size_t EditDistance(const std::string& from, const std::string& to) {
    std::vector<std::vector<size_t>> d(from.size() + 1, std::vector<size_t>(to.size() + 1));
    for (size_t i = 0; i <= from.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= to.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= from.size(); ++i) {
        for (size_t j = 1; j <= to.size(); ++j) {
            const size_t substitution = d[i - 1][j - 1] + (from[i - 1] == to[j - 1] ? 0 : 1);
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, substitution});
            if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[from.size()][to.size()];
}

std::optional<std::string> NearestWord(const std::string& word, const std::vector<std::string>& candidates) {
    std::optional<std::string> nearest;
    size_t best = std::max<size_t>(1, word.size() / 3) + 1;
    for (const std::string& candidate : candidates) {
        const size_t distance = EditDistance(word, candidate);
        if (distance < best) {
            best = distance;
            nearest = candidate;
        }
    }
    return nearest;
}
