// Copyright Kelmora. All Rights Reserved.
#include "Dom/JsonObject.h"
#include "JsonGlobals.h"

TSharedPtr<FJsonValue> FJsonObject::TryGetField(FStringView FieldName) const
{
	const TSharedPtr<FJsonValue>* Field = Values.FindByHash(GetTypeHash(FieldName), FieldName);
	return (Field && Field->IsValid()) ? *Field : TSharedPtr<FJsonValue>();
}

bool FJsonObject::HasField(FStringView FieldName) const
{
	return TryGetField(FieldName).IsValid();
}

void FJsonObject::SetField(const FString& FieldName, const TSharedPtr<FJsonValue>& Value)
{
	Values.Add(FieldName, Value);
}

void FJsonObject::SetField(FString&& FieldName, const TSharedPtr<FJsonValue>& Value)
{
	Values.Add(MoveTemp(FieldName), Value);
}

void FJsonObject::RemoveField(FStringView FieldName)
{
	Values.Remove(FString(FieldName.Len(), FieldName.GetData()));
}

void FJsonObject::ReportMissingField(FStringView FieldName)
{
	UE_LOG(LogJson, Error, TEXT("Field %s was not found."), *FString(FieldName.Len(), FieldName.GetData()));
}

double FJsonObject::GetNumberField(FStringView FieldName) const
{
	return GetField<EJson::None>(FieldName)->AsNumber();
}

namespace
{
	template <typename T>
	bool TryGetNumberFieldImpl(const FJsonObject& Object, FStringView FieldName, T& OutNumber)
	{
		const TSharedPtr<FJsonValue> Field = Object.TryGetField(FieldName);
		return Field.IsValid() && Field->TryGetNumber(OutNumber);
	}
}

bool FJsonObject::TryGetNumberField(FStringView FieldName, double& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, float& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, int8& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, int16& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, int32& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, int64& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, uint8& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, uint16& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, uint32& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}
bool FJsonObject::TryGetNumberField(FStringView FieldName, uint64& OutNumber) const
{
	return TryGetNumberFieldImpl(*this, FieldName, OutNumber);
}

void FJsonObject::SetNumberField(const FString& FieldName, double Number)
{
	Values.Add(FieldName, MakeShared<FJsonValueNumber>(Number));
}
void FJsonObject::SetNumberField(FString&& FieldName, double Number)
{
	Values.Add(MoveTemp(FieldName), MakeShared<FJsonValueNumber>(Number));
}

FString FJsonObject::GetStringField(FStringView FieldName) const
{
	return GetField<EJson::None>(FieldName)->AsString();
}

bool FJsonObject::TryGetStringField(FStringView FieldName, FString& OutString) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->TryGetString(OutString);
}

bool FJsonObject::TryGetStringArrayField(FStringView FieldName, TArray<FString>& OutArray) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
	if (!Field.IsValid() || !Field->TryGetArray(Array))
	{
		return false;
	}
	OutArray.Reset(Array->Num());
	for (const TSharedPtr<FJsonValue>& Element : *Array)
	{
		FString Text;
		if (!Element.IsValid() || !Element->TryGetString(Text))
		{
			return false;
		}
		OutArray.Add(MoveTemp(Text));
	}
	return true;
}

void FJsonObject::SetStringField(const FString& FieldName, const FString& StringValue)
{
	Values.Add(FieldName, MakeShared<FJsonValueString>(StringValue));
}
void FJsonObject::SetStringField(FString&& FieldName, const FString& StringValue)
{
	Values.Add(MoveTemp(FieldName), MakeShared<FJsonValueString>(StringValue));
}
void FJsonObject::SetStringField(const FString& FieldName, FString&& StringValue)
{
	Values.Add(FieldName, MakeShared<FJsonValueString>(MoveTemp(StringValue)));
}
void FJsonObject::SetStringField(FString&& FieldName, FString&& StringValue)
{
	Values.Add(MoveTemp(FieldName), MakeShared<FJsonValueString>(MoveTemp(StringValue)));
}

bool FJsonObject::GetBoolField(FStringView FieldName) const
{
	return GetField<EJson::None>(FieldName)->AsBool();
}

