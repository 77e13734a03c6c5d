// Copyright Kelmora. All Rights Reserved.
// Test-side access to the plug-in's content as the editor module makes it.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "LiveLinkPreset.h"
#include "Misc/PackageName.h"
#include "Modules/ModuleManager.h"
#include "OrvaneContent.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

#include <filesystem>

namespace OrvaneTestContent
{
	inline const TCHAR* const VPCameraClassPath = TEXT("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C");

	/** Loads the editor module (which makes the content at start) and makes whatever is missing since. */
	inline void EnsurePluginContent()
	{
		FModuleManager::Get().LoadModule(TEXT("Orvaneui"));
		FOrvaneContent::CreateMissing();
	}

	/** The camera blueprint's class, the content made first when needed. */
	inline UClass* LoadVPCameraClass()
	{
		EnsurePluginContent();
		return StaticLoadClass(AActor::StaticClass(), nullptr, VPCameraClassPath);
	}

	/** The camera's "LiveLinkPreset" variable; null when it is unset or the actor has none. */
	inline UObject* PresetVariable(const AActor* Camera)
	{
		const FObjectPropertyBase* Property = Camera ? CastField<FObjectPropertyBase>(Camera->GetClass()->FindPropertyByName(FName(TEXT("LiveLinkPreset")))) : nullptr;
		return Property ? Property->GetObjectPropertyValue_InContainer(Camera) : nullptr;
	}

	/** The camera's "Set LiveLink Preset" variable; false when the actor has none. */
	inline bool PresetSwitch(const AActor* Camera)
	{
		const FBoolProperty* Property = Camera ? CastField<FBoolProperty>(Camera->GetClass()->FindPropertyByName(FName(TEXT("Set LiveLink Preset")))) : nullptr;
		return Property && Property->GetPropertyValue_InContainer(Camera);
	}

	/**
	 * Takes an asset out of the plug-in's content, in memory and on disk, as in a project whose plug-in lacks
	 * it; returns the object, now in the transient package (null when there was none).
	 */
	inline UObject* TakeAssetAway(EOrvaneContentAsset Asset)
	{
		// Loaded first: an earlier process may have saved the asset that this one has not loaded yet.
		UObject* Object = LoadObject<UObject>(nullptr, *FOrvaneContent::GetObjectPath(Asset));
		if (Object)
		{
			Object->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_NonTransactional | REN_DoNotDirty);
		}
		std::error_code Error;
		std::filesystem::remove(TCHAR_TO_UTF8(*FPackageName::LongPackageNameToFilename(FOrvaneContent::GetPackageName(Asset), FPackageName::GetAssetPackageExtension())), Error);
		return Object;
	}
}
