// Copyright Kelmora. All Rights Reserved.
#include "ObjectSystem.h"
#include "UObject/Package.h"

#include <cstring>
#include <functional>
#include <new>

namespace
{
	/** Held while types are built; recursive because building a type builds the types it refers to. */
	std::recursive_mutex& GetRegistrationMutex()
	{
		static std::recursive_mutex Mutex;
		return Mutex;
	}

	// Under the registration mutex: types are published together once the outermost build finishes,
	// so no other thread sees a type whose super class or package is still being built.
	int32 GRegistrationDepth = 0;
	std::vector<std::function<void()>> GPendingPublications;

	std::mutex GDeferredMutex;
	std::vector<std::function<void()>> GDeferredRegistrations;
	std::atomic<bool> GHasDeferredRegistrations{false};

	template <typename TType, typename TRegistration, typename TBuild>
	TType* GetOrBuildType(TRegistration& Registration, std::atomic<TType*>& Published, TType*& Constructing, TBuild Build)
	{
		if (TType* Existing = Published.load(std::memory_order_acquire))
		{
			return Existing;
		}
		std::lock_guard<std::recursive_mutex> Lock(GetRegistrationMutex());
		if (Constructing)
		{
			return Constructing;
		}
		if (TType* Existing = Published.load(std::memory_order_relaxed))
		{
			return Existing;
		}
		++GRegistrationDepth;
		TType* Built = Build(Registration);
		GPendingPublications.push_back([&Published, &Constructing, Built]()
			{
			Published.store(Built, std::memory_order_release);
			Constructing = nullptr; });
		if (--GRegistrationDepth == 0)
		{
			std::vector<std::function<void()>> Publications;
			Publications.swap(GPendingPublications);
			for (const std::function<void()>& Publish : Publications)
			{
				Publish();
			}
		}
		return Built;
	}

	const FString& EmptyString()
	{
		static const FString Empty;
		return Empty;
	}
}

namespace UE::CoreUObject::Host
{
	template <typename T>
	T* FObjectSystem::ConstructTypeObject(FName Name)
	{
		void* Memory = ::operator new(sizeof(T), std::align_val_t(alignof(std::max_align_t)));
		std::memset(Memory, 0, sizeof(T));
		RunConstructor(Memory, nullptr, nullptr, Name, RF_Public | RF_Standalone | RF_MarkAsNative, INDEX_NONE, &T::__DefaultConstructor);
		return static_cast<T*>(static_cast<UObjectBase*>(Memory));
	}

	void FObjectSystem::RegisterTypeObject(UObject* Object, UClass* Class, UObject* Outer)
	{
		FObjectTable* Table = FObjectTable::Get();
		check(Table);
		std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
		UObjectBase* Base = Object;
		Base->ClassPrivate = Class;
		Base->OuterPrivate = Outer;
		checkf(!Table->FindLocked(Outer, Base->GetFName(), false), TEXT("Two reflected types with the same name in one module"));
		Base->InternalIndex = Table->AddLocked(Base, alignof(std::max_align_t));
		Table->SetNameLocked(Base->InternalIndex, Outer, Base->GetFName());
		Table->Slots[size_t(Base->InternalIndex)].bReady = true;
	}

	void FObjectSystem::SetMetaData(UField* Field, const TArray<FMetaDataEntry>& MetaData)
	{
		for (const FMetaDataEntry& Entry : MetaData)
		{
			Field->SetMetaData(Entry.Key, Entry.Value);
		}
	}

