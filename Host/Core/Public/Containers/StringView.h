// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/StringView.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"

/** Non-owning view of characters. */
template <typename CharType>
class TStringView
{
public:
	TStringView() = default;
	TStringView(const CharType* InData)
		: DataPtr(InData)
		, Size(0)
	{
		while (InData && InData[Size])
		{
			++Size;
		}
	}
	TStringView(const CharType* InData, int32 InSize)
		: DataPtr(InData)
		, Size(InSize)
	{
	}
	template <typename StringType, typename = std::enable_if_t<std::is_same_v<StringType, FString> && std::is_same_v<CharType, TCHAR>>>
	TStringView(const StringType& String)
		: DataPtr(*String)
		, Size(String.Len())
	{
	}

	const CharType* GetData() const { return DataPtr; }
	int32 Len() const { return Size; }
	bool IsEmpty() const { return Size == 0; }
	const CharType& operator[](int32 Index) const
	{
		checkf(Index >= 0 && Index < Size, TEXT("String view index out of bounds"));
		return DataPtr[Index];
	}
	TStringView Left(int32 Count) const { return TStringView(DataPtr, Count < 0 ? 0 : (Count > Size ? Size : Count)); }
	TStringView RightChop(int32 Count) const
	{
		const int32 Skip = Count < 0 ? 0 : (Count > Size ? Size : Count);
		return TStringView(DataPtr + Skip, Size - Skip);
	}
	void RightChopInline(int32 Count) { *this = RightChop(Count); }
	bool Equals(TStringView Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		if (Size != Other.Size)
		{
			return false;
		}
		for (int32 Index = 0; Index < Size; ++Index)
		{
			CharType A = DataPtr[Index];
			CharType B = Other.DataPtr[Index];
			if (SearchCase == ESearchCase::IgnoreCase)
			{
				A = TChar<CharType>::ToLower(A);
				B = TChar<CharType>::ToLower(B);
			}
			if (A != B)
			{
				return false;
			}
		}
		return true;
	}
	const CharType* begin() const { return DataPtr; }
	const CharType* end() const { return DataPtr + Size; }

private:
	const CharType* DataPtr = nullptr;
	int32 Size = 0;
};

typedef TStringView<TCHAR> FStringView;
typedef TStringView<ANSICHAR> FAnsiStringView;

#define TEXTVIEW(String) FStringView(TEXT(String), static_cast<int32>(UE_ARRAY_COUNT(TEXT(String)) - 1))

/** Case-insensitive, as FString's operator==. */
inline bool operator==(const FString& A, FStringView B)
{
	return FStringView(A).Equals(B, ESearchCase::IgnoreCase);
}
inline bool operator==(FStringView A, const FString& B)
{
	return B == A;
}

/** The same hash as GetTypeHash(FString) for the same text. */
inline uint32 GetTypeHash(FStringView View)
{
	uint32 Hash = 2166136261u;
	for (const TCHAR Char : View)
	{
		Hash = (Hash ^ FChar::ToLower(Char)) * 16777619u;
	}
	return Hash;
}
