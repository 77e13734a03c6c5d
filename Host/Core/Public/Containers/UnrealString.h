// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/UnrealString.h.
#pragma once

#include "Containers/Array.h"
#include "CoreTypes.h"
#include "Misc/CString.h"

#include <string>
#include <type_traits>

class FString;

namespace UE::Core::Private
{
	/** One argument of a printf-style format, captured by kind. */
	struct FFormatArg
	{
		enum class EKind : uint8
		{
			Signed,
			Unsigned,
			Double,
			WideString,
			AnsiString,
			Pointer,
		};

		EKind Kind;
		union
		{
			int64 Signed;
			uint64 Unsigned;
			double Double;
			const TCHAR* Wide;
			const ANSICHAR* Ansi;
			const void* Pointer;
		};

		template <typename T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T>, int> = 0>
		FFormatArg(T Value)
			: Kind(EKind::Signed)
			, Signed(Value)
		{
		}
		template <typename T, std::enable_if_t<std::is_integral_v<T> && !std::is_signed_v<T>, int> = 0>
		FFormatArg(T Value)
			: Kind(EKind::Unsigned)
			, Unsigned(Value)
		{
		}
		template <typename T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
		FFormatArg(T Value)
			: FFormatArg(static_cast<std::underlying_type_t<T>>(Value))
		{
		}
		FFormatArg(float Value)
			: Kind(EKind::Double)
			, Double(Value)
		{
		}
		FFormatArg(double Value)
			: Kind(EKind::Double)
			, Double(Value)
		{
		}
		FFormatArg(const TCHAR* Value)
			: Kind(EKind::WideString)
			, Wide(Value)
		{
		}
		FFormatArg(const ANSICHAR* Value)
			: Kind(EKind::AnsiString)
			, Ansi(Value)
		{
		}
		FFormatArg(const void* Value)
			: Kind(EKind::Pointer)
			, Pointer(Value)
		{
		}
		FFormatArg(std::nullptr_t)
			: Kind(EKind::Pointer)
			, Pointer(nullptr)
		{
		}

		// As in the engine, a string argument is passed as *String, never as the FString itself.
		FFormatArg(const FString&) = delete;
	};

	FString FormatString(const TCHAR* Format, const FFormatArg* Args, int32 NumArgs);
}

/** The engine's text string: UTF-16 code units, comparisons without regard to ASCII case by default. */
class FString
{
public:
	typedef TCHAR ElementType;

	FString() = default;
	FString(const FString&) = default;
	FString(FString&&) noexcept = default;
	FString& operator=(const FString&) = default;
	FString& operator=(FString&&) noexcept = default;

	FString(const TCHAR* String)
		: Data(String ? String : u"")
	{
	}
	FString(int32 Count, const TCHAR* String)
		: Data(String, static_cast<size_t>(Count))
	{
	}
	/** 7-bit text; any byte above 127 keeps its code (Latin-1). */
	FString(const ANSICHAR* String);
	FString(int32 Count, const ANSICHAR* String);
	explicit FString(std::u16string&& String)
		: Data(std::move(String))
	{
	}

	FString& operator=(const TCHAR* String)
	{
		Data = String ? String : u"";
		return *this;
	}

