// Copyright Kelmora. All Rights Reserved.
#include "OrvaneContentStandIns.h"

#include "GameFramework/GameModeBase.h"
#include "Modules/ModuleManager.h"
#include "UObject/Package.h"

void AOrvaneVPCameraStandIn::OnConstruction(const FTransform& Transform)
{
	if (bSetLiveLinkPreset && LiveLinkPreset)
	{
		AppliedPreset = LiveLinkPreset;
	}
}

namespace
{
	UPackage* MountPackage(const TCHAR* PackageName)
	{
		UPackage* Package = CreatePackage(PackageName);
		Package->SetFlags(RF_Public | RF_Standalone);
		Package->AddToRoot();
		return Package;
	}

	/** A blueprint-generated class made from Parent, rooted so that it stays for the process's lifetime. */
	void MountBlueprintClass(const TCHAR* PackageName, const TCHAR* ClassName, UClass* Parent)
	{
		UPackage* Package = MountPackage(PackageName);
		if (UClass* Class = UE::CoreUObject::Host::CreateDerivedClass(Parent, Package, FName(ClassName), CLASS_CompiledFromBlueprint))
		{
			Class->SetFlags(RF_Public | RF_Standalone);
			Class->AddToRoot();
		}
	}
}

/** Mounts the plug-in's content stand-ins at /Orvane/, as the engine mounts a plug-in's Content folder. */
class FOrvaneContentModule : public IModuleInterface
{
public:
	virtual void StartupModule() override
	{
		if (FindObject<UPackage>(nullptr, TEXT("/Orvane/Orvane_VP_Camera")))
		{
			return;
		}
		MountBlueprintClass(TEXT("/Orvane/Orvane_VP_Camera"), TEXT("Orvane_VP_Camera_C"), AOrvaneVPCameraStandIn::StaticClass());
		MountBlueprintClass(TEXT("/Orvane/Orvane_GM"), TEXT("Orvane_GM_C"), AGameModeBase::StaticClass());
		UPackage* MaterialPackage = MountPackage(TEXT("/Orvane/Materials/Orvane_MI_MaskStencil"));
		UOrvaneMaskMaterialStandIn* Material = NewObject<UOrvaneMaskMaterialStandIn>(MaterialPackage, FName(TEXT("Orvane_MI_MaskStencil")), RF_Public | RF_Standalone);
		Material->AddToRoot();
	}
};

IMPLEMENT_MODULE(FOrvaneContentModule, OrvaneContent)
