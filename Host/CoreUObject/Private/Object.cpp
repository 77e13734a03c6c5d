// Copyright Kelmora. All Rights Reserved.
#include "ObjectSystem.h"
#include "UObject/Package.h"
#include "UObject/UObjectIterator.h"
#include "UObject/UnrealType.h"
#include "UObject/WeakObjectPtr.h"

#include <cstring>
#include <new>

DEFINE_LOG_CATEGORY(LogUObjectGlobals);

namespace
{
	/** The initializer of the object under construction on this thread (nested for objects made in constructors). */
	thread_local FObjectInitializer* GCurrentInitializer = nullptr;

	const TCHAR SubobjectDelimiter = TEXT(':');
}

namespace UE::CoreUObject::Host
{
	void* GetObjectMemory(const FObjectInitializer& Initializer)
	{
		return Initializer.GetObj();
	}

	void FObjectSystem::RunConstructor(void* Memory, UClass* Class, UObject* Outer, FName Name, EObjectFlags Flags, int32 Index, UClass::ClassConstructorType Constructor)
	{
		FObjectInitializer Initializer(Memory, Class, Outer, Name, Flags, Index);
		Initializer.Previous = GCurrentInitializer;
		GCurrentInitializer = &Initializer;
		Constructor(Initializer);
		GCurrentInitializer = Initializer.Previous;
	}

	UObject* FObjectSystem::ConstructObject(const UClass* InClass, UObject* Outer, FName Name, EObjectFlags Flags)
	{
		UClass* Class = const_cast<UClass*>(InClass);
		FObjectTable* Table = FObjectTable::Get();
		if (!Table || !Class || !Class->ClassConstructor)
		{
			return nullptr;
		}
		void* Memory = nullptr;
		int32 Index = INDEX_NONE;
		{
			std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
			if (Name.IsNone())
			{
				Name = MakeUniqueNameLocked(*Table, Outer, Class, NAME_None);
			}
			else if (UObjectBase* Existing = Table->FindLocked(Outer, Name, false))
			{
				const UObject* ExistingObject = static_cast<UObject*>(Existing);
				// The engine's allocator ends the process here (message wording unconfirmed against the 5.6 sources).
				UE_CLOG(!ExistingObject->GetClass()->IsChildOf(Class), LogUObjectGlobals, Fatal, TEXT("Cannot replace existing object of a different class.\n\tNew Object: %s %s.%s\n\tExisting Object: %s"), *Class->GetName(), Outer ? *Outer->GetPathName() : TEXT(""), *Name.ToString(), *ExistingObject->GetFullName());
				if (ExistingObject->GetClass() != Class || ExistingObject->HasAnyFlags(RF_ClassDefaultObject) || (Flags & RF_ClassDefaultObject) != 0)
				{
					UE_LOG(LogUObjectGlobals, Error, TEXT("NewObject: cannot make %s '%s': the name is taken by %s"), *Class->GetName(), *Name.ToString(), *ExistingObject->GetFullName());
					return nullptr;
				}
				// As in the engine, an object of the same class and name is replaced in place.
				Index = Existing->InternalIndex;
				Table->Slots[size_t(Index)].bReady = false;
				Existing->~UObjectBase();
				Memory = Existing;
				std::memset(Memory, 0, size_t(Class->GetPropertiesSize()));
			}
			if (!Memory)
			{
				const SIZE_T Alignment = SIZE_T(Class->GetMinAlignment() > int32(alignof(std::max_align_t)) ? Class->GetMinAlignment() : alignof(std::max_align_t));
				Memory = ::operator new(size_t(Class->GetPropertiesSize()), std::align_val_t(Alignment));
				std::memset(Memory, 0, size_t(Class->GetPropertiesSize()));
				Index = Table->AddLocked(static_cast<UObjectBase*>(Memory), Alignment);
				Table->SetNameLocked(Index, Outer, Name);
			}
		}
		RunConstructor(Memory, Class, Outer, Name, Flags, Index, Class->ClassConstructor);
		UObject* Object = static_cast<UObject*>(static_cast<UObjectBase*>(Memory));
		{
			std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
			Table->Slots[size_t(Index)].bReady = true;
		}
		if ((Flags & RF_ClassDefaultObject) != 0 && Class->HasAnyClassFlags(CLASS_Config))
		{
			LoadObjectConfig(Object);
		}
		Object->PostInitProperties();
		return Object;
	}

