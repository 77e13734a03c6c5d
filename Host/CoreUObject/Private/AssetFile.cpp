// Copyright Kelmora. All Rights Reserved.
#include "AssetFile.h"

#include "HAL/FileManager.h"
#include "Misc/FileHelper.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "ObjectSystem.h"
#include "Templates/Casts.h"
#include "UObject/HostAssetBulkData.h"
#include "UObject/Package.h"
#include "UObject/SavePackage.h"
#include "UObject/UObjectIterator.h"
#include "UObject/UnrealType.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace UE::CoreUObject::Host::AssetFile
{
	namespace
	{
		using FJson = nlohmann::ordered_json;

		const char* const FormatName = "HeadlessHostAsset";
		constexpr int64 FormatVersion = 1;
		constexpr EObjectFlags SavedObjectFlags = RF_Public | RF_Standalone | RF_Transactional;

		std::string ToUtf8(const FString& Text)
		{
			const FTCHARToUTF8 Converted(*Text, Text.Len());
			return std::string(Converted.Get(), size_t(Converted.Length()));
		}

		FString FromUtf8(const std::string& Text)
		{
			const FUTF8ToTCHAR Converted(Text.data(), int32(Text.size()));
			return FString(Converted.Length(), Converted.Get());
		}

		bool IsSavableProperty(const FProperty* Property)
		{
			// Delegate bindings belong to a running game, not to an asset.
			return !Property->HasAnyPropertyFlags(CPF_Transient) && !CastField<FMulticastDelegateProperty>(Property);
		}

		// ---- Writing ----

		class FWriter
		{
		public:
			std::unordered_set<const UObject*> Written;

			FJson WriteObject(UObject* Object)
			{
				Written.insert(Object);
				FJson Result = FJson::object();
				Result["Name"] = ToUtf8(Object->GetName());
				Result["Class"] = ToUtf8(Object->GetClass()->GetPathName());
				Result["Flags"] = uint32(Object->GetFlags() & SavedObjectFlags);
				FJson Properties = FJson::object();
				for (TFieldIterator<FProperty> It(Object->GetClass()); It; ++It)
				{
					if (IsSavableProperty(*It))
					{
						Properties[ToUtf8(It->GetName())] = WriteProperty(*It, Object, Object);
					}
				}
				Result["Properties"] = MoveTemp(Properties);
				return Result;
			}

			FJson WriteProperty(const FProperty* Property, void* Container, UObject* Owner)
			{
				if (Property->GetArrayDim() == 1)
				{
					return WriteValue(Property, Property->ContainerPtrToValuePtr<void>(Container), Owner);
				}
				FJson Elements = FJson::array();
				for (int32 Index = 0; Index < Property->GetArrayDim(); ++Index)
				{
					Elements.push_back(WriteValue(Property, Property->ContainerPtrToValuePtr<void>(Container, Index), Owner));
				}
				return Elements;
			}

			static FJson WriteFloat(double Value)
			{
				if (std::isnan(Value))
				{
					return "NaN";
				}
				if (std::isinf(Value))
				{
					return Value > 0 ? "Infinity" : "-Infinity";
				}
				return Value;
			}

			static FJson WriteEnum(const UEnum* Enum, int64 Value)
			{
				if (Enum && Enum->IsValidEnumValue(Value))
				{
					return ToUtf8(Enum->GetNameByValue(Value).ToString());
				}
				return Value;
			}

			FJson WriteValue(const FProperty* Property, void* Value, UObject* Owner)
			{
				if (const FBoolProperty* BoolProperty = CastField<FBoolProperty>(Property))
				{
					return BoolProperty->GetPropertyValue(Value);
				}
				if (const FEnumProperty* EnumProperty = CastField<FEnumProperty>(Property))
				{
					return WriteEnum(EnumProperty->GetEnum(), EnumProperty->GetUnderlyingProperty()->GetSignedIntPropertyValue(Value));
				}
				if (const FNumericProperty* Numeric = CastField<FNumericProperty>(Property))
				{
					if (Numeric->IsEnum())
					{
						return WriteEnum(Numeric->GetIntPropertyEnum(), Numeric->GetSignedIntPropertyValue(Value));
					}
					if (Numeric->IsFloatingPoint())
					{
						return WriteFloat(Numeric->GetFloatingPointPropertyValue(Value));
					}
					if (CastField<FUInt32Property>(Property) || CastField<FUInt64Property>(Property) || CastField<FByteProperty>(Property))
					{
						return Numeric->GetUnsignedIntPropertyValue(Value);
					}
					return Numeric->GetSignedIntPropertyValue(Value);
				}
				if (CastField<FStrProperty>(Property))
				{
					return ToUtf8(*static_cast<const FString*>(Value));
				}
				if (CastField<FNameProperty>(Property))
				{
					return ToUtf8(static_cast<const FName*>(Value)->ToString());
				}
				if (CastField<FTextProperty>(Property))
				{
					const FText& Text = *static_cast<const FText*>(Value);
					return FJson{{"Source", ToUtf8(Text.ToString())}, {"Namespace", ToUtf8(FTextInspector::GetNamespace(Text))}, {"Key", ToUtf8(FTextInspector::GetKey(Text))}};
				}
				if (CastField<FSoftObjectProperty>(Property))
				{
					return ToUtf8(static_cast<const FSoftObjectPtr*>(Value)->ToString());
				}
				if (const FClassProperty* ClassProperty = CastField<FClassProperty>(Property))
				{
					const UObject* Class = ClassProperty->GetObjectPropertyValue(Value);
					return Class ? FJson(ToUtf8(Class->GetPathName())) : FJson(nullptr);
				}
				if (const FObjectProperty* ObjectProperty = CastField<FObjectProperty>(Property))
				{
					return WriteReference(ObjectProperty->GetObjectPropertyValue(Value), Owner);
				}
				if (const FStructProperty* StructProperty = CastField<FStructProperty>(Property))
				{
					FJson Members = FJson::object();
					for (TFieldIterator<FProperty> It(StructProperty->Struct); It; ++It)
					{
						if (IsSavableProperty(*It))
						{
							Members[ToUtf8(It->GetName())] = WriteProperty(*It, Value, Owner);
						}
					}
					return Members;
				}
				if (const FArrayProperty* ArrayProperty = CastField<FArrayProperty>(Property))
				{
					FJson Elements = FJson::array();
					FScriptArrayHelper Helper(ArrayProperty, Value);
					for (int32 Index = 0; Index < Helper.Num(); ++Index)
					{
						Elements.push_back(WriteValue(ArrayProperty->Inner, Helper.GetRawPtr(Index), Owner));
					}
					return Elements;
				}
				if (const FMapProperty* MapProperty = CastField<FMapProperty>(Property))
				{
					FJson Pairs = FJson::array();
					MapProperty->HostOps.ForEachPair(Value, [&](void* Key, void* MapValue)
						{ Pairs.push_back(FJson::array({WriteValue(MapProperty->KeyProp, Key, Owner), WriteValue(MapProperty->ValueProp, MapValue, Owner)})); });
					return Pairs;
				}
				return nullptr;
			}

			FJson WriteReference(UObject* Referenced, UObject* Owner)
			{
				if (!Referenced || !IsValid(Referenced) || Referenced->HasAnyFlags(RF_BeginDestroyed))
				{
					return nullptr;
				}
				if (Referenced->GetOuter() == Owner && !Written.count(Referenced) && !Referenced->HasAnyFlags(RF_Transient))
				{
					return FJson{{"Object", WriteObject(Referenced)}};
				}
				const UPackage* Package = Referenced->GetPackage();
				if (Referenced->HasAnyFlags(RF_Transient) || !Package || Package == GetTransientPackage() || Package->HasAnyFlags(RF_Transient))
				{
					UE_LOG(LogUObjectGlobals, Warning, TEXT("SavePackage: the reference from %s to transient object %s is not saved"), *Owner->GetPathName(), *Referenced->GetPathName());
					return nullptr;
				}
				return FJson{{"Path", ToUtf8(Referenced->GetPathName())}};
			}
		};

		// ---- Reading ----

		class FReader
		{
		public:
			FString Error;
			/** Every object this load made, in creation order. */
			std::vector<UObject*> Created;
			struct FDeferredReference
			{
				UObject* Owner;
				const FObjectProperty* Property;
				void* Value;
				FString Path;
			};
			std::vector<FDeferredReference> Deferred;
			FString PackageName;

			bool Fail(const FString& Message)
			{
				if (Error.IsEmpty())
				{
					Error = Message;
				}
				return false;
			}

			UObject* CreateObject(const FJson& Entry, UObject* Outer)
			{
				if (!Entry.is_object() || !Entry.contains("Name") || !Entry["Name"].is_string() || !Entry.contains("Class") || !Entry["Class"].is_string())
				{
					Fail(FString(TEXT("an object entry has no name or class")));
					return nullptr;
				}
				const FString Name = FromUtf8(Entry["Name"].get<std::string>());
				const FString ClassPath = FromUtf8(Entry["Class"].get<std::string>());
				int32 Unused = INDEX_NONE;
				if (Name.IsEmpty() || Name.FindChar(TCHAR('.'), Unused) || Name.FindChar(TCHAR(':'), Unused) || Name.FindChar(TCHAR('/'), Unused) || Name.Len() > 1023)
				{
					Fail(FString::Printf(TEXT("'%s' is not a valid object name"), *Name));
					return nullptr;
				}
				UClass* Class = ClassPath.IsEmpty() ? nullptr : Cast<UClass>(StaticFindObject(UClass::StaticClass(), nullptr, *ClassPath, true));
				if (!Class)
				{
					Fail(FString::Printf(TEXT("unknown class '%s'"), *ClassPath));
					return nullptr;
				}
				if (Class->HasAnyClassFlags(CLASS_Abstract) || Class->IsChildOf(UField::StaticClass()) || Class->IsChildOf(UPackage::StaticClass()))
				{
					Fail(FString::Printf(TEXT("class '%s' cannot be loaded from an asset"), *ClassPath));
					return nullptr;
				}
				if (StaticFindObjectFast(nullptr, Outer, FName(Name)))
				{
					Fail(FString::Printf(TEXT("'%s' is in the file twice or already in memory"), *Name));
					return nullptr;
				}
				EObjectFlags Flags = RF_WasLoaded | RF_LoadCompleted;
				if (Entry.contains("Flags") && Entry["Flags"].is_number_unsigned())
				{
					Flags |= EObjectFlags(Entry["Flags"].get<uint32>()) & SavedObjectFlags;
				}
				FStaticConstructObjectParameters Params(Class);
				Params.Outer = Outer;
				Params.Name = FName(Name);
				Params.SetFlags = Flags;
				UObject* Object = StaticConstructObject_Internal(Params);
				if (!Object)
				{
					Fail(FString::Printf(TEXT("could not make %s '%s'"), *ClassPath, *Name));
					return nullptr;
				}
				Created.push_back(Object);
				return Object;
			}

			bool ReadObjectProperties(UObject* Object, const FJson& Entry, int32 Depth)
			{
				if (!Entry.contains("Properties"))
				{
					return true;
				}
				const FJson& Properties = Entry["Properties"];
				if (!Properties.is_object())
				{
					return Fail(FString::Printf(TEXT("the properties of %s are not an object"), *Object->GetName()));
				}
				return ReadMembers(Object->GetClass(), Object, Properties, Object, Depth);
			}

			bool ReadMembers(const UStruct* Struct, void* Container, const FJson& Members, UObject* Owner, int32 Depth)
			{
				for (auto It = Members.begin(); It != Members.end(); ++It)
				{
					FProperty* Property = Struct->FindPropertyByName(FName(FromUtf8(It.key())));
					if (!Property || !IsSavableProperty(Property))
					{
						continue;
					}
					if (Property->GetArrayDim() == 1)
					{
						if (!ReadValue(Property, Property->ContainerPtrToValuePtr<void>(Container), It.value(), Owner, Depth, true))
						{
							return false;
						}
						continue;
					}
					if (!It.value().is_array() || int32(It.value().size()) != Property->GetArrayDim())
					{
						return Fail(FString::Printf(TEXT("%s needs %d values"), *Property->GetName(), Property->GetArrayDim()));
					}
					for (int32 Index = 0; Index < Property->GetArrayDim(); ++Index)
					{
						if (!ReadValue(Property, Property->ContainerPtrToValuePtr<void>(Container, Index), It.value()[size_t(Index)], Owner, Depth, true))
						{
							return false;
						}
					}
				}
				return true;
			}

			bool ReadFloat(const FJson& Json, double& Out)
			{
				if (Json.is_number())
				{
					Out = Json.get<double>();
					return true;
				}
				if (Json.is_string())
				{
					const std::string Text = Json.get<std::string>();
					if (Text == "NaN")
					{
						Out = std::numeric_limits<double>::quiet_NaN();
						return true;
					}
					if (Text == "Infinity" || Text == "-Infinity")
					{
						Out = Text[0] == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
						return true;
					}
				}
				return false;
			}

			bool ReadEnum(const UEnum* Enum, const FJson& Json, int64& Out)
			{
				if (Json.is_number_integer())
				{
					Out = Json.get<int64>();
					return true;
				}
				if (Json.is_string() && Enum)
				{
					const int64 Value = Enum->GetValueByNameString(FromUtf8(Json.get<std::string>()));
					if (Value != INDEX_NONE || Enum->IsValidEnumValue(INDEX_NONE))
					{
						Out = Value;
						return true;
					}
				}
				return false;
			}

			bool ReadValue(const FProperty* Property, void* Value, const FJson& Json, UObject* Owner, int32 Depth, bool bCanDefer)
			{
				if (Depth > MaxAssetNesting)
				{
					return Fail(FString(TEXT("values are nested too deeply")));
				}
				const FString Name = Property->GetName();
				auto WrongType = [this, &Name](const TCHAR* Expected)
				{
					return Fail(FString::Printf(TEXT("%s: expected %s"), *Name, Expected));
				};
				if (const FBoolProperty* BoolProperty = CastField<FBoolProperty>(Property))
				{
					if (!Json.is_boolean())
					{
						return WrongType(TEXT("a boolean"));
					}
					BoolProperty->SetPropertyValue(Value, Json.get<bool>());
					return true;
				}
				if (const FEnumProperty* EnumProperty = CastField<FEnumProperty>(Property))
				{
					int64 EnumValue = 0;
					if (!ReadEnum(EnumProperty->GetEnum(), Json, EnumValue))
					{
						return WrongType(TEXT("an enumerator"));
					}
					EnumProperty->GetUnderlyingProperty()->SetIntPropertyValue(Value, EnumValue);
					return true;
				}
				if (const FNumericProperty* Numeric = CastField<FNumericProperty>(Property))
				{
					if (Numeric->IsEnum())
					{
						int64 EnumValue = 0;
						if (!ReadEnum(Numeric->GetIntPropertyEnum(), Json, EnumValue))
						{
							return WrongType(TEXT("an enumerator"));
						}
						Numeric->SetIntPropertyValue(Value, EnumValue);
						return true;
					}
					if (Numeric->IsFloatingPoint())
					{
						double Number = 0.0;
						if (!ReadFloat(Json, Number))
						{
							return WrongType(TEXT("a number"));
						}
						Numeric->SetFloatingPointPropertyValue(Value, Number);
						return true;
					}
					if (Json.is_number_unsigned())
					{
						Numeric->SetIntPropertyValue(Value, Json.get<uint64>());
						return true;
					}
					if (Json.is_number_integer())
					{
						Numeric->SetIntPropertyValue(Value, Json.get<int64>());
						return true;
					}
					return WrongType(TEXT("an integer"));
				}
				if (CastField<FStrProperty>(Property) || CastField<FNameProperty>(Property))
				{
					if (!Json.is_string())
					{
						return WrongType(TEXT("a string"));
					}
					const FString Text = FromUtf8(Json.get<std::string>());
					if (CastField<FStrProperty>(Property))
					{
						*static_cast<FString*>(Value) = Text;
					}
					else
					{
						*static_cast<FName*>(Value) = FName(Text);
					}
					return true;
				}
				if (CastField<FTextProperty>(Property))
				{
					if (!Json.is_object() || !Json.contains("Source") || !Json["Source"].is_string())
					{
						return WrongType(TEXT("a text"));
					}
					const FString Source = FromUtf8(Json["Source"].get<std::string>());
					const FString Namespace = Json.contains("Namespace") && Json["Namespace"].is_string() ? FromUtf8(Json["Namespace"].get<std::string>()) : FString();
					const FString Key = Json.contains("Key") && Json["Key"].is_string() ? FromUtf8(Json["Key"].get<std::string>()) : FString();
					*static_cast<FText*>(Value) = Key.IsEmpty() && Namespace.IsEmpty() ? FText::FromString(Source) : FText::CreateLocalized(*Source, *Namespace, *Key);
					return true;
				}
				if (CastField<FSoftObjectProperty>(Property))
				{
					if (!Json.is_string())
					{
						return WrongType(TEXT("an object path"));
					}
					*static_cast<FSoftObjectPtr*>(Value) = FSoftObjectPath(FromUtf8(Json.get<std::string>()));
					return true;
				}
				if (const FClassProperty* ClassProperty = CastField<FClassProperty>(Property))
				{
					if (Json.is_null())
					{
						ClassProperty->SetObjectPropertyValue(Value, nullptr);
						return true;
					}
					if (!Json.is_string())
					{
						return WrongType(TEXT("a class path"));
					}
					const FString Path = FromUtf8(Json.get<std::string>());
					UClass* Class = Cast<UClass>(StaticFindObject(UClass::StaticClass(), nullptr, *Path, true));
					if (!Class || (ClassProperty->MetaClass && !Class->IsChildOf(ClassProperty->MetaClass)))
					{
						return Fail(FString::Printf(TEXT("%s: '%s' is not a suitable class"), *Name, *Path));
					}
					ClassProperty->SetObjectPropertyValue(Value, Class);
					return true;
				}
				if (const FObjectProperty* ObjectProperty = CastField<FObjectProperty>(Property))
				{
					return ReadReference(ObjectProperty, Value, Json, Owner, Depth, bCanDefer);
				}
				if (const FStructProperty* StructProperty = CastField<FStructProperty>(Property))
				{
					if (!Json.is_object())
					{
						return WrongType(TEXT("a struct"));
					}
					return ReadMembers(StructProperty->Struct, Value, Json, Owner, Depth + 1);
				}
				if (const FArrayProperty* ArrayProperty = CastField<FArrayProperty>(Property))
				{
					if (!Json.is_array())
					{
						return WrongType(TEXT("an array"));
					}
					FScriptArrayHelper Helper(ArrayProperty, Value);
					Helper.Resize(int32(Json.size()));
					for (int32 Index = 0; Index < Helper.Num(); ++Index)
					{
						if (!ReadValue(ArrayProperty->Inner, Helper.GetRawPtr(Index), Json[size_t(Index)], Owner, Depth + 1, bCanDefer))
						{
							return false;
						}
					}
					return true;
				}
				if (const FMapProperty* MapProperty = CastField<FMapProperty>(Property))
				{
					if (!Json.is_array())
					{
						return WrongType(TEXT("an array of pairs"));
					}
					MapProperty->HostOps.Empty(Value);
					for (const FJson& Pair : Json)
					{
						if (!Pair.is_array() || Pair.size() != 2)
						{
							return WrongType(TEXT("an array of pairs"));
						}
						bool bRead = true;
						// The pair is built in temporaries before it joins the map, so its references cannot wait.
						MapProperty->HostOps.AddPair(Value, [&](void* Key, void* MapValue)
							{ bRead = ReadValue(MapProperty->KeyProp, Key, Pair[0], Owner, Depth + 1, false) && ReadValue(MapProperty->ValueProp, MapValue, Pair[1], Owner, Depth + 1, false); });
						if (!bRead)
						{
							return false;
						}
					}
					return true;
				}
				return Fail(FString::Printf(TEXT("%s: the host cannot load this property type"), *Name));
			}

			bool ReadReference(const FObjectProperty* Property, void* Value, const FJson& Json, UObject* Owner, int32 Depth, bool bCanDefer)
			{
				if (Json.is_null())
				{
					Property->SetObjectPropertyValue(Value, nullptr);
					return true;
				}
				if (Json.is_object() && Json.contains("Object"))
				{
					UObject* Inner = CreateObject(Json["Object"], Owner);
					if (!Inner)
					{
						return false;
					}
					if (Property->PropertyClass && !Inner->IsA(Property->PropertyClass))
					{
						return Fail(FString::Printf(TEXT("%s: %s is not a %s"), *Property->GetName(), *Inner->GetName(), *Property->PropertyClass->GetName()));
					}
					Property->SetObjectPropertyValue(Value, Inner);
					return ReadObjectProperties(Inner, Json["Object"], Depth + 1);
				}
				if (Json.is_object() && Json.contains("Path") && Json["Path"].is_string())
				{
					const FString Path = FromUtf8(Json["Path"].get<std::string>());
					UObject* Found = StaticFindObject(nullptr, nullptr, *Path);
					const bool bInThisPackage = FPackageName::ObjectPathToPackageName(Path).Equals(PackageName, ESearchCase::IgnoreCase);
					if (!Found && bInThisPackage && bCanDefer)
					{
						Deferred.push_back(FDeferredReference{Owner, Property, Value, Path});
						return true;
					}
					if (!Found && !bInThisPackage)
					{
						Found = StaticLoadObject(Property->PropertyClass, nullptr, *Path, nullptr, LOAD_NoWarn);
					}
					if (!Found)
					{
						UE_LOG(LogUObjectGlobals, Warning, TEXT("LoadPackage: %s of %s refers to %s, which cannot be found; it is left empty"), *Property->GetName(), *Owner->GetPathName(), *Path);
					}
					Property->SetObjectPropertyValue(Value, Found);
					return true;
				}
				return Fail(FString::Printf(TEXT("%s: expected an object reference"), *Property->GetName()));
			}

			void ResolveDeferred()
			{
				for (const FDeferredReference& Reference : Deferred)
				{
					UObject* Found = StaticFindObject(nullptr, nullptr, *Reference.Path);
					UE_CLOG(!Found, LogUObjectGlobals, Warning, TEXT("LoadPackage: %s of %s refers to %s, which cannot be found; it is left empty"), *Reference.Property->GetName(), *Reference.Owner->GetPathName(), *Reference.Path);
					Reference.Property->SetObjectPropertyValue(Reference.Value, Found);
				}
			}
		};

		/** The deepest bracket nesting of a JSON text, counted before parsing so a hostile file cannot exhaust the stack. */
		int32 MeasureNesting(const std::string& Text)
		{
			int32 Depth = 0;
			int32 Deepest = 0;
			bool bInString = false;
			bool bEscaped = false;
			for (const char Char : Text)
			{
				if (bInString)
				{
					if (bEscaped)
					{
						bEscaped = false;
					}
					else if (Char == '\\')
					{
						bEscaped = true;
					}
					else if (Char == '"')
					{
						bInString = false;
					}
					continue;
				}
				if (Char == '"')
				{
					bInString = true;
				}
				else if (Char == '[' || Char == '{')
				{
					Deepest = FMath::Max(Deepest, ++Depth);
				}
				else if (Char == ']' || Char == '}')
				{
					--Depth;
				}
			}
			return Deepest;
		}

		std::set<FString>& PackagesBeingLoaded()
		{
			static std::set<FString> Packages;
			return Packages;
		}
	}

	namespace
	{
		std::map<FString, FAssetBulkDataHandler>& BulkDataHandlers()
		{
			static std::map<FString, FAssetBulkDataHandler> Handlers;
			return Handlers;
		}

		const FAssetBulkDataHandler* FindBulkDataHandler(const UClass* Class)
		{
			for (; Class; Class = Class->GetSuperClass())
			{
				const auto It = BulkDataHandlers().find(Class->GetPathName());
				if (It != BulkDataHandlers().end())
				{
					return &It->second;
				}
			}
			return nullptr;
		}
	}

	FString GetBulkDataFilename(const FString& Filename)
	{
		return FPaths::GetBaseFilename(Filename, false) + TEXT(".ubulk");
	}

	bool Save(UPackage* Package, UObject* Asset, EObjectFlags TopLevelFlags, const FString& Filename, FString& OutError)
	{
		std::vector<UObject*> TopLevel;
		if (Asset)
		{
			TopLevel.push_back(Asset);
		}
		for (TObjectIterator<UObject> It; It; ++It)
		{
			UObject* Object = *It;
			if (Object != Asset && Object->GetOuter() == Package && Object->HasAnyFlags(TopLevelFlags) && !Object->HasAnyFlags(RF_Transient | RF_BeginDestroyed) && IsValid(Object))
			{
				TopLevel.push_back(Object);
			}
		}
		if (TopLevel.empty())
		{
			OutError = FString::Printf(TEXT("%s holds nothing to save"), *Package->GetName());
			return false;
		}
		FWriter Writer;
		FJson Objects = FJson::array();
		FAssetBulkDataWriter BulkData;
		for (UObject* Object : TopLevel)
		{
			FJson Entry = Writer.WriteObject(Object);
			if (const FAssetBulkDataHandler* Handler = FindBulkDataHandler(Object->GetClass()))
			{
				const int64 Offset = BulkData.Num();
				if (!Handler->Save(*Object, BulkData, OutError))
				{
					OutError = FString::Printf(TEXT("%s: %s"), *Object->GetPathName(), *OutError);
					return false;
				}
				if (BulkData.Num() > MaxBulkDataFileSize)
				{
					OutError = FString::Printf(TEXT("%s: the bulk data is too large to save (%lld bytes)"), *Object->GetPathName(), BulkData.Num());
					return false;
				}
				Entry["BulkData"] = {{"Offset", Offset}, {"Size", BulkData.Num() - Offset}};
			}
			Objects.push_back(MoveTemp(Entry));
		}
		FJson Document = FJson::object();
		Document["Format"] = FormatName;
		Document["Version"] = FormatVersion;
		Document["Package"] = ToUtf8(Package->GetName());
		Document["Objects"] = MoveTemp(Objects);
		// The sidecar is written first, so an asset file never names bulk data that was not written.
		const FString BulkFilename = GetBulkDataFilename(Filename);
		if (BulkData.Num() > 0)
		{
			Document["BulkDataSize"] = BulkData.Num();
			bool bWritten = true;
			uint32 WriteFlags = 0;
			BulkData.ForEachRun([&bWritten, &WriteFlags, &BulkFilename](const uint8* Data, int64 Size)
				{
					bWritten = bWritten && FFileHelper::SaveArrayToFile(TArrayView<const uint8>(Data, int32(Size)), *BulkFilename, &IFileManager::Get(), WriteFlags);
					WriteFlags = FILEWRITE_Append; });
			if (!bWritten)
			{
				OutError = FString::Printf(TEXT("could not write %s"), *BulkFilename);
				return false;
			}
		}
		else if (IFileManager::Get().FileExists(*BulkFilename))
		{
			IFileManager::Get().Delete(*BulkFilename);
		}
		const std::string Text = Document.dump(1, '\t', false, nlohmann::json::error_handler_t::replace);
		if (!FFileHelper::SaveArrayToFile(TArrayView<const uint8>(reinterpret_cast<const uint8*>(Text.data()), int32(Text.size())), *Filename))
		{
			OutError = FString::Printf(TEXT("could not write %s"), *Filename);
			return false;
		}
		return true;
	}

	namespace
	{
		bool ReadBulkData(const FJson& Document, const std::vector<std::pair<UObject*, const FJson*>>& TopLevel, const FString& Filename, FString& OutError)
		{
			TArray<uint8> BulkData;
			bool bBulkDataRead = false;
			for (const auto& [Object, Entry] : TopLevel)
			{
				if (!Entry->contains("BulkData"))
				{
					continue;
				}
				const FJson& Range = (*Entry)["BulkData"];
				if (!Range.is_object() || !Range.contains("Offset") || !Range["Offset"].is_number_unsigned() || !Range.contains("Size") || !Range["Size"].is_number_unsigned())
				{
					OutError = FString::Printf(TEXT("the bulk data of %s is not an offset and a size"), *Object->GetName());
					return false;
				}
				const FAssetBulkDataHandler* Handler = FindBulkDataHandler(Object->GetClass());
				if (!Handler)
				{
					OutError = FString::Printf(TEXT("%s has bulk data but its class cannot read it"), *Object->GetName());
					return false;
				}
				if (!bBulkDataRead)
				{
					const FString BulkFilename = GetBulkDataFilename(Filename);
					const int64 Size = IFileManager::Get().FileSize(*BulkFilename);
					if (!Document.contains("BulkDataSize") || !Document["BulkDataSize"].is_number_unsigned() || Size < 0 || uint64(Size) != Document["BulkDataSize"].get<uint64>())
					{
						OutError = FString::Printf(TEXT("the bulk data file %s is missing or does not have the size the asset names"), *BulkFilename);
						return false;
					}
					if (Size > MaxBulkDataFileSize || !FFileHelper::LoadFileToArray(BulkData, *BulkFilename))
					{
						OutError = FString::Printf(TEXT("could not read %s"), *BulkFilename);
						return false;
					}
					bBulkDataRead = true;
				}
				const uint64 Offset = Range["Offset"].get<uint64>();
				const uint64 Size = Range["Size"].get<uint64>();
				if (Offset > uint64(BulkData.Num()) || Size > uint64(BulkData.Num()) - Offset)
				{
					OutError = FString::Printf(TEXT("the bulk data of %s lies outside the bulk data file"), *Object->GetName());
					return false;
				}
				FString HandlerError;
				if (!Handler->Load(*Object, TArrayView<const uint8>(BulkData.GetData() + Offset, int32(Size)), HandlerError))
				{
					OutError = FString::Printf(TEXT("the bulk data of %s is not valid: %s"), *Object->GetName(), *HandlerError);
					return false;
				}
			}
			return true;
		}
	}

	UPackage* Load(const FString& PackageName, const FString& Filename, FString& OutError)
	{
		const int64 Size = IFileManager::Get().FileSize(*Filename);
		if (Size < 0)
		{
			OutError = FString::Printf(TEXT("%s does not exist"), *Filename);
			return nullptr;
		}
		if (Size > MaxAssetFileSize)
		{
			OutError = FString::Printf(TEXT("%s is too large to be an asset (%lld bytes)"), *Filename, Size);
			return nullptr;
		}
		TArray<uint8> Bytes;
		if (!FFileHelper::LoadFileToArray(Bytes, *Filename))
		{
			OutError = FString::Printf(TEXT("could not read %s"), *Filename);
			return nullptr;
		}
		const std::string Text(reinterpret_cast<const char*>(Bytes.GetData()), size_t(Bytes.Num()));
		if (MeasureNesting(Text) > MaxAssetNesting)
		{
			OutError = FString::Printf(TEXT("%s is nested too deeply"), *Filename);
			return nullptr;
		}
		const FJson Document = FJson::parse(Text, nullptr, false);
		if (Document.is_discarded() || !Document.is_object())
		{
			OutError = FString::Printf(TEXT("%s is not an asset file (not valid JSON)"), *Filename);
			return nullptr;
		}
		if (!Document.contains("Format") || Document["Format"] != FormatName || !Document.contains("Version") || Document["Version"] != FormatVersion || !Document.contains("Objects") || !Document["Objects"].is_array() || Document["Objects"].empty())
		{
			OutError = FString::Printf(TEXT("%s is not an asset file of version %lld"), *Filename, FormatVersion);
			return nullptr;
		}
		if (PackagesBeingLoaded().count(PackageName))
		{
			OutError = FString::Printf(TEXT("%s is already being loaded"), *PackageName);
			return nullptr;
		}
		PackagesBeingLoaded().insert(PackageName);

		UPackage* Package = FindObject<UPackage>(nullptr, *PackageName);
		const bool bMadePackage = Package == nullptr;
		if (!Package)
		{
			Package = CreatePackage(*PackageName);
		}
		FReader Reader;
		Reader.PackageName = PackageName;
		bool bOk = Package != nullptr;
		std::vector<std::pair<UObject*, const FJson*>> TopLevel;
		for (size_t Index = 0; bOk && Index < Document["Objects"].size(); ++Index)
		{
			const FJson& Entry = Document["Objects"][Index];
			UObject* Object = Reader.CreateObject(Entry, Package);
			bOk = Object != nullptr;
			TopLevel.emplace_back(Object, &Entry);
		}
		for (size_t Index = 0; bOk && Index < TopLevel.size(); ++Index)
		{
			bOk = Reader.ReadObjectProperties(TopLevel[Index].first, *TopLevel[Index].second, 0);
		}
		if (bOk)
		{
			FString BulkError;
			bOk = ReadBulkData(Document, TopLevel, Filename, BulkError);
			if (!bOk)
			{
				Reader.Error = BulkError;
			}
		}
		PackagesBeingLoaded().erase(PackageName);
		if (!bOk)
		{
			OutError = FString::Printf(TEXT("%s: %s"), *Filename, Reader.Error.IsEmpty() ? TEXT("the package could not be made") : *Reader.Error);
			std::vector<UObject*> Doomed(Reader.Created.rbegin(), Reader.Created.rend());
			if (bMadePackage && Package)
			{
				Doomed.push_back(Package);
			}
			FObjectSystem::DestroyObjectsNow(Doomed);
			return nullptr;
		}
		Reader.ResolveDeferred();
		for (UObject* Object : Reader.Created)
		{
			Object->PostLoad();
		}
		Package->SetDirtyFlag(false);
		return Package;
	}
}

