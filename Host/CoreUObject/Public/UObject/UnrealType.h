// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/UnrealType.h: the typed properties, FindFProperty and TFieldIterator.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/Field.h"
#include "UObject/ObjectPtr.h"
#include "UObject/SoftObjectPtr.h"

#include "Templates/Function.h"

#include <type_traits>

namespace UE::CoreUObject::Host
{
	class FStructBuilder;
}

/** A reflected member: where it lives in its container, how big it is and how it was declared. */
class COREUOBJECT_API FProperty : public FField
{
	DECLARE_FIELD(FProperty, FField, CASTCLASS_FProperty)

public:
	FProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags);

	/** Offset of the value in its container, in bytes. */
	FORCEINLINE int32 GetOffset_ForInternal() const { return Offset_Internal; }
	FORCEINLINE int32 GetOffset_ForGC() const { return Offset_Internal; }
	FORCEINLINE int32 GetElementSize() const { return ElementSize; }
	FORCEINLINE int32 GetArrayDim() const { return ArrayDim; }
	/** ElementSize * ArrayDim. */
	FORCEINLINE int32 GetSize() const { return ElementSize * ArrayDim; }

	FORCEINLINE EPropertyFlags GetPropertyFlags() const { return PropertyFlags; }
	FORCEINLINE bool HasAnyPropertyFlags(uint64 FlagsToCheck) const { return (uint64(PropertyFlags) & FlagsToCheck) != 0; }
	FORCEINLINE bool HasAllPropertyFlags(uint64 FlagsToCheck) const { return (uint64(PropertyFlags) & FlagsToCheck) == FlagsToCheck; }
	FORCEINLINE void SetPropertyFlags(EPropertyFlags NewFlags) { PropertyFlags = PropertyFlags | NewFlags; }
	FORCEINLINE void ClearPropertyFlags(EPropertyFlags FlagsToClear) { PropertyFlags = PropertyFlags & ~FlagsToClear; }

	/** Assigns the whole value (every element of a fixed array) at Src to Dest; both hold constructed values. */
	void CopyCompleteValue(void* Dest, const void* Src) const;
	void CopyCompleteValue_InContainer(void* Dest, const void* Src) const { CopyCompleteValue(ContainerPtrToValuePtr<void>(Dest), ContainerPtrToValuePtr<void>(Src)); }
	/** Assigns one element at Src to Dest. */
	void CopySingleValue(void* Dest, const void* Src) const;

	/** The C++ type as declared, e.g. TArray<FString>. */
	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const;

	/** The address of the value (or of element ArrayIndex of a fixed array) inside a container. */
	template <typename ValueType>
	FORCEINLINE ValueType* ContainerPtrToValuePtr(void* ContainerPtr, int32 ArrayIndex = 0) const
	{
		return static_cast<ValueType*>(ContainerVoidPtrToValuePtrInternal(ContainerPtr, ArrayIndex));
	}
	template <typename ValueType>
	FORCEINLINE const ValueType* ContainerPtrToValuePtr(const void* ContainerPtr, int32 ArrayIndex = 0) const
	{
		return static_cast<const ValueType*>(ContainerVoidPtrToValuePtrInternal(const_cast<void*>(ContainerPtr), ArrayIndex));
	}

protected:
	friend class UE::CoreUObject::Host::FStructBuilder;

	void* ContainerVoidPtrToValuePtrInternal(void* ContainerPtr, int32 ArrayIndex) const;

	int32 ArrayDim = 1;
	int32 ElementSize = 0;
	EPropertyFlags PropertyFlags = CPF_None;
	int32 Offset_Internal = 0;
	FString CppType;
};

/** A property whose value is a TCppType (engine: TProperty). */
template <typename InTCppType, class TInPropertyBaseClass>
class TProperty : public TInPropertyBaseClass
{
public:
	typedef InTCppType TCppType;

	TProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags)
		: TInPropertyBaseClass(InOwner, InName, InObjectFlags)
	{
		this->ElementSize = sizeof(TCppType);
	}

	static FORCEINLINE const TCppType* GetPropertyValuePtr(const void* A) { return static_cast<const TCppType*>(A); }
	static FORCEINLINE TCppType* GetPropertyValuePtr(void* A) { return static_cast<TCppType*>(A); }
	static FORCEINLINE const TCppType& GetPropertyValue(const void* A) { return *GetPropertyValuePtr(A); }
	static FORCEINLINE void SetPropertyValue(void* A, const TCppType& Value) { *GetPropertyValuePtr(A) = Value; }

	FORCEINLINE const TCppType* GetPropertyValuePtr_InContainer(const void* A, int32 ArrayIndex = 0) const { return GetPropertyValuePtr(this->template ContainerPtrToValuePtr<void>(A, ArrayIndex)); }
	FORCEINLINE TCppType* GetPropertyValuePtr_InContainer(void* A, int32 ArrayIndex = 0) const { return GetPropertyValuePtr(this->template ContainerPtrToValuePtr<void>(A, ArrayIndex)); }
	FORCEINLINE TCppType GetPropertyValue_InContainer(const void* A, int32 ArrayIndex = 0) const { return *GetPropertyValuePtr_InContainer(A, ArrayIndex); }
	FORCEINLINE void SetPropertyValue_InContainer(void* A, const TCppType& Value, int32 ArrayIndex = 0) const { *GetPropertyValuePtr_InContainer(A, ArrayIndex) = Value; }
};

/** A number property, read and written as int64, uint64 or double whatever its storage. */
class COREUOBJECT_API FNumericProperty : public FProperty
{
	DECLARE_FIELD(FNumericProperty, FProperty, CASTCLASS_FNumericProperty)

public:
	using FProperty::FProperty;

	virtual bool IsFloatingPoint() const { return false; }
	virtual bool IsInteger() const { return true; }
	/** The enum a byte property stands for, if any. */
	virtual UEnum* GetIntPropertyEnum() const { return nullptr; }
	bool IsEnum() const { return GetIntPropertyEnum() != nullptr; }

	virtual void SetIntPropertyValue(void* Data, uint64 Value) const = 0;
	virtual void SetIntPropertyValue(void* Data, int64 Value) const = 0;
	virtual void SetFloatingPointPropertyValue(void* Data, double Value) const = 0;
	/** Parses decimal text into the value; text that is not a number leaves zero, as in the engine. */
	virtual void SetNumericPropertyValueFromString(void* Data, const TCHAR* Value) const = 0;
	virtual int64 GetSignedIntPropertyValue(const void* Data) const = 0;
	virtual uint64 GetUnsignedIntPropertyValue(const void* Data) const = 0;
	virtual double GetFloatingPointPropertyValue(const void* Data) const = 0;
	virtual FString GetNumericPropertyValueToString(const void* Data) const = 0;
};

/** A number property stored as TCppType (engine: TProperty_Numeric). */
template <typename InTCppType>
class TProperty_Numeric : public TProperty<InTCppType, FNumericProperty>
{
public:
	typedef InTCppType TCppType;
	using TProperty<InTCppType, FNumericProperty>::TProperty;

	virtual bool IsFloatingPoint() const override { return std::is_floating_point_v<TCppType>; }
	virtual bool IsInteger() const override { return std::is_integral_v<TCppType>; }
	virtual void SetIntPropertyValue(void* Data, uint64 Value) const override { *static_cast<TCppType*>(Data) = static_cast<TCppType>(Value); }
	virtual void SetIntPropertyValue(void* Data, int64 Value) const override { *static_cast<TCppType*>(Data) = static_cast<TCppType>(Value); }
	virtual void SetFloatingPointPropertyValue(void* Data, double Value) const override { *static_cast<TCppType*>(Data) = static_cast<TCppType>(Value); }
	virtual void SetNumericPropertyValueFromString(void* Data, const TCHAR* Value) const override
	{
		TCppType Parsed{};
		LexFromString(Parsed, Value);
		*static_cast<TCppType*>(Data) = Parsed;
	}
	virtual int64 GetSignedIntPropertyValue(const void* Data) const override { return static_cast<int64>(*static_cast<const TCppType*>(Data)); }
	virtual uint64 GetUnsignedIntPropertyValue(const void* Data) const override { return static_cast<uint64>(*static_cast<const TCppType*>(Data)); }
	virtual double GetFloatingPointPropertyValue(const void* Data) const override { return static_cast<double>(*static_cast<const TCppType*>(Data)); }
	virtual FString GetNumericPropertyValueToString(const void* Data) const override
	{
		if constexpr (std::is_floating_point_v<TCppType>)
		{
			return FString::SanitizeFloat(*static_cast<const TCppType*>(Data));
		}
		else if constexpr (std::is_signed_v<TCppType>)
		{
			return LexToString(static_cast<int64>(*static_cast<const TCppType*>(Data)));
		}
		else
		{
			return LexToString(static_cast<uint64>(*static_cast<const TCppType*>(Data)));
		}
	}
};

