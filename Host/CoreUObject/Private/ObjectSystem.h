// Copyright Kelmora. All Rights Reserved.
// The host's object system: the object table, object construction and type registration.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/GeneratedCppIncludes.h"
#include "UObject/Object.h"

#include <mutex>
#include <unordered_map>
#include <vector>

DECLARE_LOG_CATEGORY_EXTERN(LogUObjectGlobals, Log, All);

namespace UE::CoreUObject::Host
{
	/** Reads a new class default object's config properties from the project's .ini files. */
	void LoadObjectConfig(UObject* Object);
}

namespace UE::CoreUObject::Host
{
	/**
	 * Every object the host makes, by index, with a name index per outer. The table owns the objects;
	 * garbage collection frees the unreachable ones, shutdown the rest. All access is under Mutex.
	 */
	class FObjectTable
	{
	public:
		struct FSlot
		{
			UObjectBase* Object = nullptr;
			int32 SerialNumber = 0;
			SIZE_T Alignment = 0;
			/** False while the class constructor runs: finds and iterators skip the object. */
			bool bReady = false;
		};

		/** The table; null once it has been shut down at process exit. */
		static FObjectTable* Get();

		std::recursive_mutex Mutex;
		std::vector<FSlot> Slots;
		struct FOuterAndName
		{
			const UObjectBase* Outer;
			FName Name;
			bool operator==(const FOuterAndName& Other) const { return Outer == Other.Outer && Name == Other.Name; }
		};
		struct FOuterAndNameHash
		{
			size_t operator()(const FOuterAndName& Key) const { return std::hash<const void*>()(Key.Outer) ^ (size_t(Key.Name.GetComparisonIndex()) * 0x9E3779B97F4A7C15ull); }
		};
		std::unordered_map<FOuterAndName, int32, FOuterAndNameHash> IndexByOuterAndName;
		int32 NextSerialNumber = 1;

		int32 AddLocked(UObjectBase* Object, SIZE_T Alignment);
		void SetNameLocked(int32 Index, const UObjectBase* Outer, FName Name);
		UObjectBase* FindLocked(const UObjectBase* Outer, FName Name, bool bReadyOnly) const;
		void DestroyAll();
	};

	/** Everything with private access to the object and type classes. */
	struct FObjectSystem
	{
		/** Makes an object of a fully or partly registered class. */
		static UObject* ConstructObject(const UClass* Class, UObject* Outer, FName Name, EObjectFlags Flags);
		/** Makes one of the object system's own type objects before its class exists; named later with Register. */
		template <typename T>
		static T* ConstructTypeObject(FName Name);
		static void RegisterTypeObject(UObject* Object, UClass* Class, UObject* Outer);
		static void RunConstructor(void* Memory, UClass* Class, UObject* Outer, FName Name, EObjectFlags Flags, int32 Index, UClass::ClassConstructorType Constructor);
		static void SetMetaData(UField* Field, const TArray<FMetaDataEntry>& MetaData);

		static UClass* BuildClass(FClassRegistration& Registration);
		static UScriptStruct* BuildStruct(FStructRegistration& Registration);
		static UEnum* BuildEnum(FEnumRegistration& Registration);

		/** Builds every type queued by FCompiledInDefer. */
		static void ProcessPendingRegistrations();

		static UObject* GetDefaultObject(const UClass* Class);

		/** Calls Visit on every object reference in a value of Property (arrays, maps and structs included). */
		static void VisitValueReferences(const FProperty* Property, void* Value, TFunctionRef<void(UObject*& Reference, bool bCanClear)> Visit, bool bCanClear);
		static void VisitStructReferences(const UStruct* Struct, void* Container, TFunctionRef<void(UObject*& Reference, bool bCanClear)> Visit, bool bCanClear);
		/** BeginDestroy, FinishDestroy, then frees each object and takes it out of the table. */
		static void FreeObjectsLocked(FObjectTable& Table, const std::vector<UObjectBase*>& Doomed);
		/** Destroys objects at once (a failed load's half-made objects); nothing may refer to them. */
		static void DestroyObjectsNow(const std::vector<UObject*>& Objects);
		static void CollectGarbage(EObjectFlags KeepFlags);
		static bool RenameObject(UObject* Object, const TCHAR* InName, UObject* NewOuter, ERenameFlags Flags);
		static void SetInternalFlag(UObjectBase* Object, EInternalObjectFlags Flag, bool bSet);
		static UClass* CreateDerivedClass(UClass* SuperClass, UObject* Outer, FName Name, EClassFlags ExtraFlags, UClass* ClassClass);
		static FProperty* AddVariableProperty(UClass* Class, FName Name, EHostVariableKind Kind, UClass* ObjectClass, EPropertyFlags Flags);
		static FName MakeUniqueNameLocked(FObjectTable& Table, UObject* Outer, const UClass* Class, FName BaseName);
	};
}
