#include "platform/tokenizer.h"

namespace PVLib500 {

SStrTok::SStrTok(const SWCharString& text, const SWCharString& separators)
    : text_(text), separators_(separators) {
    while (position_ < text_.length() && IsSeparator(text_[position_])) ++position_;
}

bool SStrTok::IsSeparator(wchar_t ch) const { return separators_.findFirst(ch) >= 0; }

SWCharString SStrTok::Next() {
    size_t start = position_;
    while (position_ < text_.length() && !IsSeparator(text_[position_])) ++position_;
    SWCharString token = text_.mid(start, position_ - start);
    while (position_ < text_.length() && IsSeparator(text_[position_])) ++position_;
    return token;
}

void SStringHelper::makeWords(const SWCharString& text, std::vector<SWCharString>& words,
                              const SWCharString& separators, bool keepEmpty, bool trimWords) {
    size_t start = 0;
    for (size_t i = 0; i <= text.length(); ++i) {
        if (i < text.length() && separators.findFirst(text[i]) < 0) continue;
        SWCharString word = text.mid(start, i - start);
        if (trimWords) word.trim();
        if (keepEmpty || !word.isEmpty()) words.push_back(word);
        start = i + 1;
    }
}

}  // namespace PVLib500
