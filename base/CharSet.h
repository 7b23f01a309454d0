#pragma once

#include <bitset>
#include <initializer_list>

// A set of the 256 character codes of the old 8-bit text. Characters above 255 belong to the set
// exactly when 255 does, so rules written for "bytes of 128 and above" cover all of Unicode.
class CharSet
{
public:
    constexpr CharSet() = default;
    // Every code from first to last, inclusive.
    static CharSet range(unsigned first, unsigned last)
    {
        CharSet set;
        for (unsigned c = first; c <= last && c < 256; ++c)
            set.m_bits.set(c);
        return set;
    }
    static CharSet of(std::initializer_list<unsigned> codes)
    {
        CharSet set;
        for (unsigned c : codes)
            set.m_bits.set(c & 0xFF);
        return set;
    }

    bool contains(char16_t c) const { return m_bits.test(c < 256 ? c : 255); }
    void insert(unsigned c) { m_bits.set(c & 0xFF); }
    void remove(unsigned c) { m_bits.reset(c & 0xFF); }
    int count() const { return static_cast<int>(m_bits.count()); }

    CharSet operator|(const CharSet &o) const { return CharSet(m_bits | o.m_bits); }
    CharSet operator-(const CharSet &o) const { return CharSet(m_bits & ~o.m_bits); }
    bool operator==(const CharSet &) const = default;

private:
    explicit CharSet(std::bitset<256> bits) : m_bits(bits) { }
    std::bitset<256> m_bits;
};