	UClass* FObjectSystem::BuildClass(FClassRegistration& Registration)
	{
		UClass* Class = ConstructTypeObject<UClass>(FName(Registration.Name));
		Registration.Constructing = Class;
		// Size and constructor first: building the super class or the package may already make objects of this class.
		Class->ClassConstructor = Registration.Constructor;
		Class->PropertiesSize = int32(Registration.Size);
		Class->MinAlignment = int32(Registration.Alignment);
		Class->ClassFlags = Registration.ClassFlags | CLASS_Native;
		UClass* SuperClass = Registration.SuperClass ? Registration.SuperClass() : nullptr;
		Class->SuperStruct = SuperClass != Class ? SuperClass : nullptr;
		if (Class->SuperStruct)
		{
			Class->ClassFlags |= SuperClass->ClassFlags & CLASS_Inherit;
		}
		if (Registration.ConfigName && *Registration.ConfigName)
		{
			Class->ClassConfigName = FName(Registration.ConfigName);
		}
		else if (Class->SuperStruct)
		{
			Class->ClassConfigName = SuperClass->ClassConfigName;
		}
		UClass* MetaClass = UClass::StaticClass();
		UPackage* Package = CreatePackage(Registration.PackageName);
		RegisterTypeObject(Class, MetaClass, Package);
		SetMetaData(Class, Registration.MetaData);
		if (Registration.Build)
		{
			FStructBuilder Builder(Class);
			Registration.Build(Builder);
		}
		Class->ClassFlags |= CLASS_Constructed;
		return Class;
	}

	UScriptStruct* FObjectSystem::BuildStruct(FStructRegistration& Registration)
	{
		UScriptStruct* Struct = ConstructTypeObject<UScriptStruct>(FName(Registration.Name));
		Registration.Constructing = Struct;
		Struct->CppStructOps = Registration.Ops;
		Struct->PropertiesSize = Registration.Ops.Size;
		Struct->MinAlignment = Registration.Ops.Alignment;
		Struct->SuperStruct = Registration.SuperStruct ? Registration.SuperStruct() : nullptr;
		RegisterTypeObject(Struct, UScriptStruct::StaticClass(), CreatePackage(Registration.PackageName));
		SetMetaData(Struct, Registration.MetaData);
		if (Registration.Build)
		{
			FStructBuilder Builder(Struct);
			Registration.Build(Builder);
		}
		return Struct;
	}

	UEnum* FObjectSystem::BuildEnum(FEnumRegistration& Registration)
	{
		UEnum* Enum = ConstructTypeObject<UEnum>(FName(Registration.Name));
		Registration.Constructing = Enum;
		Enum->CppForm = Registration.CppForm;
		const FString EnumName(Registration.Name);
		int64 MaxValue = 0;
		bool bHasMax = false;
		FString Prefix;
		for (const FEnumEntry& Entry : Registration.Entries)
		{
			Enum->Names.Add(TPair<FName, int64>{FName(Entry.Name), Entry.Value});
			MaxValue = Enum->Names.Num() == 1 || Entry.Value > MaxValue ? Entry.Value : MaxValue;
			const FString ShortName = Enum->GetNameStringByIndex(Enum->Names.Num() - 1);
			bHasMax = bHasMax || ShortName.EndsWith(TEXT("_MAX"), ESearchCase::CaseSensitive);
			for (const FMetaDataEntry& Meta : Entry.MetaData)
			{
				Enum->SetMetaData(*FString::Printf(TEXT("%s.%s"), *ShortName, Meta.Key), Meta.Value);
			}
			if (Registration.CppForm == UEnum::ECppForm::Regular)
			{
				if (Prefix.IsEmpty() && Enum->Names.Num() == 1)
				{
					Prefix = ShortName;
				}
				int32 Common = 0;
				while (Common < Prefix.Len() && Common < ShortName.Len() && Prefix[Common] == ShortName[Common])
				{
					++Common;
				}
				Prefix = Prefix.Left(Common);
			}
		}
		// The engine's generated enums end with a <Prefix>_MAX key one above the largest value.
		if (!bHasMax)
		{
			FString MaxName;
			if (Registration.CppForm == UEnum::ECppForm::Regular)
			{
				int32 Underscore = INDEX_NONE;
				Prefix = Prefix.FindLastChar(TCHAR('_'), Underscore) && Underscore > 0 ? Prefix.Left(Underscore) : EnumName;
				MaxName = FString::Printf(TEXT("%s_MAX"), *Prefix);
			}
			else
			{
				MaxName = FString::Printf(TEXT("%s::%s_MAX"), *EnumName, *EnumName);
			}
			Enum->Names.Add(TPair<FName, int64>{FName(MaxName), Registration.Entries.Num() > 0 ? MaxValue + 1 : 0});
		}
		RegisterTypeObject(Enum, UEnum::StaticClass(), CreatePackage(Registration.PackageName));
		SetMetaData(Enum, Registration.MetaData);
		return Enum;
	}

