// Copyright Kelmora. All Rights Reserved.
// Shared by the fuzz targets: a quiet log, input bytes as text, and a check that stops the run with a reason.
#pragma once

#include "CoreMinimal.h"
#include "Misc/OutputDeviceRedirector.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace OrvaneFuzz
{
	/** Keeps the log off standard error: millions of inputs would otherwise spend their time writing it. */
	inline void QuietLog()
	{
		FOutputDeviceRedirector::Get()->SetStdErrEcho(false);
	}

	/** Stops the run as a finding when the condition does not hold. */
	inline void Check(bool bCondition, const char* What)
	{
		if (!bCondition)
		{
			std::fprintf(stderr, "Fuzz check failed: %s\n", What);
			std::abort();
		}
	}

	/**
	 * The input as text. The first byte picks the reading: even, every further byte is one character
	 * (Latin-1); odd, the further bytes are UTF-16 code units, low byte first (lone surrogates included).
	 */
	inline std::u16string BytesToText(const uint8_t* Data, size_t Size)
	{
		std::u16string Text;
		if (Size == 0)
		{
			return Text;
		}
		if ((Data[0] & 1) == 0)
		{
			Text.reserve(Size - 1);
			for (size_t Index = 1; Index < Size; ++Index)
			{
				Text.push_back(static_cast<char16_t>(Data[Index]));
			}
		}
		else
		{
			Text.reserve((Size - 1) / 2);
			for (size_t Index = 1; Index + 1 < Size; Index += 2)
			{
				Text.push_back(static_cast<char16_t>(Data[Index] | (Data[Index + 1] << 8)));
			}
		}
		return Text;
	}

	inline FString ToFString(const std::u16string& Text)
	{
		return FString(static_cast<int32>(Text.size()), reinterpret_cast<const TCHAR*>(Text.data()));
	}
}
