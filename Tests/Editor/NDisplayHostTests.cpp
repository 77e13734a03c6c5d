// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "AssetToolsModule.h"
#include "Blueprints/DisplayClusterBlueprint.h"
#include "CineCameraActor.h"
#include "Components/DisplayClusterICVFXCameraComponent.h"
#include "Components/DisplayClusterXformComponent.h"
#include "Components/StaticMeshComponent.h"
#include "DisplayClusterConfigurationTypes.h"
#include "DisplayClusterRootActor.h"
#include "Editor.h"
#include "Engine/SCS_Node.h"
#include "Engine/SimpleConstructionScript.h"
#include "EngineUtils.h"
#include "HeadlessProject.h"
#include "IDisplayClusterConfiguration.h"
#include "Kismet2/BlueprintEditorUtils.h"
#include "Kismet2/KismetEditorUtilities.h"
#include "LogCapture.h"
#include "Misc/FileHelper.h"
#include "Misc/PackageName.h"
#include "Modules/ModuleManager.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	const char* const StageDocument = R"({"nDisplay": {"description": "Test stage", "version": "5.00", "assetPath": "", "misc": {"bExitOnEsc": true},
		"scene": {"xforms": {"nDisplayXform": {"parentId": "", "location": {"x": 0, "y": 0, "z": 0}, "rotation": {"pitch": 0, "yaw": 0, "roll": 0}}},
			"screens": {"Left": {"parentId": "nDisplayXform", "location": {"x": 100, "y": -50, "z": 0}, "size": {"width": 200, "height": 100}}},
			"cameras": {"DefaultViewPoint": {"parentId": "", "interpupillaryDistance": 6.4}}},
		"cluster": {"primaryNode": {"id": "Node_0"}, "nodes": {"Node_0": {"host": "127.0.0.1"}}}}})";

	void WriteText(const FString& Filename, const std::string& Text)
	{
		ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(UTF8_TO_TCHAR(Text.c_str())), *Filename));
	}

	TArray<UObject*> Import(const FString& Filename)
	{
		return FModuleManager::LoadModuleChecked<FAssetToolsModule>(TEXT("AssetTools")).Get().ImportAssets({Filename}, TEXT("/Game/Orvane/Ndisplay"), nullptr, false);
	}

	UDisplayClusterBlueprint* ImportStage(const FScopedHeadlessProject& Project, const TCHAR* BaseName)
	{
		const FString Filename = Project.GetProjectDir() + BaseName + TEXT(".ndisplay");
		WriteText(Filename, StageDocument);
		const TArray<UObject*> Imported = Import(Filename);
		return Imported.Num() == 1 ? Cast<UDisplayClusterBlueprint>(Imported[0]) : nullptr;
	}

	/** The value of a struct member found by name, as the plug-in reaches the ICVFX settings. */
	void* StructMember(const UStruct* Owner, void* Container, const TCHAR* Name, const UStruct*& OutStruct)
	{
		FStructProperty* Property = FindFProperty<FStructProperty>(Owner, FName(Name));
		OutStruct = Property ? Property->Struct : nullptr;
		return Property ? Property->ContainerPtrToValuePtr<void>(Container) : nullptr;
	}

	UWorld* EditorWorld()
	{
		FModuleManager::Get().LoadModuleChecked(TEXT("UnrealEd"));
		return GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	}
}