	void FObjectSystem::ProcessPendingRegistrations()
	{
		if (!GHasDeferredRegistrations.load(std::memory_order_acquire))
		{
			return;
		}
		std::vector<std::function<void()>> Registrations;
		{
			std::lock_guard<std::mutex> Lock(GDeferredMutex);
			Registrations.swap(GDeferredRegistrations);
			GHasDeferredRegistrations.store(false, std::memory_order_release);
		}
		for (const std::function<void()>& Register : Registrations)
		{
			Register();
		}
	}

	UClass* GetStaticClass(FClassRegistration& Registration)
	{
		return GetOrBuildType<UClass>(Registration, Registration.Class, Registration.Constructing, &FObjectSystem::BuildClass);
	}

	UScriptStruct* GetStaticStruct(FStructRegistration& Registration)
	{
		return GetOrBuildType<UScriptStruct>(Registration, Registration.Struct, Registration.Constructing, &FObjectSystem::BuildStruct);
	}

	UEnum* GetStaticEnum(FEnumRegistration& Registration)
	{
		return GetOrBuildType<UEnum>(Registration, Registration.Enum, Registration.Constructing, &FObjectSystem::BuildEnum);
	}

	namespace
	{
		void Defer(std::function<void()> Register)
		{
			std::lock_guard<std::mutex> Lock(GDeferredMutex);
			GDeferredRegistrations.push_back(MoveTemp(Register));
			GHasDeferredRegistrations.store(true, std::memory_order_release);
		}
	}

	FCompiledInDefer::FCompiledInDefer(UClass* (*InClassFn)())
	{
		Defer([InClassFn]()
			{ InClassFn(); });
	}

	FCompiledInDefer::FCompiledInDefer(UScriptStruct* (*InStructFn)())
	{
		Defer([InStructFn]()
			{ InStructFn(); });
	}

	FCompiledInDefer::FCompiledInDefer(UEnum* (*InEnumFn)())
	{
		Defer([InEnumFn]()
			{ InEnumFn(); });
	}

	FStructBuilder::FStructBuilder(UStruct* InStruct)
		: Struct(InStruct)
		, PropertyTail(&InStruct->ChildProperties)
		, FunctionTail(&InStruct->Children)
	{
		while (*PropertyTail)
		{
			PropertyTail = &(*PropertyTail)->Next;
		}
		while (*FunctionTail)
		{
			FunctionTail = &(*FunctionTail)->Next;
		}
	}

	void FStructBuilder::Add(FProperty* Property, SIZE_T Offset, int32 ArrayDim, EPropertyFlags Flags, const TArray<FMetaDataEntry>& MetaData, const TCHAR* CppType)
	{
		Property->Offset_Internal = int32(Offset);
		Property->ArrayDim = ArrayDim;
		Property->PropertyFlags = Flags;
		Property->CppType = FString(CppType);
		for (const FMetaDataEntry& Entry : MetaData)
		{
			Property->SetMetaData(Entry.Key, FString(Entry.Value));
		}
		*PropertyTail = Property;
		PropertyTail = &Property->Next;
	}

	void FStructBuilder::AddBitfieldBool(const TCHAR* Name, void (*SetBit)(void*), SIZE_T ContainerSize, SIZE_T ContainerAlignment, SIZE_T StorageSize, EPropertyFlags Flags, const TArray<FMetaDataEntry>& MetaData)
	{
		// Find the member's byte and bit by setting it in zeroed memory, as the engine does.
		const SIZE_T Alignment = ContainerAlignment > alignof(std::max_align_t) ? ContainerAlignment : alignof(std::max_align_t);
		uint8* Buffer = static_cast<uint8*>(::operator new(ContainerSize, std::align_val_t(Alignment)));
		std::memset(Buffer, 0, ContainerSize);
		SetBit(Buffer);
		int32 ByteOffset = INDEX_NONE;
		uint8 Mask = 0;
		int32 SetBytes = 0;
		for (SIZE_T Index = 0; Index < ContainerSize; ++Index)
		{
			if (Buffer[Index] != 0)
			{
				ByteOffset = int32(Index);
				Mask = Buffer[Index];
				++SetBytes;
			}
		}
		::operator delete(Buffer, std::align_val_t(Alignment));
		checkf(SetBytes == 1 && (Mask & (Mask - 1)) == 0, TEXT("A bitfield UPROPERTY must set exactly one bit"));
		FBoolProperty* Property = new FBoolProperty(FFieldVariant(Struct), FName(Name), RF_Public);
		Property->SetBoolSize(uint32(StorageSize), false, Mask);
		Add(Property, SIZE_T(ByteOffset), 1, Flags, MetaData, TEXT("bool"));
	}