using namespace UE::CoreUObject::Host;

bool UPackage::SavePackage(UPackage* InOuter, UObject* InAsset, const TCHAR* Filename, const FSavePackageArgs& SaveArgs)
{
	FString Error;
	if (!InOuter)
	{
		Error = FString(TEXT("no package given"));
	}
	else if (!Filename || !*Filename)
	{
		Error = FString::Printf(TEXT("no file name given for %s"), *InOuter->GetName());
	}
	else if (InAsset && InAsset->GetPackage() != InOuter)
	{
		Error = FString::Printf(TEXT("%s is not in %s"), *InAsset->GetPathName(), *InOuter->GetName());
	}
	else if (InOuter == GetTransientPackage() || InOuter->HasAnyFlags(RF_Transient))
	{
		Error = FString::Printf(TEXT("%s is transient"), *InOuter->GetName());
	}
	if (Error.IsEmpty() && AssetFile::Save(InOuter, InAsset, SaveArgs.TopLevelFlags, FString(Filename), Error))
	{
		if (!(SaveArgs.SaveFlags & SAVE_KeepDirty))
		{
			InOuter->SetDirtyFlag(false);
		}
		return true;
	}
	UE_LOG(LogUObjectGlobals, Error, TEXT("SavePackage: %s"), *Error);
	if (SaveArgs.Error && !(SaveArgs.SaveFlags & SAVE_NoError))
	{
		SaveArgs.Error->Log(*FString::Printf(TEXT("SavePackage: %s"), *Error));
	}
	return false;
}