bool FJsonObject::TryGetBoolField(FStringView FieldName, bool& OutBool) const
{
	const TSharedPtr<FJsonValue> Field = TryGetField(FieldName);
	return Field.IsValid() && Field->TryGetBool(OutBool);
}

void FJsonObject::SetBoolField(const FString& FieldName, bool InValue)
{
	Values.Add(FieldName, MakeShared<FJsonValueBoolean>(InValue));
}
void FJsonObject::SetBoolField(FString&& FieldName, bool InValue)
{
	Values.Add(MoveTemp(FieldName), MakeShared<FJsonValueBoolean>(InValue));
}

const TArray<TSharedPtr<FJsonValue>>& FJsonObject::GetArrayField(FStringView FieldName) const
{
	return GetField<EJson::Array>(FieldName)->AsArray();
}

bool FJsonObject::TryGetArrayField(FStringView FieldName, const TArray<TSharedPtr<FJsonValue>>*& OutArray) const
{
	const TSharedPtr<FJsonValue>* Field = Values.FindByHash(GetTypeHash(FieldName), FieldName);
	return Field && Field->IsValid() && (*Field)->TryGetArray(OutArray);
}

void FJsonObject::SetArrayField(const FString& FieldName, const TArray<TSharedPtr<FJsonValue>>& Array)
{
	Values.Add(FieldName, MakeShared<FJsonValueArray>(Array));
}
void FJsonObject::SetArrayField(FString&& FieldName, const TArray<TSharedPtr<FJsonValue>>& Array)
{
	Values.Add(MoveTemp(FieldName), MakeShared<FJsonValueArray>(Array));
}
void FJsonObject::SetArrayField(const FString& FieldName, TArray<TSharedPtr<FJsonValue>>&& Array)
{
	Values.Add(FieldName, MakeShared<FJsonValueArray>(MoveTemp(Array)));
}
void FJsonObject::SetArrayField(FString&& FieldName, TArray<TSharedPtr<FJsonValue>>&& Array)
{
	Values.Add(MoveTemp(FieldName), MakeShared<FJsonValueArray>(MoveTemp(Array)));
}

const TSharedPtr<FJsonObject>& FJsonObject::GetObjectField(FStringView FieldName) const
{
	return GetField<EJson::Object>(FieldName)->AsObject();
}

bool FJsonObject::TryGetObjectField(FStringView FieldName, const TSharedPtr<FJsonObject>*& OutObject) const
{
	const TSharedPtr<FJsonValue>* Field = Values.FindByHash(GetTypeHash(FieldName), FieldName);
	return Field && Field->IsValid() && (*Field)->TryGetObject(OutObject);
}

void FJsonObject::SetObjectField(const FString& FieldName, const TSharedPtr<FJsonObject>& JsonObject)
{
	Values.Add(FieldName, JsonObject.IsValid() ? TSharedPtr<FJsonValue>(MakeShared<FJsonValueObject>(JsonObject)) : TSharedPtr<FJsonValue>(MakeShared<FJsonValueNull>()));
}

void FJsonObject::SetObjectField(FString&& FieldName, const TSharedPtr<FJsonObject>& JsonObject)
{
	Values.Add(MoveTemp(FieldName), JsonObject.IsValid() ? TSharedPtr<FJsonValue>(MakeShared<FJsonValueObject>(JsonObject)) : TSharedPtr<FJsonValue>(MakeShared<FJsonValueNull>()));
}

void FJsonObject::Duplicate(const TSharedPtr<const FJsonObject>& Source, const TSharedPtr<FJsonObject>& Dest)
{
	if (Source.IsValid() && Dest.IsValid())
	{
		for (const auto& Pair : Source->Values)
		{
			Dest->SetField(Pair.Key, FJsonValue::Duplicate(Pair.Value));
		}
	}
}

void FJsonObject::Duplicate(const TSharedPtr<FJsonObject>& Source, TSharedPtr<FJsonObject>& Dest)
{
	Duplicate(TSharedPtr<const FJsonObject>(Source), TSharedPtr<FJsonObject>(Dest));
}
