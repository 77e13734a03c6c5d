// Copyright Kelmora. All Rights Reserved.
#include "OrvaneContentStandIns.h"

#include "Engine/HostRenderTargetPixels.h"
#include "Engine/TextureRenderTargetCube.h"
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

FLinearColor UOrvaneCubemapToEquirectangularStandIn::HostShadePixel(const FVector2D& UV, const UMaterialInterface& Instance) const
{
	const UTextureRenderTargetCube* Cube = Cast<UTextureRenderTargetCube>(Instance.HostGetTextureParameter(FName(TEXT("CubemapTexture"))));
	if (!Cube || !const_cast<UTextureRenderTargetCube*>(Cube)->GameThread_GetRenderTargetResource())
	{
		return FLinearColor::Black;
	}
	const double Longitude = (UV.X - 0.5) * 2.0 * UE_DOUBLE_PI;
	const double Latitude = (0.5 - UV.Y) * UE_DOUBLE_PI;
	const FVector Direction(FMath::Cos(Latitude) * FMath::Cos(Longitude), FMath::Cos(Latitude) * FMath::Sin(Longitude), FMath::Sin(Latitude));
	return UE::Engine::Host::FRenderTargetPixels::SampleCube(*Cube, Direction);
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

namespace UE::OrvaneContent
{
	void UnmountConversionMaterial()
	{
		if (UObject* Material = StaticFindObject(UObject::StaticClass(), nullptr, ConversionMaterialPath))
		{
			Material->RemoveFromRoot();
			Material->ClearFlags(RF_Standalone | RF_Public);
			Material->MarkAsGarbage();
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		}
	}

	void MountConversionMaterial()
	{
		if (IsValid(StaticFindObject(UObject::StaticClass(), nullptr, ConversionMaterialPath)))
		{
			return;
		}
		UPackage* Package = MountPackage(TEXT("/Orvane/Materials/M_CubemapToEquirectangular"));
		UOrvaneCubemapToEquirectangularStandIn* Material = NewObject<UOrvaneCubemapToEquirectangularStandIn>(Package, FName(TEXT("M_CubemapToEquirectangular")), RF_Public | RF_Standalone);
		Material->AddToRoot();
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
		UE::OrvaneContent::MountConversionMaterial();
	}
};

IMPLEMENT_MODULE(FOrvaneContentModule, OrvaneContent)
