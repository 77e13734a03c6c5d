// Copyright Kelmora. All Rights Reserved.
#include "OrvaneContent.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "AssetRegistry/IAssetRegistry.h"
#include "EdGraphSchema_K2.h"
#include "Engine/Blueprint.h"
#include "Engine/BlueprintGeneratedClass.h"
#include "Engine/TextureCube.h"
#include "GameFramework/GameModeBase.h"
#include "GameFramework/PlayerController.h"
#include "Kismet2/BlueprintEditorUtils.h"
#include "Kismet2/KismetEditorUtilities.h"
#include "LiveLinkPreset.h"
#include "MaterialEditingLibrary.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpressionComponentMask.h"
#include "Materials/MaterialExpressionCustom.h"
#include "Materials/MaterialExpressionSaturate.h"
#include "Materials/MaterialExpressionSceneTexture.h"
#include "Materials/MaterialExpressionTextureCoordinate.h"
#include "Materials/MaterialExpressionTextureSampleParameterCube.h"
#include "Materials/MaterialInstanceConstant.h"
#include "Misc/MessageDialog.h"
#include "Misc/PackageName.h"
#include "OrvaneVPCameraActor.h"
#include "UObject/Package.h"
#include "UObject/SavePackage.h"

#define LOCTEXT_NAMESPACE "OrvaneContent"

// Longitude runs once round the horizon across the width, latitude from the zenith (top) to the nadir
// (bottom). The direction is in the engine's axes (X forward, Y right, Z up), which is also how the engine
// addresses a cube texture captured by a scene capture, so it is used unchanged as the lookup vector.
const TCHAR* const FOrvaneContent::EquirectangularDirectionHlsl = TEXT(
	"float Longitude = (UV.x - 0.5) * 6.283185307179586;\n"
	"float Latitude = (0.5 - UV.y) * 3.141592653589793;\n"
	"float CosLatitude = cos(Latitude);\n"
	"return float3(CosLatitude * cos(Longitude), CosLatitude * sin(Longitude), sin(Latitude));\n");

FDelegateHandle FOrvaneContent::FilesLoadedHandle;

namespace
{
	const TCHAR* const ContentRoot = TEXT("/Orvane/");

	const TCHAR* AssetPackagePath(EOrvaneContentAsset Asset)
	{
		switch (Asset)
		{
		case EOrvaneContentAsset::VPCamera:
			return TEXT("Orvane_VP_Camera");
		case EOrvaneContentAsset::GameMode:
			return TEXT("Orvane_GM");
		case EOrvaneContentAsset::MaskMaterial:
			return TEXT("Materials/M_OrvaneMaskStencil");
		case EOrvaneContentAsset::MaskMaterialInstance:
			return TEXT("Materials/Orvane_MI_MaskStencil");
		case EOrvaneContentAsset::ConversionMaterial:
			return TEXT("Materials/M_CubemapToEquirectangular");
		}
		return TEXT("");
	}

	/** Adds a member variable that instances may edit too (the camera manager sets both on a placed camera). */
	bool AddInstanceEditableVariable(UBlueprint* Blueprint, const FName& Name, const FEdGraphPinType& Type, const FString& DefaultValue)
	{
		if (!FBlueprintEditorUtils::AddMemberVariable(Blueprint, Name, Type, DefaultValue))
		{
			return false;
		}
		FBlueprintEditorUtils::SetBlueprintOnlyEditableFlag(Blueprint, Name, false);
		return true;
	}

