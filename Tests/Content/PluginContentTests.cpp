// Copyright Kelmora. All Rights Reserved.
#include "AssetRegistry/HostAssetRegistryRecord.h"
#include "CineCameraComponent.h"
#include "Content/PluginContentSupport.h"
#include "EditorKit.h"
#include "Engine/Blueprint.h"
#include "Engine/World.h"
#include "GameFramework/GameModeBase.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"
#include "HeadlessProject.h"
#include "LiveLinkComponentController.h"
#include "LiveLinkPreset.h"
#include "LogCapture.h"
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
#include "OrvaneVPCameraActor.h"
#include "Roles/LiveLinkCameraRole.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{
	/**
	 * A fresh project whose plug-in content is not in memory either (as in a new editor session on it), so the
	 * content is made from nothing. Every test ends with the content whole again for the tests that follow.
	 */
	class PluginContent : public testing::Test
	{
	protected:
		void SetUp() override
		{
			OrvaneTestContent::EnsurePluginContent();
			Project = MakeUnique<FScopedHeadlessProject>();
			ForgetLoadedContent();
			UE::Core::Host::ResetMessageDialogs();
			Log.Clear();
		}

		void TearDown() override
		{
			UE::AssetRegistry::Host::SetLoadingAssets(false);
			UE::Core::Host::ResetMessageDialogs();
			Project = nullptr;
			ForgetLoadedContent();
			FOrvaneContent::CreateMissing();
		}

		/** Moves every loaded content asset out of the way, as if the editor had just started; files stay. */
		static void ForgetLoadedContent()
		{
			for (EOrvaneContentAsset Asset : FOrvaneContent::GetAllAssets())
			{
				if (UObject* Object = FindObject<UObject>(nullptr, *FOrvaneContent::GetObjectPath(Asset)))
				{
					Object->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_NonTransactional | REN_DoNotDirty);
				}
			}
		}

		FString FileOf(EOrvaneContentAsset Asset) const
		{
			return FPackageName::LongPackageNameToFilename(FOrvaneContent::GetPackageName(Asset), FPackageName::GetAssetPackageExtension());
		}

		static TArray<FString> AllObjectPaths()
		{
			TArray<FString> Paths;
			for (EOrvaneContentAsset Asset : FOrvaneContent::GetAllAssets())
			{
				Paths.Add(FOrvaneContent::GetObjectPath(Asset));
			}
			return Paths;
		}

		template <class T>
		static T* Loaded(EOrvaneContentAsset Asset)
		{
			return LoadObject<T>(nullptr, *FOrvaneContent::GetObjectPath(Asset));
		}

		TUniquePtr<FScopedHeadlessProject> Project;
		FLogCapture Log;
	};

	/** The property a variable became on the blueprint's class, with the flags every variable needs. */
	const FProperty* InstanceEditableVariable(const UClass* Class, const TCHAR* Name)
	{
		const FProperty* Property = Class->FindPropertyByName(FName(Name));
		if (!Property || !Property->HasAnyPropertyFlags(CPF_Edit) || Property->HasAnyPropertyFlags(CPF_DisableEditOnInstance))
		{
			return nullptr;
		}
		return Property;
	}

	void SetPresetVariables(AActor* Camera, ULiveLinkPreset* Preset, bool bSwitch)
	{
		CastField<FObjectPropertyBase>(Camera->GetClass()->FindPropertyByName(FName(TEXT("LiveLinkPreset"))))->SetObjectPropertyValue_InContainer(Camera, Preset);
		CastField<FBoolProperty>(Camera->GetClass()->FindPropertyByName(FName(TEXT("Set LiveLink Preset"))))->SetPropertyValue_InContainer(Camera, bSwitch);
	}
}

