// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/GeneratedCppIncludes.h. The contents are the host's own: the
// registration records the host's header tool fills in, and the mapping from C++ member types to
// property types (the engine's header tool decides those from the source text instead).
#pragma once

#include "CoreMinimal.h"
#include "Templates/SubclassOf.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/ScriptDelegates.h"
#include "UObject/UnrealType.h"

#include <atomic>
#include <cstddef>
#include <type_traits>

// The header tool's bitfield probe writes through a class pointer into plain zeroed memory, as the
// engine's does; the sanitizer's dynamic-type check would reject that on purpose.
#if defined(__clang__) || defined(__GNUC__)
#define UE_HOST_NO_SANITIZE_VPTR __attribute__((no_sanitize("vptr")))
#else
#define UE_HOST_NO_SANITIZE_VPTR
#endif

namespace UE::CoreUObject::Host
{
	class FStructBuilder;

	/** One metadata key and value. */
	struct FMetaDataEntry
	{
		const TCHAR* Key;
		const TCHAR* Value;
	};

	/** What the generated code knows about a class; the object system builds the UClass from it once. */
	struct FClassRegistration
	{
		const TCHAR* Name;
		const TCHAR* PackageName;
		const TCHAR* ConfigName;
		EClassFlags ClassFlags;
		SIZE_T Size;
		SIZE_T Alignment;
		UClass* (*SuperClass)();
		UClass::ClassConstructorType Constructor;
		void (*Build)(FStructBuilder&);
		TArray<FMetaDataEntry> MetaData;

		std::atomic<UClass*> Class{nullptr};
		UClass* Constructing = nullptr;
	};

	/** What the generated code knows about a USTRUCT. */
	struct FStructRegistration
	{
		const TCHAR* Name;
		const TCHAR* PackageName;
		UScriptStruct::FCppStructOps Ops;
		UScriptStruct* (*SuperStruct)();
		void (*Build)(FStructBuilder&);
		TArray<FMetaDataEntry> MetaData;

		std::atomic<UScriptStruct*> Struct{nullptr};
		UScriptStruct* Constructing = nullptr;
	};

	/** One enumerator: full name (EMyEnum::Value for an enum class), value and metadata. */
	struct FEnumEntry
	{
		const TCHAR* Name;
		int64 Value;
		TArray<FMetaDataEntry> MetaData;
	};

	/** What the generated code knows about a UENUM. */
	struct FEnumRegistration
	{
		const TCHAR* Name;
		const TCHAR* PackageName;
		UEnum::ECppForm CppForm;
		TArray<FEnumEntry> Entries;
		TArray<FMetaDataEntry> MetaData;

		std::atomic<UEnum*> Enum{nullptr};
		UEnum* Constructing = nullptr;
	};

	/** The UClass of a registration, built on first call; thread-safe. */
	COREUOBJECT_API UClass* GetStaticClass(FClassRegistration& Registration);
	COREUOBJECT_API UScriptStruct* GetStaticStruct(FStructRegistration& Registration);
	COREUOBJECT_API UEnum* GetStaticEnum(FEnumRegistration& Registration);

	/**
	 * Queues a type to be built when the object system is first searched, so that finding a class
	 * by path works without anyone having called its StaticClass (engine: deferred registration).
	 */
	struct COREUOBJECT_API FCompiledInDefer
	{
		explicit FCompiledInDefer(UClass* (*InClassFn)());
		explicit FCompiledInDefer(UScriptStruct* (*InStructFn)());
		explicit FCompiledInDefer(UEnum* (*InEnumFn)());
	};

	/** The class of an object type, through the type's own StaticClass (specialised for forward-declared types). */
	template <typename T>
	struct TClassGetter
	{
		static UClass* Get() { return T::StaticClass(); }
	};

	template <typename T>
	UScriptStruct::FCppStructOps MakeStructOps()
	{
		UScriptStruct::FCppStructOps Ops;
		Ops.Size = int32(sizeof(T));
		Ops.Alignment = int32(alignof(T));
		Ops.Construct = [](void* Dest)
		{ ::new (Dest) T(); };
		Ops.Destruct = [](void* Dest)
		{ static_cast<T*>(Dest)->~T(); };
		Ops.Copy = [](void* Dest, const void* Src)
		{ *static_cast<T*>(Dest) = *static_cast<const T*>(Src); };
		return Ops;
	}

	template <typename T>
	struct TPropertyFactory;

	/** Adds properties and functions to a struct or class being registered, in declaration order. */
	class COREUOBJECT_API FStructBuilder
	{
	public:
		explicit FStructBuilder(UStruct* InStruct);