/** A uint8 property, optionally standing for an enum (TEnumAsByte). */
class COREUOBJECT_API FByteProperty : public TProperty_Numeric<uint8>
{
	DECLARE_FIELD(FByteProperty, FNumericProperty, CASTCLASS_FByteProperty)

public:
	using TProperty_Numeric<uint8>::TProperty_Numeric;
	virtual UEnum* GetIntPropertyEnum() const override { return Enum; }

	/** The enum this byte stands for, or null. */
	UEnum* Enum = nullptr;
};

class COREUOBJECT_API FIntProperty : public TProperty_Numeric<int32>
{
	DECLARE_FIELD(FIntProperty, FNumericProperty, CASTCLASS_FIntProperty)

public:
	using TProperty_Numeric<int32>::TProperty_Numeric;
};

class COREUOBJECT_API FInt64Property : public TProperty_Numeric<int64>
{
	DECLARE_FIELD(FInt64Property, FNumericProperty, CASTCLASS_FInt64Property)

public:
	using TProperty_Numeric<int64>::TProperty_Numeric;
};

class COREUOBJECT_API FUInt32Property : public TProperty_Numeric<uint32>
{
	DECLARE_FIELD(FUInt32Property, FNumericProperty, CASTCLASS_FUInt32Property)

public:
	using TProperty_Numeric<uint32>::TProperty_Numeric;
};

class COREUOBJECT_API FUInt64Property : public TProperty_Numeric<uint64>
{
	DECLARE_FIELD(FUInt64Property, FNumericProperty, CASTCLASS_FUInt64Property)

public:
	using TProperty_Numeric<uint64>::TProperty_Numeric;
};

class COREUOBJECT_API FFloatProperty : public TProperty_Numeric<float>
{
	DECLARE_FIELD(FFloatProperty, FNumericProperty, CASTCLASS_FFloatProperty)

public:
	using TProperty_Numeric<float>::TProperty_Numeric;
};

class COREUOBJECT_API FDoubleProperty : public TProperty_Numeric<double>
{
	DECLARE_FIELD(FDoubleProperty, FNumericProperty, CASTCLASS_FDoubleProperty)

public:
	using TProperty_Numeric<double>::TProperty_Numeric;
};

/**
 * A bool property: a native bool or one bit of a bitfield. Always read and write it through
 * GetPropertyValue and SetPropertyValue, which touch only its bit.
 */
