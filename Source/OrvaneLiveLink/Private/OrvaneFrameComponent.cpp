// Copyright Kelmora. All Rights Reserved.
#include "OrvaneFrameComponent.h"

#include "Engine/World.h"
#include "Features/IModularFeatures.h"
#include "ILiveLinkClient.h"
#include "OrvaneFrameExchange.h"
#include "OrvaneLiveLinkLog.h"
#include "Orvane_CameraOverlayBase.h"
#include "Roles/LiveLinkCameraRole.h"
#include "Roles/LiveLinkCameraTypes.h"
#include "Subsystems/WorldSubsystem.h"
#include "UObject/UObjectIterator.h"
#include "UObject/UnrealType.h"

int32 UOrvaneFrameComponent::LastSentFrame = -1;

namespace
{
	const TCHAR* const DefaultShareName = TEXT("DefaultShareName");

	/** Whether the function's parameters are exactly the properties of these classes, in order (return value last). */
	bool HasParameters(const UFunction* Function, std::initializer_list<FFieldClass*> Expected)
	{
		if (!Function)
		{
			return false;
		}
		auto Next = Expected.begin();
		for (TFieldIterator<FProperty> It(Function); It; ++It)
		{
			if (!It->HasAnyPropertyFlags(CPF_Parm))
			{
				continue;
			}
			if (Next == Expected.end() || !It->GetClass()->IsChildOf(*Next))
			{
				return false;
			}
			++Next;
		}
		return Next == Expected.end();
	}

	/** The TextureShare object of the world: the subsystem's GetTextureShare, else its "TextureShare" property. */
	UObject* FindTextureShare(UWorld& World)
	{
		UClass* SubsystemClass = FindFirstObject<UClass>(TEXT("TextureShareWorldSubsystem"), EFindFirstObjectOptions::NativeFirst);
		if (!SubsystemClass || !SubsystemClass->IsChildOf(UWorldSubsystem::StaticClass()))
		{
			return nullptr;
		}
		UWorldSubsystem* Subsystem = World.GetSubsystemBase(SubsystemClass);
		if (!Subsystem)
		{
			return nullptr;
		}
		// The parameter block is only trusted when the function's signature is the one expected: an object return.
		UFunction* GetTextureShare = Subsystem->FindFunction(FName(TEXT("GetTextureShare")));
		if (HasParameters(GetTextureShare, {FObjectPropertyBase::StaticClass()}) && GetTextureShare->ParmsSize == sizeof(UObject*))
		{
			struct
			{
				UObject* ReturnValue = nullptr;
			} Parms;
			Subsystem->ProcessEvent(GetTextureShare, &Parms);
			if (IsValid(Parms.ReturnValue))
			{
				return Parms.ReturnValue;
			}
		}
		for (TFieldIterator<FObjectPropertyBase> It(SubsystemClass); It; ++It)
		{
			if (It->GetFName() == FName(TEXT("TextureShare")))
			{
				UObject* Value = It->GetObjectPropertyValue_InContainer(Subsystem);
				UClass* TextureShareClass = FindFirstObject<UClass>(TEXT("TextureShare"), EFindFirstObjectOptions::NativeFirst);
				return IsValid(Value) && TextureShareClass && Value->IsA(TextureShareClass) ? Value : nullptr;
			}
		}
		return nullptr;
	}

	/** The share objects of the TextureShare object, through its GetTextureShareObjects. */
	TArray<UObject*> GetShareObjects(UObject& TextureShareObject)
	{
		TArray<UObject*> Objects;
		UFunction* Function = TextureShareObject.FindFunction(FName(TEXT("GetTextureShareObjects")));
		const FArrayProperty* Return = nullptr;
		if (HasParameters(Function, {FArrayProperty::StaticClass()}) && Function->ParmsSize == sizeof(TArray<UObject*>))
		{
			for (TFieldIterator<FArrayProperty> It(Function); It; ++It)
			{
				Return = *It;
			}
		}
		if (!Return || !Return->Inner || !Return->Inner->IsA<FObjectPropertyBase>())
		{
			return Objects;
		}
		struct
		{
			TArray<UObject*> ReturnValue;
		} Parms;
		TextureShareObject.ProcessEvent(Function, &Parms);
		for (UObject* Object : Parms.ReturnValue)
		{
			if (IsValid(Object))
			{
				Objects.Add(Object);
			}
		}
		return Objects;
	}

	/** A share object's name (its Desc.ShareName), empty when it has none. */
	FString GetShareName(const UObject& ShareObject)
	{
		const FStructProperty* Desc = FindFProperty<FStructProperty>(ShareObject.GetClass(), TEXT("Desc"));
		const FStrProperty* Name = Desc && Desc->Struct ? FindFProperty<FStrProperty>(Desc->Struct, TEXT("ShareName")) : nullptr;
		if (!Name)
		{
			return FString();
		}
		return *Name->ContainerPtrToValuePtr<FString>(Desc->ContainerPtrToValuePtr<void>(&ShareObject));
	}

	/** The parameter block of SendCustomData. */
	struct FSendCustomDataParms
	{
		TMap<FString, FString> InSendParameters;
	};

	/** The share object's SendCustomData; null when its signature is not the expected one. */
	UFunction* FindSendCustomData(const UObject& ShareObject)
	{
		UFunction* Function = ShareObject.FindFunction(FName(TEXT("SendCustomData")));
		return HasParameters(Function, {FMapProperty::StaticClass()}) && Function->ParmsSize == sizeof(FSendCustomDataParms) ? Function : nullptr;
	}
}

UOrvaneFrameComponent::UOrvaneFrameComponent()
	: SubjectName(TEXT("Orvane - Camera"))
{
	PrimaryComponentTick.bCanEverTick = true;
	PrimaryComponentTick.bStartWithTickEnabled = true;
	PrimaryComponentTick.TickGroup = TG_PostUpdateWork;
}