TEST(NDisplayImport, FileBecomesBlueprintWithConfigurationClassAndSceneNodes)
{
	FScopedHeadlessProject Project;
	UDisplayClusterBlueprint* Blueprint = ImportStage(Project, TEXT("My Stage"));
	ASSERT_NE(Blueprint, nullptr);
	EXPECT_EQ(Blueprint->GetName(), FString(TEXT("My_Stage"))) << "characters invalid in object names become '_'";
	EXPECT_EQ(Blueprint->GetPackage()->GetName(), FString(TEXT("/Game/Orvane/Ndisplay/My_Stage")));

	UDisplayClusterConfigurationData* Config = Blueprint->GetConfig();
	ASSERT_NE(Config, nullptr);
	EXPECT_EQ(Config->Info.Description, FString(TEXT("Test stage")));
	EXPECT_TRUE(Config->StageSettings.bEnableInnerFrustums);

	UClass* Class = Blueprint->GeneratedClass;
	ASSERT_NE(Class, nullptr);
	EXPECT_EQ(Class->GetName(), FString(TEXT("My_Stage_C")));
	EXPECT_TRUE(Class->IsChildOf(ADisplayClusterRootActor::StaticClass()));
	ADisplayClusterRootActor* Default = Cast<ADisplayClusterRootActor>(Class->GetDefaultObject());
	ASSERT_NE(Default, nullptr);
	EXPECT_EQ(Default->GetConfigData(), Config) << "the default actor's configuration is the one the blueprint exports";

	USimpleConstructionScript* Script = Blueprint->SimpleConstructionScript;
	ASSERT_NE(Script, nullptr);
	EXPECT_EQ(Script->GetAllNodes().Num(), 3);
	USCS_Node* Xform = Script->FindSCSNode(TEXT("nDisplayXform"));
	ASSERT_NE(Xform, nullptr);
	EXPECT_TRUE(Cast<UDisplayClusterXformComponent>(Xform->ComponentTemplate) != nullptr);
	ASSERT_EQ(Xform->GetChildNodes().Num(), 1);
	EXPECT_EQ(Xform->GetChildNodes()[0]->GetVariableName(), FName(TEXT("Left")));
	EXPECT_EQ(Script->GetRootNodes().Num(), 2) << "the screen hangs below its parent transform";
}

TEST(NDisplayImport, HostileFilesImportNothingAndSayWhy)
{
	FScopedHeadlessProject Project;
	const std::string Document(StageDocument);
	std::string RandomBytes;
	for (int32 Index = 0; Index < 512; ++Index)
	{
		RandomBytes.push_back(char((Index * 131 + 17) % 256));
	}
	const std::pair<const TCHAR*, std::string> Cases[] = {
		{TEXT("Truncated"), Document.substr(0, Document.size() / 2)},
		{TEXT("Random"), RandomBytes},
		{TEXT("Empty"), std::string()},
		{TEXT("NotAnObject"), "[1, 2, 3]"},
		{TEXT("NoRoot"), R"({"cluster": {}})"},
		{TEXT("SceneNotObject"), R"({"nDisplay": {"scene": 5}})"},
		{TEXT("DescriptionNotString"), R"({"nDisplay": {"description": {}}})"},
		{TEXT("StageNotBool"), R"({"nDisplay": {"stageSettings": {"enableInnerFrustums": "no"}}})"},
		{TEXT("Deep"), std::string(100000, '[')},
	};
	for (const auto& [Name, Text] : Cases)
	{
		const FString Filename = Project.GetProjectDir() + Name + TEXT(".ndisplay");
		WriteText(Filename, Text);
		FLogCapture Log;
		EXPECT_EQ(Import(Filename).Num(), 0) << TCHAR_TO_UTF8(Name);
		EXPECT_GT(Log.CountContaining(TEXT("LoadConfig:")), 0) << TCHAR_TO_UTF8(Name);
		EXPECT_EQ(FindObject<UObject>(nullptr, *(FString(TEXT("/Game/Orvane/Ndisplay/")) + Name + TEXT(".") + Name)), nullptr);
	}

	FLogCapture Log;
	const FString Unknown = Project.GetProjectDir() + TEXT("Stage.txt");
	WriteText(Unknown, Document);
	EXPECT_EQ(Import(Unknown).Num(), 0);
	EXPECT_EQ(Import(Project.GetProjectDir() + TEXT("Missing.ndisplay")).Num(), 0);
	EXPECT_EQ(Log.CountContaining(TEXT("ImportAssets:")), 2);
}

