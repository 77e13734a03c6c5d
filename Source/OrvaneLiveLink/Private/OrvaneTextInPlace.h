// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

#include <cstring>

namespace OrvaneTextInPlace
{
	/** The first index in [From, To) holding A or B, or To. */
	inline int32 FindEither(const TCHAR* Data, int32 From, int32 To, TCHAR A, TCHAR B)
	{
		int32 Index = From;
		// Groups are tested without a branch per character, which compilers turn into vector compares.
		constexpr int32 GroupSize = 32;
		for (; Index + GroupSize <= To; Index += GroupSize)
		{
			uint32 Found = 0;
			for (int32 Offset = 0; Offset < GroupSize; ++Offset)
			{
				const TCHAR Char = Data[Index + Offset];
				Found |= static_cast<uint32>(Char == A) | static_cast<uint32>(Char == B);
			}
			if (Found != 0)
			{
				break;
			}
		}
		for (; Index < To; ++Index)
		{
			if (Data[Index] == A || Data[Index] == B)
			{
				return Index;
			}
		}
		return To;
	}

	/**
	 * Removes, in place, each match of a pattern compared without regard to ASCII case, left to right without
	 * overlaps, as FString::ReplaceInline(Pattern, TEXT(""), ESearchCase::IgnoreCase) does; null characters
	 * are ordinary characters. It works on a growing prefix of the text: Advance may be called again once more
	 * text is there, and moves what it keeps down to Written.
	 */
	class FPatternRemover
	{
	public:
		/** Pattern must not be empty and must start with a character that has no other case. */
		explicit FPatternRemover(const TCHAR* InPattern)
			: Pattern(InPattern)
			, PatternLength(FCString::Strlen(InPattern))
		{
		}

		/**
		 * Goes on through Data[0, Available); positions whose match needs text beyond Available wait for the
		 * next call, unless bAllThere says no more text will come.
		 */
		void Advance(TCHAR* Data, int32 Available, bool bAllThere)
		{
			const int32 Last = bAllThere ? Available : Available - (PatternLength - 1);
			while (Read < Last)
			{
				const int32 Found = FindEither(Data, Read, Last, Pattern[0], Pattern[0]);
				Keep(Data, Found - Read);
				if (Found == Last)
				{
					break;
				}
				if (Found + PatternLength <= Available && MatchesAt(Data + Found))
				{
					Read = Found + PatternLength;
				}
				else
				{
					Keep(Data, 1);
				}
			}
		}

		/** The length of what is kept so far. */
		int32 GetWritten() const { return Written; }

	private:
		bool MatchesAt(const TCHAR* At) const
		{
			for (int32 Offset = 1; Offset < PatternLength; ++Offset)
			{
				if (FChar::ToLower(At[Offset]) != FChar::ToLower(Pattern[Offset]))
				{
					return false;
				}
			}
			return true;
		}

		void Keep(TCHAR* Data, int32 Count)
		{
			if (Count > 0 && Written != Read)
			{
				std::memmove(Data + Written, Data + Read, static_cast<size_t>(Count) * sizeof(TCHAR));
			}
			Written += Count;
			Read += Count;
		}

		const TCHAR* Pattern;
		int32 PatternLength;
		int32 Read = 0;
		int32 Written = 0;
	};

	/**
	 * What FString::ReplaceInline(TEXT("<![CDATA["), TEXT(""), ESearchCase::IgnoreCase) followed by the same
	 * for "]]>" leave, in place and in one sweep; returns the new length. The second removal trails the first
	 * through the text it leaves, so it sees exactly what a whole first pass would give it.
	 */
	inline int32 RemoveCDataMarkers(TCHAR* Data, int32 Length)
	{
		constexpr int32 BlockSize = 1 << 16;
		FPatternRemover Opening(TEXT("<![CDATA["));
		FPatternRemover Closing(TEXT("]]>"));
		for (int32 Limit = 0; Limit < Length;)
		{
			Limit = Length - Limit > BlockSize ? Limit + BlockSize : Length;
			const bool bAllThere = Limit == Length;
			// The opening pass only ever looks at the original text from its read position on; the closing
			// pass reads what the opening pass has written, which lies below the opening pass's read position.
			Opening.Advance(Data, bAllThere ? Length : Limit, bAllThere);
			Closing.Advance(Data, Opening.GetWritten(), bAllThere);
		}
		return Closing.GetWritten();
	}
}