namespace
{
	UPackage* LoadPackageFile(const FString& PackageName, const FString& Filename, uint32 LoadFlags)
	{
		FString Error;
		UPackage* Package = AssetFile::Load(PackageName, Filename, Error);
		UE_CLOG(!Package, LogUObjectGlobals, Error, TEXT("LoadPackage: %s"), *Error);
		return Package;
	}

	bool HasObjectsIn(const UPackage* Package)
	{
		for (TObjectIterator<UObject> It; It; ++It)
		{
			if (It->GetOuter() == Package)
			{
				return true;
			}
		}
		return false;
	}
}

UPackage* LoadPackage(UPackage* InOuter, const TCHAR* InLongPackageNameOrFilename, uint32 LoadFlags, FArchive* InReaderOverride, const FLinkerInstancingContext* InstancingContext)
{
	const FString Input(InLongPackageNameOrFilename ? InLongPackageNameOrFilename : TEXT(""));
	FString PackageName;
	FString Filename;
	if (FPackageName::IsValidLongPackageName(Input))
	{
		PackageName = Input;
		FPackageName::DoesPackageExist(PackageName, &Filename);
	}
	else if (FPackageName::TryConvertFilenameToLongPackageName(Input, PackageName))
	{
		Filename = Input;
	}
	if (UPackage* Existing = PackageName.IsEmpty() ? nullptr : FindObject<UPackage>(nullptr, *PackageName))
	{
		if (HasObjectsIn(Existing) || Filename.IsEmpty())
		{
			return Existing;
		}
	}
	if (Filename.IsEmpty() || !FPaths::FileExists(Filename))
	{
		UE_CLOG(!(LoadFlags & (LOAD_NoWarn | LOAD_Quiet)), LogUObjectGlobals, Warning, TEXT("LoadPackage: cannot find the package '%s'"), *Input);
		return nullptr;
	}
	return LoadPackageFile(PackageName, Filename, LoadFlags);
}

