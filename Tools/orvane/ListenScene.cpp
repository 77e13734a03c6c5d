// Copyright Kelmora. All Rights Reserved.
#include "ListenScene.h"

#include "Blueprints/TextureShareBlueprintContainers.h"
#include "Camera/CameraComponent.h"
#include "Camera/PlayerCameraManager.h"
#include "Components/BoxComponent.h"
#include "Editor.h"
#include "EditorKit.h"
#include "Engine/GameViewportClient.h"
#include "Engine/Level.h"
#include "Engine/LocalPlayer.h"
#include "Engine/World.h"
#include "GameFramework/PlayerController.h"
#include "LevelEditor.h"
#include "Misc/App.h"
#include "Modules/ModuleManager.h"
#include "OrvaneViewport.h"
#include "Recorder/TakeRecorderBlueprintLibrary.h"
#include "Recorder/TakeRecorderPanel.h"
#include "TakeMetaData.h"
#include "UObject/Package.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <iterator>

namespace
{
	/** Far above any stage description; a larger file is refused before it is read. */
	constexpr std::streamoff MaxSceneBytes = 16 * 1024 * 1024;
	/** Far above any stage; every actor is a level actor with a component, copied again for each play session. */
	constexpr size_t MaxActors = 10000;
	constexpr size_t MaxLabelBytes = 1024;
	constexpr int64 MaxViewportSide = 16384;

	using FJson = nlohmann::json;

	bool ReadNumbers(const FJson& Value, const std::string& Where, double* Out, size_t Count, std::string& OutError)
	{
		if (!Value.is_array() || Value.size() != Count)
		{
			OutError = Where + " must be an array of " + std::to_string(Count) + " numbers";
			return false;
		}
		for (size_t Index = 0; Index < Count; ++Index)
		{
			if (!Value[Index].is_number() || !std::isfinite(Value[Index].get<double>()))
			{
				OutError = Where + " must be an array of " + std::to_string(Count) + " finite numbers";
				return false;
			}
			Out[Index] = Value[Index].get<double>();
		}
		return true;
	}

	bool ReadVector(const FJson& Object, const char* Key, const std::string& Where, FVector& Out, std::string& OutError)
	{
		const auto Found = Object.find(Key);
		if (Found == Object.end())
		{
			return true;
		}
		double Numbers[3];
		if (!ReadNumbers(*Found, Where + "." + Key, Numbers, 3, OutError))
		{
			return false;
		}
		Out = FVector(Numbers[0], Numbers[1], Numbers[2]);
		return true;
	}

	/** A rotation is written [pitch, yaw, roll], the order of FRotator's members. */
	bool ReadRotator(const FJson& Object, const char* Key, const std::string& Where, FRotator& Out, std::string& OutError)
	{
		FVector Numbers = FVector(Out.Pitch, Out.Yaw, Out.Roll);
		if (!ReadVector(Object, Key, Where, Numbers, OutError))
		{
			return false;
		}
		Out = FRotator(Numbers.X, Numbers.Y, Numbers.Z);
		return true;
	}

	bool ReadBool(const FJson& Object, const char* Key, const std::string& Where, bool& Out, std::string& OutError)
	{
		const auto Found = Object.find(Key);
		if (Found == Object.end())
		{
			return true;
		}
		if (!Found->is_boolean())
		{
			OutError = Where + "." + Key + " must be true or false";
			return false;
		}
		Out = Found->get<bool>();
		return true;
	}

