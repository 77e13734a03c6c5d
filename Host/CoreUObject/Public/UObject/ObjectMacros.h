// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/ObjectMacros.h: the reflection markers, object, class and property flags.
#pragma once

#include "CoreMinimal.h"

class UObject;
class UClass;
class UScriptStruct;
class UEnum;
class FObjectInitializer;

#ifndef COREUOBJECT_API
#define COREUOBJECT_API
#endif

// The markers are read by the header tool and expand to nothing in C++.
#define UCLASS(...)
#define USTRUCT(...)
#define UENUM(...)
#define UINTERFACE(...)
#define UPROPERTY(...)
#define UFUNCTION(...)
#define UDELEGATE(...)
#define UMETA(...)
#define UPARAM(...)

#define NO_API

// GENERATED_BODY expands to the macro the header tool wrote for that line of that header.
#define BODY_MACRO_COMBINE_INNER(A, B, C, D) A##B##C##D
#define BODY_MACRO_COMBINE(A, B, C, D) BODY_MACRO_COMBINE_INNER(A, B, C, D)
#define GENERATED_BODY_LEGACY(...) BODY_MACRO_COMBINE(CURRENT_FILE_ID, _, __LINE__, _GENERATED_BODY_LEGACY)
#define GENERATED_BODY(...) BODY_MACRO_COMBINE(CURRENT_FILE_ID, _, __LINE__, _GENERATED_BODY)
#define GENERATED_USTRUCT_BODY(...) GENERATED_BODY()
#define GENERATED_UCLASS_BODY(...) GENERATED_BODY_LEGACY()

/** Flags describing an object instance (values as in the engine). */
enum EObjectFlags
{
	RF_NoFlags = 0x00000000,
	RF_Public = 0x00000001,
	RF_Standalone = 0x00000002,
	RF_MarkAsNative = 0x00000004,
	RF_Transactional = 0x00000008,
	RF_ClassDefaultObject = 0x00000010,
	RF_ArchetypeObject = 0x00000020,
	RF_Transient = 0x00000040,
	RF_MarkAsRootSet = 0x00000080,
	RF_TagGarbageTemp = 0x00000100,
	RF_NeedInitialization = 0x00000200,
	RF_NeedLoad = 0x00000400,
	RF_KeepForCooker = 0x00000800,
	RF_NeedPostLoad = 0x00001000,
	RF_NeedPostLoadSubobjects = 0x00002000,
	RF_NewerVersionExists = 0x00004000,
	RF_BeginDestroyed = 0x00008000,
	RF_FinishDestroyed = 0x00010000,
	RF_BeingRegenerated = 0x00020000,
	RF_DefaultSubObject = 0x00040000,
	RF_WasLoaded = 0x00080000,
	RF_TextExportTransient = 0x00100000,
	RF_LoadCompleted = 0x00200000,
	RF_InheritableComponentTemplate = 0x00400000,
	RF_DuplicateTransient = 0x00800000,
	RF_StrongRefOnFrame = 0x01000000,
	RF_NonPIEDuplicateTransient = 0x02000000,
	RF_WillBeLoaded = 0x08000000,
	RF_HasExternalPackage = 0x10000000,
	RF_MirroredGarbage = 0x40000000,
	RF_AllocatedInSharedPage = 0x80000000,
};

constexpr EObjectFlags operator|(EObjectFlags A, EObjectFlags B)
{
	return EObjectFlags(uint32(A) | uint32(B));
}
constexpr EObjectFlags operator&(EObjectFlags A, EObjectFlags B)
{
	return EObjectFlags(uint32(A) & uint32(B));
}
constexpr EObjectFlags operator~(EObjectFlags A)
{
	return EObjectFlags(~uint32(A));
}
constexpr EObjectFlags& operator|=(EObjectFlags& A, EObjectFlags B)
{
	return A = A | B;
}
constexpr EObjectFlags& operator&=(EObjectFlags& A, EObjectFlags B)
{
	return A = A & B;
}

