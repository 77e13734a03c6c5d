// Copyright Kelmora. All Rights Reserved.
#include "OrvaneObjText.h"

#include "OrvaneTextInPlace.h"

#include <bit>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
	/** White space as the C library's conversions skip it before a number. */
	bool IsCSpace(TCHAR Char)
	{
		return Char == ' ' || Char == '\t' || Char == '\n' || Char == '\v' || Char == '\f' || Char == '\r';
	}

	/**
	 * Whether a character can be part of a number as the C library reads it in the "C" locale: digits, letters
	 * (exponents, hexadecimal, inf, nan), signs, the point, and what nan(...) may hold.
	 */
	bool MayBeInNumber(TCHAR Char)
	{
		return (Char >= '0' && Char <= '9') || (Char >= 'a' && Char <= 'z') || (Char >= 'A' && Char <= 'Z') || Char == '+' || Char == '-' || Char == '.' || Char == '_' || Char == '(' || Char == ')';
	}

	/**
	 * The C library's decimal-to-double conversion of the start of Token, read as in the "C" locale. The
	 * conversion needs a terminated text, and the token is a view into a larger one, so the number's
	 * characters are copied out; it also takes the process locale's decimal point, so the text's "." is
	 * handed to it as that point, and characters a locale might read differently are never handed over.
	 */
	double ReadWithCLibrary(FStringView Token)
	{
		const TCHAR* const Chars = Token.GetData();
		const int32 Length = Token.Len();
		int32 Start = 0;
		while (Start < Length && IsCSpace(Chars[Start]))
		{
			++Start;
		}
		int32 End = Start;
		while (End < Length && MayBeInNumber(Chars[End]))
		{
			++End;
		}
		if (End == Start)
		{
			return 0.0;
		}
		const char* const Point = std::localeconv()->decimal_point;
		const size_t PointLength = std::strlen(Point);
		const bool bPlainPoint = PointLength == 1 && Point[0] == '.';
		char Small[128];
		std::string Large;
		char* Narrow = Small;
		const size_t Needed = static_cast<size_t>(End - Start) * FMath::Max<size_t>(PointLength, 1) + 1;
		if (Needed > sizeof(Small))
		{
			Large.resize(Needed);
			Narrow = Large.data();
		}
		size_t Written = 0;
		for (int32 Index = Start; Index < End; ++Index)
		{
			if (Chars[Index] == '.' && !bPlainPoint)
			{
				std::memcpy(Narrow + Written, Point, PointLength);
				Written += PointLength;
			}
			else
			{
				Narrow[Written++] = static_cast<char>(Chars[Index]);
			}
		}
		Narrow[Written] = '\0';
		return std::strtod(Narrow, nullptr);
	}

	/** The C library's decimal-to-int conversion, saturating instead of overflowing. */
	int64 ParseInteger(FStringView Token)
	{
		// Hot (two per face corner): raw pointers, and no white-space test when a digit comes first.
		const TCHAR* At = Token.GetData();
		const TCHAR* const End = At + Token.Len();
		bool bNegative = false;
		if (At != End && !FChar::IsDigit(*At))
		{
			while (At != End && FChar::IsWhitespace(*At))
			{
				++At;
			}
			if (At != End && (*At == '-' || *At == '+'))
			{
				bNegative = *At == '-';
				++At;
			}
		}
		constexpr int64 Saturated = static_cast<int64>(TNumericLimits<int32>::Max()) + 1;
		int64 Value = 0;
		for (; At != End && FChar::IsDigit(*At); ++At)
		{
			Value = Value * 10 + (*At - '0');
			if (Value > Saturated)
			{
				// More digits only make it larger, so it stays saturated; a rarely taken branch keeps the clamp out of
				// each digit's arithmetic.
				Value = Saturated;
				break;
			}
		}
		Value = bNegative ? -Value : Value;
		return FMath::Clamp<int64>(Value, TNumericLimits<int32>::Min(), TNumericLimits<int32>::Max());
	}

	/** One bit per character of a text: the blanks that the flattened-text repair turns into line feeds. */
	class FLineBreakBits
	{
	public:
		explicit FLineBreakBits(int32 Length)
		{
			Words.SetNumZeroed((Length + 63) / 64);
		}
		bool IsSet(int32 Index) const { return (Words[Index >> 6] >> (Index & 63)) & 1; }
		void Set(int32 Index) { Words[Index >> 6] |= uint64(1) << (Index & 63); }
		/** The first set index in [From, To), or To. */
		int32 FindNext(int32 From, int32 To) const
		{
			int32 Word = From >> 6;
			uint64 Bits = From < To ? Words[Word] & (~uint64(0) << (From & 63)) : 0;
			while (Bits == 0)
			{
				if (++Word >= Words.Num() || (Word << 6) >= To)
				{
					return To;
				}
				Bits = Words[Word];
			}
			return FMath::Min((Word << 6) + static_cast<int32>(std::countr_zero(Bits)), To);
		}

	private:
		TArray<uint64> Words;
	};

	/**
	 * Whether Pattern matches at Index, compared without regard to ASCII case, in the text as the repair has
	 * left it so far: a blank it turned into a line feed matches no pattern character.
	 */
	bool MatchesIgnoreCase(const TCHAR* Data, int32 Length, const FLineBreakBits& Breaks, int32 Index, const TCHAR* Pattern, int32 PatternLength)
	{
		if (Index + PatternLength > Length)
		{
			return false;
		}
		// The second character first (every keyword has one): it turns away nearly every candidate.
		if (FChar::ToLower(Data[Index + 1]) != FChar::ToLower(Pattern[1]))
		{
			return false;
		}
		for (int32 Offset = 0; Offset < PatternLength; ++Offset)
		{
			if (FChar::ToLower(Data[Index + Offset]) != FChar::ToLower(Pattern[Offset]) || Breaks.IsSet(Index + Offset))
			{
				return false;
			}
		}
		return true;
	}

	/**
	 * 1 when a character may follow the blank of a keyword (v, f, o, s or #, either case; a few others pass
	 * too), else 0; with bit operations only, so that compilers can test many characters at once.
	 */
	uint32 MayFollowKeywordBlank(TCHAR Char)
	{
		const uint32 Folded = static_cast<uint32>(Char) | 0x20;
		return static_cast<uint32>(Folded == 'v') | static_cast<uint32>(Folded == 'f') | static_cast<uint32>(Folded == 'o') | static_cast<uint32>(Folded == 's') | static_cast<uint32>(Folded == '#');
	}

	/**
	 * For each keyword in turn, marks left to right without overlaps each occurrence of it (keywords start with
	 * a blank) as a line break at its blank, each keyword seeing the breaks of those before it; all in one sweep
	 * over the text, each keyword's pass trailing the one before it by Lag positions, block by block. After each
	 * block, OnSettled(Settled) is told that no break below Settled will change any more (Settled reaches
	 * Length at the end), so lines can be read while their text is still in cache.
	 */
	template <typename SettledType>
	void FindBreaksBeforeKeywords(const TCHAR* Data, int32 Length, FLineBreakBits& Breaks, SettledType&& OnSettled)
	{
		// A pass only marks the first character of a match, and a later pass at position P only reads up to
		// P + 3, so once every earlier pass has moved past P + 3 it sees what whole earlier passes would leave
		// there; and an earlier pass, being ahead, never reads what a later one marks.
		constexpr int32 Lag = 4;
		constexpr int32 BlockSize = 16384;
		static const TCHAR* const Keywords[] = {TEXT(" v "), TEXT(" vt "), TEXT(" f "), TEXT(" o "), TEXT(" s "), TEXT(" #")};
		constexpr int32 KeywordCount = UE_ARRAY_COUNT(Keywords);
		int32 KeywordLengths[KeywordCount];
		int32 Resume[KeywordCount];
		int32 Cursor[KeywordCount];
		for (int32 Keyword = 0; Keyword < KeywordCount; ++Keyword)
		{
			KeywordLengths[Keyword] = FCString::Strlen(Keywords[Keyword]);
			check(MayFollowKeywordBlank(Keywords[Keyword][1]) != 0);
			Resume[Keyword] = 0;
			Cursor[Keyword] = 0;
		}

		// A match needs a blank followed by a keyword's second character; only such positions are tried.
		// Marking breaks never makes a new one, so they can be listed ahead of the passes. Those no pass has
		// reached yet lie within the last Lag * KeywordCount positions, so a block's worth fits.
		TArray<int32> Candidates;
		Candidates.SetNumUninitialized(BlockSize + Lag * KeywordCount + 1);
		int32 CandidateCount = 0;
		int32 Scanned = 0;
		const int64 Total = static_cast<int64>(Length) + static_cast<int64>(Lag) * (KeywordCount - 1);
		for (int64 Limit = 0; Limit < Total;)
		{
			Limit = FMath::Min<int64>(Limit + BlockSize, Total);
			const int32 ScanEnd = static_cast<int32>(FMath::Min<int64>(Limit, static_cast<int64>(Length) - 1));
			// Candidates are flagged a group at a time without a branch per character (compilers turn this into
			// vector compares), then listed from the flags, eight at a time passed over when none is set; the character after each scanned one
			// is always in the text.
			constexpr int32 GroupSize = 32;
			for (; Scanned + GroupSize <= ScanEnd; Scanned += GroupSize)
			{
				const TCHAR* const Group = Data + Scanned;
				uint8 Flags[GroupSize];
				for (int32 Offset = 0; Offset < GroupSize; ++Offset)
				{
					Flags[Offset] = static_cast<uint8>(static_cast<uint32>(Group[Offset] == ' ') & MayFollowKeywordBlank(Group[Offset + 1]));
				}
				for (int32 Word = 0; Word < GroupSize; Word += 8)
				{
					uint64 Bits;
					std::memcpy(&Bits, Flags + Word, sizeof(Bits));
					if (Bits != 0)
					{
						for (int32 Offset = Word; Offset < Word + 8; ++Offset)
						{
							Candidates[CandidateCount] = Scanned + Offset;
							CandidateCount += Flags[Offset];
						}
					}
				}
			}
			for (; Scanned < ScanEnd; ++Scanned)
			{
				if (Data[Scanned] == ' ' && MayFollowKeywordBlank(Data[Scanned + 1]) != 0)
				{
					Candidates[CandidateCount++] = Scanned;
				}
			}

			int32 Consumed = CandidateCount;
			for (int32 Keyword = 0; Keyword < KeywordCount; ++Keyword)
			{
				const int32 PatternLength = KeywordLengths[Keyword];
				const int64 End = FMath::Min<int64>(Limit - static_cast<int64>(Lag) * Keyword, static_cast<int64>(Length) - PatternLength + 1);
				int32 Index = Cursor[Keyword];
				for (; Index < CandidateCount && Candidates[Index] < End; ++Index)
				{
					const int32 Position = Candidates[Index];
					if (Position >= Resume[Keyword] && MatchesIgnoreCase(Data, Length, Breaks, Position, Keywords[Keyword], PatternLength))
					{
						Breaks.Set(Position);
						Resume[Keyword] = Position + PatternLength;
					}
				}
				Cursor[Keyword] = Index;
				Consumed = FMath::Min(Consumed, Index);
			}
			for (int32 Index = Consumed; Index < CandidateCount; ++Index)
			{
				Candidates[Index - Consumed] = Candidates[Index];
			}
			CandidateCount -= Consumed;
			for (int32 Keyword = 0; Keyword < KeywordCount; ++Keyword)
			{
				Cursor[Keyword] -= Consumed;
			}
			// The last pass has been through every candidate below its end, and the ones before it further.
			OnSettled(static_cast<int32>(FMath::Min<int64>(Limit - static_cast<int64>(Lag) * (KeywordCount - 1), Length)));
		}
	}

	bool ContainsIgnoreCase(const TCHAR* Data, int32 Length, const TCHAR* Pattern)
	{
		const int32 PatternLength = FCString::Strlen(Pattern);
		const TCHAR FirstLower = FChar::ToLower(Pattern[0]);
		const TCHAR FirstUpper = FChar::ToUpper(FirstLower);
		for (int32 Index = 0; Index + PatternLength <= Length; ++Index)
		{
			if ((Data[Index] == FirstLower || Data[Index] == FirstUpper))
			{
				bool bMatches = true;
				for (int32 Offset = 1; Offset < PatternLength && bMatches; ++Offset)
				{
					bMatches = FChar::ToLower(Data[Index + Offset]) == FChar::ToLower(Pattern[Offset]);
				}
				if (bMatches)
				{
					return true;
				}
			}
		}
		return false;
	}
}

