// Copyright Kelmora. All Rights Reserved.
#include "Containers/UnrealString.h"
#include "Containers/StringView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

FString::FString(const ANSICHAR* String)
{
	for (const ANSICHAR* Char = String; Char && *Char; ++Char)
	{
		Data.push_back(static_cast<unsigned char>(*Char));
	}
}

FString::FString(int32 Count, const ANSICHAR* String)
{
	for (int32 Index = 0; String && Index < Count; ++Index)
	{
		Data.push_back(static_cast<unsigned char>(String[Index]));
	}
}

FString& FString::operator/=(const FString& Text)
{
	if (!Data.empty() && Data.back() != '/' && !Text.Data.empty() && Text.Data.front() != '/')
	{
		Data.push_back('/');
	}
	else if (!Data.empty() && Data.back() == '/' && !Text.Data.empty() && Text.Data.front() == '/')
	{
		Data.pop_back();
	}
	Data += Text.Data;
	return *this;
}

bool FString::Equals(const FString& Other, ESearchCase::Type SearchCase) const
{
	if (Data.size() != Other.Data.size())
	{
		return false;
	}
	return Compare(Other, SearchCase) == 0;
}

int32 FString::Compare(const FString& Other, ESearchCase::Type SearchCase) const
{
	const size_t Common = Data.size() < Other.Data.size() ? Data.size() : Other.Data.size();
	for (size_t Index = 0; Index < Common; ++Index)
	{
		TCHAR A = Data[Index];
		TCHAR B = Other.Data[Index];
		if (SearchCase == ESearchCase::IgnoreCase)
		{
			A = FChar::ToLower(A);
			B = FChar::ToLower(B);
		}
		if (A != B)
		{
			return static_cast<int32>(A) - static_cast<int32>(B);
		}
	}
	return Data.size() < Other.Data.size() ? -1 : (Data.size() > Other.Data.size() ? 1 : 0);
}

namespace
{
	bool RangeEquals(const std::u16string& Text, size_t Start, const std::u16string& Part, ESearchCase::Type SearchCase)
	{
		if (Start + Part.size() > Text.size())
		{
			return false;
		}
		for (size_t Index = 0; Index < Part.size(); ++Index)
		{
			TCHAR A = Text[Start + Index];
			TCHAR B = Part[Index];
			if (SearchCase == ESearchCase::IgnoreCase)
			{
				A = FChar::ToLower(A);
				B = FChar::ToLower(B);
			}
			if (A != B)
			{
				return false;
			}
		}
		return true;
	}
}

bool FString::StartsWith(const FString& Prefix, ESearchCase::Type SearchCase) const
{
	return !Prefix.IsEmpty() && RangeEquals(Data, 0, Prefix.Data, SearchCase);
}

bool FString::EndsWith(const FString& Suffix, ESearchCase::Type SearchCase) const
{
	return !Suffix.IsEmpty() && Suffix.Data.size() <= Data.size() && RangeEquals(Data, Data.size() - Suffix.Data.size(), Suffix.Data, SearchCase);
}

int32 FString::Find(const FString& SubStr, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir, int32 StartPosition) const
{
	if (SubStr.IsEmpty() || SubStr.Len() > Len())
	{
		return INDEX_NONE;
	}
	const int32 LastStart = Len() - SubStr.Len();
	if (SearchDir == ESearchDir::FromStart)
	{
		for (int32 Index = StartPosition == INDEX_NONE ? 0 : (StartPosition < 0 ? 0 : StartPosition); Index <= LastStart; ++Index)
		{
			if (RangeEquals(Data, static_cast<size_t>(Index), SubStr.Data, SearchCase))
			{
				return Index;
			}
		}
	}
	else
	{
		int32 Index = LastStart;
		if (StartPosition != INDEX_NONE && StartPosition - SubStr.Len() < Index)
		{
			Index = StartPosition - SubStr.Len();
		}
		for (; Index >= 0; --Index)
		{
			if (RangeEquals(Data, static_cast<size_t>(Index), SubStr.Data, SearchCase))
			{
				return Index;
			}
		}
	}
	return INDEX_NONE;
}

bool FString::FindChar(TCHAR Char, int32& Index) const
{
	const size_t Found = Data.find(Char);
	Index = Found == std::u16string::npos ? INDEX_NONE : static_cast<int32>(Found);
	return Index != INDEX_NONE;
}