/** Object flags the object system keeps apart from EObjectFlags (names as in the engine; values unconfirmed). */
enum class EInternalObjectFlags : int32
{
	None = 0,
	Garbage = 1 << 21,
	Unreachable = 1 << 28,
	RootSet = 1 << 30,
};

/**
 * The flags that keep an object alive in CollectGarbage: in the editor, standalone objects (assets)
 * stay until their flag is cleared. From working knowledge of the engine's ObjectMacros.h; unconfirmed.
 */
#define GARBAGE_COLLECTION_KEEPFLAGS (GIsEditor ? RF_Standalone : RF_NoFlags)

/** Flags for UObject::Rename (values as in the engine). */
typedef uint32 ERenameFlags;
#define REN_None (0x0000)
#define REN_ForceNoResetLoaders (0x0001)
#define REN_Test (0x0002)
#define REN_DoNotDirty (0x0004)
#define REN_DontCreateRedirectors (0x0010)
#define REN_NonTransactional (0x0020)
#define REN_ForceGlobalUnique (0x0040)
#define REN_SkipGeneratedClasses (0x0080)

/** Flags for loading objects and packages (values as in the engine for the ones listed; unconfirmed). */
enum ELoadFlags
{
	LOAD_None = 0x00000000,
	LOAD_Async = 0x00000001,
	LOAD_NoWarn = 0x00000002,
	LOAD_EditorOnly = 0x00000004,
	LOAD_ResolvingDeferredExports = 0x00000008,
	LOAD_Verify = 0x00000010,
	LOAD_NoVerify = 0x00000080,
	LOAD_Quiet = 0x00002000,
};

/** Flags for saving a package (values as in the engine). */
enum ESaveFlags
{
	SAVE_None = 0x00000000,
	SAVE_NoError = 0x00000001,
	SAVE_FromAutosave = 0x00000002,
	SAVE_KeepDirty = 0x00000004,
	SAVE_Async = 0x00000010,
	SAVE_Unversioned_Native = 0x00000020,
	SAVE_CutdownPackage = 0x00000040,
	SAVE_KeepEditorOnlyCookedPackages = 0x00000080,
	SAVE_Concurrent = 0x00000100,
	SAVE_ComputeHash = 0x00000800,
	SAVE_CompareLinker = 0x00001000,
};

/** Flags describing a class (values as in the engine; unconfirmed for the rarely used ones). */
enum EClassFlags
{
	CLASS_None = 0x00000000u,
	CLASS_Abstract = 0x00000001u,
	CLASS_DefaultConfig = 0x00000002u,
	CLASS_Config = 0x00000004u,
	CLASS_Transient = 0x00000008u,
	CLASS_Optional = 0x00000010u,
	CLASS_MatchedSerializers = 0x00000020u,
	CLASS_ProjectUserConfig = 0x00000040u,
	CLASS_Native = 0x00000080u,
	CLASS_NotPlaceable = 0x00000200u,
	CLASS_PerObjectConfig = 0x00000400u,
	CLASS_ReplicationDataIsSetUp = 0x00000800u,
	CLASS_EditInlineNew = 0x00001000u,
	CLASS_CollapseCategories = 0x00002000u,
	CLASS_Interface = 0x00004000u,
	CLASS_Const = 0x00010000u,
	CLASS_NeedsDeferredDependencyLoading = 0x00020000u,
	CLASS_CompiledFromBlueprint = 0x00040000u,
	CLASS_MinimalAPI = 0x00080000u,
	CLASS_RequiredAPI = 0x00100000u,
	CLASS_DefaultToInstanced = 0x00200000u,
	CLASS_TokenStreamAssembled = 0x00400000u,
	CLASS_HasInstancedReference = 0x00800000u,
	CLASS_Hidden = 0x01000000u,
	CLASS_Deprecated = 0x02000000u,
	CLASS_HideDropDown = 0x04000000u,
	CLASS_GlobalUserConfig = 0x08000000u,
	CLASS_Intrinsic = 0x10000000u,
	CLASS_Constructed = 0x20000000u,
	CLASS_ConfigDoNotCheckDefaults = 0x40000000u,
	CLASS_NewerVersionExists = 0x80000000u,
};