	UObject* CreateVPCamera(UPackage* Package, const FString& Name, FString& OutError)
	{
		UBlueprint* Blueprint = FKismetEditorUtilities::CreateBlueprint(AOrvaneVPCameraActor::StaticClass(), Package, FName(*Name), BPTYPE_Normal, UBlueprint::StaticClass(), UBlueprintGeneratedClass::StaticClass(), FName(TEXT("OrvaneContent")));
		if (!Blueprint)
		{
			OutError = TEXT("the blueprint could not be created");
			return nullptr;
		}
		FEdGraphPinType PresetType;
		PresetType.PinCategory = UEdGraphSchema_K2::PC_Object;
		PresetType.PinSubCategoryObject = ULiveLinkPreset::StaticClass();
		FEdGraphPinType SwitchType;
		SwitchType.PinCategory = UEdGraphSchema_K2::PC_Boolean;
		const bool bPresetAdded = AddInstanceEditableVariable(Blueprint, AOrvaneVPCameraActor::PresetVariableName, PresetType, FString());
		const bool bSwitchAdded = AddInstanceEditableVariable(Blueprint, AOrvaneVPCameraActor::ApplyPresetVariableName, SwitchType, TEXT("false"));
		if (!bPresetAdded || !bSwitchAdded)
		{
			OutError = TEXT("its variables could not be added");
			return Blueprint;
		}
		FKismetEditorUtilities::CompileBlueprint(Blueprint);
		const UClass* Class = Blueprint->GeneratedClass.Get();
		if (!Class || !Class->FindPropertyByName(AOrvaneVPCameraActor::PresetVariableName) || !Class->FindPropertyByName(AOrvaneVPCameraActor::ApplyPresetVariableName))
		{
			OutError = TEXT("the blueprint did not compile");
		}
		return Blueprint;
	}

	UObject* CreateGameMode(UPackage* Package, const FString& Name, FString& OutError)
	{
		UBlueprint* Blueprint = FKismetEditorUtilities::CreateBlueprint(AGameModeBase::StaticClass(), Package, FName(*Name), BPTYPE_Normal, UBlueprint::StaticClass(), UBlueprintGeneratedClass::StaticClass(), FName(TEXT("OrvaneContent")));
		if (!Blueprint)
		{
			OutError = TEXT("the blueprint could not be created");
			return nullptr;
		}
		FKismetEditorUtilities::CompileBlueprint(Blueprint);
		UClass* Class = Blueprint->GeneratedClass.Get();
		AGameModeBase* Defaults = Class ? Cast<AGameModeBase>(Class->GetDefaultObject()) : nullptr;
		if (!Defaults)
		{
			OutError = TEXT("the blueprint did not compile");
			return Blueprint;
		}
		// Players view the stage through the virtual-production camera, so no pawn is spawned for them.
		Defaults->DefaultPawnClass = nullptr;
		Defaults->PlayerControllerClass = APlayerController::StaticClass();
		return Blueprint;
	}

	UMaterial* NewMaterial(UPackage* Package, const FString& Name)
	{
		return NewObject<UMaterial>(Package, FName(*Name), RF_Public | RF_Standalone | RF_Transactional);
	}

	UObject* CreateMaskMaterial(UPackage* Package, const FString& Name, FString& OutError)
	{
		UMaterial* Material = NewMaterial(Package, Name);
		Material->MaterialDomain = MD_PostProcess;
		Material->BlendableLocation = BL_SceneColorAfterDOF;
		Material->BlendableOutputAlpha = true;

		UMaterialExpressionSceneTexture* SceneColor = Cast<UMaterialExpressionSceneTexture>(UMaterialEditingLibrary::CreateMaterialExpression(Material, UMaterialExpressionSceneTexture::StaticClass(), -600, 0));
		UMaterialExpressionSceneTexture* Stencil = Cast<UMaterialExpressionSceneTexture>(UMaterialEditingLibrary::CreateMaterialExpression(Material, UMaterialExpressionSceneTexture::StaticClass(), -600, 300));
		UMaterialExpressionComponentMask* StencilValue = Cast<UMaterialExpressionComponentMask>(UMaterialEditingLibrary::CreateMaterialExpression(Material, UMaterialExpressionComponentMask::StaticClass(), -350, 300));
		UMaterialExpressionSaturate* Coverage = Cast<UMaterialExpressionSaturate>(UMaterialEditingLibrary::CreateMaterialExpression(Material, UMaterialExpressionSaturate::StaticClass(), -150, 300));
		if (!SceneColor || !Stencil || !StencilValue || !Coverage)
		{
			OutError = TEXT("its expressions could not be created");
			return Material;
		}
		SceneColor->SceneTextureId = PPI_PostProcessInput0;
		Stencil->SceneTextureId = PPI_CustomStencil;
		StencilValue->R = 1;
		StencilValue->G = 0;
		StencilValue->B = 0;
		StencilValue->A = 0;
		// Stencil values are whole numbers 0..255: saturating gives 1 for every marked actor and 0 elsewhere.
		bool bConnected = UMaterialEditingLibrary::ConnectMaterialProperty(SceneColor, TEXT("Color"), MP_EmissiveColor);
		bConnected &= UMaterialEditingLibrary::ConnectMaterialExpressions(Stencil, TEXT("Color"), StencilValue, TEXT(""));
		bConnected &= UMaterialEditingLibrary::ConnectMaterialExpressions(StencilValue, TEXT(""), Coverage, TEXT(""));
		bConnected &= UMaterialEditingLibrary::ConnectMaterialProperty(Coverage, TEXT(""), MP_Opacity);
		if (!bConnected)
		{
			OutError = TEXT("its expressions could not be connected");
			return Material;
		}
		UMaterialEditingLibrary::RecompileMaterial(Material);
		return Material;
	}

