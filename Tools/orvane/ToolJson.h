// Copyright Kelmora. All Rights Reserved.
// The JSON the tool prints: numbers that read back to the same value, and one object per line.
#pragma once

#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "Dom/JsonValue.h"

#include <initializer_list>

/** A number that reads back to the same value; JSON has no non-finite numbers, so those become "nan", "inf" or "-inf". */
TSharedPtr<FJsonValue> JsonNumber(double Value);

/** An array of numbers, each as JsonNumber writes it. */
TSharedPtr<FJsonValue> JsonNumbers(const double* Values, int32 Count);

inline TSharedPtr<FJsonValue> JsonNumbers(std::initializer_list<double> Values)
{
	return JsonNumbers(Values.begin(), static_cast<int32>(Values.size()));
}

template <int32 Count>
TSharedPtr<FJsonValue> JsonNumbers(const double (&Values)[Count])
{
	return JsonNumbers(Values, Count);
}

/** The object as one line of condensed JSON, without the line break. */
FString ToJsonLine(const TSharedRef<FJsonObject>& Object);
