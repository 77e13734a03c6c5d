// Copyright Kelmora. All Rights Reserved.
#include "Dom/JsonValue.h"
#include "Dom/JsonObject.h"
#include "JsonGlobals.h"

DEFINE_LOG_CATEGORY(LogJson);

double FJsonValue::AsNumber() const
{
	double Number = 0.0;
	if (!TryGetNumber(Number))
	{
		ErrorMessage(TEXT("Number"));
	}
	return Number;
}

FString FJsonValue::AsString() const
{
	FString String;
	if (!TryGetString(String))
	{
		ErrorMessage(TEXT("String"));
	}
	return String;
}

bool FJsonValue::AsBool() const
{
	bool Bool = false;
	if (!TryGetBool(Bool))
	{
		ErrorMessage(TEXT("Boolean"));
	}
	return Bool;
}

const TArray<TSharedPtr<FJsonValue>>& FJsonValue::AsArray() const
{
	const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
	if (!TryGetArray(Array))
	{
		static const TArray<TSharedPtr<FJsonValue>> EmptyArray;
		Array = &EmptyArray;
		ErrorMessage(TEXT("Array"));
	}
	return *Array;
}

const TSharedPtr<FJsonObject>& FJsonValue::AsObject() const
{
	const TSharedPtr<FJsonObject>* Object = nullptr;
	if (!TryGetObject(Object))
	{
		static const TSharedPtr<FJsonObject> EmptyObject = MakeShared<FJsonObject>();
		Object = &EmptyObject;
		ErrorMessage(TEXT("Object"));
	}
	return *Object;
}

namespace
{
	/** Rounds half away from zero into the target type; false when the value is out of its range. */
	template <typename T>
	bool TryConvertNumber(const FJsonValue& InValue, T& OutNumber)
	{
		double Double;
		if (InValue.TryGetNumber(Double) && Double >= static_cast<double>(TNumericLimits<T>::Lowest()) && Double <= static_cast<double>(TNumericLimits<T>::Max()))
		{
			OutNumber = static_cast<T>(FMath::RoundHalfFromZero(Double));
			return true;
		}
		return false;
	}

	// 2^63 - 1 and 2^64 - 1 round up to 2^63 and 2^64 as doubles, so the 64-bit bounds are exclusive.
	template <>
	bool TryConvertNumber<uint64>(const FJsonValue& InValue, uint64& OutNumber)
	{
		double Double;
		if (InValue.TryGetNumber(Double) && Double >= 0.0 && Double < 18446744073709551616.0)
		{
			OutNumber = static_cast<uint64>(FMath::RoundHalfFromZero(Double));
			return true;
		}
		return false;
	}

	template <>
	bool TryConvertNumber<int64>(const FJsonValue& InValue, int64& OutNumber)
	{
		double Double;
		if (InValue.TryGetNumber(Double) && Double >= -9223372036854775808.0 && Double < 9223372036854775808.0)
		{
			OutNumber = static_cast<int64>(FMath::RoundHalfFromZero(Double));
			return true;
		}
		return false;
	}
}

bool FJsonValue::TryGetNumber(float& OutNumber) const
{
	double Double;
	if (TryGetNumber(Double))
	{
		OutNumber = static_cast<float>(Double);
		return true;
	}
	return false;
}

bool FJsonValue::TryGetNumber(int8& OutNumber) const
{
	return TryConvertNumber(*this, OutNumber);
}
bool FJsonValue::TryGetNumber(int16& OutNumber) const
{
	return TryConvertNumber(*this, OutNumber);
}
bool FJsonValue::TryGetNumber(int32& OutNumber) const
{
	return TryConvertNumber(*this, OutNumber);
}
bool FJsonValue::TryGetNumber(int64& OutNumber) const
{
	return TryConvertNumber(*this, OutNumber);
}
bool FJsonValue::TryGetNumber(uint8& OutNumber) const
{
	return TryConvertNumber(*this, OutNumber);
}
bool FJsonValue::TryGetNumber(uint16& OutNumber) const
{
	return TryConvertNumber(*this, OutNumber);
}
bool FJsonValue::TryGetNumber(uint32& OutNumber) const
{
	return TryConvertNumber(*this, OutNumber);
}
bool FJsonValue::TryGetNumber(uint64& OutNumber) const
{
	return TryConvertNumber(*this, OutNumber);
}