	UObject* CreateMaskMaterialInstance(UPackage* Package, const FString& Name, FString& OutError)
	{
		UMaterial* Parent = LoadObject<UMaterial>(nullptr, *FOrvaneContent::GetObjectPath(EOrvaneContentAsset::MaskMaterial));
		if (!Parent)
		{
			OutError = FString::Printf(TEXT("its parent %s is missing"), *FOrvaneContent::GetObjectPath(EOrvaneContentAsset::MaskMaterial));
			return nullptr;
		}
		UMaterialInstanceConstant* Instance = NewObject<UMaterialInstanceConstant>(Package, FName(*Name), RF_Public | RF_Standalone | RF_Transactional);
		Instance->SetParentEditorOnly(Parent);
		return Instance;
	}

	UObject* CreateConversionMaterial(UPackage* Package, const FString& Name, FString& OutError)
	{
		UMaterial* Material = NewMaterial(Package, Name);
		Material->MaterialDomain = MD_Surface;
		Material->SetShadingModel(MSM_Unlit);

		UMaterialExpressionTextureCoordinate* Coordinates = Cast<UMaterialExpressionTextureCoordinate>(UMaterialEditingLibrary::CreateMaterialExpression(Material, UMaterialExpressionTextureCoordinate::StaticClass(), -800, 0));
		UMaterialExpressionCustom* Direction = Cast<UMaterialExpressionCustom>(UMaterialEditingLibrary::CreateMaterialExpression(Material, UMaterialExpressionCustom::StaticClass(), -550, 0));
		UMaterialExpressionTextureSampleParameterCube* Cube = Cast<UMaterialExpressionTextureSampleParameterCube>(UMaterialEditingLibrary::CreateMaterialExpression(Material, UMaterialExpressionTextureSampleParameterCube::StaticClass(), -250, 0));
		if (!Coordinates || !Direction || !Cube)
		{
			OutError = TEXT("its expressions could not be created");
			return Material;
		}
		Direction->Description = TEXT("EquirectangularDirection");
		Direction->OutputType = CMOT_Float3;
		Direction->Code = FOrvaneContent::EquirectangularDirectionHlsl;
		Direction->Inputs.Reset();
		FCustomInput UVInput;
		UVInput.InputName = FName(TEXT("UV"));
		Direction->Inputs.Add(UVInput);
		Cube->ParameterName = FName(TEXT("CubemapTexture"));
		// A texture parameter needs a default texture to compile; the engine's default cube serves until a
		// capture sets the parameter.
		Cube->Texture = LoadObject<UTextureCube>(nullptr, TEXT("/Engine/EngineResources/DefaultTextureCube.DefaultTextureCube"));
		bool bConnected = UMaterialEditingLibrary::ConnectMaterialExpressions(Coordinates, TEXT(""), Direction, TEXT("UV"));
		bConnected &= UMaterialEditingLibrary::ConnectMaterialExpressions(Direction, TEXT(""), Cube, TEXT(""));
		bConnected &= UMaterialEditingLibrary::ConnectMaterialProperty(Cube, TEXT("RGB"), MP_EmissiveColor);
		if (!bConnected)
		{
			OutError = TEXT("its expressions could not be connected");
			return Material;
		}
		UMaterialEditingLibrary::RecompileMaterial(Material);
		return Material;
	}