	FName FObjectSystem::MakeUniqueNameLocked(FObjectTable& Table, UObject* Outer, const UClass* Class, FName BaseName)
	{
		const FString Base = BaseName.IsNone() ? Class->GetName() : BaseName.ToString();
		while (true)
		{
			const int32 Number = Class->ClassUnique.fetch_add(1);
			const FName Candidate(FString::Printf(TEXT("%s_%d"), *Base, Number));
			if (!Table.FindLocked(Outer, Candidate, false))
			{
				return Candidate;
			}
		}
	}

	UObject* FObjectSystem::GetDefaultObject(const UClass* Class)
	{
		if (Class->bDefaultObjectReady.load(std::memory_order_acquire))
		{
			return Class->ClassDefaultObject;
		}
		static std::recursive_mutex DefaultObjectMutex;
		std::lock_guard<std::recursive_mutex> Lock(DefaultObjectMutex);
		if (Class->ClassDefaultObject)
		{
			// Either made by another thread meanwhile, or asked for again from its own constructor.
			return Class->ClassDefaultObject;
		}
		if (UClass* SuperClass = Class->GetSuperClass())
		{
			GetDefaultObject(SuperClass);
		}
		UClass* MutableClass = const_cast<UClass*>(Class);
		const FName Name(FString(TEXT("Default__")) + Class->GetName());
		// The default object of a class that is never saved is not saved either.
		const EObjectFlags TransientFlag = Class->HasAnyFlags(RF_Transient) ? RF_Transient : RF_NoFlags;
		UObject* DefaultObject = ConstructObject(Class, Class->GetOuter(), Name, RF_Public | RF_ClassDefaultObject | RF_ArchetypeObject | TransientFlag);
		MutableClass->ClassDefaultObject = DefaultObject;
		Class->bDefaultObjectReady.store(DefaultObject != nullptr, std::memory_order_release);
		return DefaultObject;
	}
}

using namespace UE::CoreUObject::Host;

FObjectInitializer::FObjectInitializer(void* InMemory, UClass* InClass, UObject* InOuter, FName InName, EObjectFlags InFlags, int32 InIndex)
	// The memory holds no object yet, so no checked downcast.
	: Obj(reinterpret_cast<UObject*>(InMemory))
	, Class(InClass)
	, Outer(InOuter)
	, Name(InName)
	, Flags(InFlags)
	, Index(InIndex)
{
}

FObjectInitializer& FObjectInitializer::Get()
{
	checkf(GCurrentInitializer, TEXT("FObjectInitializer::Get is only valid inside a class constructor"));
	return *GCurrentInitializer;
}

UObjectBase::UObjectBase()
{
	// Objects are only made by the object system, which announces each one before its constructor runs.
	const FObjectInitializer* Initializer = GCurrentInitializer;
	checkf(Initializer && static_cast<void*>(Initializer->Obj) == static_cast<void*>(this), TEXT("UObjects must be made with NewObject"));
	ObjectFlags = Initializer->Flags;
	InternalIndex = Initializer->Index;
	ClassPrivate = Initializer->Class;
	NamePrivate = Initializer->Name;
	OuterPrivate = Initializer->Outer;
}

UObjectBase::~UObjectBase() = default;

FString UObjectBaseUtility::GetName() const
{
	return GetFName().ToString();
}