bool FJsonValue::CompareEqual(const FJsonValue& Lhs, const FJsonValue& Rhs)
{
	if (Lhs.Type != Rhs.Type)
	{
		return false;
	}
	switch (Lhs.Type)
	{
	case EJson::None:
	case EJson::Null:
		return true;
	case EJson::String:
		return Lhs.AsString() == Rhs.AsString();
	case EJson::Number:
		return Lhs.AsNumber() == Rhs.AsNumber();
	case EJson::Boolean:
		return Lhs.AsBool() == Rhs.AsBool();
	case EJson::Array:
	{
		const TArray<TSharedPtr<FJsonValue>>& LhsArray = Lhs.AsArray();
		const TArray<TSharedPtr<FJsonValue>>& RhsArray = Rhs.AsArray();
		if (LhsArray.Num() != RhsArray.Num())
		{
			return false;
		}
		for (int32 Index = 0; Index < LhsArray.Num(); ++Index)
		{
			if (!CompareEqual(*LhsArray[Index], *RhsArray[Index]))
			{
				return false;
			}
		}
		return true;
	}
	case EJson::Object:
	{
		const TSharedPtr<FJsonObject>& LhsObject = Lhs.AsObject();
		const TSharedPtr<FJsonObject>& RhsObject = Rhs.AsObject();
		if (LhsObject.IsValid() != RhsObject.IsValid())
		{
			return false;
		}
		if (!LhsObject.IsValid())
		{
			return true;
		}
		if (LhsObject->Values.Num() != RhsObject->Values.Num())
		{
			return false;
		}
		for (const auto& Pair : LhsObject->Values)
		{
			const TSharedPtr<FJsonValue>* RhsValue = RhsObject->Values.Find(Pair.Key);
			if (!RhsValue || Pair.Value.IsValid() != RhsValue->IsValid())
			{
				return false;
			}
			if (Pair.Value.IsValid() && !CompareEqual(*Pair.Value, **RhsValue))
			{
				return false;
			}
		}
		return true;
	}
	default:
		return false;
	}
}

TSharedPtr<FJsonValue> FJsonValue::Duplicate(const TSharedPtr<FJsonValue>& Src)
{
	if (!Src.IsValid())
	{
		return nullptr;
	}
	switch (Src->Type)
	{
	case EJson::Boolean:
		return MakeShared<FJsonValueBoolean>(Src->AsBool());
	case EJson::Number:
		return MakeShared<FJsonValueNumber>(Src->AsNumber());
	case EJson::String:
		return MakeShared<FJsonValueString>(Src->AsString());
	case EJson::Object:
	{
		TSharedPtr<FJsonObject> NewObject = MakeShared<FJsonObject>();
		FJsonObject::Duplicate(Src->AsObject(), NewObject);
		return MakeShared<FJsonValueObject>(NewObject);
	}
	case EJson::Array:
	{
		TArray<TSharedPtr<FJsonValue>> NewArray;
		for (const TSharedPtr<FJsonValue>& Element : Src->AsArray())
		{
			NewArray.Add(Duplicate(Element));
		}
		return MakeShared<FJsonValueArray>(MoveTemp(NewArray));
	}
	default:
		return MakeShared<FJsonValueNull>();
	}
}

void FJsonValue::ErrorMessage(const FString& InType) const
{
	UE_LOG(LogJson, Error, TEXT("Json Value of type '%s' used as a '%s'."), *GetType(), *InType);
}