	using FCreateAsset = UObject* (*)(UPackage*, const FString&, FString&);

	FCreateAsset CreatorOf(EOrvaneContentAsset Asset)
	{
		switch (Asset)
		{
		case EOrvaneContentAsset::VPCamera:
			return &CreateVPCamera;
		case EOrvaneContentAsset::GameMode:
			return &CreateGameMode;
		case EOrvaneContentAsset::MaskMaterial:
			return &CreateMaskMaterial;
		case EOrvaneContentAsset::MaskMaterialInstance:
			return &CreateMaskMaterialInstance;
		case EOrvaneContentAsset::ConversionMaterial:
			return &CreateConversionMaterial;
		}
		return nullptr;
	}

	/**
	 * Moves an existing asset out of its package so a new one can take its name; the old one is left to the
	 * garbage collector. A blueprint takes its generated class along.
	 */
	void RetireExisting(EOrvaneContentAsset Asset)
	{
		const FString ObjectPath = FOrvaneContent::GetObjectPath(Asset);
		UObject* Existing = FindObject<UObject>(nullptr, *ObjectPath);
		if (!Existing && FPackageName::DoesPackageExist(FOrvaneContent::GetPackageName(Asset)))
		{
			Existing = LoadObject<UObject>(nullptr, *ObjectPath);
		}
		if (!Existing)
		{
			return;
		}
		Existing->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_NonTransactional | REN_DoNotDirty);
		Existing->ClearFlags(RF_Public | RF_Standalone);
		Existing->MarkAsGarbage();
	}

	bool SaveAsset(UPackage* Package, UObject* Asset, FString& OutError)
	{
		const FString FileName = FPackageName::LongPackageNameToFilename(Package->GetName(), FPackageName::GetAssetPackageExtension());
		FSavePackageArgs SaveArgs;
		SaveArgs.TopLevelFlags = RF_Public | RF_Standalone;
		// A read-only plug-in folder must not stop the editor: the failure is reported, not raised.
		SaveArgs.SaveFlags = SAVE_NoError;
		if (!UPackage::SavePackage(Package, Asset, *FileName, SaveArgs))
		{
			OutError = FString::Printf(TEXT("could not save %s (the asset is kept for this session only)"), *FileName);
			return false;
		}
		Package->SetDirtyFlag(false);
		return true;
	}

	void CreateAsset(EOrvaneContentAsset Asset, FOrvaneContentReport& Report)
	{
		const FString ObjectPath = FOrvaneContent::GetObjectPath(Asset);
		const FString PackageName = FOrvaneContent::GetPackageName(Asset);
		FString Error;
		UPackage* Package = CreatePackage(*PackageName);
		UObject* Created = Package ? CreatorOf(Asset)(Package, FPackageName::GetShortName(PackageName), Error) : nullptr;
		if (!Package)
		{
			Error = TEXT("its package could not be created");
		}
		if (Created && Error.IsEmpty())
		{
			FAssetRegistryModule::AssetCreated(Created);
			Package->MarkPackageDirty();
			SaveAsset(Package, Created, Error);
		}
		else if (Created)
		{
			// A half-made asset would be found by path and used as if it were whole.
			Created->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_NonTransactional | REN_DoNotDirty);
			Created->ClearFlags(RF_Public | RF_Standalone);
			Created->MarkAsGarbage();
		}
		if (Error.IsEmpty())
		{
			UE_LOG(LogTemp, Log, TEXT("OrvaneContent: Created %s"), *ObjectPath);
			Report.Created.Add(ObjectPath);
		}
		else
		{
			UE_LOG(LogTemp, Error, TEXT("OrvaneContent: Failed to create %s: %s"), *ObjectPath, *Error);
			Report.Failed.Add({ObjectPath, Error});
		}
	}
}