FString UObjectBaseUtility::GetPathName(const UObject* StopOuter) const
{
	if (this == StopOuter)
	{
		return FString(TEXT("None"));
	}
	FString Result;
	const UObject* Outer = GetOuter();
	if (Outer && Outer != StopOuter)
	{
		Result = Outer->GetPathName(StopOuter);
		// ':' marks an object whose outer is not a package but lives in one.
		const UObject* OuterOuter = Outer->GetOuter();
		const bool bOuterIsPackage = Outer->GetClass() == UPackage::StaticClass();
		const bool bOuterOuterIsPackage = OuterOuter && OuterOuter->GetClass() == UPackage::StaticClass();
		Result.AppendChar(!bOuterIsPackage && bOuterOuterIsPackage ? SubobjectDelimiter : TCHAR('.'));
	}
	Result += GetName();
	return Result;
}

FString UObjectBaseUtility::GetFullName(const UObject* StopOuter) const
{
	return FString::Printf(TEXT("%s %s"), GetClass() ? *GetClass()->GetName() : TEXT("None"), *GetPathName(StopOuter));
}

UPackage* UObjectBaseUtility::GetPackage() const
{
	const UObjectBaseUtility* Top = this;
	while (Top->GetOuter())
	{
		Top = Top->GetOuter();
	}
	return Top->GetClass() == UPackage::StaticClass() ? static_cast<UPackage*>(const_cast<UObjectBaseUtility*>(Top)) : nullptr;
}

bool UObjectBaseUtility::IsA(const UClass* SomeBase) const
{
	const UClass* Class = GetClass();
	return Class && SomeBase && Class->IsChildOf(SomeBase);
}

bool UObjectBaseUtility::IsTemplate(EObjectFlags TemplateTypes) const
{
	for (const UObject* Object = static_cast<const UObject*>(this); Object; Object = Object->GetOuter())
	{
		if (Object->HasAnyFlags(TemplateTypes))
		{
			return true;
		}
	}
	return false;
}

UFunction* UObject::FindFunction(FName InName) const
{
	return GetClass() ? GetClass()->FindFunctionByName(InName) : nullptr;
}

UFunction* UObject::FindFunctionChecked(FName InName) const
{
	UFunction* Function = FindFunction(InName);
	check(Function);
	return Function;
}

UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params)
{
	const UClass* Class = Params.Class;
	if (!Class)
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("NewObject: no class given"));
		return nullptr;
	}
	if (Class->HasAnyClassFlags(CLASS_Abstract))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("NewObject: class %s is abstract"), *Class->GetName());
		return nullptr;
	}
	// The engine's allocator ends the process on both (wording from working knowledge; unconfirmed).
	if (!Params.Outer && Class != UPackage::StaticClass())
	{
		UE_LOG(LogUObjectGlobals, Fatal, TEXT("Object is not packaged: %s %s"), *Class->GetName(), *Params.Name.ToString());
	}
	if (!Params.Outer && Params.Name.IsNone())
	{
		UE_LOG(LogUObjectGlobals, Fatal, TEXT("Attempted to create a package named 'None'"));
	}
	if (Params.Template && !Params.Template->IsA(Class))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("NewObject: the template %s is not a %s"), *Params.Template->GetFullName(), *Class->GetName());
		return nullptr;
	}
	UObject* Object = FObjectSystem::ConstructObject(Class, Params.Outer, Params.Name, Params.SetFlags & ~(RF_ClassDefaultObject));
	if (Object && Params.Template)
	{
		// As in the engine, the new object starts with the template's property values.
		for (TFieldIterator<FProperty> It(Class); It; ++It)
		{
			It->CopyCompleteValue_InContainer(Object, Params.Template);
		}
	}
	return Object;
}

bool UObject::Modify(bool bAlwaysMarkDirty)
{
	if (bAlwaysMarkDirty)
	{
		MarkPackageDirty();
	}
	return !HasAnyFlags(RF_Transient);
}

void UObject::PostEditChange()
{
	++HostPostEditChangeCount;
}

namespace UE::CoreUObject::Private
{
	bool CheckNewObjectClass(const UClass* Class, const UClass* Expected)
	{
		// As the engine's NewObject checks an explicit class (wording from working knowledge; unconfirmed).
		checkf(Class, TEXT("NewObject called with a nullptr class object"));
		checkf(Class->IsChildOf(Expected), TEXT("NewObject called with invalid class, %s must be a child of %s"), *Class->GetName(), *Expected->GetName());
		return true;
	}