TEST_F(PluginContent, EmptyProjectGetsAllFiveAssetsOnceAndOnlyTheMissingOneLater)
{
	const FOrvaneContentReport First = FOrvaneContent::CreateMissing();
	EXPECT_TRUE(First.Succeeded());
	EXPECT_EQ(First.Created, AllObjectPaths());
	for (EOrvaneContentAsset Asset : FOrvaneContent::GetAllAssets())
	{
		const FString Path = FOrvaneContent::GetObjectPath(Asset);
		EXPECT_EQ(Log.Count(*FString::Printf(TEXT("OrvaneContent: Created %s"), *Path)), 1) << TCHAR_TO_UTF8(*Path);
		EXPECT_TRUE(std::filesystem::exists(TCHAR_TO_UTF8(*FileOf(Asset)))) << TCHAR_TO_UTF8(*Path);
		EXPECT_TRUE(UE::AssetRegistry::Host::WasAssetCreated(Path)) << TCHAR_TO_UTF8(*Path);
	}
	// Saved under the plug-in's content folder, not the project's.
	EXPECT_TRUE(FileOf(EOrvaneContentAsset::VPCamera).StartsWith(Project->GetProjectDir() + TEXT("Plugins/Orvane/Content/")));

	// A second start: nothing is loaded, everything is on disk, so nothing is made again.
	ForgetLoadedContent();
	Log.Clear();
	const FOrvaneContentReport Second = FOrvaneContent::CreateMissing();
	EXPECT_EQ(Second.Created.Num(), 0);
	EXPECT_EQ(Log.CountContaining(TEXT("OrvaneContent:")), 0);

	// One asset lost: only it is made again.
	OrvaneTestContent::TakeAssetAway(EOrvaneContentAsset::GameMode);
	const FOrvaneContentReport Third = FOrvaneContent::CreateMissing();
	EXPECT_EQ(Third.Created, TArray<FString>{FOrvaneContent::GetObjectPath(EOrvaneContentAsset::GameMode)});
}

TEST_F(PluginContent, SavedCameraBlueprintLoadsWithItsVariablesInANewSession)
{
	ASSERT_TRUE(FOrvaneContent::CreateMissing().Succeeded());
	ForgetLoadedContent();

	UClass* Class = StaticLoadClass(AActor::StaticClass(), nullptr, OrvaneTestContent::VPCameraClassPath);
	ASSERT_NE(Class, nullptr);
	EXPECT_TRUE(Class->IsChildOf(AOrvaneVPCameraActor::StaticClass()));
	EXPECT_NE(InstanceEditableVariable(Class, TEXT("LiveLinkPreset")), nullptr);
	EXPECT_NE(InstanceEditableVariable(Class, TEXT("Set LiveLink Preset")), nullptr);
}

TEST_F(PluginContent, CameraBlueprintHasBothVariablesAndFollowsTheOrvaneSubject)
{
	ASSERT_TRUE(FOrvaneContent::CreateMissing().Succeeded());
	UBlueprint* Blueprint = Loaded<UBlueprint>(EOrvaneContentAsset::VPCamera);
	ASSERT_NE(Blueprint, nullptr);
	EXPECT_EQ(Blueprint->ParentClass.Get(), AOrvaneVPCameraActor::StaticClass());
	UClass* Class = Blueprint->GeneratedClass.Get();
	ASSERT_NE(Class, nullptr);
	EXPECT_EQ(Class->GetPathName(), FString(OrvaneTestContent::VPCameraClassPath));

	const FObjectPropertyBase* Preset = CastField<FObjectPropertyBase>(InstanceEditableVariable(Class, TEXT("LiveLinkPreset")));
	ASSERT_NE(Preset, nullptr);
	EXPECT_EQ(Preset->PropertyClass, ULiveLinkPreset::StaticClass());
	const FBoolProperty* Switch = CastField<FBoolProperty>(InstanceEditableVariable(Class, TEXT("Set LiveLink Preset")));
	ASSERT_NE(Switch, nullptr);
	EXPECT_FALSE(Switch->GetPropertyValue_InContainer(Class->GetDefaultObject()));
	EXPECT_EQ(Preset->GetObjectPropertyValue_InContainer(Class->GetDefaultObject()), nullptr);

	FScopedTestEngine TestEngine;
	UWorld* World = TestEngine.AddWorld(EWorldType::Editor, TEXT("ContentWorld"));
	AOrvaneVPCameraActor* Camera = Cast<AOrvaneVPCameraActor>(World->SpawnActor(Class, FVector::ZeroVector, FRotator::ZeroRotator));
	ASSERT_NE(Camera, nullptr);
	ULiveLinkComponentController* Controller = Camera->GetLiveLinkController();
	ASSERT_NE(Controller, nullptr);
	EXPECT_EQ(Controller->GetSubjectRepresentation().Subject.Name, FName(TEXT("Orvane - Camera")));
	EXPECT_EQ(Controller->GetSubjectRepresentation().Role.Get(), ULiveLinkCameraRole::StaticClass());
	EXPECT_EQ(Controller->GetControlledComponent(ULiveLinkCameraRole::StaticClass()), Camera->GetCineCameraComponent());
	EXPECT_TRUE(Controller->bUpdateInEditor);
	EXPECT_EQ(Camera->GetAutoActivatePlayerIndex(), 0);
}