	UFunction* FStructBuilder::AddFunction(const TCHAR* Name, EFunctionFlags Flags, const TArray<FMetaDataEntry>& MetaData)
	{
		UClass* Class = dynamic_cast<UClass*>(Struct);
		checkf(Class, TEXT("Functions can only be added to a class"));
		UFunction* Function = static_cast<UFunction*>(FObjectSystem::ConstructObject(UFunction::StaticClass(), Class, FName(Name), RF_Public | RF_MarkAsNative));
		check(Function);
		Function->FunctionFlags = Flags;
		FObjectSystem::SetMetaData(Function, MetaData);
		*FunctionTail = Function;
		FunctionTail = &Function->Next;
		Class->FuncMap.Add(FName(Name), Function);
		return Function;
	}
}

using namespace UE::CoreUObject::Host;

// The object system's own classes, registered like generated ones but by hand (engine: intrinsic classes).
#define IMPLEMENT_HOST_INTRINSIC_CLASS(TClass, TName, TSuperFn, TConfigName)                                                                                                                                                  \
	UClass* TClass::GetPrivateStaticClass()                                                                                                                                                                                   \
	{                                                                                                                                                                                                                         \
		static FClassRegistration Registration{TEXT(TName), TEXT("/Script/CoreUObject"), TEXT(TConfigName), TClass::StaticClassFlags, sizeof(TClass), alignof(TClass), TSuperFn, &TClass::__DefaultConstructor, nullptr, {}}; \
		return GetStaticClass(Registration);                                                                                                                                                                                  \
	}                                                                                                                                                                                                                         \
	COREUOBJECT_API UClass* Z_Construct_UClass_##TClass##_NoRegister()                                                                                                                                                        \
	{                                                                                                                                                                                                                         \
		return TClass::StaticClass();                                                                                                                                                                                         \
	}

// Unconfirmed: UObject's config name in the engine; "Engine" is what config classes fall back to.
IMPLEMENT_HOST_INTRINSIC_CLASS(UObject, "Object", nullptr, "Engine")
IMPLEMENT_HOST_INTRINSIC_CLASS(UField, "Field", &UObject::StaticClass, "")
IMPLEMENT_HOST_INTRINSIC_CLASS(UStruct, "Struct", &UField::StaticClass, "")
IMPLEMENT_HOST_INTRINSIC_CLASS(UScriptStruct, "ScriptStruct", &UStruct::StaticClass, "")
IMPLEMENT_HOST_INTRINSIC_CLASS(UClass, "Class", &UStruct::StaticClass, "")
IMPLEMENT_HOST_INTRINSIC_CLASS(UFunction, "Function", &UStruct::StaticClass, "")
IMPLEMENT_HOST_INTRINSIC_CLASS(UEnum, "Enum", &UField::StaticClass, "")
IMPLEMENT_HOST_INTRINSIC_CLASS(UPackage, "Package", &UObject::StaticClass, "")

bool UField::HasMetaData(const TCHAR* Key) const
{
	return MetaData.Contains(FName(Key));
}

bool UField::HasMetaData(const FName& Key) const
{
	return MetaData.Contains(Key);
}

const FString& UField::GetMetaData(const TCHAR* Key) const
{
	return GetMetaData(FName(Key));
}

const FString& UField::GetMetaData(const FName& Key) const
{
	const FString* Value = MetaData.Find(Key);
	return Value ? *Value : EmptyString();
}

void UField::SetMetaData(const TCHAR* Key, const TCHAR* InValue)
{
	SetMetaData(FName(Key), InValue);
}