FString FOrvaneContent::GetPackageName(EOrvaneContentAsset Asset)
{
	return FString(ContentRoot) + AssetPackagePath(Asset);
}

FString FOrvaneContent::GetObjectPath(EOrvaneContentAsset Asset)
{
	const FString PackageName = GetPackageName(Asset);
	return PackageName + TEXT(".") + FPackageName::GetShortName(PackageName);
}

TArray<EOrvaneContentAsset> FOrvaneContent::GetAllAssets()
{
	return {EOrvaneContentAsset::VPCamera, EOrvaneContentAsset::GameMode, EOrvaneContentAsset::MaskMaterial, EOrvaneContentAsset::MaskMaterialInstance, EOrvaneContentAsset::ConversionMaterial};
}

bool FOrvaneContent::Exists(EOrvaneContentAsset Asset)
{
	return IsValid(FindObject<UObject>(nullptr, *GetObjectPath(Asset))) || FPackageName::DoesPackageExist(GetPackageName(Asset));
}

FOrvaneContentReport FOrvaneContent::CreateMissing()
{
	FOrvaneContentReport Report;
	for (EOrvaneContentAsset Asset : GetAllAssets())
	{
		if (!Exists(Asset))
		{
			CreateAsset(Asset, Report);
		}
	}
	return Report;
}

FOrvaneContentReport FOrvaneContent::RebuildAll()
{
	FOrvaneContentReport Report;
	// All old assets go first: the new instance must not find the old mask material as its parent.
	for (EOrvaneContentAsset Asset : GetAllAssets())
	{
		RetireExisting(Asset);
	}
	for (EOrvaneContentAsset Asset : GetAllAssets())
	{
		CreateAsset(Asset, Report);
	}
	return Report;
}

bool FOrvaneContent::RebuildAllAfterConfirmation(FOrvaneContentReport* OutReport)
{
	const FText Message = LOCTEXT("RebuildPrompt", "Rebuild the Orvane plug-in content?\n\nThe camera and game mode blueprints and the Orvane materials under /Orvane/ are created again, replacing the existing ones and any changes made to them.");
	const FText Title = LOCTEXT("RebuildTitle", "Rebuild Plug-in Content");
	if (FMessageDialog::Open(EAppMsgType::YesNo, Message, Title) != EAppReturnType::Yes)
	{
		return false;
	}
	FOrvaneContentReport Report = RebuildAll();
	if (OutReport)
	{
		*OutReport = MoveTemp(Report);
	}
	return true;
}

void FOrvaneContent::CreateMissingWhenRegistryReady()
{
	IAssetRegistry& Registry = FAssetRegistryModule::GetRegistry();
	if (!Registry.IsLoadingAssets())
	{
		CreateMissing();
		return;
	}
	if (FilesLoadedHandle.IsValid())
	{
		return;
	}
	FilesLoadedHandle = Registry.OnFilesLoaded().AddStatic(&FOrvaneContent::OnRegistryFilesLoaded);
}

void FOrvaneContent::OnRegistryFilesLoaded()
{
	FAssetRegistryModule::GetRegistry().OnFilesLoaded().Remove(FilesLoadedHandle);
	FilesLoadedHandle.Reset();
	CreateMissing();
}

void FOrvaneContent::CancelPendingCreation()
{
	if (FilesLoadedHandle.IsValid())
	{
		FAssetRegistryModule::GetRegistry().OnFilesLoaded().Remove(FilesLoadedHandle);
		FilesLoadedHandle.Reset();
	}
}

#undef LOCTEXT_NAMESPACE