	bool ReadActor(const FJson& Value, size_t Index, FListenSceneActor& Out, std::string& OutError)
	{
		const std::string Where = "actors[" + std::to_string(Index) + "]";
		if (!Value.is_object())
		{
			OutError = Where + " must be an object";
			return false;
		}
		Out.Label = FString::Printf(TEXT("Actor%d"), int32(Index));
		const auto Label = Value.find("label");
		if (Label != Value.end())
		{
			if (!Label->is_string() || Label->get_ref<const std::string&>().empty() || Label->get_ref<const std::string&>().size() > MaxLabelBytes)
			{
				OutError = Where + ".label must be a string of 1 to " + std::to_string(MaxLabelBytes) + " bytes";
				return false;
			}
			Out.Label = FString(UTF8_TO_TCHAR(Label->get_ref<const std::string&>().c_str()));
		}
		if (!ReadVector(Value, "location", Where, Out.Location, OutError) || !ReadRotator(Value, "rotation", Where, Out.Rotation, OutError) || !ReadVector(Value, "scale", Where, Out.Scale, OutError) || !ReadVector(Value, "box", Where, Out.BoxExtent, OutError) || !ReadBool(Value, "customDepth", Where, Out.bCustomDepth, OutError) || !ReadBool(Value, "blocksVisibility", Where, Out.bBlocksVisibility, OutError))
		{
			return false;
		}
		if (Out.BoxExtent.X < 0.0 || Out.BoxExtent.Y < 0.0 || Out.BoxExtent.Z < 0.0)
		{
			OutError = Where + ".box holds half extents, none below 0";
			return false;
		}
		return true;
	}

	bool ReadScene(const FJson& Root, FListenScene& Out, std::string& OutError)
	{
		if (!Root.is_object())
		{
			OutError = "the scene must be a JSON object";
			return false;
		}
		const auto Camera = Root.find("camera");
		if (Camera != Root.end())
		{
			if (!Camera->is_object())
			{
				OutError = "camera must be an object";
				return false;
			}
			if (!ReadVector(*Camera, "location", "camera", Out.CameraLocation, OutError) || !ReadRotator(*Camera, "rotation", "camera", Out.CameraRotation, OutError))
			{
				return false;
			}
			const auto Fov = Camera->find("fov");
			if (Fov != Camera->end())
			{
				if (!Fov->is_number() || !std::isfinite(Fov->get<double>()) || Fov->get<double>() <= 0.0 || Fov->get<double>() >= 180.0)
				{
					OutError = "camera.fov must be a number of degrees above 0 and below 180";
					return false;
				}
				Out.FieldOfView = Fov->get<double>();
			}
		}
		const auto Viewport = Root.find("viewport");
		if (Viewport != Root.end())
		{
			// A writer may print a whole number as 640.0; only the value counts.
			const auto IsSide = [](const FJson& Side)
			{ return Side.is_number() && std::isfinite(Side.get<double>()) && std::floor(Side.get<double>()) == Side.get<double>() && Side.get<double>() >= 1.0 && Side.get<double>() <= double(MaxViewportSide); };
			if (!Viewport->is_array() || Viewport->size() != 2 || !IsSide((*Viewport)[0]) || !IsSide((*Viewport)[1]))
			{
				OutError = "viewport must be [width, height], whole numbers from 1 to " + std::to_string(MaxViewportSide);
				return false;
			}
			Out.ViewportWidth = int32((*Viewport)[0].get<double>());
			Out.ViewportHeight = int32((*Viewport)[1].get<double>());
		}
		const auto Actors = Root.find("actors");
		if (Actors != Root.end())
		{
			if (!Actors->is_array())
			{
				OutError = "actors must be an array";
				return false;
			}
			if (Actors->size() > MaxActors)
			{
				OutError = "actors holds " + std::to_string(Actors->size()) + " entries; at most " + std::to_string(MaxActors) + " are read";
				return false;
			}
			Out.Actors.resize(Actors->size());
			for (size_t Index = 0; Index < Actors->size(); ++Index)
			{
				if (!ReadActor((*Actors)[Index], Index, Out.Actors[Index], OutError))
				{
					return false;
				}
			}
		}
		return true;
	}

	const char* WindowModeName(EWindowMode::Type Mode)
	{
		switch (Mode)
		{
		case EWindowMode::Fullscreen:
			return "Fullscreen";
		case EWindowMode::WindowedFullscreen:
			return "WindowedFullscreen";
		default:
			return "Windowed";
		}
	}