void UField::SetMetaData(const FName& Key, const TCHAR* InValue)
{
	MetaData.Add(Key, FString(InValue));
}

FText UField::GetDisplayNameText() const
{
	// Unconfirmed: the engine's editor makes a readable name from the bare name when DisplayName is absent.
	const FString& DisplayName = GetMetaData(TEXT("DisplayName"));
	return FText::FromString(DisplayName.IsEmpty() ? GetName() : DisplayName);
}

FText UField::GetToolTipText(bool bShortTooltip) const
{
	const FString& ToolTip = GetMetaData(TEXT("ToolTip"));
	return ToolTip.IsEmpty() ? GetDisplayNameText() : FText::FromString(ToolTip);
}

UStruct::~UStruct()
{
	FField* Field = ChildProperties;
	while (Field)
	{
		FField* NextField = Field->Next;
		delete Field;
		Field = NextField;
	}
	ChildProperties = nullptr;
}

bool UStruct::IsChildOf(const UStruct* SomeBase) const
{
	if (!SomeBase)
	{
		return false;
	}
	for (const UStruct* Struct = this; Struct; Struct = Struct->GetSuperStruct())
	{
		if (Struct == SomeBase)
		{
			return true;
		}
	}
	return false;
}

FProperty* UStruct::FindPropertyByName(FName InName) const
{
	return FindFProperty<FProperty>(this, InName);
}

void UScriptStruct::InitializeStruct(void* Dest, int32 ArrayDim) const
{
	check(CppStructOps.Construct);
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps.Construct(static_cast<uint8*>(Dest) + Index * CppStructOps.Size);
	}
}

void UScriptStruct::DestroyStruct(void* Dest, int32 ArrayDim) const
{
	check(CppStructOps.Destruct);
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps.Destruct(static_cast<uint8*>(Dest) + Index * CppStructOps.Size);
	}
}

void UScriptStruct::CopyScriptStruct(void* Dest, const void* Src, int32 ArrayDim) const
{
	check(CppStructOps.Copy);
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps.Copy(static_cast<uint8*>(Dest) + Index * CppStructOps.Size, static_cast<const uint8*>(Src) + Index * CppStructOps.Size);
	}
}

UObject* UClass::GetDefaultObject(bool bCreateIfNeeded) const
{
	if (!bCreateIfNeeded)
	{
		return bDefaultObjectReady.load(std::memory_order_acquire) ? ClassDefaultObject : nullptr;
	}
	return FObjectSystem::GetDefaultObject(this);
}

UFunction* UClass::FindFunctionByName(FName InName, EIncludeSuperFlag::Type IncludeSuper) const
{
	for (const UClass* Class = this; Class; Class = Class->GetSuperClass())
	{
		if (UFunction* const* Found = Class->FuncMap.Find(InName))
		{
			return *Found;
		}
		if (IncludeSuper == EIncludeSuperFlag::ExcludeSuper)
		{
			break;
		}
	}
	return nullptr;
}

UClass* UFunction::GetOwnerClass() const
{
	return dynamic_cast<UClass*>(GetOuter());
}

FName UEnum::GetNameByIndex(int32 Index) const
{
	return Names.IsValidIndex(Index) ? Names[Index].Key : FName();
}

FString UEnum::GetNameStringByIndex(int32 InIndex) const
{
	if (!Names.IsValidIndex(InIndex))
	{
		return FString();
	}
	FString Name = Names[InIndex].Key.ToString();
	if (CppForm != ECppForm::Regular)
	{
		FString Left;
		FString Right;
		if (Name.Split(TEXT("::"), &Left, &Right, ESearchCase::CaseSensitive))
		{
			return Right;
		}
	}
	return Name;
}

int64 UEnum::GetValueByIndex(int32 Index) const
{
	return Names.IsValidIndex(Index) ? Names[Index].Value : int64(INDEX_NONE);
}

FName UEnum::GetNameByValue(int64 InValue) const
{
	return GetNameByIndex(GetIndexByValue(InValue));
}

FString UEnum::GetNameStringByValue(int64 InValue) const
{
	return GetNameStringByIndex(GetIndexByValue(InValue));
}