TEST(NDisplayBlueprint, CompiledScriptNodesBecomeComponentsOfEachSpawnedActor)
{
	FScopedHeadlessProject Project;
	UDisplayClusterBlueprint* Blueprint = ImportStage(Project, TEXT("SpawnStage"));
	ASSERT_NE(Blueprint, nullptr);
	USimpleConstructionScript* Script = Blueprint->SimpleConstructionScript;

	Script->RemoveNode(Script->FindSCSNode(TEXT("nDisplayXform")));
	EXPECT_EQ(Script->FindSCSNode(TEXT("Left")), nullptr) << "a removed node takes its children with it";
	UClass* CameraClass = StaticLoadClass(UActorComponent::StaticClass(), nullptr, TEXT("/Script/DisplayCluster.DisplayClusterICVFXCameraComponent"));
	ASSERT_EQ(CameraClass, UDisplayClusterICVFXCameraComponent::StaticClass());
	USCS_Node* CameraNode = Script->CreateNode(CameraClass, TEXT("Camera"));
	ASSERT_NE(CameraNode, nullptr);
	EXPECT_EQ(Script->GetAllNodes().Num(), 1) << "a created node is outside the tree until added";
	Script->AddNode(CameraNode);
	USCS_Node* Clash = Script->CreateNode(UStaticMeshComponent::StaticClass(), TEXT("Camera"));
	EXPECT_NE(Clash->GetVariableName(), FName(TEXT("Camera"))) << "a taken variable name is made unique";
	EXPECT_EQ(Script->CreateNode(UActorComponent::StaticClass()), nullptr) << "an abstract class makes no node";

	UDisplayClusterICVFXCameraComponent* Template = Cast<UDisplayClusterICVFXCameraComponent>(CameraNode->ComponentTemplate);
	ASSERT_NE(Template, nullptr);
	Template->CameraSettings.BufferRatio = 0.5f;
	const int32 CompilesBefore = Blueprint->GetHostCompileCount();
	FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(Blueprint);
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	EXPECT_EQ(Blueprint->GetHostCompileCount(), CompilesBefore + 1);

	UWorld* World = EditorWorld();
	ASSERT_NE(World, nullptr);
	EXPECT_EQ(World->WorldType, EWorldType::Editor);
	FActorSpawnParameters Params;
	Params.SpawnCollisionHandlingOverride = ESpawnActorCollisionHandlingMethod::AlwaysSpawn;
	const FVector Origin = FVector::ZeroVector;
	const FRotator NoRotation = FRotator::ZeroRotator;
	Params.Name = MakeUniqueObjectName(World, Blueprint->GeneratedClass, FName(TEXT("Orvane_nDisplay")));
	AActor* First = World->SpawnActor(Blueprint->GeneratedClass, &Origin, &NoRotation, Params);
	Params.Name = MakeUniqueObjectName(World, Blueprint->GeneratedClass, FName(TEXT("Orvane_nDisplay")));
	AActor* Second = World->SpawnActor(Blueprint->GeneratedClass, &Origin, &NoRotation, Params);
	ASSERT_NE(First, nullptr);
	ASSERT_NE(Second, nullptr);
	EXPECT_TRUE(First->GetName().StartsWith(TEXT("Orvane_nDisplay_")));
	EXPECT_NE(First->GetName(), Second->GetName());
	EXPECT_EQ(First->GetWorld(), World);
	EXPECT_EQ(World->SpawnActor(Blueprint->GeneratedClass, &Origin, &NoRotation, Params), nullptr) << "a taken name spawns nothing";

	ADisplayClusterRootActor* Root = Cast<ADisplayClusterRootActor>(First);
	ASSERT_NE(Root, nullptr);
	EXPECT_NE(Root->GetConfigData(), nullptr);
	EXPECT_NE(Root->GetConfigData(), Blueprint->GetConfig()) << "each actor has its own copy";

	TArray<UActorComponent*> Components;
	First->GetComponents(Components);
	UDisplayClusterICVFXCameraComponent* Camera = nullptr;
	int32 Cameras = 0;
	for (UActorComponent* Component : Components)
	{
		EXPECT_NE(Component->GetClass(), UDisplayClusterXformComponent::StaticClass()) << "removed nodes are not spawned";
		if (UDisplayClusterICVFXCameraComponent* Found = Cast<UDisplayClusterICVFXCameraComponent>(Component))
		{
			Camera = Found;
			++Cameras;
		}
	}
	ASSERT_EQ(Cameras, 1);
	EXPECT_NE(Camera, Template);
	EXPECT_EQ(Camera->GetOwner(), First);
	EXPECT_FLOAT_EQ(Camera->CameraSettings.BufferRatio, 0.5f) << "a component starts with its template's values";

	// The settings as the plug-in reaches them: by name only.
	const UStruct* SettingsStruct = nullptr;
	void* Settings = StructMember(Camera->GetClass(), Camera, TEXT("CameraSettings"), SettingsStruct);
	ASSERT_NE(Settings, nullptr);
	const UStruct* FrustumStruct = nullptr;
	void* Frustum = StructMember(SettingsStruct, Settings, TEXT("CustomFrustum"), FrustumStruct);
	ASSERT_NE(Frustum, nullptr);
	FBoolProperty* Enable = FindFProperty<FBoolProperty>(FrustumStruct, TEXT("bEnable"));
	ASSERT_NE(Enable, nullptr);
	Enable->SetPropertyValue_InContainer(Frustum, true);
	EXPECT_TRUE(Camera->CameraSettings.CustomFrustum.bEnable);
	FSoftObjectProperty* External = FindFProperty<FSoftObjectProperty>(SettingsStruct, TEXT("ExternalCameraActor"));
	ASSERT_NE(External, nullptr);
	ACineCameraActor* CineCamera = World->SpawnActor<ACineCameraActor>();
	ASSERT_NE(CineCamera, nullptr);
	External->SetObjectPropertyValue(External->ContainerPtrToValuePtr<void>(Settings), CineCamera);
	EXPECT_EQ(Camera->CameraSettings.ExternalCameraActor.Get(), CineCamera);
	EXPECT_FALSE(Template->CameraSettings.CustomFrustum.bEnable) << "editing a spawned component leaves the template alone";

	int32 Found = 0;
	for (TActorIterator<ADisplayClusterRootActor> It(World); It; ++It)
	{
		Found += *It == First || *It == Second;
	}
	EXPECT_EQ(Found, 2);
	EXPECT_TRUE(World->DestroyActor(First));
	EXPECT_TRUE(World->DestroyActor(Second));
	EXPECT_TRUE(World->DestroyActor(CineCamera));
}

