#pragma once

#include "CharSet.h"

// The character tests every lexer and the editor's word commands share. They take int so that a
// table can be filled from 0 to 255 as well as a QChar's code be tested.

constexpr bool isAsciiLetter(int c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool isAsciiDigit(int c)
{
    return c >= '0' && c <= '9';
}

// ASCII letters a to z upper-cased, every other character as it is.
constexpr int asciiUpperCase(int c)
{
    return c >= 'a' && c <= 'z' ? c - 0x20 : c;
}

constexpr int asciiLowerCase(int c)
{
    return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
}

// What PHP names are made of: ASCII letters and digits, "_", and any character above 127.
constexpr bool isNameChar(int c)
{
    return isAsciiLetter(c) || isAsciiDigit(c) || c == '_' || c > 127;
}

constexpr bool isHexDigit(int c)
{
    return isAsciiDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// ! " ' ( ) * + , - . / : ; = ? [ \ ] ^ { | }: what ends a word when nothing else is said.
inline const CharSet DefaultWordBreaks = CharSet::of({33, 34, 39}) | CharSet::range(40, 47)
    | CharSet::of({58, 59, 61, 63}) | CharSet::range(91, 94) | CharSet::range(123, 125);
