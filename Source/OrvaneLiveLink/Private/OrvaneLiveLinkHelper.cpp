// Copyright Kelmora. All Rights Reserved.
#include "OrvaneLiveLinkHelper.h"

#include "CollisionQueryParams.h"
#include "Components/PrimitiveComponent.h"
#include "Engine/Engine.h"
#include "Engine/GameInstance.h"
#include "Engine/GameViewportClient.h"
#include "Engine/LocalPlayer.h"
#include "Engine/World.h"
#include "EngineUtils.h"
#include "Features/IModularFeatures.h"
#include "GameFramework/Actor.h"
#include "GameFramework/PlayerController.h"
#include "HAL/FileManager.h"
#include "ILiveLinkClient.h"
#include "Kismet/GameplayStatics.h"
#include "LiveLinkPreset.h"
#include "LiveLinkSourceSettings.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "OrvaneLiveLinkSourceFactory.h"
#include "UObject/Package.h"
#include "UObject/SavePackage.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UObjectIterator.h"

DEFINE_LOG_CATEGORY(LogOrvaneHelper);

namespace
{
	const TCHAR* const PresetFolder = TEXT("/Game/Orvane/");

	/**
	 * A preset name becomes a package name and a file name: it must name one asset directly under the
	 * preset folder, so nothing outside it can be written or deleted through it.
	 */
	bool IsSafePresetName(const FString& PresetName, FString& OutReason)
	{
		if (PresetName.IsEmpty())
		{
			OutReason = TEXT("the name is empty");
			return false;
		}
		if (PresetName.Contains(TEXT("/")) || PresetName.Contains(TEXT("\\")) || PresetName.Contains(TEXT("..")))
		{
			OutReason = TEXT("the name holds a path");
			return false;
		}
		FText Reason;
		if (!FPackageName::IsValidLongPackageName(FString(PresetFolder) + PresetName, false, &Reason))
		{
			OutReason = Reason.ToString();
			return false;
		}
		return true;
	}

	const TCHAR* const VPCameraClassPath = TEXT("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C");
	const TCHAR* const VPCameraObjectName = TEXT("Orvane_VP_Camera");

	/** The world being played (the game instance's, then the first game world), else the first live world: the editor's. */
	UWorld* FindWorldForVPCamera()
	{
		UWorld* CurrentWorld = GWorld;
		if (IsValid(CurrentWorld))
		{
			if (UGameInstance* GameInstance = CurrentWorld->GetGameInstance())
			{
				UWorld* GameWorld = GameInstance->GetWorld();
				if (IsValid(GameWorld))
				{
					return GameWorld;
				}
			}
		}
		if (!GEngine)
		{
			return nullptr;
		}
		for (const FWorldContext& Context : GEngine->GetWorldContexts())
		{
			UWorld* World = Context.World();
			if (IsValid(World) && World->IsGameWorld())
			{
				return World;
			}
		}
		for (const FWorldContext& Context : GEngine->GetWorldContexts())
		{
			UWorld* World = Context.World();
			if (IsValid(World))
			{
				return World;
			}
		}
		return nullptr;
	}

	/**
	 * The actor's own primitive components that are still usable, in creation order. An actor that is being
	 * destroyed has none: switching or reading its render pass would only touch components on their way out.
	 */
	TArray<UPrimitiveComponent*> GetLivePrimitiveComponents(const AActor* Actor)
	{
		TArray<UPrimitiveComponent*> Live;
		if (!IsValid(Actor) || Actor->IsActorBeingDestroyed())
		{
			return Live;
		}
		TArray<UPrimitiveComponent*> Components;
		Actor->GetComponents<UPrimitiveComponent>(Components, false);
		for (UPrimitiveComponent* Component : Components)
		{
			if (IsValid(Component))
			{
				Live.Add(Component);
			}
		}
		return Live;
	}

