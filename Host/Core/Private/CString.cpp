// Copyright Kelmora. All Rights Reserved.
#include "Misc/CString.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace
{
	/** Narrows the leading run of 7-bit characters, enough for the C library's number parsers. */
	std::string NarrowForParse(const TCHAR* Start, size_t MaxLength = 512)
	{
		std::string Out;
		for (const TCHAR* Char = Start; Char && *Char && Out.size() < MaxLength; ++Char)
		{
			if (*Char > 127)
			{
				break;
			}
			Out.push_back(static_cast<char>(*Char));
		}
		return Out;
	}

	template <typename T>
	T Saturate(long long Value)
	{
		if (Value < static_cast<long long>(std::numeric_limits<T>::min()))
		{
			return std::numeric_limits<T>::min();
		}
		if (Value > static_cast<long long>(std::numeric_limits<T>::max()))
		{
			return std::numeric_limits<T>::max();
		}
		return static_cast<T>(Value);
	}
}

int32 FCString::Strlen(const TCHAR* String)
{
	int32 Length = 0;
	while (String && String[Length])
	{
		++Length;
	}
	return Length;
}

int32 FCString::Strcmp(const TCHAR* A, const TCHAR* B)
{
	for (;; ++A, ++B)
	{
		if (*A != *B || !*A)
		{
			return static_cast<int32>(*A) - static_cast<int32>(*B);
		}
	}
}

int32 FCString::Stricmp(const TCHAR* A, const TCHAR* B)
{
	for (;; ++A, ++B)
	{
		const TCHAR LowerA = FChar::ToLower(*A);
		const TCHAR LowerB = FChar::ToLower(*B);
		if (LowerA != LowerB || !LowerA)
		{
			return static_cast<int32>(LowerA) - static_cast<int32>(LowerB);
		}
	}
}

int32 FCString::Strncmp(const TCHAR* A, const TCHAR* B, SIZE_T Count)
{
	for (; Count > 0; --Count, ++A, ++B)
	{
		if (*A != *B || !*A)
		{
			return static_cast<int32>(*A) - static_cast<int32>(*B);
		}
	}
	return 0;
}

int32 FCString::Strnicmp(const TCHAR* A, const TCHAR* B, SIZE_T Count)
{
	for (; Count > 0; --Count, ++A, ++B)
	{
		const TCHAR LowerA = FChar::ToLower(*A);
		const TCHAR LowerB = FChar::ToLower(*B);
		if (LowerA != LowerB || !LowerA)
		{
			return static_cast<int32>(LowerA) - static_cast<int32>(LowerB);
		}
	}
	return 0;
}

const TCHAR* FCString::Strstr(const TCHAR* String, const TCHAR* Find)
{
	const int32 FindLength = Strlen(Find);
	for (; *String; ++String)
	{
		if (Strncmp(String, Find, static_cast<SIZE_T>(FindLength)) == 0)
		{
			return String;
		}
	}
	return FindLength == 0 ? String : nullptr;
}

const TCHAR* FCString::Stristr(const TCHAR* String, const TCHAR* Find)
{
	const int32 FindLength = Strlen(Find);
	for (; *String; ++String)
	{
		if (Strnicmp(String, Find, static_cast<SIZE_T>(FindLength)) == 0)
		{
			return String;
		}
	}
	return FindLength == 0 ? String : nullptr;
}

int32 FCString::Atoi(const TCHAR* String)
{
	return Saturate<int32>(Atoi64(String));
}

int64 FCString::Atoi64(const TCHAR* String)
{
	const std::string Narrow = NarrowForParse(String);
	errno = 0;
	return std::strtoll(Narrow.c_str(), nullptr, 10);
}

float FCString::Atof(const TCHAR* String)
{
	return static_cast<float>(Atod(String));
}

double FCString::Atod(const TCHAR* String)
{
	const std::string Narrow = NarrowForParse(String, 4096);
	return std::strtod(Narrow.c_str(), nullptr);
}

bool FCString::ToBool(const TCHAR* String)
{
	if (!String)
	{
		return false;
	}
	if (Stricmp(String, u"True") == 0 || Stricmp(String, u"Yes") == 0 || Stricmp(String, u"On") == 0)
	{
		return true;
	}
	if (Stricmp(String, u"False") == 0 || Stricmp(String, u"No") == 0 || Stricmp(String, u"Off") == 0)
	{
		return false;
	}
	return Atoi(String) != 0;
}

int32 FCString::Strtoi(const TCHAR* Start, TCHAR** End, int32 Base)
{
	return Saturate<int32>(Strtoi64(Start, End, Base));
}

int64 FCString::Strtoi64(const TCHAR* Start, TCHAR** End, int32 Base)
{
	const std::string Narrow = NarrowForParse(Start, 1u << 20);
	char* NarrowEnd = nullptr;
	const long long Value = std::strtoll(Narrow.c_str(), &NarrowEnd, Base);
	if (End)
	{
		*End = const_cast<TCHAR*>(Start) + (NarrowEnd - Narrow.c_str());
	}
	return Value;
}

uint64 FCString::Strtoui64(const TCHAR* Start, TCHAR** End, int32 Base)
{
	const std::string Narrow = NarrowForParse(Start, 1u << 20);
	char* NarrowEnd = nullptr;
	const unsigned long long Value = std::strtoull(Narrow.c_str(), &NarrowEnd, Base);
	if (End)
	{
		*End = const_cast<TCHAR*>(Start) + (NarrowEnd - Narrow.c_str());
	}
	return Value;
}

bool FCString::IsNumeric(const TCHAR* Str)
{
	if (*Str == '-' || *Str == '+')
	{
		++Str;
	}
	bool bHasDot = false;
	for (; *Str; ++Str)
	{
		if (*Str == '.')
		{
			if (bHasDot)
			{
				return false;
			}
			bHasDot = true;
		}
		else if (!FChar::IsDigit(*Str))
		{
			return false;
		}
	}
	return true;
}

int32 FCStringAnsi::Strlen(const ANSICHAR* String)
{
	return String ? static_cast<int32>(std::char_traits<char>::length(String)) : 0;
}
