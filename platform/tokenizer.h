#pragma once
// The runtime library's text splitters.

#include <vector>

#include "platform/SWCharString.h"

namespace PVLib500 {

// Successive tokens between separator characters; runs of separators give no empty tokens.
class SStrTok {
public:
    SStrTok(const SWCharString& text, const SWCharString& separators);
    // The next token, or empty when no text is left.
    SWCharString Next();
    bool HasMore() const { return position_ < text_.length(); }

private:
    bool IsSeparator(wchar_t ch) const;
    SWCharString text_;
    SWCharString separators_;
    size_t position_ = 0;
};

struct SStringHelper {
    // Splits text at any of the separator characters. keepEmpty keeps the empty words between
    // adjacent separators and after a final one; trimWords removes white space at both ends.
    static void makeWords(const SWCharString& text, std::vector<SWCharString>& words,
                          const SWCharString& separators, bool keepEmpty, bool trimWords);
};

}  // namespace PVLib500

using PVLib500::SStrTok;
using PVLib500::SStringHelper;