TEST(NDisplayBlueprint, SavedBlueprintLoadsBackWithNodesTemplatesAndConfiguration)
{
	FScopedHeadlessProject Project;
	UDisplayClusterBlueprint* Blueprint = ImportStage(Project, TEXT("SavedStage"));
	ASSERT_NE(Blueprint, nullptr);
	USCS_Node* CameraNode = Blueprint->SimpleConstructionScript->CreateNode(UDisplayClusterICVFXCameraComponent::StaticClass(), TEXT("Orvane_ICVFX_Camera"));
	Cast<UDisplayClusterICVFXCameraComponent>(CameraNode->ComponentTemplate)->CameraSettings.CustomFrustum.bAdaptResolution = true;
	Blueprint->SimpleConstructionScript->AddNode(CameraNode);
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	ADisplayClusterRootActor* Default = Cast<ADisplayClusterRootActor>(Blueprint->GeneratedClass->GetDefaultObject());
	EXPECT_TRUE(Default->GetConfigData()->Modify());
	Default->GetConfigData()->StageSettings.bEnableInnerFrustums = false;

	UPackage* Package = Blueprint->GetPackage();
	const FString PackageName = Package->GetName();
	const FString Filename = FPackageName::LongPackageNameToFilename(PackageName, FPackageName::GetAssetPackageExtension());
	FSavePackageArgs Args;
	Args.TopLevelFlags = RF_Public | RF_Standalone;
	Args.SaveFlags = SAVE_NoError;
	ASSERT_TRUE(UPackage::SavePackage(Package, Blueprint, *Filename, Args));

	Blueprint->ClearFlags(RF_Public | RF_Standalone);
	Blueprint->ConditionalBeginDestroy();
	Package->ConditionalBeginDestroy();
	CollectGarbage(RF_NoFlags);
	ASSERT_EQ(FindObject<UObject>(nullptr, TEXT("/Game/Orvane/Ndisplay/SavedStage.SavedStage_C")), nullptr) << "the generated class goes with its package";

	UDisplayClusterBlueprint* Loaded = LoadObject<UDisplayClusterBlueprint>(nullptr, TEXT("/Game/Orvane/Ndisplay/SavedStage.SavedStage"));
	ASSERT_NE(Loaded, nullptr);
	ASSERT_NE(Loaded->GeneratedClass, nullptr) << "the class is rebuilt on load";
	EXPECT_TRUE(Loaded->GeneratedClass->IsChildOf(ADisplayClusterRootActor::StaticClass()));
	ASSERT_NE(Loaded->GetConfig(), nullptr);
	EXPECT_FALSE(Loaded->GetConfig()->StageSettings.bEnableInnerFrustums);
	EXPECT_EQ(Loaded->GetConfig()->Info.Description, FString(TEXT("Test stage")));
	USimpleConstructionScript* Script = Loaded->SimpleConstructionScript;
	ASSERT_NE(Script, nullptr);
	EXPECT_EQ(Script->GetAllNodes().Num(), 4);
	USCS_Node* LoadedCamera = Script->FindSCSNode(TEXT("Orvane_ICVFX_Camera"));
	ASSERT_NE(LoadedCamera, nullptr);
	const UDisplayClusterICVFXCameraComponent* LoadedTemplate = Cast<UDisplayClusterICVFXCameraComponent>(LoadedCamera->ComponentTemplate);
	ASSERT_NE(LoadedTemplate, nullptr);
	EXPECT_TRUE(LoadedTemplate->CameraSettings.CustomFrustum.bAdaptResolution);
	ASSERT_NE(Script->FindSCSNode(TEXT("nDisplayXform")), nullptr);
	EXPECT_EQ(Script->FindSCSNode(TEXT("nDisplayXform"))->GetChildNodes().Num(), 1);
}