void OrvaneObjText::ForEachLine(FStringView Text, TFunctionRef<void(FStringView Line)> Visit)
{
	// The text is read where it lies (it can be hundreds of megabytes): line breaks are found, never written.
	const TCHAR* const Data = Text.GetData();
	const int32 Length = Text.Len();
	auto ReadLine = [Data, &Visit](int32 LineStart, int32 LineEnd)
	{
		Visit(FStringView(Data + LineStart, LineEnd - LineStart));
	};

	if (OrvaneTextInPlace::FindEither(Data, 0, Length, '\n', '\r') < Length)
	{
		// A line ends at a line feed, a carriage return, or the pair of them.
		int32 LineStart = 0;
		while (LineStart < Length)
		{
			int32 LineEnd = LineStart;
			while (LineEnd < Length && Data[LineEnd] != '\n' && Data[LineEnd] != '\r')
			{
				++LineEnd;
			}
			ReadLine(LineStart, LineEnd);
			LineStart = LineEnd + ((LineEnd + 1 < Length && Data[LineEnd] == '\r' && Data[LineEnd + 1] == '\n') ? 2 : 1);
		}
	}
	else if (ContainsIgnoreCase(Data, Length, TEXT(" v ")))
	{
		// Text whose line breaks became blanks (as element text of the stage file arrives) gets them back.
		// Breaks are never next to each other (each is followed by a keyword's letter), so no empty lines
		// need folding; the text is trimmed as a whole, then read line by line.
		FLineBreakBits Breaks(Length);
		const FStringView Trimmed = TrimView(FStringView(Data, Length));
		const int32 Start = static_cast<int32>(Trimmed.GetData() - Data);
		const int32 End = Start + Trimmed.Len();
		int32 LineStart = Start;
		// Each line is read as soon as the break that ends it is settled, while its text is still in cache.
		FindBreaksBeforeKeywords(Data, Length, Breaks, [&](int32 Settled)
			{
			const int32 Known = FMath::Min(Settled, End);
			while (LineStart < End)
			{
				const int32 LineEnd = Breaks.FindNext(LineStart, Known);
				if (LineEnd == Known && Known < End)
				{
					return;
				}
				ReadLine(LineStart, LineEnd);
				LineStart = LineEnd + 1;
			} });
	}
	else if (Length > 0)
	{
		ReadLine(0, Length);
	}
}

