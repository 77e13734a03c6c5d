// Copyright Kelmora. All Rights Reserved.
#include "ToolJson.h"

#include "Policies/CondensedJsonPrintPolicy.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <cmath>

TSharedPtr<FJsonValue> JsonNumber(double Value)
{
	if (std::isnan(Value))
	{
		return MakeShared<FJsonValueString>(TEXT("nan"));
	}
	if (std::isinf(Value))
	{
		return MakeShared<FJsonValueString>(Value > 0 ? TEXT("inf") : TEXT("-inf"));
	}
	return MakeShared<FJsonValueNumber>(Value);
}

TSharedPtr<FJsonValue> JsonNumbers(const double* Values, int32 Count)
{
	TArray<TSharedPtr<FJsonValue>> Array;
	Array.Reserve(Count);
	for (int32 Index = 0; Index < Count; ++Index)
	{
		Array.Add(JsonNumber(Values[Index]));
	}
	return MakeShared<FJsonValueArray>(Array);
}

FString ToJsonLine(const TSharedRef<FJsonObject>& Object)
{
	FString Text;
	FJsonSerializer::Serialize(Object, TJsonWriterFactory<TCHAR, TCondensedJsonPrintPolicy<TCHAR>>::Create(&Text));
	return Text;
}
