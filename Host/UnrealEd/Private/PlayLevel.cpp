// Copyright Kelmora. All Rights Reserved.
#include "Components/ActorComponent.h"
#include "Editor.h"
#include "Editor/EditorEngine.h"
#include "Engine/Level.h"
#include "GameFramework/Actor.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

DEFINE_LOG_CATEGORY_STATIC(LogPlayLevel, Log, All);

FEditorDelegates::FOnPIEEvent FEditorDelegates::PostPIEStarted;

namespace
{
	/** Points every object reference of Object (single or in an array) that names a copied object at its copy. */
	void RemapReferences(UObject* Object, const TMap<UObject*, UObject*>& Copies)
	{
		const auto Remap = [&Copies](UObject* Value) -> UObject*
		{
			UObject* const* Copy = Value ? Copies.Find(Value) : nullptr;
			return Copy ? *Copy : nullptr;
		};
		for (TFieldIterator<FProperty> It(Object->GetClass()); It; ++It)
		{
			if (const FObjectProperty* ObjectProperty = CastField<FObjectProperty>(*It))
			{
				for (int32 Index = 0; Index < ObjectProperty->GetArrayDim(); ++Index)
				{
					if (UObject* Copy = Remap(ObjectProperty->GetObjectPropertyValue_InContainer(Object, Index)))
					{
						ObjectProperty->SetObjectPropertyValue_InContainer(Object, Copy, Index);
					}
				}
			}
			else if (const FArrayProperty* ArrayProperty = CastField<FArrayProperty>(*It))
			{
				const FObjectProperty* Inner = CastField<FObjectProperty>(ArrayProperty->Inner);
				if (!Inner)
				{
					continue;
				}
				FScriptArrayHelper Helper(ArrayProperty, ArrayProperty->ContainerPtrToValuePtr<void>(Object));
				for (int32 Index = 0; Index < Helper.Num(); ++Index)
				{
					if (UObject* Copy = Remap(Inner->GetObjectPropertyValue(Helper.GetRawPtr(Index))))
					{
						Inner->SetObjectPropertyValue(Helper.GetRawPtr(Index), Copy);
					}
				}
			}
		}
	}

	/**
	 * Copies the editor level's actors into the play level, as the engine duplicates the editor world for a play
	 * session: each actor and each of its components keeps its name and reflected property values, and
	 * references among the copied objects point at the copies. Host: state that is not reflected is not copied.
	 */
	TArray<AActor*> CopyActorsForPlay(ULevel* EditorLevel, ULevel* PlayLevel)
	{
		TMap<UObject*, UObject*> Copies;
		TArray<TPair<UObject*, UObject*>> Pairs;
		TArray<AActor*> Actors;
		for (AActor* Source : EditorLevel->Actors)
		{
			if (!IsValid(Source))
			{
				continue;
			}
			AActor* Copy = NewObject<AActor>(PlayLevel, Source->GetClass(), Source->GetFName(), RF_Transactional);
			if (!Copy)
			{
				continue;
			}
			Copies.Add(Source, Copy);
			Pairs.Add(TPair<UObject*, UObject*>{Source, Copy});
			Actors.Add(Copy);
			TArray<UActorComponent*> Components;
			Source->GetComponents(Components);
			for (UActorComponent* Component : Components)
			{
				// Components the constructor made exist on the copy already, under the same name.
				UObject* Existing = StaticFindObjectFast(nullptr, Copy, Component->GetFName());
				UObject* ComponentCopy = Existing && Existing->GetClass() == Component->GetClass() ? Existing : NewObject<UActorComponent>(Copy, Component->GetClass(), Component->GetFName(), RF_Transactional);
				if (ComponentCopy)
				{
					Copies.Add(Component, ComponentCopy);
					Pairs.Add(TPair<UObject*, UObject*>{Component, ComponentCopy});
				}
			}
		}
		for (const TPair<UObject*, UObject*>& Pair : Pairs)
		{
			for (TFieldIterator<FProperty> It(Pair.Key->GetClass()); It; ++It)
			{
				It->CopyCompleteValue_InContainer(Pair.Value, Pair.Key);
			}
		}
		for (const TPair<UObject*, UObject*>& Pair : Pairs)
		{
			RemapReferences(Pair.Value, Copies);
		}
		for (AActor* Actor : Actors)
		{
			PlayLevel->Actors.Add(Actor);
		}
		return Actors;
	}
}