class COREUOBJECT_API FBoolProperty : public FProperty
{
	DECLARE_FIELD(FBoolProperty, FProperty, CASTCLASS_FBoolProperty)

public:
	FBoolProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags);

	/** True for a plain bool member, false for a bitfield. */
	FORCEINLINE bool IsNativeBool() const { return FieldMask == 0xff; }
	FORCEINLINE uint8 GetFieldMask() const { return FieldMask; }
	FORCEINLINE uint8 GetByteMask() const { return ByteMask; }
	FORCEINLINE uint8 GetByteOffset() const { return ByteOffset; }
	FORCEINLINE uint8 GetFieldSize() const { return FieldSize; }

	/** Reads the bool at A (a value pointer from ContainerPtrToValuePtr). */
	FORCEINLINE bool GetPropertyValue(const void* A) const
	{
		const uint8* ByteValue = static_cast<const uint8*>(A) + ByteOffset;
		return (*ByteValue & FieldMask) != 0;
	}
	/** Writes the bool at A, leaving the other bits of a bitfield alone. */
	FORCEINLINE void SetPropertyValue(void* A, bool Value) const
	{
		uint8* ByteValue = static_cast<uint8*>(A) + ByteOffset;
		*ByteValue = uint8((*ByteValue & ~FieldMask) | (Value ? ByteMask : 0));
	}
	FORCEINLINE bool GetPropertyValue_InContainer(const void* A, int32 ArrayIndex = 0) const { return GetPropertyValue(ContainerPtrToValuePtr<void>(A, ArrayIndex)); }
	FORCEINLINE void SetPropertyValue_InContainer(void* A, bool Value, int32 ArrayIndex = 0) const { SetPropertyValue(ContainerPtrToValuePtr<void>(A, ArrayIndex), Value); }

	/** Host: sets up the bit this property stands for. */
	void SetBoolSize(uint32 InSize, bool bIsNativeBool, uint32 InBitMask = 0);

private:
	uint8 FieldSize = 1;
	uint8 ByteOffset = 0;
	uint8 ByteMask = 1;
	uint8 FieldMask = 0xff;
};

class COREUOBJECT_API FStrProperty : public TProperty<FString, FProperty>
{
	DECLARE_FIELD(FStrProperty, FProperty, CASTCLASS_FStrProperty)

public:
	using TProperty<FString, FProperty>::TProperty;
};

class COREUOBJECT_API FNameProperty : public TProperty<FName, FProperty>
{
	DECLARE_FIELD(FNameProperty, FProperty, CASTCLASS_FNameProperty)

public:
	using TProperty<FName, FProperty>::TProperty;
};

class COREUOBJECT_API FTextProperty : public TProperty<FText, FProperty>
{
	DECLARE_FIELD(FTextProperty, FProperty, CASTCLASS_FTextProperty)

public:
	using TProperty<FText, FProperty>::TProperty;
};

/** A reference to an object, whatever the pointer type (raw, TObjectPtr, soft). */
class COREUOBJECT_API FObjectPropertyBase : public FProperty
{
	DECLARE_FIELD(FObjectPropertyBase, FProperty, CASTCLASS_FObjectPropertyBase)

public:
	using FProperty::FProperty;

	/** The class the referenced object must be (or derive from). */
	UClass* PropertyClass = nullptr;
	void SetPropertyClass(UClass* NewPropertyClass) { PropertyClass = NewPropertyClass; }

	virtual UObject* GetObjectPropertyValue(const void* PropertyValueAddress) const = 0;
	virtual void SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const = 0;
	UObject* GetObjectPropertyValue_InContainer(const void* ContainerAddress, int32 ArrayIndex = 0) const { return GetObjectPropertyValue(ContainerPtrToValuePtr<void>(ContainerAddress, ArrayIndex)); }
	void SetObjectPropertyValue_InContainer(void* ContainerAddress, UObject* Value, int32 ArrayIndex = 0) const { SetObjectPropertyValue(ContainerPtrToValuePtr<void>(ContainerAddress, ArrayIndex), Value); }
};

/** A hard reference: a UObject* or TObjectPtr member. */
class COREUOBJECT_API FObjectProperty : public FObjectPropertyBase
{
	DECLARE_FIELD(FObjectProperty, FObjectPropertyBase, CASTCLASS_FObjectProperty)

public:
	typedef TObjectPtr<UObject> TCppType;

	FObjectProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags);

	static FORCEINLINE TCppType GetPropertyValue(const void* A) { return *static_cast<const TCppType*>(A); }
	static FORCEINLINE void SetPropertyValue(void* A, TCppType Value) { *static_cast<TCppType*>(A) = Value; }
	virtual UObject* GetObjectPropertyValue(const void* PropertyValueAddress) const override { return GetPropertyValue(PropertyValueAddress).Get(); }
	/** Stores Value; an object that is not of PropertyClass is refused and null stored (logged as an error). */
	virtual void SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const override;
};

