// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/Class.h: UField, UStruct, UClass, UScriptStruct, UEnum and UFunction.
#pragma once

#include "CoreMinimal.h"
#include "Templates/Function.h"
#include "UObject/Object.h"
#include "UObject/Script.h"

#include <atomic>

class FField;
class FProperty;
class UFunction;

namespace UE::CoreUObject::Host
{
	class FStructBuilder;
	struct FObjectSystem;
}

/** Whether a search includes the super class. */
namespace EIncludeSuperFlag
{
	enum Type
	{
		ExcludeSuper,
		IncludeSuper
	};
}

/** The base of reflected types and functions; carries the metadata written in the source. */
class COREUOBJECT_API UField : public UObject
{
	DECLARE_CLASS(UField, UObject, CLASS_Abstract | CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UField)

public:
	UField() = default;

	/** The next field of the same owner. */
	UField* Next = nullptr;

	bool HasMetaData(const TCHAR* Key) const;
	bool HasMetaData(const FName& Key) const;
	/** The metadata value, or an empty string when the key is not set. */
	const FString& GetMetaData(const TCHAR* Key) const;
	const FString& GetMetaData(const FName& Key) const;
	void SetMetaData(const TCHAR* Key, const TCHAR* InValue);
	void SetMetaData(const FName& Key, const TCHAR* InValue);
	/** The DisplayName metadata, or the name when there is none. */
	FText GetDisplayNameText() const;
	FText GetToolTipText(bool bShortTooltip = false) const;

private:
	TMap<FName, FString> MetaData;
};

/** A reflected type with properties: the base of classes, structs and functions. */
class COREUOBJECT_API UStruct : public UField
{
	DECLARE_CLASS(UStruct, UField, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UStruct)

public:
	UStruct() = default;
	virtual ~UStruct() override;

	FORCEINLINE UStruct* GetSuperStruct() const { return SuperStruct; }
	/** True if this struct is SomeBase or derives from it. */
	bool IsChildOf(const UStruct* SomeBase) const;
	template <class T>
	bool IsChildOf() const
	{
		return IsChildOf(T::StaticClass());
	}

	/** The property with this name here or on a super struct; null if none. */
	FProperty* FindPropertyByName(FName InName) const;

	FORCEINLINE int32 GetPropertiesSize() const { return PropertiesSize; }
	FORCEINLINE int32 GetMinAlignment() const { return MinAlignment; }
	FORCEINLINE int32 GetStructureSize() const { return PropertiesSize; }

	/** This struct's own properties, in declaration order. */
	FField* ChildProperties = nullptr;
	/** This struct's own functions (UField list). */
	UField* Children = nullptr;

protected:
	friend class UE::CoreUObject::Host::FStructBuilder;
	friend struct UE::CoreUObject::Host::FObjectSystem;

	UStruct* SuperStruct = nullptr;
	int32 PropertiesSize = 0;
	int32 MinAlignment = 1;
};

/** The reflection of a USTRUCT. */
class COREUOBJECT_API UScriptStruct : public UStruct
{
	DECLARE_CLASS(UScriptStruct, UStruct, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UScriptStruct)

public:
	/** How the host constructs, destroys and copies a struct's C++ values. */
	struct FCppStructOps
	{
		int32 Size = 0;
		int32 Alignment = 1;
		void (*Construct)(void* Dest) = nullptr;
		void (*Destruct)(void* Dest) = nullptr;
		void (*Copy)(void* Dest, const void* Src) = nullptr;
	};

	UScriptStruct() = default;

	/** Default-constructs ArrayDim values at Dest (memory that holds no value yet). */
	void InitializeStruct(void* Dest, int32 ArrayDim = 1) const;
	/** Destroys ArrayDim values at Dest. */
	void DestroyStruct(void* Dest, int32 ArrayDim = 1) const;
	/** Assigns ArrayDim values from Src to Dest. */
	void CopyScriptStruct(void* Dest, const void* Src, int32 ArrayDim = 1) const;

private:
	friend struct UE::CoreUObject::Host::FObjectSystem;
	FCppStructOps CppStructOps;
};

/** The reflection of a UCLASS; also a class of the object system itself. */
class COREUOBJECT_API UClass : public UStruct
{
	DECLARE_CLASS(UClass, UStruct, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UClass)

public:
	typedef void (*ClassConstructorType)(const FObjectInitializer&);

	UClass() = default;

	FORCEINLINE UClass* GetSuperClass() const { return static_cast<UClass*>(GetSuperStruct()); }

	/**
	 * The class default object, made on first use with the class's default constructor (after its
	 * super class's default object).
	 */
	UObject* GetDefaultObject(bool bCreateIfNeeded = true) const;
	template <class T>
	T* GetDefaultObject() const
	{
		UObject* Object = GetDefaultObject();
		check(Object && Object->IsA(T::StaticClass()));
		return static_cast<T*>(Object);
	}