bool FString::FindLastChar(TCHAR Char, int32& Index) const
{
	const size_t Found = Data.rfind(Char);
	Index = Found == std::u16string::npos ? INDEX_NONE : static_cast<int32>(Found);
	return Index != INDEX_NONE;
}

FString FString::Left(int32 Count) const
{
	const int32 Clamped = Count < 0 ? 0 : (Count > Len() ? Len() : Count);
	return FString(Data.substr(0, static_cast<size_t>(Clamped)));
}

FString FString::LeftChop(int32 Count) const
{
	return Left(Len() - (Count < 0 ? 0 : Count));
}

FString FString::Right(int32 Count) const
{
	const int32 Clamped = Count < 0 ? 0 : (Count > Len() ? Len() : Count);
	return FString(Data.substr(Data.size() - static_cast<size_t>(Clamped)));
}

FString FString::RightChop(int32 Count) const
{
	return Right(Len() - (Count < 0 ? 0 : Count));
}

FString FString::Mid(int32 Start, int32 Count) const
{
	if (Count < 0)
	{
		return FString();
	}
	int64 End = static_cast<int64>(Start) + Count;
	int64 First = Start < 0 ? 0 : Start;
	First = First > Len() ? Len() : First;
	End = End > Len() ? Len() : End;
	if (End <= First)
	{
		return FString();
	}
	return FString(Data.substr(static_cast<size_t>(First), static_cast<size_t>(End - First)));
}

FString FString::ToLower() const
{
	FString Result(*this);
	Result.ToLowerInline();
	return Result;
}

FString FString::ToUpper() const
{
	FString Result(*this);
	Result.ToUpperInline();
	return Result;
}

void FString::ToLowerInline()
{
	for (TCHAR& Char : Data)
	{
		Char = FChar::ToLower(Char);
	}
}

void FString::ToUpperInline()
{
	for (TCHAR& Char : Data)
	{
		Char = FChar::ToUpper(Char);
	}
}

FString FString::TrimStart() const
{
	size_t First = 0;
	while (First < Data.size() && FChar::IsWhitespace(Data[First]))
	{
		++First;
	}
	return FString(Data.substr(First));
}

FString FString::TrimEnd() const
{
	size_t End = Data.size();
	while (End > 0 && FChar::IsWhitespace(Data[End - 1]))
	{
		--End;
	}
	return FString(Data.substr(0, End));
}

FString FString::TrimStartAndEnd() const
{
	return TrimStart().TrimEnd();
}

void FString::TrimStartInline()
{
	size_t First = 0;
	while (First < Data.size() && FChar::IsWhitespace(Data[First]))
	{
		++First;
	}
	Data.erase(0, First);
}

void FString::TrimEndInline()
{
	size_t End = Data.size();
	while (End > 0 && FChar::IsWhitespace(Data[End - 1]))
	{
		--End;
	}
	Data.resize(End);
}

FString FString::Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase) const
{
	FString Result(*this);
	Result.ReplaceInline(From, To, SearchCase);
	return Result;
}

int32 FString::ReplaceInline(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase)
{
	const std::u16string FromText(From ? From : u"");
	const std::u16string ToText(To ? To : u"");
	if (FromText.empty() || Data.empty())
	{
		return 0;
	}
	// Like the engine: find each match with a cheap first-character test, copy the runs between matches
	// whole, and leave the string untouched when nothing matches (stage files hold hundreds of megabytes).
	const TCHAR FirstLower = FChar::ToLower(FromText[0]);
	const TCHAR FirstUpper = FChar::ToUpper(FirstLower);
	const bool bIgnoreCase = SearchCase == ESearchCase::IgnoreCase;
	auto FindNext = [&](size_t Start) -> size_t
	{
		const size_t Last = Data.size() - std::min(Data.size(), FromText.size() - 1);
		for (size_t Index = Start; Index < Last; ++Index)
		{
			const TCHAR Char = Data[Index];
			const bool bFirst = bIgnoreCase ? (Char == FirstLower || Char == FirstUpper) : Char == FromText[0];
			if (bFirst && RangeEquals(Data, Index, FromText, SearchCase))
			{
				return Index;
			}
		}
		return std::u16string::npos;
	};
	size_t Match = FindNext(0);
	if (Match == std::u16string::npos)
	{
		return 0;
	}
	std::u16string Result;
	Result.reserve(ToText.size() > FromText.size() ? Data.size() + Data.size() / 4 : Data.size());
	int32 Count = 0;
	size_t Index = 0;
	while (Match != std::u16string::npos)
	{
		Result.append(Data, Index, Match - Index);
		Result += ToText;
		Index = Match + FromText.size();
		++Count;
		Match = FindNext(Index);
	}
	Result.append(Data, Index, std::u16string::npos);
	Data = std::move(Result);
	return Count;
}

