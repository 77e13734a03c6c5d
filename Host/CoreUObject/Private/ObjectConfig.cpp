// Copyright Kelmora. All Rights Reserved.
// Config properties: loading a class default object from the project's .ini files and writing them back.
// Host: a class's settings live in two files of the project, Config/Default<ConfigName>.ini (the shared
// defaults, written by the Update*ConfigFile calls) and Saved/Config/<ConfigName>.ini (what SaveConfig writes);
// the saved file wins, as the engine's layered config does.
#include "ObjectSystem.h"

#include "Misc/ConfigCacheIni.h"
#include "Misc/Paths.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/SoftObjectPath.h"
#include "UObject/SoftObjectPtr.h"
#include "UObject/UnrealType.h"

namespace
{
	bool IsSoftPathStruct(const FStructProperty* Property)
	{
		return Property->Struct == TBaseStructure<FSoftObjectPath>::Get() || Property->Struct == TBaseStructure<FSoftClassPath>::Get();
	}

	/** The value as the engine writes it into an .ini file; false for kinds config text does not cover here. */
	bool ExportConfigText(const FProperty* Property, const void* Value, FString& Out)
	{
		if (const FBoolProperty* Bool = CastField<FBoolProperty>(Property))
		{
			Out = Bool->GetPropertyValue(Value) ? TEXT("True") : TEXT("False");
			return true;
		}
		if (const FNumericProperty* Numeric = CastField<FNumericProperty>(Property))
		{
			const UEnum* Enum = Numeric->GetIntPropertyEnum();
			Out = Enum ? Enum->GetNameStringByValue(Numeric->GetSignedIntPropertyValue(Value)) : Numeric->GetNumericPropertyValueToString(Value);
			return true;
		}
		if (CastField<FStrProperty>(Property))
		{
			Out = *static_cast<const FString*>(Value);
			return true;
		}
		if (CastField<FNameProperty>(Property))
		{
			Out = static_cast<const FName*>(Value)->ToString();
			return true;
		}
		if (CastField<FSoftObjectProperty>(Property))
		{
			Out = FSoftObjectProperty::GetPropertyValue(Value).ToString();
			return true;
		}
		if (const FStructProperty* Struct = CastField<FStructProperty>(Property); Struct && IsSoftPathStruct(Struct))
		{
			Out = static_cast<const FSoftObjectPath*>(Value)->ToString();
			return true;
		}
		return false;
	}

	bool ImportConfigText(const FProperty* Property, void* Value, const FString& Text)
	{
		if (const FBoolProperty* Bool = CastField<FBoolProperty>(Property))
		{
			Bool->SetPropertyValue(Value, Text == TEXT("True") || Text == TEXT("1") || Text == TEXT("Yes"));
			return true;
		}
		if (const FNumericProperty* Numeric = CastField<FNumericProperty>(Property))
		{
			const UEnum* Enum = Numeric->GetIntPropertyEnum();
			const int64 FromName = Enum ? Enum->GetValueByNameString(Text) : INDEX_NONE;
			if (Enum && FromName != INDEX_NONE)
			{
				Numeric->SetIntPropertyValue(Value, FromName);
			}
			else
			{
				Numeric->SetNumericPropertyValueFromString(Value, *Text);
			}
			return true;
		}
		if (CastField<FStrProperty>(Property))
		{
			*static_cast<FString*>(Value) = Text;
			return true;
		}
		if (CastField<FNameProperty>(Property))
		{
			*static_cast<FName*>(Value) = FName(*Text);
			return true;
		}
		if (CastField<FSoftObjectProperty>(Property))
		{
			FSoftObjectProperty::SetPropertyValue(Value, FSoftObjectPtr(FSoftObjectPath(Text)));
			return true;
		}
		if (const FStructProperty* Struct = CastField<FStructProperty>(Property); Struct && IsSoftPathStruct(Struct))
		{
			static_cast<FSoftObjectPath*>(Value)->SetPath(Text);
			return true;
		}
		return false;
	}

	FString SavedConfigFilename(const UClass* Class)
	{
		return FPaths::ProjectSavedDir() + TEXT("Config/") + Class->ClassConfigName.ToString() + TEXT(".ini");
	}

	/** Writes the object's config properties (those with RequiredFlags) into Filename through GConfig. */
	bool WriteConfigProperties(const UObject* Object, const FString& Filename, uint64 RequiredFlags, const FProperty* OnlyProperty)
	{
		if (!GConfig || !GConfig->FindOrLoadConfigFile(Filename))
		{
			return false;
		}
		const FString Section = Object->GetClass()->GetPathName();
		for (TFieldIterator<FProperty> It(Object->GetClass()); It; ++It)
		{
			const FProperty* Property = *It;
			if ((OnlyProperty && Property != OnlyProperty) || !Property->HasAnyPropertyFlags(RequiredFlags) || Property->GetArrayDim() != 1)
			{
				continue;
			}
			FString Text;
			if (ExportConfigText(Property, Property->ContainerPtrToValuePtr<void>(Object), Text))
			{
				GConfig->SetString(*Section, *Property->GetName(), *Text, Filename);
			}
		}
		GConfig->Flush(false, Filename);
		// A file that stays dirty after the flush could not be written.
		const FConfigFile* File = GConfig->FindOrLoadConfigFile(Filename);
		return File && !File->bDirty;
	}
}

namespace UE::CoreUObject::Host
{
	void LoadObjectConfig(UObject* Object)
	{
		const UClass* Class = Object->GetClass();
		if (!GConfig || Class->ClassConfigName.IsNone())
		{
			return;
		}
		const FString Section = Class->GetPathName();
		const FString Files[] = {Object->GetDefaultConfigFilename(), SavedConfigFilename(Class)};
		for (const FString& Filename : Files)
		{
			for (TFieldIterator<FProperty> It(Class); It; ++It)
			{
				FString Text;
				if (It->HasAnyPropertyFlags(CPF_Config) && It->GetArrayDim() == 1 && GConfig->GetString(*Section, *It->GetName(), Text, Filename))
				{
					ImportConfigText(*It, It->ContainerPtrToValuePtr<void>(Object), Text);
				}
			}
		}
	}
}

FString UObject::GetDefaultConfigFilename() const
{
	return FPaths::ProjectConfigDir() + TEXT("Default") + GetClass()->ClassConfigName.ToString() + TEXT(".ini");
}

void UObject::SaveConfig(uint64 RequiredPropertyFlags, const TCHAR* Filename, FConfigCacheIni* Config, bool bAllowCopyToDefaultObject)
{
	if (GetClass()->ClassConfigName.IsNone())
	{
		return;
	}
	WriteConfigProperties(this, Filename && *Filename ? FString(Filename) : SavedConfigFilename(GetClass()), RequiredPropertyFlags, nullptr);
}

bool UObject::TryUpdateDefaultConfigFile(const FString& SpecificFileLocation, bool bWarnIfFail)
{
	const FString Filename = SpecificFileLocation.IsEmpty() ? GetDefaultConfigFilename() : SpecificFileLocation;
	const bool bWritten = WriteConfigProperties(this, Filename, CPF_Config, nullptr);
	UE_CLOG(!bWritten && bWarnIfFail, LogUObjectGlobals, Warning, TEXT("Failed to update default config file '%s'"), *Filename);
	return bWritten;
}

void UObject::UpdateSinglePropertyInConfigFile(const FProperty* InProperty, const FString& InConfigIniName)
{
	if (InProperty && !CastField<FArrayProperty>(InProperty))
	{
		WriteConfigProperties(this, InConfigIniName, CPF_Config, InProperty);
	}
}
