// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Policies/PrettyJsonPrintPolicy.h: tab indentation, the platform line terminator.
#pragma once

#include "Policies/JsonPrintPolicy.h"

template <class CharType>
struct TPrettyJsonPrintPolicy : public TJsonPrintPolicy<CharType>
{
	static void WriteLineTerminator(FString* Stream) { Stream->Append(LINE_TERMINATOR); }
	static void WriteTabs(FString* Stream, int32 Count)
	{
		for (int32 Index = 0; Index < Count; ++Index)
		{
			Stream->AppendChar(CharType('\t'));
		}
	}
	static void WriteSpace(FString* Stream) { Stream->AppendChar(CharType(' ')); }
};