bool FString::Split(const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir) const
{
	const int32 Position = Find(InS, SearchCase, SearchDir);
	if (Position == INDEX_NONE)
	{
		return false;
	}
	FString LeftPart = Left(Position);
	FString RightPart = Mid(Position + InS.Len());
	if (LeftS)
	{
		*LeftS = MoveTemp(LeftPart);
	}
	if (RightS)
	{
		*RightS = MoveTemp(RightPart);
	}
	return true;
}

int32 FString::ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delimiter, bool bCullEmpty) const
{
	OutArray.Reset();
	const std::u16string Delim(Delimiter ? Delimiter : u"");
	if (Delim.empty())
	{
		if (!bCullEmpty || !Data.empty())
		{
			OutArray.Add(*this);
		}
		return OutArray.Num();
	}
	size_t Start = 0;
	while (true)
	{
		const size_t Found = Data.find(Delim, Start);
		const size_t End = Found == std::u16string::npos ? Data.size() : Found;
		if (!bCullEmpty || End > Start)
		{
			OutArray.Add(FString(Data.substr(Start, End - Start)));
		}
		if (Found == std::u16string::npos)
		{
			break;
		}
		Start = Found + Delim.size();
	}
	return OutArray.Num();
}

int32 FString::ParseIntoArrayLines(TArray<FString>& OutArray, bool bCullEmpty) const
{
	OutArray.Reset();
	size_t Start = 0;
	for (size_t Index = 0; Index <= Data.size(); ++Index)
	{
		if (Index == Data.size() || Data[Index] == '\n' || Data[Index] == '\r')
		{
			if (!bCullEmpty || Index > Start)
			{
				OutArray.Add(FString(Data.substr(Start, Index - Start)));
			}
			if (Index + 1 < Data.size() && Data[Index] == '\r' && Data[Index + 1] == '\n')
			{
				++Index;
			}
			Start = Index + 1;
		}
	}
	return OutArray.Num();
}

bool FString::IsNumeric() const
{
	return !IsEmpty() && FCString::IsNumeric(**this);
}

FString FString::FromInt(int32 Num)
{
	return Printf(TEXT("%d"), Num);
}

FString FString::SanitizeFloat(double InFloat, int32 InMinFractionalDigits)
{
	if (InFloat == 0)
	{
		InFloat = 0;
	}
	FString Text = Printf(TEXT("%f"), InFloat);
	if (!Text.IsNumeric())
	{
		return Text;
	}
	const int32 Dot = static_cast<int32>(Text.Data.find(u'.'));
	int32 End = Text.Len();
	while (End > Dot + 1 && Text.Data[static_cast<size_t>(End - 1)] == '0')
	{
		--End;
	}
	if (End == Dot + 1)
	{
		End = Dot;
	}
	Text.Data.resize(static_cast<size_t>(End));
	if (InMinFractionalDigits > 0)
	{
		if (End == Dot)
		{
			Text.Data.push_back('.');
		}
		const int32 Fractional = Text.Len() - Dot - 1;
		for (int32 Pad = Fractional; Pad < InMinFractionalDigits; ++Pad)
		{
			Text.Data.push_back('0');
		}
	}
	return Text;
}

FString FString::Join(const TArray<FString>& Array, const TCHAR* Separator)
{
	FString Result;
	for (int32 Index = 0; Index < Array.Num(); ++Index)
	{
		if (Index > 0)
		{
			Result += Separator;
		}
		Result += Array[Index];
	}
	return Result;
}

uint32 GetTypeHash(const FString& String)
{
	return GetTypeHash(FStringView(String));
}

namespace UE::Core::Private
{
	namespace
	{
		void AppendNarrow(std::u16string& Out, const char* Text, int Count)
		{
			for (int Index = 0; Index < Count; ++Index)
			{
				Out.push_back(static_cast<unsigned char>(Text[Index]));
			}
		}

		template <typename... ArgTypes>
		void AppendFormatted(std::u16string& Out, const std::string& Spec, ArgTypes... Args)
		{
			char Small[128];
			const int Needed = std::snprintf(Small, sizeof(Small), Spec.c_str(), Args...);
			if (Needed < 0)
			{
				return;
			}
			if (Needed < static_cast<int>(sizeof(Small)))
			{
				AppendNarrow(Out, Small, Needed);
				return;
			}
			std::string Large(static_cast<size_t>(Needed) + 1, '\0');
			std::snprintf(Large.data(), Large.size(), Spec.c_str(), Args...);
			AppendNarrow(Out, Large.data(), Needed);
		}

