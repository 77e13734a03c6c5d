// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/Field.h: FField, the base of properties, and CastField.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

class FField;
class UStruct;

/** What a field type is, by name (engine: FFieldClass). */
class COREUOBJECT_API FFieldClass
{
public:
	FFieldClass(const TCHAR* InCPPName, FFieldClass* InSuperClass);
	FFieldClass(const FFieldClass&) = delete;

	/** The type's name without its F prefix, e.g. "BoolProperty". */
	FString GetName() const { return Name.ToString(); }
	FName GetFName() const { return Name; }
	FFieldClass* GetSuperClass() const { return SuperClass; }
	bool IsChildOf(const FFieldClass* InClass) const;

private:
	FName Name;
	FFieldClass* SuperClass;
};

/** The owner of a field: an object (a class or struct) or another field (a container property). */
class COREUOBJECT_API FFieldVariant
{
public:
	FFieldVariant() = default;
	FFieldVariant(const FField* InField)
		: Field(const_cast<FField*>(InField))
	{
	}
	FFieldVariant(const UObject* InObject)
		: Object(const_cast<UObject*>(InObject))
	{
	}

	bool IsUObject() const { return Object != nullptr; }
	bool IsValid() const { return Object != nullptr || Field != nullptr; }
	UObject* ToUObject() const { return Object; }
	FField* ToField() const { return Field; }

private:
	UObject* Object = nullptr;
	FField* Field = nullptr;
};

/** Declares a field type's StaticClass and GetClass, as the engine's DECLARE_FIELD does. */
#define DECLARE_FIELD(TClass, TSuperClass, TStaticFlags) \
public:                                                  \
	typedef TSuperClass Super;                           \
	typedef TClass ThisClass;                            \
	static FFieldClass* StaticClass();                   \
	virtual FFieldClass* GetClass() const override       \
	{                                                    \
		return StaticClass();                            \
	}

/** Defines a field type's StaticClass (host). */
#define IMPLEMENT_FIELD(TClass)                                                \
	FFieldClass* TClass::StaticClass()                                         \
	{                                                                          \
		static FFieldClass Class(TEXT(#TClass), TClass::Super::StaticClass()); \
		return &Class;                                                         \
	}

/** The base of reflected properties: a name, an owner and metadata. */
class COREUOBJECT_API FField
{
public:
	typedef FField Super;
	typedef FField ThisClass;

	FField(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags);
	virtual ~FField();
	FField(const FField&) = delete;
	FField& operator=(const FField&) = delete;

	static FFieldClass* StaticClass();
	virtual FFieldClass* GetClass() const { return StaticClass(); }

	FORCEINLINE FName GetFName() const { return NamePrivate; }
	FString GetName() const { return NamePrivate.ToString(); }
	/** The name as written in the source (same as GetName in the host). */
	FString GetAuthoredName() const { return GetName(); }
	EObjectFlags GetFlags() const { return FlagsPrivate; }

	FFieldVariant GetOwnerVariant() const { return Owner; }
	/** The struct or class this field belongs to, through any container property that holds it. */
	UStruct* GetOwnerStruct() const;
	UClass* GetOwnerClass() const;

	template <typename FieldType>
	bool IsA() const
	{
		return dynamic_cast<const FieldType*>(this) != nullptr;
	}

	bool HasMetaData(const TCHAR* Key) const;
	bool HasMetaData(const FName& Key) const;
	/** The metadata value, or an empty string when the key is not set. */
	const FString& GetMetaData(const TCHAR* Key) const;
	const FString& GetMetaData(const FName& Key) const;
	void SetMetaData(const TCHAR* Key, FString&& InValue);
	void SetMetaData(const FName& Key, FString&& InValue);
	void RemoveMetaData(const FName& Key);
	const TMap<FName, FString>* GetMetaDataMap() const { return MetaDataMap.get(); }

	/** The next field of the same owner, in declaration order. */
	FField* Next = nullptr;
	FFieldVariant Owner;

protected:
	FName NamePrivate;
	EObjectFlags FlagsPrivate;

private:
	TUniquePtr<TMap<FName, FString>> MetaDataMap;
};

/** The field as FieldType, or null if it is of another type. */
template <typename FieldType>
FORCEINLINE FieldType* CastField(FField* Src)
{
	return dynamic_cast<FieldType*>(Src);
}
template <typename FieldType>
FORCEINLINE const FieldType* CastField(const FField* Src)
{
	return dynamic_cast<const FieldType*>(Src);
}
/** As CastField, but asserts that the field is of that type. */
template <typename FieldType>
FORCEINLINE FieldType* CastFieldChecked(FField* Src)
{
	FieldType* Result = dynamic_cast<FieldType*>(Src);
	check(Result);
	return Result;
}
template <typename FieldType>
FORCEINLINE const FieldType* CastFieldChecked(const FField* Src)
{
	const FieldType* Result = dynamic_cast<const FieldType*>(Src);
	check(Result);
	return Result;
}