	FString ToLine(const nlohmann::ordered_json& Object)
	{
		return FString(UTF8_TO_TCHAR(Object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str()));
	}

	std::string ToUtf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}
}

bool LoadListenScene(const std::string& Path, FListenScene& OutScene, std::string& OutError)
{
	std::ifstream File(Path, std::ios::binary | std::ios::ate);
	if (!File)
	{
		OutError = "cannot read the scene file " + Path;
		return false;
	}
	const std::streamoff Size = File.tellg();
	if (Size < 0 || Size > MaxSceneBytes)
	{
		OutError = "the scene file " + Path + " is larger than " + std::to_string(MaxSceneBytes) + " bytes";
		return false;
	}
	File.seekg(0);
	std::string Text(static_cast<size_t>(Size), '\0');
	if (!File.read(Text.data(), Size))
	{
		OutError = "cannot read the scene file " + Path;
		return false;
	}
	// Parsed without exceptions: a malformed file is an answer, not a failure of the tool.
	const FJson Root = FJson::parse(Text, nullptr, false);
	if (Root.is_discarded())
	{
		OutError = "the scene file " + Path + " is not valid JSON";
		return false;
	}
	FListenScene Scene;
	if (!ReadScene(Root, Scene, OutError))
	{
		OutError = "the scene file " + Path + ": " + OutError;
		return false;
	}
	OutScene = std::move(Scene);
	return true;
}

FListenEditor::FListenEditor(bool bInJsonLines, TFunction<void(const FString&)> InPrintLine)
	: bJsonLines(bInJsonLines)
	, PrintLine(MoveTemp(InPrintLine))
{
}

FListenEditor::~FListenEditor()
{
	Stop();
}

bool FListenEditor::Start(const FListenScene& InScene, bool bOpenTakeRecorder, std::string& OutError)
{
	Scene = InScene;
	for (const TCHAR* Module : {TEXT("UnrealEd"), TEXT("LevelEditor"), TEXT("OrvaneLiveLink"), TEXT("Orvaneui")})
	{
		FModuleManager::Get().LoadModule(Module);
	}
	// A project is loaded: it is named after its folder, as the editor names it, never "None".
	if (FCString::Strcmp(FApp::GetProjectName(), TEXT("None")) == 0)
	{
		FApp::SetProjectName(TEXT("OrvaneProject"));
	}
	UWorld* World = GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	if (!World)
	{
		OutError = "the headless editor has no level";
		return false;
	}

	UClass* CameraClass = StaticLoadClass(AActor::StaticClass(), nullptr, TEXT("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C"));
	AActor* Camera = CameraClass ? World->SpawnActor(CameraClass, Scene.CameraLocation, Scene.CameraRotation) : nullptr;
	if (!Camera)
	{
		OutError = "could not place the virtual-production camera";
		return false;
	}
	if (UCameraComponent* CameraComponent = Camera->FindComponentByClass<UCameraComponent>())
	{
		CameraComponent->FieldOfView = static_cast<float>(Scene.FieldOfView);
	}
	Camera->SetActorLocationAndRotation(Scene.CameraLocation, Scene.CameraRotation);
	// The frame component is looked up by name so that a build without it still runs the rest of the session.
	if (UClass* FrameClass = FindFirstObject<UClass>(TEXT("OrvaneFrameComponent")))
	{
		if (FrameClass->IsChildOf(UActorComponent::StaticClass()) && Camera->K2_GetComponentsByClass(FrameClass).Num() == 0)
		{
			UActorComponent* Frame = NewObject<UActorComponent>(Camera, FrameClass, FName(TEXT("OrvaneFrame")));
			Frame->RegisterComponent();
		}
	}

	for (const FListenSceneActor& Entry : Scene.Actors)
	{
		AActor* Actor = World->SpawnActor(AActor::StaticClass(), Entry.Location, Entry.Rotation);
		if (!Actor)
		{
			OutError = "could not place the actor " + ToUtf8(Entry.Label);
			return false;
		}
		UBoxComponent* Box = NewObject<UBoxComponent>(Actor, FName(TEXT("CollisionBox")));
		Box->SetBoxExtent(Entry.BoxExtent);
		Actor->SetRootComponent(Box);
		Box->SetRelativeScale3D(Entry.Scale);
		Box->SetWorldLocationAndRotation(Entry.Location, Entry.Rotation);
		ApplyActorState(*Actor, Entry);
		ActorIndices.Add(Actor->GetFName(), int32(&Entry - Scene.Actors.data()));
	}

	Window = std::make_unique<FScopedLevelEditorWindow>();
	PlayStartedHandle = FEditorDelegates::PostPIEStarted.AddRaw(this, &FListenEditor::OnPlayStarted);
	if (bOpenTakeRecorder)
	{
		UTakeRecorderBlueprintLibrary::OpenTakeRecorderPanel();
	}
	ReportChanges();
	return true;
}