	/** Marks an object and its package for destruction and lets go of them. */
	void DiscardObjectAndPackage(UObject* Object)
	{
		if (UPackage* Package = Object->GetPackage())
		{
			Package->SetFlags(RF_Transient);
			Package->ClearFlags(RF_Public | RF_Standalone);
			Package->ConditionalBeginDestroy();
		}
		Object->SetFlags(RF_Transient);
		Object->ClearFlags(RF_Public | RF_Standalone);
		Object->ConditionalBeginDestroy();
	}

	bool DeleteFile(const FString& FileName)
	{
		return IFileManager::Get().Delete(*FileName, false, true, false);
	}
}

ILiveLinkClient* UOrvaneLiveLinkHelper::GetLiveLinkClient()
{
	IModularFeatures& ModularFeatures = IModularFeatures::Get();
	if (ModularFeatures.GetModularFeatureImplementationCount(ILiveLinkClient::ModularFeatureName) < 1)
	{
		return nullptr;
	}
	return static_cast<ILiveLinkClient*>(ModularFeatures.GetModularFeatureImplementation(ILiveLinkClient::ModularFeatureName, 0));
}

UOrvaneLiveLinkSourceFactory* UOrvaneLiveLinkHelper::GetOrvaneSourceFactory()
{
	for (TObjectIterator<UOrvaneLiveLinkSourceFactory> It; It; ++It)
	{
		if (IsValid(*It))
		{
			return *It;
		}
	}
	return NewObject<UOrvaneLiveLinkSourceFactory>(GetTransientPackage());
}

bool UOrvaneLiveLinkHelper::CreateOrvaneSource(const FString& Endpoint)
{
	ILiveLinkClient* Client = GetLiveLinkClient();
	if (!Client)
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("CreateOrvaneSource: LiveLink client not available"));
		return false;
	}
	UOrvaneLiveLinkSourceFactory* Factory = GetOrvaneSourceFactory();
	TSharedPtr<ILiveLinkSource> Source = Factory ? Factory->CreateSource(Endpoint) : TSharedPtr<ILiveLinkSource>();
	if (!Source.IsValid())
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("CreateOrvaneSource: '%s' is not an IPv4 address and port (IP:Port)"), *Endpoint);
		return false;
	}

	const FGuid SourceGuid = Client->AddSource(Source);
	if (ULiveLinkSourceSettings* Settings = Client->GetSourceSettings(SourceGuid))
	{
		// A saved preset recreates the source through this factory with this connection string.
		Settings->ConnectionString = Endpoint;
		Settings->Factory = UOrvaneLiveLinkSourceFactory::StaticClass();
	}
	if (!Source->IsSourceStillValid())
	{
		// The source stays in the client (its status shows it), but the caller must not believe it receives.
		UE_LOG(LogOrvaneHelper, Warning, TEXT("CreateOrvaneSource: the source cannot receive on %s: the port may be in use or the address may belong to no local interface"), *Endpoint);
	}
	UE_LOG(LogOrvaneHelper, Log, TEXT("Successfully created Orvane LiveLink source with endpoint: %s"), *Endpoint);
	return true;
}

bool UOrvaneLiveLinkHelper::RemoveAllOrvaneSources()
{
	ILiveLinkClient* Client = GetLiveLinkClient();
	if (!Client)
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("RemoveAllOrvaneSources: LiveLink client not available"));
		return false;
	}
	const TArray<FGuid> Sources = Client->GetSources(false);
	for (const FGuid& SourceGuid : Sources)
	{
		Client->RemoveSource(SourceGuid);
	}
	UE_LOG(LogOrvaneHelper, Log, TEXT("Successfully removed %d LiveLink sources"), Sources.Num());
	return true;
}