		int64 ArgAsSigned(const FFormatArg& Arg)
		{
			switch (Arg.Kind)
			{
			case FFormatArg::EKind::Signed:
				return Arg.Signed;
			case FFormatArg::EKind::Unsigned:
				return static_cast<int64>(Arg.Unsigned);
			case FFormatArg::EKind::Double:
				if (std::isnan(Arg.Double))
				{
					return 0;
				}
				if (Arg.Double >= 9223372036854775808.0)
				{
					return std::numeric_limits<int64>::max();
				}
				if (Arg.Double < -9223372036854775808.0)
				{
					return std::numeric_limits<int64>::min();
				}
				return static_cast<int64>(Arg.Double);
			default:
				return static_cast<int64>(reinterpret_cast<UPTRINT>(Arg.Pointer));
			}
		}

		double ArgAsDouble(const FFormatArg& Arg)
		{
			switch (Arg.Kind)
			{
			case FFormatArg::EKind::Double:
				return Arg.Double;
			case FFormatArg::EKind::Signed:
				return static_cast<double>(Arg.Signed);
			case FFormatArg::EKind::Unsigned:
				return static_cast<double>(Arg.Unsigned);
			default:
				return 0.0;
			}
		}
	}

	FString FormatString(const TCHAR* Format, const FFormatArg* Args, int32 NumArgs)
	{
		std::u16string Out;
		if (!Format)
		{
			return FString();
		}
		int32 NextArg = 0;
		const TCHAR* Cursor = Format;
		while (*Cursor)
		{
			if (*Cursor != '%')
			{
				Out.push_back(*Cursor++);
				continue;
			}
			const TCHAR* SpecStart = Cursor++;
			if (*Cursor == '%')
			{
				Out.push_back('%');
				++Cursor;
				continue;
			}

			std::string Flags;
			while (*Cursor == '-' || *Cursor == '+' || *Cursor == ' ' || *Cursor == '#' || *Cursor == '0')
			{
				Flags.push_back(static_cast<char>(*Cursor++));
			}
			int Width = -1;
			if (*Cursor == '*')
			{
				++Cursor;
				Width = NextArg < NumArgs ? static_cast<int>(ArgAsSigned(Args[NextArg++])) : 0;
				if (Width < 0)
				{
					Flags.push_back('-');
					Width = -Width;
				}
			}
			else
			{
				while (FChar::IsDigit(*Cursor))
				{
					Width = (Width < 0 ? 0 : Width) * 10 + (*Cursor++ - '0');
					Width = Width > 4096 ? 4096 : Width;
				}
			}
			int Precision = -1;
			if (*Cursor == '.')
			{
				++Cursor;
				Precision = 0;
				if (*Cursor == '*')
				{
					++Cursor;
					Precision = NextArg < NumArgs ? static_cast<int>(ArgAsSigned(Args[NextArg++])) : 0;
				}
				else
				{
					while (FChar::IsDigit(*Cursor))
					{
						Precision = Precision * 10 + (*Cursor++ - '0');
						Precision = Precision > 4096 ? 4096 : Precision;
					}
				}
			}
			// Length: 64-bit with ll, I64, j, z and t; otherwise the value is read as 32 bits (16 with h, 8 with hh),
			// which is what the engine's variadic formatter reads from its argument list.
			int LengthBits = 32;
			bool bAnsiString = false;
			if (Cursor[0] == 'l' && Cursor[1] == 'l')
			{
				LengthBits = 64;
				Cursor += 2;
			}
			else if (Cursor[0] == 'I' && Cursor[1] == '6' && Cursor[2] == '4')
			{
				LengthBits = 64;
				Cursor += 3;
			}
			else if (Cursor[0] == 'h' && Cursor[1] == 'h')
			{
				LengthBits = 8;
				Cursor += 2;
			}
			else if (*Cursor == 'h')
			{
				LengthBits = 16;
				bAnsiString = true;
				++Cursor;
			}
			else if (*Cursor == 'j' || *Cursor == 'z' || *Cursor == 't')
			{
				LengthBits = 64;
				++Cursor;
			}
			else if (*Cursor == 'l' || *Cursor == 'L')
			{
				++Cursor;
			}

			const TCHAR Conversion = *Cursor;
			if (!Conversion || NextArg >= NumArgs)
			{
				// Malformed or missing argument: keep the directive as written.
				Out.append(SpecStart, Conversion ? Cursor + 1 : Cursor);
				Cursor += Conversion ? 1 : 0;
				continue;
			}
			++Cursor;
			const FFormatArg& Arg = Args[NextArg++];
			std::string Spec = "%" + Flags;
			if (Width >= 0)
			{
				Spec += std::to_string(Width);
			}
			if (Precision >= 0)
			{
				Spec += "." + std::to_string(Precision);
			}

			switch (Conversion)
			{
			case 'd':
			case 'i':
			{
				int64 Value = ArgAsSigned(Arg);
				Value = LengthBits == 64 ? Value : (LengthBits == 32 ? static_cast<int32>(Value) : (LengthBits == 16 ? static_cast<int16>(Value) : static_cast<int8>(Value)));
				AppendFormatted(Out, Spec + "lld", static_cast<long long>(Value));
				break;
			}
			case 'u':
			case 'x':
			case 'X':
			case 'o':
			{
				uint64 Value = static_cast<uint64>(ArgAsSigned(Arg));
				if (Arg.Kind == FFormatArg::EKind::Unsigned)
				{
					Value = Arg.Unsigned;
				}
				Value = LengthBits == 64 ? Value : (LengthBits == 32 ? static_cast<uint32>(Value) : (LengthBits == 16 ? static_cast<uint16>(Value) : static_cast<uint8>(Value)));
				AppendFormatted(Out, Spec + "ll" + static_cast<char>(Conversion), static_cast<unsigned long long>(Value));
				break;
			}
			case 'f':
			case 'F':
			case 'e':
			case 'E':
			case 'g':
			case 'G':
			case 'a':
			case 'A':
				AppendFormatted(Out, Spec + static_cast<char>(Conversion), ArgAsDouble(Arg));
				break;
			case 'c':
			{
				const std::u16string Char(1, static_cast<TCHAR>(ArgAsSigned(Arg)));
				const int Pad = Width > 1 ? Width - 1 : 0;
				const bool bLeft = Flags.find('-') != std::string::npos;
				if (!bLeft)
				{
					Out.append(static_cast<size_t>(Pad), ' ');
				}
				Out += Char;
				if (bLeft)
				{
					Out.append(static_cast<size_t>(Pad), ' ');
				}
				break;
			}
			case 's':
			case 'S':
			{
				std::u16string Text;
				if (Arg.Kind == FFormatArg::EKind::WideString)
				{
					Text = Arg.Wide ? Arg.Wide : u"(null)";
				}
				else if (Arg.Kind == FFormatArg::EKind::AnsiString || (bAnsiString && Arg.Kind == FFormatArg::EKind::Pointer))
				{
					const ANSICHAR* Ansi = Arg.Kind == FFormatArg::EKind::AnsiString ? Arg.Ansi : static_cast<const ANSICHAR*>(Arg.Pointer);
					for (const ANSICHAR* Char = Ansi ? Ansi : "(null)"; *Char; ++Char)
					{
						Text.push_back(static_cast<unsigned char>(*Char));
					}
				}
				else if (Arg.Kind == FFormatArg::EKind::Pointer && !Arg.Pointer)
				{
					Text = u"(null)";
				}
				if (Precision >= 0 && Text.size() > static_cast<size_t>(Precision))
				{
					Text.resize(static_cast<size_t>(Precision));
				}
				const size_t Pad = Width > 0 && static_cast<size_t>(Width) > Text.size() ? static_cast<size_t>(Width) - Text.size() : 0;
				const bool bLeft = Flags.find('-') != std::string::npos;
				if (!bLeft)
				{
					Out.append(Pad, ' ');
				}
				Out += Text;
				if (bLeft)
				{
					Out.append(Pad, ' ');
				}
				break;
			}
			case 'p':
				AppendFormatted(Out, Spec + "p", Arg.Kind == FFormatArg::EKind::Pointer ? Arg.Pointer : nullptr);
				break;
			default:
				Out.append(SpecStart, Cursor);
				break;
			}
		}
		return FString(std::move(Out));
	}
}

