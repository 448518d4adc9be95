#include "platform/NaturalOrder.h"

#include <QChar>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decodes one UTF-8 code point at text[i] and advances i; a malformed byte stands for itself.
char32_t NextCodePoint(std::string_view text, std::size_t& i)
{
    auto byte = static_cast<unsigned char>(text[i++]);
    if (byte < 0x80)
        return byte;
    int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    char32_t cp = byte & (0x3F >> extra);
    std::size_t start = i;
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            i = start;
            return 0xDC00 + byte;  // keep malformed bytes apart from real letters
        }
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return cp;
}

char32_t Folded(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? cp + ('a' - 'A') : cp;
    return QChar::toCaseFolded(cp);
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            std::size_t ai = i, bj = j;
            while (ai < a.size() && IsDigit(a[ai]))
                ++ai;
            while (bj < b.size() && IsDigit(b[bj]))
                ++bj;
            if (ai - i != bj - j)
                return ai - i < bj - j ? -1 : 1;
            for (; i < ai; ++i, ++j)
                if (a[i] != b[j])
                    return a[i] < b[j] ? -1 : 1;
            continue;
        }
        char32_t ca = Folded(NextCodePoint(a, i));
        char32_t cb = Folded(NextCodePoint(b, j));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}