TEST_F(PluginContent, CameraAppliesItsPresetOncePerChange)
{
	ASSERT_TRUE(FOrvaneContent::CreateMissing().Succeeded());
	FScopedTestEngine TestEngine;
	UWorld* World = TestEngine.AddWorld(EWorldType::Editor, TEXT("PresetWorld"));
	AOrvaneVPCameraActor* Camera = Cast<AOrvaneVPCameraActor>(World->SpawnActor(OrvaneTestContent::LoadVPCameraClass(), FVector::ZeroVector, FRotator::ZeroRotator));
	ASSERT_NE(Camera, nullptr);
	ULiveLinkPreset* First = NewObject<ULiveLinkPreset>(GetTransientPackage(), FName(TEXT("FirstPreset")));
	ULiveLinkPreset* Second = NewObject<ULiveLinkPreset>(GetTransientPackage(), FName(TEXT("SecondPreset")));
	const auto Applications = [this]()
	{
		return Log.CountContaining(TEXT("applied Live Link preset"));
	};

	// A preset without the switch is not applied.
	SetPresetVariables(Camera, First, false);
	Camera->RerunConstructionScripts();
	EXPECT_EQ(Applications(), 0);
	EXPECT_EQ(Camera->GetAppliedLiveLinkPreset(), nullptr);

	// Every edit in the editor reruns construction: the same preset is applied once.
	SetPresetVariables(Camera, First, true);
	Camera->RerunConstructionScripts();
	Camera->RerunConstructionScripts();
	Camera->RerunConstructionScripts();
	EXPECT_EQ(Applications(), 1);
	EXPECT_EQ(Camera->GetAppliedLiveLinkPreset(), First);

	// Another preset is applied; switching off and on applies the current one afresh.
	SetPresetVariables(Camera, Second, true);
	Camera->RerunConstructionScripts();
	EXPECT_EQ(Applications(), 2);
	SetPresetVariables(Camera, Second, false);
	Camera->RerunConstructionScripts();
	EXPECT_EQ(Camera->GetAppliedLiveLinkPreset(), nullptr);
	SetPresetVariables(Camera, Second, true);
	Camera->RerunConstructionScripts();
	EXPECT_EQ(Applications(), 3);

	// The switch on without a preset does nothing.
	SetPresetVariables(Camera, nullptr, true);
	Camera->RerunConstructionScripts();
	EXPECT_EQ(Applications(), 3);
}

TEST_F(PluginContent, GameModeSpawnsNoPawnAndUsesTheDefaultController)
{
	ASSERT_TRUE(FOrvaneContent::CreateMissing().Succeeded());
	UClass* Class = StaticLoadClass(AGameModeBase::StaticClass(), nullptr, TEXT("/Orvane/Orvane_GM.Orvane_GM_C"));
	ASSERT_NE(Class, nullptr);
	const AGameModeBase* Defaults = Cast<AGameModeBase>(Class->GetDefaultObject());
	ASSERT_NE(Defaults, nullptr);
	EXPECT_EQ(Defaults->DefaultPawnClass.Get(), nullptr);
	EXPECT_EQ(Defaults->PlayerControllerClass.Get(), APlayerController::StaticClass());
}