int32 UEnum::GetIndexByName(const FName InName, EGetByNameFlags Flags) const
{
	return InName.IsNone() ? INDEX_NONE : GetIndexByNameString(InName.ToString(), Flags);
}

int64 UEnum::GetValueByName(FName InName, EGetByNameFlags Flags) const
{
	return GetValueByIndex(GetIndexByName(InName, Flags));
}

int32 UEnum::GetIndexByNameString(const FString& SearchString, EGetByNameFlags Flags) const
{
	const ESearchCase::Type SearchCase = (int32(Flags) & int32(EGetByNameFlags::CaseSensitive)) != 0 ? ESearchCase::CaseSensitive : ESearchCase::IgnoreCase;
	if (SearchString.IsEmpty())
	{
		return INDEX_NONE;
	}
	// The full name first, then the short name.
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		if (Names[Index].Key.ToString().Equals(SearchString, SearchCase))
		{
			return Index;
		}
	}
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		if (GetNameStringByIndex(Index).Equals(SearchString, SearchCase))
		{
			return Index;
		}
	}
	return INDEX_NONE;
}

int64 UEnum::GetValueByNameString(const FString& SearchString, EGetByNameFlags Flags) const
{
	return GetValueByIndex(GetIndexByNameString(SearchString, Flags));
}

int32 UEnum::GetIndexByValue(int64 Value) const
{
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		if (Names[Index].Value == Value)
		{
			return Index;
		}
	}
	return INDEX_NONE;
}

int64 UEnum::GetMaxEnumValue() const
{
	int64 MaxValue = 0;
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		MaxValue = Index == 0 || Names[Index].Value > MaxValue ? Names[Index].Value : MaxValue;
	}
	return MaxValue;
}

FText UEnum::GetDisplayNameTextByIndex(int32 InIndex) const
{
	if (!Names.IsValidIndex(InIndex))
	{
		return FText::GetEmpty();
	}
	const FString DisplayName = GetMetaData(TEXT("DisplayName"), InIndex);
	return FText::FromString(DisplayName.IsEmpty() ? GetNameStringByIndex(InIndex) : DisplayName);
}

FText UEnum::GetDisplayNameTextByValue(int64 InValue) const
{
	return GetDisplayNameTextByIndex(GetIndexByValue(InValue));
}

FString UEnum::GetMetaData(const TCHAR* Key, int32 NameIndex, bool bAllowRemap) const
{
	if (NameIndex == INDEX_NONE)
	{
		return UField::GetMetaData(Key);
	}
	if (!Names.IsValidIndex(NameIndex))
	{
		return FString();
	}
	return UField::GetMetaData(FName(FString::Printf(TEXT("%s.%s"), *GetNameStringByIndex(NameIndex), Key)));
}

bool UEnum::HasMetaData(const TCHAR* Key, int32 NameIndex) const
{
	if (NameIndex == INDEX_NONE)
	{
		return UField::HasMetaData(Key);
	}
	return Names.IsValidIndex(NameIndex) && UField::HasMetaData(FName(FString::Printf(TEXT("%s.%s"), *GetNameStringByIndex(NameIndex), Key)));
}

UClass* UE::CoreUObject::Host::CreateDerivedClass(UClass* SuperClass, UObject* Outer, FName Name, EClassFlags ExtraFlags, UClass* ClassClass)
{
	return FObjectSystem::CreateDerivedClass(SuperClass, Outer, Name, ExtraFlags, ClassClass);
}

UClass* FObjectSystem::CreateDerivedClass(UClass* SuperClass, UObject* Outer, FName Name, EClassFlags ExtraFlags, UClass* ClassClass)
{
	if (!SuperClass || !Outer || Name.IsNone() || !SuperClass->ClassConstructor)
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("CreateDerivedClass: a super class with a constructor, an outer and a name are needed"));
		return nullptr;
	}
	if (StaticFindObjectFast(nullptr, Outer, Name))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("CreateDerivedClass: the name %s is taken in %s"), *Name.ToString(), *Outer->GetPathName());
		return nullptr;
	}
	UClass* Class = static_cast<UClass*>(ConstructObject(ClassClass && ClassClass->IsChildOf(UClass::StaticClass()) ? ClassClass : UClass::StaticClass(), Outer, Name, RF_Public | RF_Transient));
	if (!Class)
	{
		return nullptr;
	}
	Class->SuperStruct = SuperClass;
	Class->ClassConstructor = SuperClass->ClassConstructor;
	Class->PropertiesSize = SuperClass->PropertiesSize;
	Class->MinAlignment = SuperClass->MinAlignment;
	Class->ClassFlags = (SuperClass->ClassFlags & CLASS_Inherit) | ExtraFlags | CLASS_Constructed;
	Class->ClassCastFlags = SuperClass->ClassCastFlags;
	Class->ClassConfigName = SuperClass->ClassConfigName;
	return Class;
}