/** The class flags a class takes over from its super class. */
#define CLASS_Inherit ((EClassFlags)(CLASS_Transient | CLASS_Optional | CLASS_DefaultConfig | CLASS_Config | CLASS_PerObjectConfig | CLASS_ConfigDoNotCheckDefaults | CLASS_NotPlaceable | CLASS_Const | CLASS_HasInstancedReference | CLASS_Deprecated | CLASS_DefaultToInstanced | CLASS_GlobalUserConfig | CLASS_ProjectUserConfig | CLASS_NeedsDeferredDependencyLoading))

constexpr EClassFlags operator|(EClassFlags A, EClassFlags B)
{
	return EClassFlags(uint32(A) | uint32(B));
}
constexpr EClassFlags operator&(EClassFlags A, EClassFlags B)
{
	return EClassFlags(uint32(A) & uint32(B));
}
constexpr EClassFlags operator~(EClassFlags A)
{
	return EClassFlags(~uint32(A));
}
constexpr EClassFlags& operator|=(EClassFlags& A, EClassFlags B)
{
	return A = A | B;
}

/** Cast flags of the engine's intrinsic classes; the host's casts do not need them. */
enum EClassCastFlags : uint64
{
	CASTCLASS_None = 0x0000000000000000ull,
};

/** Flags describing a property (values as in the engine). */
enum EPropertyFlags : uint64
{
	CPF_None = 0,
	CPF_Edit = 0x0000000000000001ull,
	CPF_ConstParm = 0x0000000000000002ull,
	CPF_BlueprintVisible = 0x0000000000000004ull,
	CPF_ExportObject = 0x0000000000000008ull,
	CPF_BlueprintReadOnly = 0x0000000000000010ull,
	CPF_Net = 0x0000000000000020ull,
	CPF_EditFixedSize = 0x0000000000000040ull,
	CPF_Parm = 0x0000000000000080ull,
	CPF_OutParm = 0x0000000000000100ull,
	CPF_ZeroConstructor = 0x0000000000000200ull,
	CPF_ReturnParm = 0x0000000000000400ull,
	CPF_DisableEditOnTemplate = 0x0000000000000800ull,
	CPF_NonNullable = 0x0000000000001000ull,
	CPF_Transient = 0x0000000000002000ull,
	CPF_Config = 0x0000000000004000ull,
	CPF_RequiredParm = 0x0000000000008000ull,
	CPF_DisableEditOnInstance = 0x0000000000010000ull,
	CPF_EditConst = 0x0000000000020000ull,
	CPF_GlobalConfig = 0x0000000000040000ull,
	CPF_InstancedReference = 0x0000000000080000ull,
	CPF_DuplicateTransient = 0x0000000000200000ull,
	CPF_SaveGame = 0x0000000001000000ull,
	CPF_NoClear = 0x0000000002000000ull,
	CPF_ReferenceParm = 0x0000000008000000ull,
	CPF_BlueprintAssignable = 0x0000000010000000ull,
	CPF_Deprecated = 0x0000000020000000ull,
	CPF_IsPlainOldData = 0x0000000040000000ull,
	CPF_RepSkip = 0x0000000080000000ull,
	CPF_RepNotify = 0x0000000100000000ull,
	CPF_Interp = 0x0000000200000000ull,
	CPF_NonTransactional = 0x0000000400000000ull,
	CPF_EditorOnly = 0x0000000800000000ull,
	CPF_NoDestructor = 0x0000001000000000ull,
	CPF_AutoWeak = 0x0000004000000000ull,
	CPF_ContainsInstancedReference = 0x0000008000000000ull,
	CPF_AssetRegistrySearchable = 0x0000010000000000ull,
	CPF_SimpleDisplay = 0x0000020000000000ull,
	CPF_AdvancedDisplay = 0x0000040000000000ull,
	CPF_Protected = 0x0000080000000000ull,
	CPF_BlueprintCallable = 0x0000100000000000ull,
	CPF_BlueprintAuthorityOnly = 0x0000200000000000ull,
	CPF_TextExportTransient = 0x0000400000000000ull,
	CPF_NonPIEDuplicateTransient = 0x0000800000000000ull,
	CPF_ExposeOnSpawn = 0x0001000000000000ull,
	CPF_PersistentInstance = 0x0002000000000000ull,
	CPF_UObjectWrapper = 0x0004000000000000ull,
	CPF_HasGetValueTypeHash = 0x0008000000000000ull,
	CPF_NativeAccessSpecifierPublic = 0x0010000000000000ull,
	CPF_NativeAccessSpecifierProtected = 0x0020000000000000ull,
	CPF_NativeAccessSpecifierPrivate = 0x0040000000000000ull,
	CPF_SkipSerialization = 0x0080000000000000ull,
};

