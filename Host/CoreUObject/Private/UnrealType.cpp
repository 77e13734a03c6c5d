// Copyright Kelmora. All Rights Reserved.
#include "UObject/UnrealType.h"
#include "UObject/ScriptDelegates.h"

#include "ObjectSystem.h"

#include <cstring>

namespace
{
	const FString& EmptyMetaDataValue()
	{
		static const FString Empty;
		return Empty;
	}
}

FFieldClass::FFieldClass(const TCHAR* InCPPName, FFieldClass* InSuperClass)
	: Name(FString(InCPPName).RightChop(1))
	, SuperClass(InSuperClass)
{
}

bool FFieldClass::IsChildOf(const FFieldClass* InClass) const
{
	for (const FFieldClass* Class = this; Class; Class = Class->SuperClass)
	{
		if (Class == InClass)
		{
			return true;
		}
	}
	return false;
}

FField::FField(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags)
	: Owner(InOwner)
	, NamePrivate(InName)
	, FlagsPrivate(InObjectFlags)
{
}

FField::~FField() = default;

FFieldClass* FField::StaticClass()
{
	static FFieldClass Class(TEXT("FField"), nullptr);
	return &Class;
}

UStruct* FField::GetOwnerStruct() const
{
	if (Owner.IsUObject())
	{
		return dynamic_cast<UStruct*>(Owner.ToUObject());
	}
	return Owner.ToField() ? Owner.ToField()->GetOwnerStruct() : nullptr;
}

UClass* FField::GetOwnerClass() const
{
	return dynamic_cast<UClass*>(GetOwnerStruct());
}

bool FField::HasMetaData(const TCHAR* Key) const
{
	return HasMetaData(FName(Key));
}

bool FField::HasMetaData(const FName& Key) const
{
	return MetaDataMap && MetaDataMap->Contains(Key);
}

const FString& FField::GetMetaData(const TCHAR* Key) const
{
	return GetMetaData(FName(Key));
}

const FString& FField::GetMetaData(const FName& Key) const
{
	const FString* Value = MetaDataMap ? MetaDataMap->Find(Key) : nullptr;
	return Value ? *Value : EmptyMetaDataValue();
}

void FField::SetMetaData(const TCHAR* Key, FString&& InValue)
{
	SetMetaData(FName(Key), MoveTemp(InValue));
}

void FField::SetMetaData(const FName& Key, FString&& InValue)
{
	if (!MetaDataMap)
	{
		MetaDataMap = MakeUnique<TMap<FName, FString>>();
	}
	MetaDataMap->Add(Key, MoveTemp(InValue));
}

void FField::RemoveMetaData(const FName& Key)
{
	if (MetaDataMap)
	{
		MetaDataMap->Remove(Key);
	}
}

IMPLEMENT_FIELD(FProperty)
IMPLEMENT_FIELD(FNumericProperty)
IMPLEMENT_FIELD(FByteProperty)
IMPLEMENT_FIELD(FIntProperty)
IMPLEMENT_FIELD(FInt64Property)
IMPLEMENT_FIELD(FUInt32Property)
IMPLEMENT_FIELD(FUInt64Property)
IMPLEMENT_FIELD(FFloatProperty)
IMPLEMENT_FIELD(FDoubleProperty)
IMPLEMENT_FIELD(FBoolProperty)
IMPLEMENT_FIELD(FStrProperty)
IMPLEMENT_FIELD(FNameProperty)
IMPLEMENT_FIELD(FTextProperty)
IMPLEMENT_FIELD(FObjectPropertyBase)
IMPLEMENT_FIELD(FObjectProperty)
IMPLEMENT_FIELD(FClassProperty)
IMPLEMENT_FIELD(FSoftObjectProperty)
IMPLEMENT_FIELD(FStructProperty)
IMPLEMENT_FIELD(FArrayProperty)
IMPLEMENT_FIELD(FMapProperty)
IMPLEMENT_FIELD(FMulticastDelegateProperty)
IMPLEMENT_FIELD(FMulticastInlineDelegateProperty)