/** A class reference: a UClass* or TSubclassOf member. */
class COREUOBJECT_API FClassProperty : public FObjectProperty
{
	DECLARE_FIELD(FClassProperty, FObjectProperty, CASTCLASS_FClassProperty)

public:
	using FObjectProperty::FObjectProperty;

	/** The class the referenced class must derive from. */
	UClass* MetaClass = nullptr;
	void SetMetaClass(UClass* NewMetaClass) { MetaClass = NewMetaClass; }
	virtual void SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const override;
};

/** A soft reference: a TSoftObjectPtr member, stored as a path. */
class COREUOBJECT_API FSoftObjectProperty : public FObjectPropertyBase
{
	DECLARE_FIELD(FSoftObjectProperty, FObjectPropertyBase, CASTCLASS_FSoftObjectProperty)

public:
	typedef FSoftObjectPtr TCppType;

	FSoftObjectProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags);

	static FORCEINLINE const FSoftObjectPtr& GetPropertyValue(const void* A) { return *static_cast<const FSoftObjectPtr*>(A); }
	static FORCEINLINE void SetPropertyValue(void* A, const FSoftObjectPtr& Value) { *static_cast<FSoftObjectPtr*>(A) = Value; }
	/** The object if it is in memory; the host never loads. */
	virtual UObject* GetObjectPropertyValue(const void* PropertyValueAddress) const override { return GetPropertyValue(PropertyValueAddress).Get(); }
	virtual void SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const override;
};

/** A USTRUCT member. */
class COREUOBJECT_API FStructProperty : public FProperty
{
	DECLARE_FIELD(FStructProperty, FProperty, CASTCLASS_FStructProperty)

public:
	using FProperty::FProperty;

	/** The struct's reflection. */
	UScriptStruct* Struct = nullptr;
};

/** A TArray member; Inner describes one element. */
class COREUOBJECT_API FArrayProperty : public FProperty
{
	DECLARE_FIELD(FArrayProperty, FProperty, CASTCLASS_FArrayProperty)

public:
	using FProperty::FProperty;
	virtual ~FArrayProperty() override;

	FProperty* Inner = nullptr;

	/** Host: how the array's C++ value is read and resized (the engine reads its FScriptArray layout instead). */
	struct FHostArrayOps
	{
		int32 (*Num)(const void* Array) = nullptr;
		void* (*GetData)(void* Array) = nullptr;
		/** Resizes; new elements are default-constructed. */
		void (*Resize)(void* Array, int32 NewNum) = nullptr;
	};
	FHostArrayOps HostOps;
};

/** Reads and resizes the value of an array property without knowing its element type. */
class COREUOBJECT_API FScriptArrayHelper
{
public:
	FScriptArrayHelper(const FArrayProperty* InProperty, const void* InArray);

	int32 Num() const;
	bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Num(); }
	/** The address of element Index. */
	uint8* GetRawPtr(int32 Index = 0);
	/** Sets the number of elements; new ones are default-constructed. */
	void Resize(int32 NewNum);
	void EmptyValues(int32 Slack = 0) { Resize(0); }
	/** Adds one default element and returns its index. */
	int32 AddValue();

private:
	const FArrayProperty* Property;
	void* Array;
	int32 ElementSize;
};

/** A TMap member. */
class COREUOBJECT_API FMapProperty : public FProperty
{
	DECLARE_FIELD(FMapProperty, FProperty, CASTCLASS_FMapProperty)

public:
	using FProperty::FProperty;
	virtual ~FMapProperty() override;

	FProperty* GetKeyProperty() const { return KeyProp; }
	FProperty* GetValueProperty() const { return ValueProp; }

	FProperty* KeyProp = nullptr;
	FProperty* ValueProp = nullptr;