void LexFromString(int8& Out, const TCHAR* Buffer)
{
	Out = static_cast<int8>(FCString::Atoi(Buffer));
}
void LexFromString(int16& Out, const TCHAR* Buffer)
{
	Out = static_cast<int16>(FCString::Atoi(Buffer));
}
void LexFromString(int32& Out, const TCHAR* Buffer)
{
	Out = FCString::Atoi(Buffer);
}
void LexFromString(int64& Out, const TCHAR* Buffer)
{
	Out = FCString::Atoi64(Buffer);
}
void LexFromString(uint8& Out, const TCHAR* Buffer)
{
	Out = static_cast<uint8>(FCString::Atoi(Buffer));
}
void LexFromString(uint16& Out, const TCHAR* Buffer)
{
	Out = static_cast<uint16>(FCString::Atoi(Buffer));
}
void LexFromString(uint32& Out, const TCHAR* Buffer)
{
	Out = static_cast<uint32>(FCString::Atoi64(Buffer));
}
void LexFromString(uint64& Out, const TCHAR* Buffer)
{
	Out = FCString::Strtoui64(Buffer, nullptr, 10);
}
void LexFromString(float& Out, const TCHAR* Buffer)
{
	Out = FCString::Atof(Buffer);
}
void LexFromString(double& Out, const TCHAR* Buffer)
{
	Out = FCString::Atod(Buffer);
}
void LexFromString(bool& Out, const TCHAR* Buffer)
{
	Out = FCString::ToBool(Buffer);
}
void LexFromString(FString& Out, const TCHAR* Buffer)
{
	Out = Buffer;
}

