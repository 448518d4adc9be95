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

// UTF-8's byte order is the order of the values it encodes; the four-byte form covers the 21 bits a
// malformed four-byte sequence may yield.
void AppendInByteOrder(std::string& key, char32_t cp)
{
    if (cp < 0x80) {
        key += static_cast<char>(cp);
    } else if (cp < 0x800) {
        key += static_cast<char>(0xC0 | cp >> 6);
        key += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        key += static_cast<char>(0xE0 | cp >> 12);
        key += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        key += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        key += static_cast<char>(0xF0 | (cp >> 18 & 0x07));
        key += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        key += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        key += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A run of digits compares with a letter as its first digit does, and every digit lies between the
// same two non-digits: '0' stands for the run. Then its length without leading zeros (one byte, or
// 0xFF and four bytes for runs of 255 digits and more), then those digits.
void AppendDigitRun(std::string& key, std::string_view digits)
{
    key += '0';
    const std::size_t length = digits.size();
    if (length < 0xFF) {
        key += static_cast<char>(length);
    } else {
        key += static_cast<char>(0xFF);
        for (int shift = 24; shift >= 0; shift -= 8)
            key += static_cast<char>(length >> shift & 0xFF);
    }
    key += digits;
}

}  // namespace

std::string NaturalSortKey(std::string_view text)
{
    std::string key;
    key.reserve(text.size() + 2);
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            while (i < text.size() && text[i] == '0')
                ++i;
            const std::size_t start = i;
            while (i < text.size() && IsDigit(text[i]))
                ++i;
            AppendDigitRun(key, text.substr(start, i - start));
            continue;
        }
        AppendInByteOrder(key, Folded(NextCodePoint(text, i)));
    }
    return key;
}

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