UObject* StaticLoadObject(UClass* Class, UObject* InOuter, const TCHAR* Name, const TCHAR* Filename, uint32 LoadFlags, UPackageMap* Sandbox, bool bAllowObjectReconciliation, const FLinkerInstancingContext* InstancingContext)
{
	if (!Name || !*Name)
	{
		return nullptr;
	}
	// A bare package name stands for the asset in it (below), not for the package, unless a package is asked for.
	UObject* Found = StaticFindObject(Class, InOuter, Name);
	if (Found && (!Found->IsA(UPackage::StaticClass()) || Class == UPackage::StaticClass()))
	{
		return Found;
	}
	FString ObjectPath = InOuter ? InOuter->GetPathName() + TEXT(".") + FString(Name) : FString(Name).TrimStartAndEnd();
	int32 Quote = INDEX_NONE;
	if (ObjectPath.FindChar(TCHAR('\''), Quote) && ObjectPath.EndsWith(TEXT("'")))
	{
		ObjectPath = ObjectPath.Mid(Quote + 1, ObjectPath.Len() - Quote - 2);
	}
	int32 Dot = INDEX_NONE;
	if (!ObjectPath.FindChar(TCHAR('.'), Dot))
	{
		// A bare package name stands for the asset of the same name inside it.
		ObjectPath = ObjectPath + TEXT(".") + FPackageName::GetShortName(ObjectPath);
	}
	const bool bQuiet = (LoadFlags & (LOAD_NoWarn | LOAD_Quiet)) != 0;
	const FString PackageName = FPackageName::ObjectPathToPackageName(ObjectPath);
	if (UObject* Found = StaticFindObject(Class, nullptr, *ObjectPath))
	{
		return Found;
	}
	FString PackageFile = Filename && *Filename ? FString(Filename) : FString();
	if (PackageFile.IsEmpty() && !FPackageName::DoesPackageExist(PackageName, &PackageFile))
	{
		UE_CLOG(!bQuiet, LogUObjectGlobals, Warning, TEXT("Failed to find object '%s %s'"), Class ? *Class->GetName() : TEXT("Object"), *ObjectPath);
		return nullptr;
	}
	if (FindObject<UPackage>(nullptr, *PackageName) && HasObjectsIn(FindObject<UPackage>(nullptr, *PackageName)))
	{
		// The package is in memory but does not hold the object: the file is not read over it.
		UE_CLOG(!bQuiet, LogUObjectGlobals, Warning, TEXT("Failed to find object '%s %s'"), Class ? *Class->GetName() : TEXT("Object"), *ObjectPath);
		return nullptr;
	}
	if (!LoadPackageFile(PackageName, PackageFile, LoadFlags))
	{
		return nullptr;
	}
	UObject* Loaded = StaticFindObject(Class, nullptr, *ObjectPath);
	UE_CLOG(!Loaded && !bQuiet, LogUObjectGlobals, Warning, TEXT("Failed to find object '%s %s'"), Class ? *Class->GetName() : TEXT("Object"), *ObjectPath);
	return Loaded;
}

