// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Dom/JsonValue.h, with the engine's conversions between value kinds.
#pragma once

#include "CoreMinimal.h"
#include "Serialization/JsonTypes.h"

class FJsonObject;

/** A JSON value of any kind; only the derived kinds are instantiated. */
class FJsonValue
{
public:
	/** The value as a double; logs an error and returns 0 when it has none. */
	double AsNumber() const;
	/** The value as a string; logs an error and returns an empty string when it has none. */
	FString AsString() const;
	/** The value as a bool; logs an error and returns false when it has none. */
	bool AsBool() const;
	/** The value as an array; logs an error and returns an empty array when it is none. */
	const TArray<TSharedPtr<FJsonValue>>& AsArray() const;
	/** The value as an object; logs an error and returns an empty object when it is none. */
	virtual const TSharedPtr<FJsonObject>& AsObject() const;

	virtual bool TryGetNumber(double& OutNumber) const { return false; }
	virtual bool TryGetNumber(float& OutNumber) const;
	virtual bool TryGetNumber(int8& OutNumber) const;
	virtual bool TryGetNumber(int16& OutNumber) const;
	virtual bool TryGetNumber(int32& OutNumber) const;
	virtual bool TryGetNumber(int64& OutNumber) const;
	virtual bool TryGetNumber(uint8& OutNumber) const;
	virtual bool TryGetNumber(uint16& OutNumber) const;
	virtual bool TryGetNumber(uint32& OutNumber) const;
	virtual bool TryGetNumber(uint64& OutNumber) const;
	virtual bool TryGetString(FString& OutString) const { return false; }
	virtual bool TryGetBool(bool& OutBool) const { return false; }
	virtual bool TryGetArray(const TArray<TSharedPtr<FJsonValue>>*& OutArray) const { return false; }
	virtual bool TryGetArray(TArray<TSharedPtr<FJsonValue>>*& OutArray) { return false; }
	virtual bool TryGetObject(const TSharedPtr<FJsonObject>*& Object) const { return false; }
	virtual bool TryGetObject(TSharedPtr<FJsonObject>*& Object) { return false; }
	virtual bool PreferStringRepresentation() const { return false; }

	bool IsNull() const { return Type == EJson::Null || Type == EJson::None; }

	EJson Type;

	static TSharedPtr<FJsonValue> Duplicate(const TSharedPtr<FJsonValue>& Src);
	static bool CompareEqual(const FJsonValue& Lhs, const FJsonValue& Rhs);

	virtual ~FJsonValue() = default;

protected:
	FJsonValue()
		: Type(EJson::None)
	{
	}

	virtual FString GetType() const = 0;
	void ErrorMessage(const FString& InType) const;

	friend inline bool operator==(const FJsonValue& Lhs, const FJsonValue& Rhs) { return FJsonValue::CompareEqual(Lhs, Rhs); }
	friend inline bool operator!=(const FJsonValue& Lhs, const FJsonValue& Rhs) { return !FJsonValue::CompareEqual(Lhs, Rhs); }
};

/** A JSON string. Reading it as a number parses the text, as the engine does. */
class FJsonValueString : public FJsonValue
{
public:
	FJsonValueString(const FString& InString)
		: Value(InString)
	{
		Type = EJson::String;
	}
	FJsonValueString(FString&& InString)
		: Value(MoveTemp(InString))
	{
		Type = EJson::String;
	}

	bool TryGetString(FString& OutString) const override
	{
		OutString = Value;
		return true;
	}
	bool TryGetNumber(double& OutDouble) const override
	{
		if (Value.IsNumeric())
		{
			OutDouble = FCString::Atod(*Value);
			return true;
		}
		return false;
	}
	bool TryGetNumber(int32& OutValue) const override
	{
		LexFromString(OutValue, *Value);
		return true;
	}
	bool TryGetNumber(uint32& OutValue) const override
	{
		LexFromString(OutValue, *Value);
		return true;
	}
	bool TryGetNumber(int64& OutValue) const override
	{
		LexFromString(OutValue, *Value);
		return true;
	}
	bool TryGetNumber(uint64& OutValue) const override
	{
		LexFromString(OutValue, *Value);
		return true;
	}
	bool TryGetBool(bool& OutBool) const override
	{
		OutBool = Value.ToBool();
		return true;
	}
	using FJsonValue::TryGetNumber;

	bool IsEmpty() const { return Value.IsEmpty(); }

protected:
	FString Value;
	FString GetType() const override { return TEXT("String"); }
};