	/** Pointer to the null-terminated text; never null. */
	FORCEINLINE const TCHAR* operator*() const { return Data.c_str(); }
	FORCEINLINE int32 Len() const { return static_cast<int32>(Data.size()); }
	FORCEINLINE bool IsEmpty() const { return Data.empty(); }
	FORCEINLINE bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Len(); }
	FORCEINLINE TCHAR& operator[](int32 Index)
	{
		checkf(IsValidIndex(Index), TEXT("String index out of bounds"));
		return Data[static_cast<size_t>(Index)];
	}
	FORCEINLINE const TCHAR& operator[](int32 Index) const
	{
		checkf(IsValidIndex(Index), TEXT("String index out of bounds"));
		return Data[static_cast<size_t>(Index)];
	}

	void Empty(int32 Slack = 0)
	{
		Data.clear();
		Reserve(Slack);
	}
	void Reset(int32 NewReservedSize = 0) { Empty(NewReservedSize); }
	void Reserve(int32 CharacterCount)
	{
		if (CharacterCount > 0)
		{
			Data.reserve(static_cast<size_t>(CharacterCount));
		}
	}

	FString& AppendChar(TCHAR Char)
	{
		Data.push_back(Char);
		return *this;
	}
	FString& AppendChars(const TCHAR* Chars, int32 Count)
	{
		if (Chars && Count > 0)
		{
			Data.append(Chars, static_cast<size_t>(Count));
		}
		return *this;
	}
	FString& Append(const FString& Text)
	{
		Data.append(Text.Data);
		return *this;
	}
	FString& Append(const TCHAR* Text)
	{
		if (Text)
		{
			Data.append(Text);
		}
		return *this;
	}
	FString& Append(const TCHAR* Text, int32 Count) { return AppendChars(Text, Count); }
	FString& operator+=(const FString& Text) { return Append(Text); }
	FString& operator+=(const TCHAR* Text) { return Append(Text); }
	FString& operator+=(TCHAR Char) { return AppendChar(Char); }
	FString& operator/=(const FString& Text);
	FString& operator/=(const TCHAR* Text) { return *this /= FString(Text); }

	friend FString operator+(const FString& A, const FString& B) { return FString(A.Data + B.Data); }
	friend FString operator+(FString&& A, const FString& B)
	{
		A.Data += B.Data;
		return MoveTemp(A);
	}
	friend FString operator+(const FString& A, const TCHAR* B) { return A + FString(B); }
	friend FString operator+(FString&& A, const TCHAR* B)
	{
		A.Append(B);
		return MoveTemp(A);
	}
	friend FString operator+(const TCHAR* A, const FString& B) { return FString(A) + B; }
	friend FString operator/(const FString& A, const FString& B)
	{
		FString Result(A);
		Result /= B;
		return Result;
	}
	friend FString operator/(const FString& A, const TCHAR* B) { return A / FString(B); }

	/** Case-insensitive, like the engine's operator==. */
	friend bool operator==(const FString& A, const FString& B) { return A.Equals(B, ESearchCase::IgnoreCase); }
	friend bool operator==(const FString& A, const TCHAR* B) { return FCString::Stricmp(*A, B ? B : u"") == 0; }
	friend bool operator==(const TCHAR* A, const FString& B) { return B == A; }
	friend bool operator!=(const FString& A, const FString& B) { return !(A == B); }
	friend bool operator!=(const FString& A, const TCHAR* B) { return !(A == B); }
	friend bool operator!=(const TCHAR* A, const FString& B) { return !(B == A); }
	/** Case-insensitive ordering, like the engine's operator<. */
	friend bool operator<(const FString& A, const FString& B) { return A.Compare(B, ESearchCase::IgnoreCase) < 0; }

	bool Equals(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const;
	int32 Compare(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const;

	bool StartsWith(const FString& Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool StartsWith(const TCHAR* Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const { return StartsWith(FString(Prefix), SearchCase); }
	bool EndsWith(const FString& Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool EndsWith(const TCHAR* Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const { return EndsWith(FString(Suffix), SearchCase); }

	int32 Find(const FString& SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const;
	int32 Find(const TCHAR* SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const
	{
		return Find(FString(SubStr), SearchCase, SearchDir, StartPosition);
	}
	bool Contains(const FString& SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart) const { return Find(SubStr, SearchCase, SearchDir) != INDEX_NONE; }
	bool Contains(const TCHAR* SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart) const { return Find(SubStr, SearchCase, SearchDir) != INDEX_NONE; }
	bool FindChar(TCHAR Char, int32& Index) const;
	bool FindLastChar(TCHAR Char, int32& Index) const;

	FString Left(int32 Count) const;
	FString LeftChop(int32 Count) const;
	FString Right(int32 Count) const;
	FString RightChop(int32 Count) const;
	FString Mid(int32 Start, int32 Count = 0x7fffffff) const;

	FString ToLower() const;
	FString ToUpper() const;
	void ToLowerInline();
	void ToUpperInline();
	FString TrimStart() const;
	FString TrimEnd() const;
	FString TrimStartAndEnd() const;
	// In place, as the engine trims: the text is not copied (stage files hold hundreds of megabytes).
	void TrimStartInline();
	void TrimEndInline();
	void TrimStartAndEndInline()
	{
		TrimEndInline();
		TrimStartInline();
	}

	/** Removes Count characters from Index (clamped to the text). */
	void RemoveAt(int32 Index, int32 Count = 1)
	{
		checkf(Index >= 0 && Count >= 0 && Index + Count <= Len(), TEXT("String RemoveAt out of bounds"));
		Data.erase(static_cast<size_t>(Index), static_cast<size_t>(Count));
	}

	/** Removes the prefix when the text starts with it; true when it did. */
	bool RemoveFromStart(const FString& Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase)
	{
		if (!StartsWith(Prefix, SearchCase))
		{
			return false;
		}
		Data.erase(0, Prefix.Data.size());
		return true;
	}
	bool RemoveFromStart(const TCHAR* Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) { return RemoveFromStart(FString(Prefix), SearchCase); }
	/** Removes the suffix when the text ends with it; true when it did. */
	bool RemoveFromEnd(const FString& Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase)
	{
		if (!EndsWith(Suffix, SearchCase))
		{
			return false;
		}
		Data.resize(Data.size() - Suffix.Data.size());
		return true;
	}
	bool RemoveFromEnd(const TCHAR* Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) { return RemoveFromEnd(FString(Suffix), SearchCase); }

	FString Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	int32 ReplaceInline(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase);
	bool Split(const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart) const;
	int32 ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delimiter, bool bCullEmpty = true) const;
	int32 ParseIntoArrayLines(TArray<FString>& OutArray, bool bCullEmpty = true) const;

	/** True when the text is an optionally signed decimal number (digits with at most one dot). */
	bool IsNumeric() const;
	bool ToBool() const { return FCString::ToBool(**this); }

	static FString FromInt(int32 Num);
	/** "%f" text with trailing zeros trimmed, padded to at least MinFractionalDigits after the dot. */
	static FString SanitizeFloat(double InFloat, int32 InMinFractionalDigits = 1);
	static FString Chr(TCHAR Char) { return FString(std::u16string(1, Char)); }
	static FString ChrN(int32 NumCharacters, TCHAR Char) { return FString(std::u16string(static_cast<size_t>(NumCharacters > 0 ? NumCharacters : 0), Char)); }
	static FString Join(const TArray<FString>& Array, const TCHAR* Separator);

	/** printf-style formatting by the engine's rules: %s takes a TCHAR pointer, %hs an ANSI one. */
	template <typename FmtType, typename... Types>
	static FString Printf(const FmtType& Fmt, Types... Args)
	{
		static_assert(std::is_convertible_v<const FmtType&, const TCHAR*>, "Formatting string must be a TCHAR array.");
		const UE::Core::Private::FFormatArg ArgArray[sizeof...(Args) + 1] = {UE::Core::Private::FFormatArg(Args)..., UE::Core::Private::FFormatArg(0)};
		return UE::Core::Private::FormatString(Fmt, ArgArray, static_cast<int32>(sizeof...(Args)));
	}

	template <typename FmtType, typename... Types>
	FString& Appendf(const FmtType& Fmt, Types... Args)
	{
		return Append(Printf(Fmt, Args...));
	}

	/** The UTF-16 storage, for the host's own conversions. */
	const std::u16string& GetHostString() const { return Data; }
	std::u16string& GetHostString() { return Data; }

	auto begin() { return Data.begin(); }
	auto end() { return Data.end(); }
	auto begin() const { return Data.begin(); }
	auto end() const { return Data.end(); }

private:
	std::u16string Data;
};

/** Case-insensitive hash, matching FString's operator==. */
uint32 GetTypeHash(const FString& String);

/** Lexical conversions used by the engine's JSON values and settings. */
void LexFromString(int8& Out, const TCHAR* Buffer);
void LexFromString(int16& Out, const TCHAR* Buffer);
void LexFromString(int32& Out, const TCHAR* Buffer);
void LexFromString(int64& Out, const TCHAR* Buffer);
void LexFromString(uint8& Out, const TCHAR* Buffer);
void LexFromString(uint16& Out, const TCHAR* Buffer);
void LexFromString(uint32& Out, const TCHAR* Buffer);
void LexFromString(uint64& Out, const TCHAR* Buffer);
void LexFromString(float& Out, const TCHAR* Buffer);
void LexFromString(double& Out, const TCHAR* Buffer);
void LexFromString(bool& Out, const TCHAR* Buffer);
void LexFromString(FString& Out, const TCHAR* Buffer);
bool LexTryParseString(double& Out, const TCHAR* Buffer);
bool LexTryParseString(float& Out, const TCHAR* Buffer);
bool LexTryParseString(int32& Out, const TCHAR* Buffer);
bool LexTryParseString(int64& Out, const TCHAR* Buffer);
bool LexTryParseString(uint32& Out, const TCHAR* Buffer);
bool LexTryParseString(uint64& Out, const TCHAR* Buffer);
FString LexToString(int32 Value);
FString LexToString(int64 Value);
FString LexToString(uint32 Value);
FString LexToString(uint64 Value);
FString LexToString(double Value);
FString LexToString(float Value);
FString LexToString(bool Value);
FString LexToString(const FString& Value);