	/** Host: how the map's C++ value is walked and filled (the engine reads its FScriptMap layout instead). */
	struct FHostMapOps
	{
		int32 (*Num)(const void* Map) = nullptr;
		/** Visits each pair in iteration order. */
		void (*ForEachPair)(void* Map, TFunctionRef<void(void* Key, void* Value)> Visit) = nullptr;
		void (*Empty)(void* Map) = nullptr;
		/** Default-constructs a key and a value, lets Fill set them, then adds the pair (replacing an equal key). */
		void (*AddPair)(void* Map, TFunctionRef<void(void* Key, void* Value)> Fill) = nullptr;
	};
	FHostMapOps HostOps;
};

/** A multicast delegate member that blueprints bind to. */
class COREUOBJECT_API FMulticastDelegateProperty : public FProperty
{
	DECLARE_FIELD(FMulticastDelegateProperty, FProperty, CASTCLASS_None)

public:
	using FProperty::FProperty;

	/** The delegate's signature; null in the host, which registers no signature functions. */
	UFunction* SignatureFunction = nullptr;
	/** Host: assigns one delegate value to another (bindings included). */
	void (*HostCopy)(void* Dest, const void* Src) = nullptr;
};

/** A multicast delegate stored in its owner (the kind DECLARE_DYNAMIC_MULTICAST_DELEGATE members are). */
class COREUOBJECT_API FMulticastInlineDelegateProperty : public FMulticastDelegateProperty
{
	DECLARE_FIELD(FMulticastInlineDelegateProperty, FMulticastDelegateProperty, CASTCLASS_None)

public:
	using FMulticastDelegateProperty::FMulticastDelegateProperty;
};

/** An enum class member; the value is stored by its underlying number property. */
class COREUOBJECT_API FEnumProperty : public FProperty
{
	DECLARE_FIELD(FEnumProperty, FProperty, CASTCLASS_FEnumProperty)

public:
	using FProperty::FProperty;
	virtual ~FEnumProperty() override;

	FNumericProperty* GetUnderlyingProperty() const { return UnderlyingProp; }
	UEnum* GetEnum() const { return Enum; }

	FNumericProperty* UnderlyingProp = nullptr;
	UEnum* Enum = nullptr;
};

/** TFieldIterator construction flags. */
enum class EFieldIterationFlags : uint8
{
	None = 0,
	IncludeSuper = 1 << 0,
	IncludeDeprecated = 1 << 1,
	IncludeInterfaces = 1 << 2,
	IncludeAll = IncludeSuper | IncludeDeprecated | IncludeInterfaces,
	Default = IncludeSuper | IncludeDeprecated,
};

/** Old-style TFieldIterator construction flags. */
namespace EFieldIteratorFlags
{
	enum SuperClassFlags
	{
		ExcludeSuper = (uint8)EFieldIterationFlags::None,
		IncludeSuper = (uint8)EFieldIterationFlags::IncludeSuper,
	};
	enum DeprecatedPropertyFlags
	{
		ExcludeDeprecated = (uint8)EFieldIterationFlags::None,
		IncludeDeprecated = (uint8)EFieldIterationFlags::IncludeDeprecated,
	};
	enum InterfaceClassFlags
	{
		ExcludeInterfaces = (uint8)EFieldIterationFlags::None,
		IncludeInterfaces = (uint8)EFieldIterationFlags::IncludeInterfaces,
	};
}

/**
 * Walks the fields of a struct of type T: the struct's own, in declaration order, then (with
 * IncludeSuper) those of each super struct in turn. T is an FField type (properties) or UFunction.
 */