bool UOrvaneLiveLinkHelper::RemoveExistingPreset(const FString& PresetName)
{
	FString Reason;
	if (!IsSafePresetName(PresetName, Reason))
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("RemoveExistingPreset: Invalid preset name '%s': %s"), *PresetName, *Reason);
		return false;
	}

	const FString PackagePath = FString(PresetFolder) + PresetName;
	const TArray<FString> Paths = {FString::Printf(TEXT("/Game/Orvane/%s.%s"), *PresetName, *PresetName), PackagePath};

	bool bRemoved = false;
	for (const FString& Path : Paths)
	{
		if (UObject* Existing = StaticFindObject(UObject::StaticClass(), nullptr, *Path, false))
		{
			DiscardObjectAndPackage(Existing);
			bRemoved = true;
		}

		FString PackageName = Path;
		int32 DotIndex = INDEX_NONE;
		if (Path.FindLastChar(TEXT('.'), DotIndex))
		{
			PackageName = Path.Left(DotIndex);
		}

		FString FileName;
		if (FPackageName::DoesPackageExist(PackageName, &FileName, true))
		{
			bRemoved |= DeleteFile(FileName);
		}
		else
		{
			FString RelativePath = PackageName;
			RelativePath.RemoveFromStart(TEXT("/Game/"), ESearchCase::IgnoreCase);
			const FString ContentFileName = FPaths::ProjectContentDir() + RelativePath + FPackageName::GetAssetPackageExtension();
			if (FPaths::FileExists(ContentFileName))
			{
				bRemoved |= DeleteFile(ContentFileName);
			}
		}
	}

	if (bRemoved)
	{
		// Only the preset lost its standalone flag: every other unreferenced asset (unsaved work included) stays.
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS, true);
		FlushAsyncLoading();
		UE_LOG(LogOrvaneHelper, Log, TEXT("Successfully removed existing preset: %s"), *PresetName);
	}
	return true;
}

bool UOrvaneLiveLinkHelper::SaveLiveLinkPreset(const FString& PresetName)
{
	if (PresetName.IsEmpty())
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("Invalid preset name provided"));
		return false;
	}
	FString Reason;
	if (!IsSafePresetName(PresetName, Reason))
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("SaveLiveLinkPreset: Invalid preset name '%s': %s"), *PresetName, *Reason);
		return false;
	}

	RemoveExistingPreset(PresetName);

	if (!GetLiveLinkClient())
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("LiveLink client not available"));
		return false;
	}

	ULiveLinkPreset* Preset = NewObject<ULiveLinkPreset>(GetTransientPackage());
	Preset->BuildFromClient();

	const FString PackagePath = FString(PresetFolder) + PresetName;
	UPackage* Package = CreatePackage(*PackagePath);
	// The old preset survives its removal while something still references it; renaming onto it would end the editor.
	if (!Package || !Preset->Rename(*PresetName, Package, REN_Test))
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("SaveLiveLinkPreset: %s.%s is still in use and cannot be replaced"), *PackagePath, *PresetName);
		return false;
	}
	Preset->Rename(*PresetName, Package, REN_None);
	Preset->SetFlags(RF_Public | RF_Standalone);
	Package->MarkPackageDirty();

	const FString FileName = FPackageName::LongPackageNameToFilename(PackagePath, FPackageName::GetAssetPackageExtension());
	FSavePackageArgs SaveArgs;
	SaveArgs.TopLevelFlags = RF_Public | RF_Standalone;
	SaveArgs.SaveFlags = SAVE_NoError;
	SaveArgs.bForceByteSwapping = true;
	SaveArgs.bWarnOfLongFilename = false;
	SaveArgs.bSlowTask = true;
	SaveArgs.Error = GError;
	if (!UPackage::SavePackage(Package, Preset, *FileName, SaveArgs))
	{
		UE_LOG(LogOrvaneHelper, Error, TEXT("SaveLiveLinkPreset: Failed to save preset to %s"), *FileName);
		return false;
	}
	return true;
}

bool UOrvaneLiveLinkHelper::GetActorCustomRenderPass(AActor* actor)
{
	const TArray<UPrimitiveComponent*> Components = GetLivePrimitiveComponents(actor);
	return Components.Num() > 0 && Components[0]->bRenderCustomDepth;
}

