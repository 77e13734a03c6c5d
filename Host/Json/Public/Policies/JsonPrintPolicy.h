// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Policies/JsonPrintPolicy.h.
#pragma once

#include "CoreMinimal.h"

/** Base print policy: how characters, strings and numbers reach the output. */
template <class CharType>
struct TJsonPrintPolicy
{
	static void WriteChar(FString* Stream, CharType Char) { Stream->AppendChar(Char); }
	static void WriteString(FString* Stream, FStringView String) { Stream->AppendChars(String.GetData(), String.Len()); }
	static void WriteFloat(FString* Stream, float Value) { WriteString(Stream, FString::Printf(TEXT("%g"), Value)); }
	/** 17 significant digits, enough for any double to read back exactly. */
	static void WriteDouble(FString* Stream, double Value) { WriteString(Stream, FString::Printf(TEXT("%.17g"), Value)); }
};