namespace
{
	/** True when the whole text (after leading white space) is consumed by the parse. */
	template <typename ParseType>
	bool ParsesCompletely(const TCHAR* Buffer, ParseType Parse)
	{
		if (!Buffer || !*Buffer)
		{
			return false;
		}
		TCHAR* End = nullptr;
		Parse(Buffer, &End);
		return End && End != Buffer && *End == 0;
	}
}

bool LexTryParseString(double& Out, const TCHAR* Buffer)
{
	if (!Buffer || !*Buffer || !FCString::IsNumeric(Buffer))
	{
		return false;
	}
	Out = FCString::Atod(Buffer);
	return true;
}

bool LexTryParseString(float& Out, const TCHAR* Buffer)
{
	double Value = 0.0;
	if (!LexTryParseString(Value, Buffer))
	{
		return false;
	}
	Out = static_cast<float>(Value);
	return true;
}

bool LexTryParseString(int32& Out, const TCHAR* Buffer)
{
	int64 Value = 0;
	if (!ParsesCompletely(Buffer, [&Value](const TCHAR* Start, TCHAR** End)
			{ Value = FCString::Strtoi64(Start, End, 10); }) ||
		Value < TNumericLimits<int32>::Min() || Value > TNumericLimits<int32>::Max())
	{
		return false;
	}
	Out = static_cast<int32>(Value);
	return true;
}

bool LexTryParseString(int64& Out, const TCHAR* Buffer)
{
	return ParsesCompletely(Buffer, [&Out](const TCHAR* Start, TCHAR** End)
		{ Out = FCString::Strtoi64(Start, End, 10); });
}

bool LexTryParseString(uint32& Out, const TCHAR* Buffer)
{
	uint64 Value = 0;
	if (!ParsesCompletely(Buffer, [&Value](const TCHAR* Start, TCHAR** End)
			{ Value = FCString::Strtoui64(Start, End, 10); }) ||
		Value > TNumericLimits<uint32>::Max())
	{
		return false;
	}
	Out = static_cast<uint32>(Value);
	return true;
}

bool LexTryParseString(uint64& Out, const TCHAR* Buffer)
{
	return ParsesCompletely(Buffer, [&Out](const TCHAR* Start, TCHAR** End)
		{ Out = FCString::Strtoui64(Start, End, 10); });
}

FString LexToString(int32 Value)
{
	return FString::Printf(TEXT("%d"), Value);
}
FString LexToString(int64 Value)
{
	return FString::Printf(TEXT("%lld"), Value);
}
FString LexToString(uint32 Value)
{
	return FString::Printf(TEXT("%u"), Value);
}
FString LexToString(uint64 Value)
{
	return FString::Printf(TEXT("%llu"), Value);
}
FString LexToString(double Value)
{
	return FString::SanitizeFloat(Value);
}
FString LexToString(float Value)
{
	return FString::SanitizeFloat(Value);
}
FString LexToString(bool Value)
{
	return Value ? FString(TEXT("true")) : FString(TEXT("false"));
}
FString LexToString(const FString& Value)
{
	return Value;
}
