// Copyright Kelmora. All Rights Reserved.
#include "Misc/Guid.h"

#include <mutex>
#include <random>

FGuid FGuid::NewGuid()
{
	static std::mutex Mutex;
	static std::mt19937_64 Generator{std::random_device{}()};
	std::lock_guard<std::mutex> Lock(Mutex);
	FGuid Result;
	do
	{
		const uint64 First = Generator();
		const uint64 Second = Generator();
		Result = FGuid(static_cast<uint32>(First >> 32), static_cast<uint32>(First), static_cast<uint32>(Second >> 32), static_cast<uint32>(Second));
	} while (!Result.IsValid());
	return Result;
}

FString FGuid::ToString(EGuidFormats Format) const
{
	switch (Format)
	{
	case EGuidFormats::DigitsLower:
		return FString::Printf(TEXT("%08x%08x%08x%08x"), A, B, C, D);
	case EGuidFormats::DigitsWithHyphens:
		return FString::Printf(TEXT("%08X-%04X-%04X-%04X-%04X%08X"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensLower:
		return FString::Printf(TEXT("%08x-%04x-%04x-%04x-%04x%08x"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensInBraces:
		return FString::Printf(TEXT("{%08X-%04X-%04X-%04X-%04X%08X}"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensInParentheses:
		return FString::Printf(TEXT("(%08X-%04X-%04X-%04X-%04X%08X)"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	default:
		return FString::Printf(TEXT("%08X%08X%08X%08X"), A, B, C, D);
	}
}

bool FGuid::Parse(const FString& GuidString, FGuid& OutGuid)
{
	FString Digits;
	for (const TCHAR Char : GuidString)
	{
		if (Char != '-' && Char != '{' && Char != '}' && Char != '(' && Char != ')')
		{
			Digits.AppendChar(Char);
		}
	}
	if (Digits.Len() != 32)
	{
		return false;
	}
	for (const TCHAR Char : Digits)
	{
		if (!FChar::IsHexDigit(Char))
		{
			return false;
		}
	}
	OutGuid = FGuid(
		static_cast<uint32>(FCString::Strtoui64(*Digits.Mid(0, 8), nullptr, 16)),
		static_cast<uint32>(FCString::Strtoui64(*Digits.Mid(8, 8), nullptr, 16)),
		static_cast<uint32>(FCString::Strtoui64(*Digits.Mid(16, 8), nullptr, 16)),
		static_cast<uint32>(FCString::Strtoui64(*Digits.Mid(24, 8), nullptr, 16)));
	return true;
}