		template <typename T>
		void AddProperty(const TCHAR* Name, SIZE_T Offset, EPropertyFlags Flags, const TArray<FMetaDataEntry>& MetaData, const TCHAR* CppType)
		{
			typedef std::remove_all_extents_t<T> FElement;
			FProperty* Property = TPropertyFactory<FElement>::Create(FFieldVariant(Struct), FName(Name));
			Add(Property, Offset, int32(sizeof(T) / sizeof(FElement)), Flags, MetaData, CppType);
		}

		/** Adds a one-bit bool; SetBit sets the member in a zeroed container so its byte and bit can be found. */
		void AddBitfieldBool(const TCHAR* Name, void (*SetBit)(void*), SIZE_T ContainerSize, SIZE_T ContainerAlignment, SIZE_T StorageSize, EPropertyFlags Flags, const TArray<FMetaDataEntry>& MetaData);

		/** Adds a function to the class; its parameters are added with a builder of their own on the function. */
		UFunction* AddFunction(const TCHAR* Name, EFunctionFlags Flags, const TArray<FMetaDataEntry>& MetaData);

		static void SetElementSize(FProperty* Property, SIZE_T Size) { Property->ElementSize = int32(Size); }
		static void SetCppType(FProperty* Property, const FString& CppType) { Property->CppType = CppType; }

	private:
		void Add(FProperty* Property, SIZE_T Offset, int32 ArrayDim, EPropertyFlags Flags, const TArray<FMetaDataEntry>& MetaData, const TCHAR* CppType);

		UStruct* Struct;
		FField** PropertyTail;
		UField** FunctionTail;
	};

	template <typename T>
	inline constexpr bool TAlwaysFalse = false;

	template <typename T>
	struct TPropertyFactory
	{
		static FProperty* Create(FFieldVariant Owner, FName Name)
		{
			if constexpr (std::is_enum_v<T>)
			{
				FEnumProperty* Property = new FEnumProperty(Owner, Name, RF_Public);
				FStructBuilder::SetElementSize(Property, sizeof(T));
				Property->Enum = StaticEnum<T>();
				Property->UnderlyingProp = static_cast<FNumericProperty*>(TPropertyFactory<std::underlying_type_t<T>>::Create(FFieldVariant(Property), FName(TEXT("UnderlyingType"))));
				return Property;
			}
			else if constexpr (requires { { T::StaticStruct() } -> std::convertible_to<UScriptStruct*>; })
			{
				FStructProperty* Property = new FStructProperty(Owner, Name, RF_Public);
				FStructBuilder::SetElementSize(Property, sizeof(T));
				Property->Struct = T::StaticStruct();
				return Property;
			}
			else if constexpr (std::is_base_of_v<FMulticastScriptDelegate, T>)
			{
				FMulticastInlineDelegateProperty* Property = new FMulticastInlineDelegateProperty(Owner, Name, RF_Public);
				FStructBuilder::SetElementSize(Property, sizeof(T));
				Property->HostCopy = [](void* Dest, const void* Src)
				{ *static_cast<T*>(Dest) = *static_cast<const T*>(Src); };
				return Property;
			}
			else if constexpr (requires { { TBaseStructure<T>::Get() } -> std::convertible_to<UScriptStruct*>; })
			{
				FStructProperty* Property = new FStructProperty(Owner, Name, RF_Public);
				FStructBuilder::SetElementSize(Property, sizeof(T));
				Property->Struct = TBaseStructure<T>::Get();
				return Property;
			}
			else
			{
				static_assert(TAlwaysFalse<T>, "This UPROPERTY type is not supported by the host (supported: bool, uint8, int32, uint32, int64, float, double, FString, FName, FText, USTRUCTs, UENUM enum classes, TArray, TMap, object pointers, TObjectPtr, TSubclassOf, TSoftObjectPtr)");
				return nullptr;
			}
		}
	};

	template <typename TPropertyType, typename TCpp>
	FProperty* MakeSimpleProperty(FFieldVariant Owner, FName Name)
	{
		TPropertyType* Property = new TPropertyType(Owner, Name, RF_Public);
		FStructBuilder::SetElementSize(Property, sizeof(TCpp));
		return Property;
	}

