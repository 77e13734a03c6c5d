// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Dom/JsonObject.h (the UE 5.4+ form: field names taken as string views). The setters
// are the 5.4/5.5 overload sets (confirmed); the value overloads the current reference adds to SetStringField
// (TCHAR, ANSI and view values) are left out: whether 5.6 has them is unconfirmed.
#pragma once

#include "CoreMinimal.h"
#include "Dom/JsonValue.h"
#include "Serialization/JsonTypes.h"

/**
 * A JSON object: members in insertion order, names compared without regard to case. Setting a
 * member that exists (in any letter case) replaces it where it stands.
 */
class FJsonObject
{
public:
	TMap<FString, TSharedPtr<FJsonValue>> Values;

	/** The member, or null when there is none. */
	TSharedPtr<FJsonValue> TryGetField(FStringView FieldName) const;
	/** The member when it has the given kind; logs an error and returns null otherwise. */
	template <EJson JsonType>
	TSharedPtr<FJsonValue> GetField(FStringView FieldName) const
	{
		const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
		if (Field.IsValid() && (JsonType == EJson::None || Field->Type == JsonType))
		{
			return Field;
		}
		ReportMissingField(FieldName);
		return TSharedPtr<FJsonValue>(MakeShared<FJsonValueNull>());
	}
	bool HasField(FStringView FieldName) const;
	template <EJson JsonType>
	bool HasTypedField(FStringView FieldName) const
	{
		const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
		return Field.IsValid() && Field->Type == JsonType;
	}
	void SetField(const FString& FieldName, const TSharedPtr<FJsonValue>& Value);
	void SetField(FString&& FieldName, const TSharedPtr<FJsonValue>& Value);
	void RemoveField(FStringView FieldName);

	double GetNumberField(FStringView FieldName) const;
	bool TryGetNumberField(FStringView FieldName, double& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, float& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, int8& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, int16& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, int32& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, int64& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, uint8& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, uint16& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, uint32& OutNumber) const;
	bool TryGetNumberField(FStringView FieldName, uint64& OutNumber) const;
	void SetNumberField(const FString& FieldName, double Number);
	void SetNumberField(FString&& FieldName, double Number);

	FString GetStringField(FStringView FieldName) const;
	bool TryGetStringField(FStringView FieldName, FString& OutString) const;
	bool TryGetStringArrayField(FStringView FieldName, TArray<FString>& OutArray) const;
	void SetStringField(const FString& FieldName, const FString& StringValue);
	void SetStringField(FString&& FieldName, const FString& StringValue);
	void SetStringField(const FString& FieldName, FString&& StringValue);
	void SetStringField(FString&& FieldName, FString&& StringValue);

	bool GetBoolField(FStringView FieldName) const;
	bool TryGetBoolField(FStringView FieldName, bool& OutBool) const;
	void SetBoolField(const FString& FieldName, bool InValue);
	void SetBoolField(FString&& FieldName, bool InValue);

	const TArray<TSharedPtr<FJsonValue>>& GetArrayField(FStringView FieldName) const;
	bool TryGetArrayField(FStringView FieldName, const TArray<TSharedPtr<FJsonValue>>*& OutArray) const;
	void SetArrayField(const FString& FieldName, const TArray<TSharedPtr<FJsonValue>>& Array);
	void SetArrayField(FString&& FieldName, const TArray<TSharedPtr<FJsonValue>>& Array);
	void SetArrayField(const FString& FieldName, TArray<TSharedPtr<FJsonValue>>&& Array);
	void SetArrayField(FString&& FieldName, TArray<TSharedPtr<FJsonValue>>&& Array);

	const TSharedPtr<FJsonObject>& GetObjectField(FStringView FieldName) const;
	bool TryGetObjectField(FStringView FieldName, const TSharedPtr<FJsonObject>*& OutObject) const;
	void SetObjectField(const FString& FieldName, const TSharedPtr<FJsonObject>& JsonObject);
	void SetObjectField(FString&& FieldName, const TSharedPtr<FJsonObject>& JsonObject);

	static void Duplicate(const TSharedPtr<const FJsonObject>& Source, const TSharedPtr<FJsonObject>& Dest);
	static void Duplicate(const TSharedPtr<FJsonObject>& Source, TSharedPtr<FJsonObject>& Dest);

private:
	static void ReportMissingField(FStringView FieldName);
};