TEST(NDisplayConfiguration, SavedConfigurationReadsBackWithStageSettings)
{
	FScopedHeadlessProject Project;
	UDisplayClusterBlueprint* Blueprint = ImportStage(Project, TEXT("ExportStage"));
	ASSERT_NE(Blueprint, nullptr);
	UDisplayClusterConfigurationData* Config = Blueprint->GetConfig();
	Config->StageSettings.bEnableInnerFrustums = false;
	Config->StageSettings.bFreezeRenderOuterViewports = true;
	Blueprint->PrepareConfigForExport();
	EXPECT_EQ(Config->Info.AssetPath, Blueprint->GetPathName());

	IDisplayClusterConfiguration& Module = IDisplayClusterConfiguration::Get();
	const FString Filename = Project.GetProjectDir() + TEXT("Exported.ndisplay");
	ASSERT_TRUE(Module.SaveConfig(Config, Filename));
	EXPECT_FALSE(Module.SaveConfig(nullptr, Filename));
	UDisplayClusterConfigurationData* Reloaded = Module.LoadConfig(Filename);
	ASSERT_NE(Reloaded, nullptr);
	EXPECT_FALSE(Reloaded->StageSettings.bEnableInnerFrustums);
	EXPECT_TRUE(Reloaded->StageSettings.bFreezeRenderOuterViewports);
	EXPECT_EQ(Reloaded->Info.Description, Config->Info.Description);
	EXPECT_EQ(Reloaded->HostSceneJson, Config->HostSceneJson) << "the scene is written back as it was read";
	EXPECT_EQ(Reloaded->HostClusterJson, Config->HostClusterJson);
	EXPECT_EQ(Reloaded->HostMiscJson, Config->HostMiscJson);
	EXPECT_EQ(Reloaded->GetOuter(), GetTransientPackage());
}