UClass* StaticLoadClass(UClass* BaseClass, UObject* InOuter, const TCHAR* Name, const TCHAR* Filename, uint32 LoadFlags, UPackageMap* Sandbox)
{
	UClass* Class = Cast<UClass>(StaticLoadObject(UClass::StaticClass(), InOuter, Name, Filename, LoadFlags, Sandbox));
	if (Class && BaseClass && !Class->IsChildOf(BaseClass))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("LoadClass: %s is not a child class of %s"), *Class->GetPathName(), *BaseClass->GetPathName());
		return nullptr;
	}
	return Class;
}

void UE::CoreUObject::Host::FAssetBulkDataWriter::Append(const void* Data, int64 Size)
{
	if (Size <= 0)
	{
		return;
	}
	if (Runs.empty() || Runs.back().Referenced)
	{
		Runs.push_back(FRun{nullptr, Copies.size(), 0});
	}
	const uint8* Bytes = static_cast<const uint8*>(Data);
	Copies.insert(Copies.end(), Bytes, Bytes + Size);
	Runs.back().Size += Size;
	Total += Size;
}

void UE::CoreUObject::Host::FAssetBulkDataWriter::AppendReferenced(TArrayView<const uint8> Bytes)
{
	if (Bytes.Num() > 0)
	{
		Runs.push_back(FRun{Bytes.GetData(), 0, int64(Bytes.Num())});
		Total += Bytes.Num();
	}
}

void UE::CoreUObject::Host::RegisterAssetBulkDataHandler(const FString& ClassPath, FAssetBulkDataHandler Handler)
{
	AssetFile::BulkDataHandlers()[ClassPath] = MoveTemp(Handler);
}