void UOrvaneFrameComponent::BeginPlay()
{
	Super::BeginPlay();
	UE_LOG(ModuleLog, Warning, TEXT("Orvane Texture Share: Begin Play"));

	UWorld* World = GetWorld();
	UObject* FoundTextureShare = World ? FindTextureShare(*World) : nullptr;
	TextureShare = FoundTextureShare;
	ShareObject = nullptr;
	if (FoundTextureShare)
	{
		const TArray<UObject*> ShareObjects = GetShareObjects(*FoundTextureShare);
		for (UObject* Candidate : ShareObjects)
		{
			if (GetShareName(*Candidate).Equals(DefaultShareName, ESearchCase::IgnoreCase))
			{
				ShareObject = Candidate;
				break;
			}
		}
		if (!ShareObject.IsValid() && ShareObjects.Num() > 0)
		{
			ShareObject = ShareObjects[0];
			UE_LOG(ModuleLog, Error, TEXT("Orvane Texture Share: Object '%s' not found, using '%s'"), DefaultShareName, *GetShareName(*ShareObjects[0]));
		}
	}
	// Looked up once: the share's class does not change while the component plays.
	SendCustomDataFunction = ShareObject.IsValid() ? FindSendCustomData(*ShareObject.Get()) : nullptr;
	if (!ShareObject.IsValid())
	{
		// Without the TextureShare plug-in (or a share of it) the component runs and sends nothing.
		UE_LOG(ModuleLog, Warning, TEXT("Orvane Texture Share: no share object; frame data is not sent"));
	}

	bAcquiredExchange = FOrvaneFrameExchange::Acquire() > 0;

	IModularFeatures& Features = IModularFeatures::Get();
	LiveLinkClient = Features.IsModularFeatureAvailable(ILiveLinkClient::ModularFeatureName) ? &Features.GetModularFeature<ILiveLinkClient>(ILiveLinkClient::ModularFeatureName) : nullptr;
}

void UOrvaneFrameComponent::EndPlay(const EEndPlayReason::Type EndPlayReason)
{
	if (bAcquiredExchange)
	{
		FOrvaneFrameExchange::Release();
		bAcquiredExchange = false;
	}
	Super::EndPlay(EndPlayReason);
}

void UOrvaneFrameComponent::TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction)
{
	Super::TickComponent(DeltaTime, TickType, ThisTickFunction);
	SetTextureShareMetadata();
	if (bExtendedLog)
	{
		UpdateOverlay(DeltaTime);
	}
}

void UOrvaneFrameComponent::SetTextureShareMetadata()
{
	UObject* Share = ShareObject.Get();
	if (!Share)
	{
		return;
	}

	int32 FrameNumber = -1;
	int32 SenderState = 0;
	if (LiveLinkClient && LiveLinkClient->EvaluateFrame_AnyThread(FLiveLinkSubjectName(SubjectName), ULiveLinkCameraRole::StaticClass(), SubjectFrameData))
	{
		if (const FLiveLinkCameraFrameData* CameraFrame = SubjectFrameData.FrameData.Cast<FLiveLinkCameraFrameData>())
		{
			FrameNumber = CameraFrame->MetaData.SceneTime.Time.FrameNumber.Value;
		}
	}

	FSendCustomDataParms Parms;
	TMap<FString, FString>& CustomData = Parms.InSendParameters;
	if (FOrvaneFrameExchange* Exchange = FOrvaneFrameExchange::Get())
	{
		ORVCameraSetup Setup;
		Exchange->GetSetup(Setup);
		bExtendedLog = Setup.bReportSkips;
		SenderState = Setup.State;
		FOrvaneFrameExchange::FPoseEntry Latest;
		if (FrameNumber < 0 && Exchange->GetLatestPose(Latest))
		{
			FrameNumber = Latest.Pose.FrameNumber;
		}
		Exchange->TakeAnswers(CustomData);
	}
	CustomData.Add(TEXT("ORV_LiveLink_FrameNumber"), FString::FromInt(FrameNumber));
	CustomData.Add(TEXT("EngineCount"), FString::FromInt(static_cast<int32>(static_cast<uint32>(GFrameCounter))));
	if (SendCustomDataFunction)
	{
		Share->ProcessEvent(SendCustomDataFunction, &Parms);
	}

	// A frame number that went backwards (a new take, a looped clip) is not a skip.
	if (bExtendedLog && SenderState == 1 && LastSentFrame >= 0 && FrameNumber >= LastSentFrame && static_cast<int64>(FrameNumber) - LastSentFrame != 1)
	{
		UE_LOG(ModuleLog, Warning, TEXT("Orvane Texture Share: Skip/repeat frames %d - %d"), LastSentFrame, FrameNumber);
	}
	LastSentFrame = FrameNumber;
}

void UOrvaneFrameComponent::UpdateOverlay(float DeltaTime)
{
	UWorld* World = GetWorld();
	UOrvane_CameraOverlayBase* Overlay = OverlayWidget.Get();
	if (!Overlay || Overlay->GetWorld() != World)
	{
		Overlay = nullptr;
		OverlayWidget = nullptr;
		for (TObjectIterator<UOrvane_CameraOverlayBase> It(RF_ClassDefaultObject | RF_NeedLoad, true, EInternalObjectFlags::Garbage); It; ++It)
		{
			if (IsValid(*It) && It->GetWorld() == World)
			{
				Overlay = *It;
				OverlayWidget = Overlay;
				break;
			}
		}
	}
	if (Overlay)
	{
		Overlay->UpdateCameraOverlay(DeltaTime);
	}
}