void FMulticastScriptDelegate::AddUnique(UObject* Object, FName FunctionName)
{
	for (const TPair<FWeakObjectPtr, FName>& Binding : Bindings)
	{
		if (Binding.Key.Get() == Object && Binding.Value == FunctionName)
		{
			return;
		}
	}
	Bindings.Add(TPair<FWeakObjectPtr, FName>{FWeakObjectPtr(Object), FunctionName});
}

void FMulticastScriptDelegate::ProcessMulticastDelegate(void* Parameters) const
{
	// A copy: a bound function may change the bindings.
	const TArray<TPair<FWeakObjectPtr, FName>> Current = Bindings;
	for (const TPair<FWeakObjectPtr, FName>& Binding : Current)
	{
		if (UObject* Object = Binding.Key.Get())
		{
			if (UFunction* Function = Object->FindFunction(Binding.Value))
			{
				Object->ProcessEvent(Function, Parameters);
			}
		}
	}
}
IMPLEMENT_FIELD(FEnumProperty)

FProperty::FProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags)
	: FField(InOwner, InName, InObjectFlags)
{
}

FString FProperty::GetCPPType(FString* ExtendedTypeText, uint32 CPPExportFlags) const
{
	return CppType;
}

void* FProperty::ContainerVoidPtrToValuePtrInternal(void* ContainerPtr, int32 ArrayIndex) const
{
	check(ArrayIndex >= 0 && ArrayIndex < ArrayDim);
	check(ContainerPtr);
	return static_cast<uint8*>(ContainerPtr) + Offset_Internal + ElementSize * ArrayIndex;
}

FBoolProperty::FBoolProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags)
	: FProperty(InOwner, InName, InObjectFlags)
{
	SetBoolSize(sizeof(bool), true);
}

void FBoolProperty::SetBoolSize(uint32 InSize, bool bIsNativeBool, uint32 InBitMask)
{
	if (bIsNativeBool)
	{
		FieldSize = uint8(InSize);
		ByteOffset = 0;
		ByteMask = 1;
		FieldMask = 0xff;
		ElementSize = int32(InSize);
	}
	else
	{
		// The host points Offset_Internal at the byte that holds the bit, so the mask is within one byte.
		check(InBitMask != 0 && InBitMask <= 0xff);
		FieldSize = 1;
		ByteOffset = 0;
		ByteMask = uint8(InBitMask);
		FieldMask = uint8(InBitMask);
		ElementSize = 1;
	}
}

FObjectProperty::FObjectProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags)
	: FObjectPropertyBase(InOwner, InName, InObjectFlags)
{
	ElementSize = int32(sizeof(TCppType));
}

void FObjectProperty::SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const
{
	if (Value && PropertyClass && !Value->IsA(PropertyClass))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("SetObjectPropertyValue: %s is not a %s; %s set to null"), *Value->GetFullName(), *PropertyClass->GetName(), *GetName());
		Value = nullptr;
	}
	SetPropertyValue(PropertyValueAddress, Value);
}

void FClassProperty::SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const
{
	UClass* ValueClass = dynamic_cast<UClass*>(Value);
	if (Value && (!ValueClass || (MetaClass && !ValueClass->IsChildOf(MetaClass))))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("SetObjectPropertyValue: %s is not a subclass of %s; %s set to null"), *Value->GetFullName(), MetaClass ? *MetaClass->GetName() : TEXT("None"), *GetName());
		Value = nullptr;
	}
	SetPropertyValue(PropertyValueAddress, Value);
}

FSoftObjectProperty::FSoftObjectProperty(FFieldVariant InOwner, const FName& InName, EObjectFlags InObjectFlags)
	: FObjectPropertyBase(InOwner, InName, InObjectFlags)
{
	ElementSize = int32(sizeof(FSoftObjectPtr));
}

void FSoftObjectProperty::SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const
{
	if (Value && PropertyClass && !Value->IsA(PropertyClass))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("SetObjectPropertyValue: %s is not a %s; %s set to null"), *Value->GetFullName(), *PropertyClass->GetName(), *GetName());
		Value = nullptr;
	}
	*static_cast<FSoftObjectPtr*>(PropertyValueAddress) = Value;
}

FArrayProperty::~FArrayProperty()
{
	delete Inner;
}