/** A JSON number, held as a double. */
class FJsonValueNumber : public FJsonValue
{
public:
	FJsonValueNumber(double InNumber)
		: Value(InNumber)
	{
		Type = EJson::Number;
	}

	bool TryGetNumber(double& OutNumber) const override
	{
		OutNumber = Value;
		return true;
	}
	bool TryGetBool(bool& OutBool) const override
	{
		OutBool = (Value != 0.0);
		return true;
	}
	bool TryGetString(FString& OutString) const override
	{
		OutString = FString::SanitizeFloat(Value, 0);
		return true;
	}
	using FJsonValue::TryGetNumber;

protected:
	double Value;
	FString GetType() const override { return TEXT("Number"); }
};

/** A JSON number kept as its text, so that no precision is lost. */
class FJsonValueNumberString : public FJsonValue
{
public:
	FJsonValueNumberString(const FString& InString)
		: Value(InString)
	{
		Type = EJson::Number;
	}
	FJsonValueNumberString(FString&& InString)
		: Value(MoveTemp(InString))
	{
		Type = EJson::Number;
	}

	bool TryGetString(FString& OutString) const override
	{
		OutString = Value;
		return true;
	}
	bool TryGetNumber(double& OutDouble) const override { return LexTryParseString(OutDouble, *Value); }
	bool TryGetNumber(float& OutDouble) const override { return LexTryParseString(OutDouble, *Value); }
	bool TryGetNumber(int32& OutValue) const override { return LexTryParseString(OutValue, *Value); }
	bool TryGetNumber(int64& OutValue) const override { return LexTryParseString(OutValue, *Value); }
	bool TryGetNumber(uint32& OutValue) const override { return LexTryParseString(OutValue, *Value); }
	bool TryGetNumber(uint64& OutValue) const override { return LexTryParseString(OutValue, *Value); }
	bool TryGetBool(bool& OutBool) const override
	{
		OutBool = Value.ToBool();
		return true;
	}
	bool PreferStringRepresentation() const override { return true; }
	using FJsonValue::TryGetNumber;

protected:
	FString Value;
	FString GetType() const override { return TEXT("NumberString"); }
};

/** A JSON boolean; as a number it is 1 or 0. */
class FJsonValueBoolean : public FJsonValue
{
public:
	FJsonValueBoolean(bool InBool)
		: Value(InBool)
	{
		Type = EJson::Boolean;
	}

	bool TryGetNumber(double& OutNumber) const override
	{
		OutNumber = Value ? 1 : 0;
		return true;
	}
	bool TryGetBool(bool& OutBool) const override
	{
		OutBool = Value;
		return true;
	}
	bool TryGetString(FString& OutString) const override
	{
		OutString = Value ? TEXT("true") : TEXT("false");
		return true;
	}
	using FJsonValue::TryGetNumber;

protected:
	bool Value;
	FString GetType() const override { return TEXT("Boolean"); }
};

/** A JSON array. */
class FJsonValueArray : public FJsonValue
{
public:
	FJsonValueArray(const TArray<TSharedPtr<FJsonValue>>& InArray)
		: Value(InArray)
	{
		Type = EJson::Array;
	}
	FJsonValueArray(TArray<TSharedPtr<FJsonValue>>&& InArray)
		: Value(MoveTemp(InArray))
	{
		Type = EJson::Array;
	}

	bool TryGetArray(const TArray<TSharedPtr<FJsonValue>>*& OutArray) const override
	{
		OutArray = &Value;
		return true;
	}
	bool TryGetArray(TArray<TSharedPtr<FJsonValue>>*& OutArray) override
	{
		OutArray = &Value;
		return true;
	}

protected:
	TArray<TSharedPtr<FJsonValue>> Value;
	FString GetType() const override { return TEXT("Array"); }
};

/** A JSON object. */
class FJsonValueObject : public FJsonValue
{
public:
	FJsonValueObject(TSharedPtr<FJsonObject> InObject)
		: Value(MoveTemp(InObject))
	{
		Type = EJson::Object;
	}

	bool TryGetObject(const TSharedPtr<FJsonObject>*& OutObject) const override
	{
		OutObject = &Value;
		return true;
	}
	bool TryGetObject(TSharedPtr<FJsonObject>*& OutObject) override
	{
		OutObject = &Value;
		return true;
	}

protected:
	TSharedPtr<FJsonObject> Value;
	FString GetType() const override { return TEXT("Object"); }
};

/** A JSON null. */
class FJsonValueNull : public FJsonValue
{
public:
	FJsonValueNull() { Type = EJson::Null; }

protected:
	FString GetType() const override { return TEXT("Null"); }
};