void UEditorEngine::RequestPlaySession(const FRequestPlaySessionParams& InParams)
{
	PlaySessionRequest = InParams;
}

void UEditorEngine::RequestEndPlayMap()
{
	if (PlayWorld)
	{
		bRequestEndPlayMapQueued = true;
	}
}

void UEditorEngine::Tick(float DeltaSeconds, bool bIdleMode)
{
	if (bRequestEndPlayMapQueued)
	{
		EndPlayMap();
	}
	if (PlaySessionRequest.IsSet())
	{
		StartQueuedPlaySessionRequest();
	}
	if (UWorld* World = PlayWorld)
	{
		// The play world is the current world while it ticks, as in the engine.
		UWorld* const EditorWorld = GWorld;
		GWorld = World;
		World->Tick(LEVELTICK_All, DeltaSeconds);
		GWorld = EditorWorld;
	}
	TimerManager->Tick(DeltaSeconds);
	// Host: the editor's tick stands for one frame of the engine loop, which counts frames.
	++GFrameCounter;
}

void UEditorEngine::StartQueuedPlaySessionRequest()
{
	const FRequestPlaySessionParams Params = PlaySessionRequest.GetValue();
	PlaySessionRequest.Reset();
	if (PlayWorld)
	{
		UE_LOG(LogPlayLevel, Warning, TEXT("A play session is already running; the request to start another was dropped"));
		return;
	}
	UWorld* EditorWorld = GetEditorWorldContext().World();
	// The engine names the play world's package after the editor's with the PIE instance prefix.
	const FString WorldName = FString(TEXT("UEDPIE_0_")) + (EditorWorld ? EditorWorld->GetName() : FString(TEXT("Untitled")));
	// The context exists before its world is made and filled: the session counts as running from here.
	FWorldContext& Context = CreateNewWorldContext(EWorldType::PIE);
	UWorld* World = UWorld::CreateWorld(EWorldType::PIE, false, FName(*WorldName));
	Context.SetCurrentWorld(World);
	PlayWorld = World;
	HostPlayViewport = Params.DestinationSlateViewport.IsSet() ? Params.DestinationSlateViewport.GetValue() : TWeakPtr<IAssetViewport>();
	++HostStartedSessions;
	const TArray<AActor*> Actors = EditorWorld && EditorWorld->PersistentLevel ? CopyActorsForPlay(EditorWorld->PersistentLevel, World->PersistentLevel) : TArray<AActor*>();
	World->bBegunPlay = true;
	for (AActor* Actor : Actors)
	{
		Actor->DispatchBeginPlay();
	}
	FEditorDelegates::PostPIEStarted.Broadcast(false);
}

void UEditorEngine::EndPlayMap()
{
	bRequestEndPlayMapQueued = false;
	UWorld* World = PlayWorld;
	if (!World)
	{
		return;
	}
	if (World->PersistentLevel)
	{
		const TArray<TObjectPtr<AActor>> Actors = World->PersistentLevel->Actors;
		for (AActor* Actor : Actors)
		{
			if (IsValid(Actor))
			{
				Actor->RouteEndPlay(EEndPlayReason::EndPlayInEditor);
			}
		}
	}
	World->bBegunPlay = false;
	PlayWorld = nullptr;
	HostPlayViewport.Reset();
	if (GWorld == World)
	{
		GWorld = GetEditorWorldContext().World();
	}
	DestroyWorldContext(World);
	World->RemoveFromRoot();
	World->MarkAsGarbage();
	++HostEndedSessions;
}

UEditorSubsystem* UEditorEngine::HostGetEditorSubsystem(UClass* SubsystemClass) const
{
	if (!bHostSubsystemsAvailable || !SubsystemClass || SubsystemClass->HasAnyClassFlags(CLASS_Abstract))
	{
		return nullptr;
	}
	for (UEditorSubsystem* Subsystem : HostSubsystems)
	{
		if (Subsystem->GetClass() == SubsystemClass)
		{
			return Subsystem;
		}
	}
	// The engine makes every editor subsystem when the editor starts; the host makes each on first use.
	UEditorSubsystem* Subsystem = NewObject<UEditorSubsystem>(const_cast<UEditorEngine*>(this), SubsystemClass);
	if (Subsystem)
	{
		Subsystem->AddToRoot();
		HostSubsystems.Add(Subsystem);
	}
	return Subsystem;
}