TEST_F(PluginContent, MaskMaterialMakesStencilledActorsOpaque)
{
	ASSERT_TRUE(FOrvaneContent::CreateMissing().Succeeded());
	UMaterial* Material = Loaded<UMaterial>(EOrvaneContentAsset::MaskMaterial);
	ASSERT_NE(Material, nullptr);
	EXPECT_EQ(Material->MaterialDomain, MD_PostProcess);
	EXPECT_EQ(Material->BlendableLocation, BL_SceneColorAfterDOF);
	EXPECT_TRUE(Material->BlendableOutputAlpha);

	const UMaterialExpressionSceneTexture* Color = Cast<UMaterialExpressionSceneTexture>(UMaterialEditingLibrary::GetMaterialPropertyInputNode(Material, MP_EmissiveColor));
	ASSERT_NE(Color, nullptr);
	EXPECT_EQ(Color->SceneTextureId, PPI_PostProcessInput0);
	EXPECT_EQ(Material->HostEmissiveColor.OutputIndex, 0);

	UMaterialExpression* Alpha = UMaterialEditingLibrary::GetMaterialPropertyInputNode(Material, MP_Opacity);
	ASSERT_TRUE(Alpha && Alpha->IsA(UMaterialExpressionSaturate::StaticClass()));
	const TArray<UMaterialExpression*> AlphaInputs = UMaterialEditingLibrary::GetInputsForMaterialExpression(Material, Alpha);
	ASSERT_EQ(AlphaInputs.Num(), 1);
	const UMaterialExpressionComponentMask* Mask = Cast<UMaterialExpressionComponentMask>(AlphaInputs[0]);
	ASSERT_NE(Mask, nullptr);
	EXPECT_TRUE(Mask->R && !Mask->G && !Mask->B && !Mask->A);
	const TArray<UMaterialExpression*> MaskInputs = UMaterialEditingLibrary::GetInputsForMaterialExpression(Material, const_cast<UMaterialExpressionComponentMask*>(Mask));
	ASSERT_EQ(MaskInputs.Num(), 1);
	const UMaterialExpressionSceneTexture* Stencil = Cast<UMaterialExpressionSceneTexture>(MaskInputs[0]);
	ASSERT_NE(Stencil, nullptr);
	EXPECT_EQ(Stencil->SceneTextureId, PPI_CustomStencil);
	EXPECT_EQ(UMaterialEditingLibrary::GetNumMaterialExpressions(Material), 4);
	EXPECT_GE(Material->HostRecompileCount, 1);

	UMaterialInstanceConstant* Instance = Loaded<UMaterialInstanceConstant>(EOrvaneContentAsset::MaskMaterialInstance);
	ASSERT_NE(Instance, nullptr);
	EXPECT_EQ(Instance->Parent.Get(), Material);
	EXPECT_EQ(FOrvaneContent::GetObjectPath(EOrvaneContentAsset::MaskMaterialInstance), TEXT("/Orvane/Materials/Orvane_MI_MaskStencil.Orvane_MI_MaskStencil"));
}

TEST_F(PluginContent, ConversionMaterialSamplesTheCubeByTheDirectionOfItsCoordinates)
{
	ASSERT_TRUE(FOrvaneContent::CreateMissing().Succeeded());
	UMaterial* Material = Loaded<UMaterial>(EOrvaneContentAsset::ConversionMaterial);
	ASSERT_NE(Material, nullptr);
	EXPECT_EQ(Material->MaterialDomain, MD_Surface);
	EXPECT_EQ(Material->ShadingModel, MSM_Unlit);

	const UMaterialExpressionTextureSampleParameterCube* Cube = Cast<UMaterialExpressionTextureSampleParameterCube>(UMaterialEditingLibrary::GetMaterialPropertyInputNode(Material, MP_EmissiveColor));
	ASSERT_NE(Cube, nullptr);
	EXPECT_EQ(Cube->ParameterName, FName(TEXT("CubemapTexture")));
	EXPECT_EQ(Cube->Outputs[Material->HostEmissiveColor.OutputIndex].OutputName, FName(TEXT("RGB")));

	const UMaterialExpressionCustom* Direction = Cast<UMaterialExpressionCustom>(Cube->Coordinates.Expression.Get());
	ASSERT_NE(Direction, nullptr);
	EXPECT_EQ(Direction->OutputType, CMOT_Float3);
	EXPECT_EQ(Direction->Code, FString(FOrvaneContent::EquirectangularDirectionHlsl));
	ASSERT_EQ(Direction->Inputs.Num(), 1);
	EXPECT_EQ(Direction->Inputs[0].InputName, FName(TEXT("UV")));
	const UMaterialExpressionTextureCoordinate* Coordinates = Cast<UMaterialExpressionTextureCoordinate>(Direction->Inputs[0].Input.Expression.Get());
	ASSERT_NE(Coordinates, nullptr);
	EXPECT_EQ(Coordinates->CoordinateIndex, 0);

	// The HLSL: longitude (u - 0.5) 2pi across, latitude (0.5 - v) pi down, (cos lat cos lon, cos lat sin lon, sin lat).
	const FString Code = Direction->Code;
	EXPECT_TRUE(Code.Contains(TEXT("(UV.x - 0.5) * 6.283185307179586")));
	EXPECT_TRUE(Code.Contains(TEXT("(0.5 - UV.y) * 3.141592653589793")));
	EXPECT_TRUE(Code.Contains(TEXT("return float3(CosLatitude * cos(Longitude), CosLatitude * sin(Longitude), sin(Latitude));")));
}