	UObject* GetDefaultObjectOf(const UClass* Class)
	{
		return Class ? FObjectSystem::GetDefaultObject(Class) : nullptr;
	}

	void GetObjectsOfClassSnapshot(const UClass* Class, bool bIncludeDerivedClasses, EObjectFlags ExclusionFlags, TArray<UObject*>& OutObjects)
	{
		FObjectSystem::ProcessPendingRegistrations();
		FObjectTable* Table = FObjectTable::Get();
		if (!Table)
		{
			return;
		}
		std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
		for (const FObjectTable::FSlot& Slot : Table->Slots)
		{
			if (!Slot.Object || !Slot.bReady)
			{
				continue;
			}
			UObject* Object = static_cast<UObject*>(Slot.Object);
			if (Object->HasAnyFlags(ExclusionFlags))
			{
				continue;
			}
			if (bIncludeDerivedClasses ? Object->IsA(Class) : Object->GetClass() == Class)
			{
				OutObjects.Add(Object);
			}
		}
	}

	UObject* FindFirstObject(UClass* Class, const TCHAR* Name, bool bExactClass)
	{
		if (!Name || !*Name)
		{
			return nullptr;
		}
		const FString NameString(Name);
		if (NameString.Contains(TEXT(".")) || NameString.Contains(TEXT("/")))
		{
			return StaticFindObject(Class, nullptr, Name, bExactClass);
		}
		FObjectSystem::ProcessPendingRegistrations();
		FObjectTable* Table = FObjectTable::Get();
		if (!Table)
		{
			return nullptr;
		}
		const FName ShortName(NameString);
		std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
		for (const FObjectTable::FSlot& Slot : Table->Slots)
		{
			if (!Slot.Object || !Slot.bReady || Slot.Object->GetFName() != ShortName)
			{
				continue;
			}
			UObject* Object = static_cast<UObject*>(Slot.Object);
			if (!Class || (bExactClass ? Object->GetClass() == Class : Object->IsA(Class)))
			{
				return Object;
			}
		}
		return nullptr;
	}
}

UPackage* GetTransientPackage()
{
	static UPackage* TransientPackage = []()
	{
		UPackage* Package = CreatePackage(TEXT("/Engine/Transient"));
		Package->SetFlags(RF_Transient);
		Package->AddToRoot();
		return Package;
	}();
	return TransientPackage;
}

UPackage* CreatePackage(const TCHAR* PackageName)
{
	if (!PackageName || !*PackageName)
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("CreatePackage: no package name given"));
		return nullptr;
	}
	if (FString(PackageName).Contains(TEXT("//")))
	{
		UE_LOG(LogUObjectGlobals, Fatal, TEXT("Attempted to create a package with name containing double slashes. PackageName: %s"), PackageName);
	}
	// The class first: making it may make this very package (the object system's own script package).
	UClass* PackageClass = UPackage::StaticClass();
	FObjectTable* Table = FObjectTable::Get();
	if (!Table)
	{
		return nullptr;
	}
	std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
	const FName Name(PackageName);
	if (UObjectBase* Existing = Table->FindLocked(nullptr, Name, false))
	{
		UObject* ExistingObject = static_cast<UObject*>(Existing);
		return ExistingObject->GetClass() == PackageClass ? static_cast<UPackage*>(ExistingObject) : nullptr;
	}
	return static_cast<UPackage*>(FObjectSystem::ConstructObject(PackageClass, nullptr, Name, RF_Public));
}

namespace
{
	/** Splits an object path into its names at '.' and ':'; the engine's Class'Path' form is accepted. */
	TArray<FString> SplitObjectPath(FString Path)
	{
		int32 Quote = INDEX_NONE;
		if (Path.FindChar(TCHAR('\''), Quote) && Path.EndsWith(TEXT("'")))
		{
			Path = Path.Mid(Quote + 1, Path.Len() - Quote - 2);
		}
		TArray<FString> Parts;
		FString Current;
		for (const TCHAR Char : Path)
		{
			if (Char == TCHAR('.') || Char == SubobjectDelimiter)
			{
				Parts.Add(Current);
				Current.Empty();
			}
			else
			{
				Current.AppendChar(Char);
			}
		}
		Parts.Add(Current);
		return Parts;
	}
}

