// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/Char.h. Case folding is ASCII-only, as in the engine's
// TChar and its case-insensitive string comparisons.
#pragma once

#include "CoreTypes.h"

template <typename CharType>
struct TChar
{
	static constexpr CharType ToUpper(CharType Char) { return (Char >= 'a' && Char <= 'z') ? CharType(Char - ('a' - 'A')) : Char; }
	static constexpr CharType ToLower(CharType Char) { return (Char >= 'A' && Char <= 'Z') ? CharType(Char + ('a' - 'A')) : Char; }
	static constexpr bool IsUpper(CharType Char) { return Char >= 'A' && Char <= 'Z'; }
	static constexpr bool IsLower(CharType Char) { return Char >= 'a' && Char <= 'z'; }
	static constexpr bool IsAlpha(CharType Char) { return IsUpper(Char) || IsLower(Char); }
	static constexpr bool IsDigit(CharType Char) { return Char >= '0' && Char <= '9'; }
	static constexpr bool IsAlnum(CharType Char) { return IsAlpha(Char) || IsDigit(Char); }
	static constexpr bool IsHexDigit(CharType Char) { return IsDigit(Char) || (Char >= 'a' && Char <= 'f') || (Char >= 'A' && Char <= 'F'); }
	static constexpr bool IsPunct(CharType Char) { return (Char >= 33 && Char <= 47) || (Char >= 58 && Char <= 64) || (Char >= 91 && Char <= 96) || (Char >= 123 && Char <= 126); }
	static constexpr bool IsLinebreak(CharType Char) { return Char == '\n' || Char == '\r' || Char == 0x0B || Char == 0x0C || Char == 0x85 || Char == 0x2028 || Char == 0x2029; }
	/** White space as the engine's FChar::IsWhitespace sees it for TCHAR. */
	static constexpr bool IsWhitespace(CharType Char)
	{
		return Char == ' ' || Char == '\t' || Char == '\n' || Char == '\r' || Char == 0x0B || Char == 0x0C || Char == 0x85 || Char == 0xA0 || Char == 0x1680 || (Char >= 0x2000 && Char <= 0x200A) || Char == 0x2028 || Char == 0x2029 || Char == 0x202F || Char == 0x205F || Char == 0x3000;
	}
	static constexpr int32 ConvertCharDigitToInt(CharType Char) { return static_cast<int32>(Char) - '0'; }
};

typedef TChar<TCHAR> FChar;
typedef TChar<ANSICHAR> FCharAnsi;
