#include "common/wildcardMatch.h"

#include <cwctype>
#include <string_view>
#include <vector>

namespace {

enum class TokenKind { literal, anyCharacter, anyText };

struct PatternToken {
    TokenKind kind;
    wchar_t character;  // for literal
};

// The escape character makes the next pattern character literal, whatever it is; at the end of
// the pattern it stands for nothing, so the text must end there. The escape character is tested
// before the multiple wildcard, and that before the single wildcard.
std::vector<PatternToken> Tokenize(std::wstring_view pattern, wchar_t single, wchar_t multiple, wchar_t escape) {
    std::vector<PatternToken> tokens;
    tokens.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t ch = pattern[i];
        if (ch == escape) {
            if (++i < pattern.size()) tokens.push_back({TokenKind::literal, pattern[i]});
        } else if (ch == multiple) {
            tokens.push_back({TokenKind::anyText, 0});
        } else if (ch == single) {
            tokens.push_back({TokenKind::anyCharacter, 0});
        } else {
            tokens.push_back({TokenKind::literal, ch});
        }
    }
    return tokens;
}

bool MatchesCharacter(const PatternToken& token, wchar_t ch, bool caseSensitive) {
    if (token.kind == TokenKind::anyCharacter) return true;
    if (caseSensitive) return token.character == ch;
    return std::towupper(token.character) == std::towupper(ch);
}

}  // namespace

// Greedy matching with one backtrack point: on a mismatch only the most recent multiple
// wildcard needs to absorb one more character, since any match found through an earlier one
// can also be found through the later one. At most text length times pattern length steps.
bool WildcardMatch(const wchar_t* text, const wchar_t* pattern, bool caseSensitive, wchar_t single,
                   wchar_t multiple, wchar_t escape) {
    const std::wstring_view subject = text ? std::wstring_view(text) : std::wstring_view();
    const std::vector<PatternToken> tokens =
        Tokenize(pattern ? std::wstring_view(pattern) : std::wstring_view(), single, multiple, escape);

    constexpr size_t none = static_cast<size_t>(-1);
    size_t t = 0;  // text position
    size_t p = 0;  // token position
    size_t starToken = none;
    size_t starText = 0;  // text position the last multiple wildcard absorbs up to
    while (t < subject.size()) {
        if (p < tokens.size() && tokens[p].kind == TokenKind::anyText) {
            starToken = p++;
            starText = t;
        } else if (p < tokens.size() && MatchesCharacter(tokens[p], subject[t], caseSensitive)) {
            ++p;
            ++t;
        } else if (starToken != none) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == TokenKind::anyText) ++p;
    return p == tokens.size();
}