void FListenEditor::ApplyActorState(AActor& Actor, const FListenSceneActor& Entry)
{
	if (UBoxComponent* Box = Cast<UBoxComponent>(Actor.GetRootComponent()))
	{
		Box->SetCollisionEnabled(ECollisionEnabled::QueryAndPhysics);
		Box->SetCollisionResponseToAllChannels(ECR_Block);
		if (!Entry.bBlocksVisibility)
		{
			Box->SetCollisionResponseToChannel(ECC_Visibility, ECR_Ignore);
		}
		Box->SetRenderCustomDepth(Entry.bCustomDepth);
	}
	Actor.SetActorLabel(Entry.Label);
}

void FListenEditor::RequestPlay()
{
	UOrvaneViewport::EditorBeginPlay();
}

void FListenEditor::OnPlayStarted(bool bIsSimulating)
{
	UWorld* World = GEditor ? GEditor->PlayWorld.Get() : nullptr;
	if (!World || bIsSimulating)
	{
		return;
	}
	// The engine copies every property of the level's actors into the play world; the headless host copies only
	// reflected ones, so the label and collision the picks depend on are given to the copies again.
	if (World->PersistentLevel)
	{
		for (AActor* Actor : World->PersistentLevel->Actors)
		{
			const int32* Index = Actor ? ActorIndices.Find(Actor->GetFName()) : nullptr;
			if (Index)
			{
				ApplyActorState(*Actor, Scene.Actors[size_t(*Index)]);
			}
		}
	}
	// What the plug-in's game mode arranges in a project: player 0 looks through the virtual-production camera.
	APlayerController* Controller = static_cast<APlayerController*>(World->SpawnActor(APlayerController::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator));
	APlayerCameraManager* View = static_cast<APlayerCameraManager*>(World->SpawnActor(APlayerCameraManager::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator));
	if (!Controller || !View)
	{
		return;
	}
	View->HostSetCameraView(Scene.CameraLocation, Scene.CameraRotation, static_cast<float>(Scene.FieldOfView));
	Controller->PlayerCameraManager = View;
	if (!Player)
	{
		Player = NewObject<ULocalPlayer>(GetTransientPackage());
		Player->AddToRoot();
		UGameViewportClient* Viewport = NewObject<UGameViewportClient>(Player);
		Viewport->HostViewportSize = FVector2D(Scene.ViewportWidth, Scene.ViewportHeight);
		Player->ViewportClient = Viewport;
	}
	Player->PlayerController = Controller;
	Controller->Player = Player;
}

void FListenEditor::Tick(float DeltaSeconds)
{
	if (!Window)
	{
		return;
	}
	FEditorLoopKit::Tick(DeltaSeconds);
	ReportChanges();
}