	template <>
	struct TPropertyFactory<bool>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name)
		{
			FBoolProperty* Property = new FBoolProperty(Owner, Name, RF_Public);
			Property->SetBoolSize(sizeof(bool), true);
			return Property;
		}
	};
	template <>
	struct TPropertyFactory<uint8>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FByteProperty, uint8>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<int32>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FIntProperty, int32>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<uint32>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FUInt32Property, uint32>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<uint64>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FUInt64Property, uint64>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<int64>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FInt64Property, int64>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<float>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FFloatProperty, float>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<double>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FDoubleProperty, double>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<FString>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FStrProperty, FString>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<FName>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FNameProperty, FName>(Owner, Name); }
	};
	template <>
	struct TPropertyFactory<FText>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeSimpleProperty<FTextProperty, FText>(Owner, Name); }
	};

	template <typename U>
	FProperty* MakeObjectProperty(FFieldVariant Owner, FName Name)
	{
		if constexpr (std::is_same_v<std::remove_cv_t<U>, UClass>)
		{
			FClassProperty* Property = new FClassProperty(Owner, Name, RF_Public);
			Property->SetPropertyClass(UClass::StaticClass());
			Property->SetMetaClass(UObject::StaticClass());
			return Property;
		}
		else
		{
			FObjectProperty* Property = new FObjectProperty(Owner, Name, RF_Public);
			Property->SetPropertyClass(TClassGetter<std::remove_cv_t<U>>::Get());
			return Property;
		}
	}

	template <typename U>
	struct TPropertyFactory<U*>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeObjectProperty<U>(Owner, Name); }
	};
	template <typename U>
	struct TPropertyFactory<TObjectPtr<U>>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name) { return MakeObjectProperty<U>(Owner, Name); }
	};
	template <typename U>
	struct TPropertyFactory<TSubclassOf<U>>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name)
		{
			FClassProperty* Property = new FClassProperty(Owner, Name, RF_Public);
			Property->SetPropertyClass(UClass::StaticClass());
			Property->SetMetaClass(TClassGetter<U>::Get());
			return Property;
		}
	};
	template <typename U>
	struct TPropertyFactory<TSoftObjectPtr<U>>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name)
		{
			FSoftObjectProperty* Property = new FSoftObjectProperty(Owner, Name, RF_Public);
			Property->SetPropertyClass(TClassGetter<U>::Get());
			return Property;
		}
	};
	/** An old-style enum held in a byte. The host reflects no namespaced enums, so it is a plain byte property. */
	template <typename E>
	struct TPropertyFactory<TEnumAsByte<E>>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name)
		{
			FByteProperty* Property = new FByteProperty(Owner, Name, RF_Public);
			FStructBuilder::SetElementSize(Property, sizeof(uint8));
			return Property;
		}
	};
	template <typename E>
	struct TPropertyFactory<TArray<E>>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name)
		{
			FArrayProperty* Property = new FArrayProperty(Owner, Name, RF_Public);
			FStructBuilder::SetElementSize(Property, sizeof(TArray<E>));
			Property->Inner = TPropertyFactory<E>::Create(FFieldVariant(Property), Name);
			Property->HostOps.Num = [](const void* Array)
			{ return static_cast<const TArray<E>*>(Array)->Num(); };
			Property->HostOps.GetData = [](void* Array) -> void*
			{ return static_cast<TArray<E>*>(Array)->GetData(); };
			Property->HostOps.Resize = [](void* Array, int32 NewNum)
			{ static_cast<TArray<E>*>(Array)->SetNum(NewNum); };
			return Property;
		}
	};
	template <typename K, typename V>
	struct TPropertyFactory<TMap<K, V>>
	{
		static FProperty* Create(FFieldVariant Owner, FName Name)
		{
			FMapProperty* Property = new FMapProperty(Owner, Name, RF_Public);
			FStructBuilder::SetElementSize(Property, sizeof(TMap<K, V>));
			Property->KeyProp = TPropertyFactory<K>::Create(FFieldVariant(Property), FName(Name.ToString() + TEXT("_Key")));
			Property->ValueProp = TPropertyFactory<V>::Create(FFieldVariant(Property), Name);
			Property->HostOps.Num = [](const void* Map)
			{ return static_cast<const TMap<K, V>*>(Map)->Num(); };
			Property->HostOps.ForEachPair = [](void* Map, TFunctionRef<void(void*, void*)> Visit)
			{
				for (TPair<K, V>& Pair : *static_cast<TMap<K, V>*>(Map))
				{
					Visit(&Pair.Key, &Pair.Value);
				}
			};
			Property->HostOps.Empty = [](void* Map)
			{ static_cast<TMap<K, V>*>(Map)->Empty(); };
			Property->HostOps.AddPair = [](void* Map, TFunctionRef<void(void*, void*)> Fill)
			{
				K Key{};
				V Value{};
				Fill(&Key, &Value);
				static_cast<TMap<K, V>*>(Map)->Add(MoveTemp(Key), MoveTemp(Value));
			};
			return Property;
		}
	};
}