UObject* StaticFindObject(UClass* Class, UObject* InOuter, const TCHAR* Name, bool ExactClass)
{
	if (!Name || !*Name)
	{
		return nullptr;
	}
	FObjectSystem::ProcessPendingRegistrations();
	FObjectTable* Table = FObjectTable::Get();
	if (!Table)
	{
		return nullptr;
	}
	const TArray<FString> Parts = SplitObjectPath(FString(Name).TrimStartAndEnd());
	std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
	UObjectBase* Current = InOuter;
	for (const FString& Part : Parts)
	{
		if (Part.IsEmpty())
		{
			return nullptr;
		}
		Current = Table->FindLocked(Current, FName(Part), true);
		if (!Current)
		{
			return nullptr;
		}
	}
	UObject* Found = static_cast<UObject*>(Current);
	if (Class && !(ExactClass ? Found->GetClass() == Class : Found->IsA(Class)))
	{
		return nullptr;
	}
	return Found;
}

UObject* StaticFindObjectFast(UClass* Class, UObject* InOuter, FName InName, bool ExactClass)
{
	FObjectTable* Table = FObjectTable::Get();
	if (!Table || InName.IsNone())
	{
		return nullptr;
	}
	std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
	UObject* Found = static_cast<UObject*>(Table->FindLocked(InOuter, InName, true));
	if (Found && Class && !(ExactClass ? Found->GetClass() == Class : Found->IsA(Class)))
	{
		return nullptr;
	}
	return Found;
}

FName MakeUniqueObjectName(UObject* Outer, const UClass* Class, FName BaseName, EUniqueObjectNameOptions Options)
{
	check(Class);
	FObjectTable* Table = FObjectTable::Get();
	if (!Table)
	{
		return NAME_None;
	}
	std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
	return FObjectSystem::MakeUniqueNameLocked(*Table, Outer, Class, BaseName);
}

void FWeakObjectPtr::operator=(const UObject* Object)
{
	FObjectTable* Table = Object ? FObjectTable::Get() : nullptr;
	if (!Table || Object->GetUniqueID() == INDEX_NONE)
	{
		Reset();
		return;
	}
	std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
	ObjectIndex = Object->GetUniqueID();
	ObjectSerialNumber = Table->Slots[size_t(ObjectIndex)].SerialNumber;
}

UObject* FWeakObjectPtr::Get() const
{
	return Get(false);
}

UObject* FWeakObjectPtr::Get(bool bEvenIfGarbage) const
{
	FObjectTable* Table = ObjectIndex != INDEX_NONE ? FObjectTable::Get() : nullptr;
	if (!Table)
	{
		return nullptr;
	}
	std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
	if (size_t(ObjectIndex) >= Table->Slots.size())
	{
		return nullptr;
	}
	const FObjectTable::FSlot& Slot = Table->Slots[size_t(ObjectIndex)];
	UObject* Object = Slot.SerialNumber == ObjectSerialNumber && Slot.bReady ? static_cast<UObject*>(Slot.Object) : nullptr;
	return Object && (bEvenIfGarbage || ::IsValid(Object)) ? Object : nullptr;
}

void UObject::ProcessEvent(UFunction* Function, void* Parms)
{
	check(Function);
	if (Function->HostScript)
	{
		Function->HostScript(this, Parms);
		return;
	}
	if (Function->HasAnyFunctionFlags(FUNC_BlueprintEvent) && !Function->HasAnyFunctionFlags(FUNC_Native))
	{
		// An event no blueprint implements has an empty script: calling it does nothing, as in the engine.
		return;
	}
	UE_LOG(LogUObjectGlobals, Warning, TEXT("ProcessEvent: %s has no body in the headless host; nothing was called"), Function ? *Function->GetName() : TEXT("(null)"));
}