FMapProperty::~FMapProperty()
{
	delete KeyProp;
	delete ValueProp;
}

FEnumProperty::~FEnumProperty()
{
	delete UnderlyingProp;
}

FScriptArrayHelper::FScriptArrayHelper(const FArrayProperty* InProperty, const void* InArray)
	: Property(InProperty)
	, Array(const_cast<void*>(InArray))
	, ElementSize(InProperty && InProperty->Inner ? InProperty->Inner->GetElementSize() : 0)
{
	check(Property && Property->HostOps.Num && Array);
}

int32 FScriptArrayHelper::Num() const
{
	return Property->HostOps.Num(Array);
}

uint8* FScriptArrayHelper::GetRawPtr(int32 Index)
{
	check(Index == 0 || IsValidIndex(Index));
	return static_cast<uint8*>(Property->HostOps.GetData(Array)) + size_t(Index) * size_t(ElementSize);
}

void FScriptArrayHelper::Resize(int32 NewNum)
{
	check(NewNum >= 0);
	Property->HostOps.Resize(Array, NewNum);
}

int32 FScriptArrayHelper::AddValue()
{
	const int32 Index = Num();
	Resize(Index + 1);
	return Index;
}

void FProperty::CopyCompleteValue(void* Dest, const void* Src) const
{
	if (Dest == Src)
	{
		return;
	}
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CopySingleValue(static_cast<uint8*>(Dest) + Index * ElementSize, static_cast<const uint8*>(Src) + Index * ElementSize);
	}
}

void FProperty::CopySingleValue(void* Dest, const void* Src) const
{
	if (Dest == Src)
	{
		return;
	}
	if (const FBoolProperty* BoolProperty = CastField<FBoolProperty>(this))
	{
		BoolProperty->SetPropertyValue(Dest, BoolProperty->GetPropertyValue(Src));
	}
	else if (CastField<FStrProperty>(this))
	{
		*static_cast<FString*>(Dest) = *static_cast<const FString*>(Src);
	}
	else if (CastField<FTextProperty>(this))
	{
		*static_cast<FText*>(Dest) = *static_cast<const FText*>(Src);
	}
	else if (CastField<FSoftObjectProperty>(this))
	{
		*static_cast<FSoftObjectPtr*>(Dest) = *static_cast<const FSoftObjectPtr*>(Src);
	}
	else if (const FStructProperty* StructProperty = CastField<FStructProperty>(this))
	{
		StructProperty->Struct->CopyScriptStruct(Dest, Src);
	}
	else if (const FArrayProperty* ArrayProperty = CastField<FArrayProperty>(this))
	{
		const int32 Num = ArrayProperty->HostOps.Num(Src);
		ArrayProperty->HostOps.Resize(Dest, Num);
		uint8* DestData = static_cast<uint8*>(ArrayProperty->HostOps.GetData(Dest));
		const uint8* SrcData = static_cast<const uint8*>(ArrayProperty->HostOps.GetData(const_cast<void*>(Src)));
		const int32 InnerSize = ArrayProperty->Inner->GetElementSize();
		for (int32 Index = 0; Index < Num; ++Index)
		{
			ArrayProperty->Inner->CopySingleValue(DestData + Index * InnerSize, SrcData + Index * InnerSize);
		}
	}
	else if (const FMulticastDelegateProperty* DelegateProperty = CastField<FMulticastDelegateProperty>(this))
	{
		DelegateProperty->HostCopy(Dest, Src);
	}
	else if (const FMapProperty* MapProperty = CastField<FMapProperty>(this))
	{
		MapProperty->HostOps.Empty(Dest);
		MapProperty->HostOps.ForEachPair(const_cast<void*>(Src), [MapProperty, Dest](void* SrcKey, void* SrcValue)
			{ MapProperty->HostOps.AddPair(Dest, [MapProperty, SrcKey, SrcValue](void* Key, void* Value)
				  {
					  MapProperty->KeyProp->CopySingleValue(Key, SrcKey);
					  MapProperty->ValueProp->CopySingleValue(Value, SrcValue); }); });
	}
	else
	{
		// Numbers, enums, names and object or class pointers are plain values.
		std::memcpy(Dest, Src, size_t(ElementSize));
	}
}