constexpr EPropertyFlags operator|(EPropertyFlags A, EPropertyFlags B)
{
	return EPropertyFlags(uint64(A) | uint64(B));
}
constexpr EPropertyFlags operator&(EPropertyFlags A, EPropertyFlags B)
{
	return EPropertyFlags(uint64(A) & uint64(B));
}
constexpr EPropertyFlags operator~(EPropertyFlags A)
{
	return EPropertyFlags(~uint64(A));
}

/** The engine's compiled-in class flags for a native class. */
#define COMPILED_IN_FLAGS(TStaticFlags) ((EClassFlags)((TStaticFlags) | CLASS_Native))

/**
 * Declares what every reflected class carries: Super, ThisClass and StaticClass. The host's form keeps
 * the engine's six parameters; TStaticCastFlags and TRequiredAPI are not used by the host.
 */
#define DECLARE_CLASS(TClass, TSuperClass, TStaticFlags, TStaticCastFlags, TPackage, TRequiredAPI) \
private:                                                                                           \
	TClass& operator=(TClass&&);                                                                   \
	TClass& operator=(const TClass&);                                                              \
	static UClass* GetPrivateStaticClass();                                                        \
                                                                                                   \
public:                                                                                            \
	static constexpr EClassFlags StaticClassFlags = EClassFlags(TStaticFlags);                     \
	typedef TSuperClass Super;                                                                     \
	typedef TClass ThisClass;                                                                      \
	inline static UClass* StaticClass()                                                            \
	{                                                                                              \
		return GetPrivateStaticClass();                                                            \
	}                                                                                              \
	inline static const TCHAR* StaticPackage()                                                     \
	{                                                                                              \
		return TPackage;                                                                           \
	}                                                                                              \
	inline static EClassCastFlags StaticClassCastFlags()                                           \
	{                                                                                              \
		return TStaticCastFlags;                                                                   \
	}

/** The class constructor the object system calls for a class with a default constructor. */
#define DEFINE_DEFAULT_CONSTRUCTOR_CALL(TClass)                   \
	static void __DefaultConstructor(const FObjectInitializer& X) \
	{                                                             \
		::new (UE::CoreUObject::Host::GetObjectMemory(X)) TClass; \
	}

/** The class constructor the object system calls for a class constructed from an FObjectInitializer. */
#define DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(TClass)   \
	static void __DefaultConstructor(const FObjectInitializer& X)    \
	{                                                                \
		::new (UE::CoreUObject::Host::GetObjectMemory(X)) TClass(X); \
	}

/** StaticClass of a reflected class type. */
template <class T>
UClass* StaticClass()
{
	return T::StaticClass();
}

/** StaticStruct of a USTRUCT type (specialised by the generated code). */
template <class T>
UScriptStruct* StaticStruct()
{
	return T::StaticStruct();
}

/** StaticEnum of a UENUM type (specialised by the generated code). */
template <typename T>
UEnum* StaticEnum();

namespace UE::CoreUObject::Host
{
	struct FObjectSystem;

	/** The memory an object is being constructed in (FObjectInitializer::GetObj without its type). */
	COREUOBJECT_API void* GetObjectMemory(const FObjectInitializer& Initializer);
}