UFunction* UE::CoreUObject::Host::AddBlueprintEventImplementation(UClass* Class, FName Name, TFunction<void(UObject*, void*)> Script)
{
	UClass* SuperClass = Class ? Class->GetSuperClass() : nullptr;
	UFunction* Declared = SuperClass ? SuperClass->FindFunctionByName(Name) : nullptr;
	if (!Declared || !Declared->HasAnyFunctionFlags(FUNC_BlueprintEvent))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("AddBlueprintEventImplementation: no super class of %s declares a blueprint event %s"), Class ? *Class->GetName() : TEXT("(null)"), *Name.ToString());
		return nullptr;
	}
	FStructBuilder Builder(Class);
	UFunction* Function = Builder.AddFunction(*Name.ToString(), EFunctionFlags(Declared->FunctionFlags & ~FUNC_Native), {});
	Function->ParmsSize = Declared->ParmsSize;
	Function->NumParms = Declared->NumParms;
	Function->HostScript = MoveTemp(Script);
	return Function;
}

FProperty* UE::CoreUObject::Host::AddVariableProperty(UClass* Class, FName Name, EHostVariableKind Kind, UClass* ObjectClass, EPropertyFlags Flags)
{
	return FObjectSystem::AddVariableProperty(Class, Name, Kind, ObjectClass, Flags);
}

FProperty* FObjectSystem::AddVariableProperty(UClass* Class, FName Name, EHostVariableKind Kind, UClass* ObjectClass, EPropertyFlags Flags)
{
	if (!Class || Name.IsNone() || (Kind == EHostVariableKind::Object && !ObjectClass))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("AddVariableProperty: a class, a name and, for an object variable, its class are needed"));
		return nullptr;
	}
	if (Class->ClassDefaultObject)
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("AddVariableProperty: %s already has a default object; %s cannot be added"), *Class->GetName(), *Name.ToString());
		return nullptr;
	}
	if (Class->FindPropertyByName(Name))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("AddVariableProperty: %s already has a property %s"), *Class->GetName(), *Name.ToString());
		return nullptr;
	}
	FStructBuilder Builder(Class);
	SIZE_T Size = 0;
	if (Kind == EHostVariableKind::Bool)
	{
		Size = sizeof(bool);
		const SIZE_T Offset = SIZE_T(Class->PropertiesSize);
		Builder.AddProperty<bool>(*Name.ToString(), Offset, Flags, {}, TEXT("bool"));
		Class->PropertiesSize = int32(Offset + Size);
	}
	else
	{
		Size = sizeof(TObjectPtr<UObject>);
		const SIZE_T Offset = (SIZE_T(Class->PropertiesSize) + alignof(TObjectPtr<UObject>) - 1) / alignof(TObjectPtr<UObject>) * alignof(TObjectPtr<UObject>);
		Builder.AddProperty<TObjectPtr<UObject>>(*Name.ToString(), Offset, Flags, {}, *FString::Printf(TEXT("TObjectPtr<%s>"), *ObjectClass->GetName()));
		Class->PropertiesSize = int32(Offset + Size);
		Class->MinAlignment = FMath::Max(Class->MinAlignment, int32(alignof(TObjectPtr<UObject>)));
	}
	FProperty* Property = Class->FindPropertyByName(Name);
	if (FObjectPropertyBase* ObjectProperty = CastField<FObjectPropertyBase>(Property))
	{
		ObjectProperty->SetPropertyClass(ObjectClass);
	}
	return Property;
}