bool UOrvaneLiveLinkHelper::SetActorCustomRenderPass(AActor* Actor, bool bEnable)
{
	const TArray<UPrimitiveComponent*> Components = GetLivePrimitiveComponents(Actor);
	for (UPrimitiveComponent* Component : Components)
	{
		Component->SetRenderCustomDepth(bEnable);
		Component->SetCustomDepthStencilValue(bEnable ? 1 : 0);
	}
	return Components.Num() > 0;
}

AActor* UOrvaneLiveLinkHelper::GetOrvaneVPCamera()
{
	UWorld* World = FindWorldForVPCamera();
	if (!World)
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCaptureImg: Not world reference"));
		return nullptr;
	}

	UClass* CameraClass = StaticLoadClass(AActor::StaticClass(), nullptr, VPCameraClassPath, nullptr, LOAD_None, nullptr);
	if (!CameraClass)
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCaptureImg: Could not load Orvane VP Camera class from %s"), VPCameraClassPath);
		return nullptr;
	}

	for (TActorIterator<AActor> It(World, CameraClass); It; ++It)
	{
		if (IsValid(*It))
		{
			return *It;
		}
	}
	// A camera placed from another class (an older copy of the blueprint, say) still carries the name.
	for (TActorIterator<AActor> It(World); It; ++It)
	{
		AActor* Actor = *It;
		if (IsValid(Actor) && Actor->GetName().Contains(VPCameraObjectName, ESearchCase::IgnoreCase))
		{
			return Actor;
		}
	}
	UE_LOG(LogTemp, Warning, TEXT("OrvaneCaptureImg: No Orvane VP Camera found in world"));
	return nullptr;
}

AActor* UOrvaneLiveLinkHelper::GetActorUnderNormalizedScreenCoord(UObject* WorldContextObject, const FVector2D& NormalizedScreenXY, float TraceDistance, TEnumAsByte<ECollisionChannel> TraceChannel, const TArray<AActor*>& ActorsToIgnore, FHitResult& OutHit)
{
	OutHit = FHitResult();
	if (!WorldContextObject || !GEngine)
	{
		return nullptr;
	}
	UWorld* World = GEngine->GetWorldFromContextObject(WorldContextObject, EGetWorldErrorMode::ReturnNull);
	if (!World)
	{
		return nullptr;
	}
	APlayerController* PlayerController = UGameplayStatics::GetPlayerController(World, 0);
	ULocalPlayer* LocalPlayer = PlayerController ? PlayerController->GetLocalPlayer() : nullptr;
	if (!LocalPlayer || !LocalPlayer->ViewportClient)
	{
		return nullptr;
	}

	int32 SizeX = 0;
	int32 SizeY = 0;
	PlayerController->GetViewportSize(SizeX, SizeY);
	if (SizeX < 1 || SizeY < 1)
	{
		return nullptr;
	}
	// A trace of unbounded or undefined length has no end point to trace to.
	if (!FMath::IsFinite(TraceDistance))
	{
		return nullptr;
	}

	const double X = FMath::Max(FMath::Min(NormalizedScreenXY.X, 1.0), 0.0);
	const double Y = FMath::Max(FMath::Min(NormalizedScreenXY.Y, 1.0), 0.0);
	const float ScreenX = float(double(SizeX) * X);
	const float ScreenY = float(double(SizeY) * Y);

	FVector WorldOrigin;
	FVector WorldDirection;
	if (!PlayerController->DeprojectScreenPositionToWorld(ScreenX, ScreenY, WorldOrigin, WorldDirection))
	{
		return nullptr;
	}

	const FVector Start = WorldOrigin;
	const FVector End = WorldOrigin + WorldDirection * double(TraceDistance);

	FCollisionQueryParams Params(SCENE_QUERY_STAT(NormalizedClickTrace), true, nullptr);
	Params.bReturnPhysicalMaterial = false;
	Params.AddIgnoredActors(ActorsToIgnore);

	if (World->LineTraceSingleByChannel(OutHit, Start, End, TraceChannel, Params, FCollisionResponseParams::DefaultResponseParam) && OutHit.bBlockingHit)
	{
		return OutHit.GetActor();
	}
	return nullptr;
}