FStringView OrvaneObjText::TrimView(FStringView Text)
{
	const TCHAR* const Chars = Text.GetData();
	int32 Start = 0;
	int32 End = Text.Len();
	while (Start < End && FChar::IsWhitespace(Chars[Start]))
	{
		++Start;
	}
	while (End > Start && FChar::IsWhitespace(Chars[End - 1]))
	{
		--End;
	}
	return FStringView(Chars + Start, End - Start);
}

bool OrvaneObjText::StartsWithIgnoreCase(FStringView Line, const TCHAR* Prefix)
{
	// Hot (every OBJ line): raw pointers.
	const TCHAR* const Chars = Line.GetData();
	int32 Index = 0;
	for (; Prefix[Index] != 0; ++Index)
	{
		if (Index >= Line.Len() || FChar::ToLower(Chars[Index]) != FChar::ToLower(Prefix[Index]))
		{
			return false;
		}
	}
	return true;
}

double OrvaneObjText::ParseDouble(FStringView Token)
{
	// Hot: raw pointers.
	const TCHAR* const Chars = Token.GetData();
	{
		// Plain decimals ("-12.345678", as OBJ writers print them) whose digits fit in 15 and whose fraction
		// has at most 22 digits: the digits as an integer and the power of ten are both exact doubles, so one
		// division rounds exactly as the C library does. Anything else takes the general path below.
		static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
		const TCHAR* At = Chars;
		const TCHAR* const End = Chars + Token.Len();
		const bool bNegative = At != End && *At == '-';
		At += bNegative ? 1 : 0;
		uint64 Digits = 0;
		int32 DigitCount = 0;
		int32 FractionCount = 0;
		for (; At != End && *At >= '0' && *At <= '9'; ++At, ++DigitCount)
		{
			Digits = Digits * 10 + static_cast<uint64>(*At - '0');
		}
		if (At != End && *At == '.')
		{
			for (++At; At != End && *At >= '0' && *At <= '9'; ++At, ++DigitCount, ++FractionCount)
			{
				Digits = Digits * 10 + static_cast<uint64>(*At - '0');
			}
		}
		if (At == End && DigitCount > 0 && DigitCount <= 15 && FractionCount <= 22)
		{
			const double Value = static_cast<double>(Digits) / PowersOfTen[FractionCount];
			return bNegative ? -Value : Value;
		}
	}
	return ReadWithCLibrary(Token);
}

int32 OrvaneObjText::ToZeroBased(FStringView Token)
{
	return static_cast<int32>(FMath::Max<int64>(ParseInteger(Token) - 1, TNumericLimits<int32>::Min()));
}