TEST_F(PluginContent, RebuildAsksFirstAndReplacesEverythingOnlyOnYes)
{
	ASSERT_TRUE(FOrvaneContent::CreateMissing().Succeeded());
	UObject* OldCamera = Loaded<UObject>(EOrvaneContentAsset::VPCamera);
	Log.Clear();

	// Nobody answers: the box closes as No, and nothing is touched.
	FOrvaneContentReport Report;
	EXPECT_FALSE(FOrvaneContent::RebuildAllAfterConfirmation(&Report));
	EXPECT_EQ(UE::Core::Host::GetShownMessageDialogs().Num(), 1);
	EXPECT_EQ(Loaded<UObject>(EOrvaneContentAsset::VPCamera), OldCamera);
	EXPECT_EQ(Log.CountContaining(TEXT("OrvaneContent: Created")), 0);

	UE::Core::Host::QueueMessageDialogAnswer(EAppReturnType::No);
	EXPECT_FALSE(FOrvaneContent::RebuildAllAfterConfirmation(&Report));
	EXPECT_EQ(Loaded<UObject>(EOrvaneContentAsset::VPCamera), OldCamera);

	UE::Core::Host::QueueMessageDialogAnswer(EAppReturnType::Yes);
	ASSERT_TRUE(FOrvaneContent::RebuildAllAfterConfirmation(&Report));
	EXPECT_TRUE(Report.Succeeded());
	EXPECT_EQ(Report.Created, AllObjectPaths());
	UBlueprint* NewCamera = Loaded<UBlueprint>(EOrvaneContentAsset::VPCamera);
	ASSERT_NE(NewCamera, nullptr);
	EXPECT_NE(NewCamera, OldCamera);
	EXPECT_EQ(NewCamera->GeneratedClass->GetPathName(), FString(OrvaneTestContent::VPCameraClassPath));
	// The new instance points at the new mask material, not the replaced one.
	EXPECT_EQ(Loaded<UMaterialInstanceConstant>(EOrvaneContentAsset::MaskMaterialInstance)->Parent.Get(), Loaded<UMaterial>(EOrvaneContentAsset::MaskMaterial));
}

TEST_F(PluginContent, UnwritableContentFolderIsLoggedAndTheEditorCarriesOn)
{
	// A file where the plug-in's folder should be: nothing can be saved below it, even for an administrator.
	std::filesystem::create_directories(TCHAR_TO_UTF8(*(Project->GetProjectDir() + TEXT("Plugins"))));
	std::ofstream(TCHAR_TO_UTF8(*(Project->GetProjectDir() + TEXT("Plugins/Orvane")))) << "not a folder";

	const FOrvaneContentReport Report = FOrvaneContent::CreateMissing();
	EXPECT_EQ(Report.Created.Num(), 0);
	ASSERT_EQ(Report.Failed.Num(), 5);
	const FString CameraPath = FOrvaneContent::GetObjectPath(EOrvaneContentAsset::VPCamera);
	EXPECT_EQ(Log.CountContaining(*FString::Printf(TEXT("OrvaneContent: Failed to create %s: could not save "), *CameraPath)), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("OrvaneContent: Failed to create ")), 5);

	// The session still has its content, and the next start tries to save it again.
	EXPECT_NE(StaticLoadClass(AActor::StaticClass(), nullptr, OrvaneTestContent::VPCameraClassPath), nullptr);
	EXPECT_FALSE(std::filesystem::exists(TCHAR_TO_UTF8(*FileOf(EOrvaneContentAsset::VPCamera))));
}

TEST_F(PluginContent, CreationWaitsForTheRegistrysFirstScan)
{
	UE::AssetRegistry::Host::SetLoadingAssets(true);
	FOrvaneContent::CreateMissingWhenRegistryReady();
	FOrvaneContent::CreateMissingWhenRegistryReady();
	EXPECT_EQ(Log.CountContaining(TEXT("OrvaneContent: Created")), 0);

	UE::AssetRegistry::Host::SetLoadingAssets(false);
	EXPECT_EQ(Log.CountContaining(TEXT("OrvaneContent: Created")), 5);

	// Shut down while waiting: nothing runs when the scan ends.
	ForgetLoadedContent();
	for (EOrvaneContentAsset Asset : FOrvaneContent::GetAllAssets())
	{
		OrvaneTestContent::TakeAssetAway(Asset);
	}
	Log.Clear();
	UE::AssetRegistry::Host::SetLoadingAssets(true);
	FOrvaneContent::CreateMissingWhenRegistryReady();
	FOrvaneContent::CancelPendingCreation();
	UE::AssetRegistry::Host::SetLoadingAssets(false);
	EXPECT_EQ(Log.CountContaining(TEXT("OrvaneContent: Created")), 0);
}