	/** The function with this name on this class (and, by default, its super classes); null if none. */
	UFunction* FindFunctionByName(FName InName, EIncludeSuperFlag::Type IncludeSuper = EIncludeSuperFlag::IncludeSuper) const;

	FORCEINLINE bool HasAnyClassFlags(EClassFlags FlagsToCheck) const { return (ClassFlags & FlagsToCheck) != 0; }
	FORCEINLINE bool HasAllClassFlags(EClassFlags FlagsToCheck) const { return (ClassFlags & FlagsToCheck) == FlagsToCheck; }
	FORCEINLINE EClassFlags GetClassFlags() const { return ClassFlags; }

	EClassFlags ClassFlags = CLASS_None;
	EClassCastFlags ClassCastFlags = CASTCLASS_None;
	/** The config file name (Engine, Game, ...) from UCLASS(Config=...), inherited from the super class. */
	FName ClassConfigName;
	ClassConstructorType ClassConstructor = nullptr;
	/** The blueprint (or other asset) that generated this class; null for a C++ class. */
	UObject* ClassGeneratedBy = nullptr;
	/** Set once the default object exists; read it through GetDefaultObject. */
	UObject* ClassDefaultObject = nullptr;

private:
	friend struct UE::CoreUObject::Host::FObjectSystem;
	friend class UE::CoreUObject::Host::FStructBuilder;

	TMap<FName, UFunction*> FuncMap;
	mutable std::atomic<bool> bDefaultObjectReady{false};
	/** Host: the class's counter for MakeUniqueObjectName. */
	mutable std::atomic<int32> ClassUnique{0};
};

/**
 * A reflected function. Host: only blueprint events can be called through reflection (ProcessEvent); a
 * blueprint's implementation of one is a host script standing in for the compiled graph.
 */
class COREUOBJECT_API UFunction : public UStruct
{
	DECLARE_CLASS(UFunction, UStruct, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UFunction)

public:
	UFunction() = default;

	FORCEINLINE bool HasAnyFunctionFlags(EFunctionFlags FlagsToCheck) const { return (FunctionFlags & FlagsToCheck) != 0; }
	FORCEINLINE bool HasAllFunctionFlags(EFunctionFlags FlagsToCheck) const { return (FunctionFlags & FlagsToCheck) == FlagsToCheck; }
	/** The class that declares the function. */
	UClass* GetOwnerClass() const;
	UClass* GetOuterUClass() const { return GetOwnerClass(); }

	EFunctionFlags FunctionFlags = FUNC_None;
	/** The size of the function's parameter block (parameters and return value, in declaration order). */
	uint16 ParmsSize = 0;
	/** How many parameters the block holds, the return value included. */
	uint8 NumParms = 0;

	/** Host only: what a blueprint's graph does when the function runs, given the object and the parameter block. */
	TFunction<void(UObject*, void*)> HostScript;
};

/** Flags for looking an enumerator up by name. */
enum class EGetByNameFlags
{
	None = 0,
	ErrorIfNotFound = 0x01,
	CaseSensitive = 0x02,
	CheckAuthoredName = 0x04,
};

/** The reflection of a UENUM: its enumerators' names and values, plus the added _MAX. */
class COREUOBJECT_API UEnum : public UField
{
	DECLARE_CLASS(UEnum, UField, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UEnum)

public:
	/** How the enum was declared in C++. */
	enum class ECppForm
	{
		Regular,
		Namespaced,
		EnumClass
	};

	UEnum() = default;

	FORCEINLINE ECppForm GetCppForm() const { return CppForm; }
	/** The number of enumerators, including the _MAX the engine adds. */
	FORCEINLINE int32 NumEnums() const { return Names.Num(); }

	/** The full name, e.g. EMyEnum::Value for an enum class. */
	FName GetNameByIndex(int32 Index) const;
	/** The short name, e.g. Value. */
	FString GetNameStringByIndex(int32 InIndex) const;
	FString GetAuthoredNameStringByIndex(int32 InIndex) const { return GetNameStringByIndex(InIndex); }
	int64 GetValueByIndex(int32 Index) const;
	FName GetNameByValue(int64 InValue) const;
	FString GetNameStringByValue(int64 InValue) const;
	FString GetAuthoredNameStringByValue(int64 InValue) const { return GetNameStringByValue(InValue); }
	/** Accepts the short or the full name. */
	int32 GetIndexByName(const FName InName, EGetByNameFlags Flags = EGetByNameFlags::None) const;
	int64 GetValueByName(FName InName, EGetByNameFlags Flags = EGetByNameFlags::None) const;
	int32 GetIndexByNameString(const FString& SearchString, EGetByNameFlags Flags = EGetByNameFlags::None) const;
	int64 GetValueByNameString(const FString& SearchString, EGetByNameFlags Flags = EGetByNameFlags::None) const;
	int32 GetIndexByValue(int64 Value) const;
	bool IsValidEnumValue(int64 InValue) const { return GetIndexByValue(InValue) != INDEX_NONE; }
	bool IsValidEnumName(FName InName) const { return GetIndexByName(InName) != INDEX_NONE; }
	int64 GetMaxEnumValue() const;
	/** The DisplayName metadata of the enumerator, or its short name. */
	FText GetDisplayNameTextByIndex(int32 InIndex) const;
	FText GetDisplayNameTextByValue(int64 InValue) const;

