// Copyright Kelmora. All Rights Reserved.
#include "Containers/StringConv.h"

#include "HostUtf8.h"

#include <cstring>

namespace
{
	void AppendUtf8(std::string& Out, char32_t CodePoint)
	{
		if (CodePoint < 0x80)
		{
			Out.push_back(static_cast<char>(CodePoint));
		}
		else if (CodePoint < 0x800)
		{
			Out.push_back(static_cast<char>(0xC0 | (CodePoint >> 6)));
			Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
		}
		else if (CodePoint < 0x10000)
		{
			Out.push_back(static_cast<char>(0xE0 | (CodePoint >> 12)));
			Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F)));
			Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
		}
		else
		{
			Out.push_back(static_cast<char>(0xF0 | (CodePoint >> 18)));
			Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 12) & 0x3F)));
			Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F)));
			Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
		}
	}

	std::string Utf16ToUtf8(const TCHAR* Source, size_t Length)
	{
		std::string Out;
		Out.reserve(Length);
		for (size_t Index = 0; Index < Length; ++Index)
		{
			char32_t Unit = Source[Index];
			if (Unit >= 0xD800 && Unit <= 0xDBFF && Index + 1 < Length && Source[Index + 1] >= 0xDC00 && Source[Index + 1] <= 0xDFFF)
			{
				const char32_t Low = Source[++Index];
				Unit = 0x10000 + ((Unit - 0xD800) << 10) + (Low - 0xDC00);
			}
			else if (Unit >= 0xD800 && Unit <= 0xDFFF)
			{
				Unit = 0xFFFD;
			}
			AppendUtf8(Out, Unit);
		}
		return Out;
	}

	std::u16string Utf8ToUtf16(const unsigned char* Source, size_t Length)
	{
		// Never more units than bytes: written by index into room made once, then cut to what was written.
		std::u16string Out;
		Out.resize(Length);
		size_t Written = 0;
		HostUtf8::Decode(Source, Length, true, Out.data(), Written);
		Out.resize(Written);
		return Out;
	}

	size_t Length16(const TCHAR* Source)
	{
		size_t Length = 0;
		while (Source && Source[Length])
		{
			++Length;
		}
		return Length;
	}
}

size_t HostUtf8::Decode(const unsigned char* Source, size_t Length, bool bFinal, char16_t* Write, size_t& OutWritten)
{
	// The engine's stand-in for what it cannot decode.
	constexpr char16_t Bogus = u'?';
	size_t Written = 0;
	size_t Index = 0;
	while (Index < Length)
	{
		// Runs of 7-bit text, the bulk of most files, are widened eight bytes at a time.
		while (Index + 8 <= Length)
		{
			uint64 Eight;
			std::memcpy(&Eight, Source + Index, sizeof(Eight));
			if ((Eight & 0x8080808080808080ull) != 0)
			{
				break;
			}
			for (size_t Offset = 0; Offset < 8; ++Offset)
			{
				Write[Written + Offset] = Source[Index + Offset];
			}
			Written += 8;
			Index += 8;
		}
		if (Index >= Length)
		{
			break;
		}
		// As the engine's decoder: every byte it cannot read as part of a character becomes '?' and is passed
		// over alone, except that a sequence longer than what is left of the text takes all the rest with it.
		const unsigned char Lead = Source[Index];
		if (Lead < 0x80)
		{
			Write[Written++] = Lead;
			++Index;
			continue;
		}
		if (Lead < 0xC0)
		{
			Write[Written++] = Bogus;
			++Index;
			continue;
		}
		const size_t Count = Lead < 0xE0 ? 2 : (Lead < 0xF0 ? 3 : (Lead < 0xF8 ? 4 : (Lead < 0xFC ? 5 : 6)));
		if (Index + Count > Length)
		{
			if (!bFinal)
			{
				// Cut short by the end of this piece: decided when the rest is there.
				OutWritten = Written;
				return Index;
			}
			Write[Written++] = Bogus;
			Index = Length;
			continue;
		}
		bool bContinued = true;
		for (size_t Offset = 1; Offset < Count && bContinued; ++Offset)
		{
			bContinued = (Source[Index + Offset] & 0xC0) == 0x80;
		}
		if (!bContinued)
		{
			Write[Written++] = Bogus;
			++Index;
			continue;
		}
		if (Count > 4)
		{
			// Five and six byte forms are no longer UTF-8: passed over whole.
			Write[Written++] = Bogus;
			Index += Count;
			continue;
		}
		char32_t CodePoint = Lead & (0x7F >> Count);
		for (size_t Offset = 1; Offset < Count; ++Offset)
		{
			CodePoint = (CodePoint << 6) | (Source[Index + Offset] & 0x3F);
		}
		// The shortest form only, no surrogates, none of U+FFFE and U+FFFF (as the engine), nothing past U+10FFFF.
		static constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
		static constexpr char32_t Largest[] = {0, 0, 0x7FF, 0xFFFD, 0x10FFFF};
		const bool bValid = CodePoint >= Smallest[Count] && CodePoint <= Largest[Count] && (CodePoint < 0xD800 || CodePoint > 0xDFFF);
		if (!bValid)
		{
			Write[Written++] = Bogus;
			++Index;
			continue;
		}
		Index += Count;
		// A four-byte sequence gives two units: never more units than bytes.
		if (CodePoint >= 0x10000)
		{
			CodePoint -= 0x10000;
			Write[Written++] = static_cast<char16_t>(0xD800 + (CodePoint >> 10));
			Write[Written++] = static_cast<char16_t>(0xDC00 + (CodePoint & 0x3FF));
		}
		else
		{
			Write[Written++] = static_cast<char16_t>(CodePoint);
		}
	}
	OutWritten = Written;
	return Index;
}


FTCHARToUTF8::FTCHARToUTF8(const TCHAR* Source)
	: Converted(Source ? Utf16ToUtf8(Source, Length16(Source)) : std::string())
{
}

FTCHARToUTF8::FTCHARToUTF8(const TCHAR* Source, int32 SourceLen)
	: Converted(Source && SourceLen > 0 ? Utf16ToUtf8(Source, static_cast<size_t>(SourceLen)) : std::string())
{
}

FUTF8ToTCHAR::FUTF8ToTCHAR(const ANSICHAR* Source)
	: Converted(Source ? Utf8ToUtf16(reinterpret_cast<const unsigned char*>(Source), std::char_traits<char>::length(Source)) : std::u16string())
{
}

FUTF8ToTCHAR::FUTF8ToTCHAR(const ANSICHAR* Source, int32 SourceLen)
	: Converted(Source && SourceLen > 0 ? Utf8ToUtf16(reinterpret_cast<const unsigned char*>(Source), static_cast<size_t>(SourceLen)) : std::u16string())
{
}

FTCHARToANSI::FTCHARToANSI(const TCHAR* Source)
{
	for (size_t Index = 0, Length = Length16(Source); Index < Length; ++Index)
	{
		Converted.push_back(Source[Index] <= 0xFF ? static_cast<char>(Source[Index]) : '?');
	}
}

FANSIToTCHAR::FANSIToTCHAR(const ANSICHAR* Source)
{
	for (const ANSICHAR* Char = Source; Char && *Char; ++Char)
	{
		Converted.push_back(static_cast<unsigned char>(*Char));
	}
}
