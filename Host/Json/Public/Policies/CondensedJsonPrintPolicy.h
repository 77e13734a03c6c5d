// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Policies/CondensedJsonPrintPolicy.h: no white space at all.
#pragma once

#include "Policies/JsonPrintPolicy.h"

template <class CharType>
struct TCondensedJsonPrintPolicy : public TJsonPrintPolicy<CharType>
{
	static void WriteLineTerminator(FString* Stream) {}
	static void WriteTabs(FString* Stream, int32 Count) {}
	static void WriteSpace(FString* Stream) {}
};