	using UField::GetMetaData;
	using UField::HasMetaData;
	/** Metadata of the enum, or of one enumerator when NameIndex is given. */
	FString GetMetaData(const TCHAR* Key, int32 NameIndex, bool bAllowRemap = true) const;
	bool HasMetaData(const TCHAR* Key, int32 NameIndex) const;

private:
	friend struct UE::CoreUObject::Host::FObjectSystem;

	TArray<TPair<FName, int64>> Names;
	ECppForm CppForm = ECppForm::Regular;
};

namespace UE::CoreUObject::Host
{
	/**
	 * Host only (the engine's blueprint compiler builds classes from bytecode and properties): makes a class
	 * named Name in Outer that derives from SuperClass and reuses its C++ constructor and layout, so that
	 * objects of it are SuperClass objects. The class is transient (never saved) and not native; its default
	 * object is made on first use. Null (logged) when SuperClass or Outer is missing, SuperClass is abstract
	 * only through C++ (no constructor), or the name is taken in Outer. ClassClass, when given, is the class of
	 * the new class object (a subclass of UClass such as UBlueprintGeneratedClass).
	 */
	COREUOBJECT_API UClass* CreateDerivedClass(UClass* SuperClass, UObject* Outer, FName Name, EClassFlags ExtraFlags = CLASS_None, UClass* ClassClass = nullptr);

	/** The kinds of blueprint variable the host can lay out in a class made from a blueprint. */
	enum class EHostVariableKind
	{
		Bool,
		Object,
	};

	/**
	 * Host only (the engine's blueprint compiler lays variables out from their pin types): appends a variable
	 * to Class (made by CreateDerivedClass) after everything its super classes hold; its value starts zeroed
	 * (false, null), as the object memory is. Null (logged) when Class has a default object already (objects
	 * of it would be too small), when the name is taken on Class or a super class, or when an object variable
	 * has no ObjectClass.
	 */
	COREUOBJECT_API FProperty* AddVariableProperty(UClass* Class, FName Name, EHostVariableKind Kind, UClass* ObjectClass, EPropertyFlags Flags);

	/**
	 * Gives Class (a class made from a blueprint) its graph's implementation of the blueprint event Name,
	 * which a super class declares: calls of the event on objects of Class then run Script with the object
	 * and the event's parameter block. Null (logged) when no super class declares a blueprint event Name.
	 */
	COREUOBJECT_API UFunction* AddBlueprintEventImplementation(UClass* Class, FName Name, TFunction<void(UObject*, void*)> Script);
}

/**
 * The reflected struct of an engine core type that has no generated code of its own (FVector, FGuid, ...).
 * Specialised for each supported type; undefined for any other.
 */
struct FSoftObjectPath;
struct FSoftClassPath;

template <typename T>
struct TBaseStructure;

#define UE_HOST_DECLARE_BASE_STRUCTURE(Type)    \
	template <>                                 \
	struct COREUOBJECT_API TBaseStructure<Type> \
	{                                           \
		static UScriptStruct* Get();            \
	};

UE_HOST_DECLARE_BASE_STRUCTURE(FVector)
UE_HOST_DECLARE_BASE_STRUCTURE(FVector3f)
UE_HOST_DECLARE_BASE_STRUCTURE(FVector2D)
UE_HOST_DECLARE_BASE_STRUCTURE(FVector2f)
UE_HOST_DECLARE_BASE_STRUCTURE(FVector4)
UE_HOST_DECLARE_BASE_STRUCTURE(FRotator)
UE_HOST_DECLARE_BASE_STRUCTURE(FQuat)
UE_HOST_DECLARE_BASE_STRUCTURE(FGuid)
UE_HOST_DECLARE_BASE_STRUCTURE(FSoftObjectPath)
UE_HOST_DECLARE_BASE_STRUCTURE(FSoftClassPath)

#undef UE_HOST_DECLARE_BASE_STRUCTURE
