// Copyright Kelmora. All Rights Reserved.
// Reading OBJ text where it lies: lines (with line breaks restored in text whose breaks became blanks),
// blank-separated tokens, and numbers as the C library reads them.
#pragma once

#include "CoreMinimal.h"
#include "Containers/StringView.h"
#include "OrvaneNumbers.h"
#include "Templates/Function.h"

namespace OrvaneObjText
{
	/**
	 * Calls Visit with each line of the text, untrimmed and without its line end. A line ends at a line feed,
	 * a carriage return or the pair of them. Text without any line end that holds " v " (in any case) is
	 * taken to be OBJ text whose line breaks became blanks: breaks come back before the keywords v, vt, f,
	 * o, s and #, and the whole text is trimmed first. Other text is one line. Nothing is copied.
	 */
	void ForEachLine(FStringView Text, TFunctionRef<void(FStringView Line)> Visit);

	/** The text without white space at either end. */
	FStringView TrimView(FStringView Text);

	/** Whether Line starts with the 7-bit Prefix, compared without regard to case. */
	bool StartsWithIgnoreCase(FStringView Line, const TCHAR* Prefix);

	/**
	 * Reads a number the way the C library's decimal-to-double conversion does in the "C" locale: leading white
	 * space, sign, digits, fraction and exponent, stopping at the first character that does not fit; 0 when
	 * there is none.
	 */
	double ParseDouble(FStringView Token);

	/** A zero-based index from a one-based OBJ index, read as the C library's decimal-to-int conversion does (saturating). */
	int32 ToZeroBased(FStringView Token);

	/**
	 * Calls Visit(Index, Token) for each blank-separated token of the line (runs of blanks count as one
	 * separator) until it returns false; returns the number of tokens visited.
	 */
	template <typename VisitorType>
	inline int32 ForEachToken(FStringView Line, VisitorType Visit)
	{
		// Hot (every OBJ line): raw pointers.
		const TCHAR* const Chars = Line.GetData();
		const int32 Length = Line.Len();
		int32 Count = 0;
		int32 Index = 0;
		while (Index < Length)
		{
			while (Index < Length && Chars[Index] == ' ')
			{
				++Index;
			}
			const int32 Start = Index;
			while (Index < Length && Chars[Index] != ' ')
			{
				++Index;
			}
			if (Index > Start)
			{
				if (!Visit(Count, FStringView(Line.GetData() + Start, Index - Start)))
				{
					return Count + 1;
				}
				++Count;
			}
		}
		return Count;
	}

	/** The Count numbers after the keyword of an OBJ line, each read as a float; false when the line has fewer. */
	template <int32 Count>
	bool ReadCoordinates(FStringView Line, double (&OutCoordinates)[Count])
	{
		const int32 Tokens = ForEachToken(Line, [&OutCoordinates](int32 Index, FStringView Token)
			{
				if (Index >= 1 && Index <= Count)
				{
					OutCoordinates[Index - 1] = OrvaneNumbers::NarrowToFloat(ParseDouble(Token));
				}
				return true; });
		return Tokens > Count;
	}
}