template <class T>
class TFieldIterator
{
	static constexpr bool bIsProperty = std::is_base_of_v<FField, T>;
	typedef std::conditional_t<bIsProperty, FField, UField> BaseFieldClass;

public:
	explicit TFieldIterator(const UStruct* InStruct, EFieldIterationFlags InIterationFlags = EFieldIterationFlags::Default)
		: Struct(InStruct)
		, bIncludeSuper((uint8(InIterationFlags) & uint8(EFieldIterationFlags::IncludeSuper)) != 0)
		, bIncludeDeprecated((uint8(InIterationFlags) & uint8(EFieldIterationFlags::IncludeDeprecated)) != 0)
		, bIncludeInterface((uint8(InIterationFlags) & uint8(EFieldIterationFlags::IncludeInterfaces)) != 0)
		, Field(InStruct ? FirstField(InStruct) : nullptr)
	{
		IterateToNext();
	}
	/** Legacy version taking the flags as three separate values. */
	TFieldIterator(const UStruct* InStruct, EFieldIteratorFlags::SuperClassFlags InSuperClassFlags, EFieldIteratorFlags::DeprecatedPropertyFlags InDeprecatedFieldFlags = EFieldIteratorFlags::IncludeDeprecated, EFieldIteratorFlags::InterfaceClassFlags InInterfaceFieldFlags = EFieldIteratorFlags::ExcludeInterfaces)
		: TFieldIterator(InStruct, EFieldIterationFlags(uint8(InSuperClassFlags) | uint8(InDeprecatedFieldFlags) | uint8(InInterfaceFieldFlags)))
	{
	}

	FORCEINLINE explicit operator bool() const { return Field != nullptr; }
	FORCEINLINE bool operator!() const { return Field == nullptr; }
	FORCEINLINE bool operator==(const TFieldIterator& Rhs) const { return Field == Rhs.Field; }
	FORCEINLINE bool operator!=(const TFieldIterator& Rhs) const { return Field != Rhs.Field; }

	FORCEINLINE void operator++()
	{
		checkSlow(Field);
		Field = NextField(Field);
		IterateToNext();
	}
	FORCEINLINE T* operator*() { return static_cast<T*>(Field); }
	FORCEINLINE T* operator->() { return static_cast<T*>(Field); }
	FORCEINLINE const UStruct* GetStruct() { return Struct; }

	/** Range-for support (engine: TFieldRange). */
	TFieldIterator begin() const { return *this; }
	TFieldIterator end() const
	{
		TFieldIterator End(*this);
		End.Field = nullptr;
		End.Struct = nullptr;
		return End;
	}

private:
	static BaseFieldClass* FirstField(const UStruct* InStruct);
	static BaseFieldClass* NextField(BaseFieldClass* InField);

	void IterateToNext()
	{
		while (true)
		{
			while (Field)
			{
				if (dynamic_cast<T*>(Field) && (bIncludeDeprecated || !IsDeprecated(Field)))
				{
					return;
				}
				Field = NextField(Field);
			}
			if (!bIncludeSuper || !Struct)
			{
				return;
			}
			Struct = Struct->GetSuperStruct();
			if (!Struct)
			{
				return;
			}
			Field = FirstField(Struct);
		}
	}

	static bool IsDeprecated(BaseFieldClass* InField)
	{
		if constexpr (bIsProperty)
		{
			const FProperty* Property = dynamic_cast<const FProperty*>(InField);
			return Property && Property->HasAnyPropertyFlags(CPF_Deprecated);
		}
		else
		{
			return false;
		}
	}

	const UStruct* Struct;
	bool bIncludeSuper;
	bool bIncludeDeprecated;
	bool bIncludeInterface;
	BaseFieldClass* Field;
};

template <class T>
typename TFieldIterator<T>::BaseFieldClass* TFieldIterator<T>::FirstField(const UStruct* InStruct)
{
	if constexpr (bIsProperty)
	{
		return InStruct->ChildProperties;
	}
	else
	{
		return InStruct->Children;
	}
}

template <class T>
typename TFieldIterator<T>::BaseFieldClass* TFieldIterator<T>::NextField(BaseFieldClass* InField)
{
	return InField->Next;
}

/** The property of type FieldType named FieldName on Owner or its super structs; null if none. */
template <typename FieldType>
FieldType* FindFProperty(const UStruct* Owner, FName FieldName)
{
	if (!Owner || FieldName.IsNone())
	{
		return nullptr;
	}
	for (TFieldIterator<FieldType> It(Owner); It; ++It)
	{
		if (It->GetFName() == FieldName)
		{
			return *It;
		}
	}
	return nullptr;
}