void FListenEditor::ReportChanges()
{
	const bool bNowPlaying = GEditor && GEditor->IsPlaySessionInProgress();
	const EWindowMode::Type Mode = Window ? Window->GetWindow()->GetWindowMode() : EWindowMode::Windowed;
	const TSharedPtr<SLevelViewport> Viewport = FModuleManager::LoadModuleChecked<FLevelEditorModule>(TEXT("LevelEditor")).GetFirstActiveLevelViewport();
	const bool bNowImmersive = Viewport.IsValid() && Viewport->IsImmersive();
	if (!bEditorReported || bNowPlaying != bPlaying || int32(Mode) != WindowMode || bNowImmersive != bImmersive)
	{
		bEditorReported = true;
		bPlaying = bNowPlaying;
		WindowMode = int32(Mode);
		bImmersive = bNowImmersive;
		if (bJsonLines)
		{
			PrintLine(ToLine({{"type", "editor"}, {"playing", bPlaying}, {"window", WindowModeName(Mode)}, {"immersive", bImmersive}}));
		}
		else
		{
			PrintLine(FString::Printf(TEXT("editor %s window %s immersive %s"), bPlaying ? TEXT("playing") : TEXT("stopped"), UTF8_TO_TCHAR(WindowModeName(Mode)), bImmersive ? TEXT("on") : TEXT("off")));
		}
	}

	const bool bNowRecording = UTakeRecorderBlueprintLibrary::IsRecording();
	const UTakeRecorderPanel* Panel = UTakeRecorderBlueprintLibrary::GetTakeRecorderPanel();
	const UTakeMetaData* MetaData = Panel ? Panel->GetTakeMetaData() : nullptr;
	const FString NowSlate = MetaData ? MetaData->GetSlate() : FString();
	const int32 NowTake = MetaData ? MetaData->GetTakeNumber() : 0;
	if (!bTakeReported || bNowRecording != bRecording || NowSlate != Slate || NowTake != TakeNumber)
	{
		bTakeReported = true;
		bRecording = bNowRecording;
		Slate = NowSlate;
		TakeNumber = NowTake;
		if (bJsonLines)
		{
			PrintLine(ToLine({{"type", "take"}, {"recording", bRecording}, {"slate", ToUtf8(Slate)}, {"take", TakeNumber}}));
		}
		else
		{
			PrintLine(FString::Printf(TEXT("take %s slate \"%s\" take %d"), bRecording ? TEXT("recording") : TEXT("stopped"), *Slate, TakeNumber));
		}
	}

	const TArray<UE::TextureShare::Host::FSentCustomData>& Sent = UE::TextureShare::Host::GetSentCustomData();
	if (Sent.IsEmpty())
	{
		return;
	}
	for (const UE::TextureShare::Host::FSentCustomData& Record : Sent)
	{
		if (bJsonLines)
		{
			nlohmann::ordered_json Data = nlohmann::ordered_json::object();
			for (const TPair<FString, FString>& Parameter : Record.Parameters)
			{
				Data[ToUtf8(Parameter.Key)] = ToUtf8(Parameter.Value);
			}
			PrintLine(ToLine({{"type", "share"}, {"engineFrame", Record.EngineFrame}, {"data", Data}}));
		}
		else
		{
			FString Line = FString::Printf(TEXT("share %llu"), static_cast<unsigned long long>(Record.EngineFrame));
			for (const TPair<FString, FString>& Parameter : Record.Parameters)
			{
				Line += TEXT(" ") + Parameter.Key + TEXT("=") + Parameter.Value;
			}
			PrintLine(Line);
		}
	}
	// Every send of a long session is printed once and forgotten, so the record does not grow with it.
	UE::TextureShare::Host::ResetSentCustomData();
}

void FListenEditor::Stop()
{
	if (!Window)
	{
		return;
	}
	FEditorDelegates::PostPIEStarted.Remove(PlayStartedHandle);
	if (GEditor && GEditor->IsPlaySessionInProgress())
	{
		GEditor->RequestEndPlayMap();
		FEditorLoopKit::Tick(0.0f);
	}
	Window.reset();
	if (Player)
	{
		Player->RemoveFromRoot();
		Player = nullptr;
	}
}
