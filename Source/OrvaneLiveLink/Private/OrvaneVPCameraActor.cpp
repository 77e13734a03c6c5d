// Copyright Kelmora. All Rights Reserved.
#include "OrvaneVPCameraActor.h"

#include "CineCameraComponent.h"
#include "LiveLinkComponentController.h"
#include "LiveLinkPreset.h"
#include "Roles/LiveLinkCameraRole.h"
#include "UObject/UnrealType.h"

const FName AOrvaneVPCameraActor::SubjectName(TEXT("Orvane - Camera"));
const FName AOrvaneVPCameraActor::PresetVariableName(TEXT("LiveLinkPreset"));
const FName AOrvaneVPCameraActor::ApplyPresetVariableName(TEXT("Set LiveLink Preset"));

AOrvaneVPCameraActor::AOrvaneVPCameraActor(const FObjectInitializer& ObjectInitializer)
	: Super(ObjectInitializer)
{
	LiveLinkController = CreateDefaultSubobject<ULiveLinkComponentController>(TEXT("LiveLinkComponentController"));
	// The stage operator frames shots in the editor, so the camera must follow the stream without play running.
	LiveLinkController->bUpdateInEditor = true;
	AutoActivateForPlayer = EAutoReceiveInput::Player0;
}

ULiveLinkPreset* AOrvaneVPCameraActor::GetAppliedLiveLinkPreset() const
{
	return AppliedPreset.Get();
}

void AOrvaneVPCameraActor::OnConstruction(const FTransform& Transform)
{
	Super::OnConstruction(Transform);
	ConfigureLiveLinkController();
	ApplyPresetFromVariables();
}

void AOrvaneVPCameraActor::ConfigureLiveLinkController()
{
	if (!LiveLinkController)
	{
		return;
	}
	// Set here rather than in the constructor: setting the representation instances the role's controller,
	// which must not happen while the default object is being constructed.
	const FLiveLinkSubjectRepresentation Current = LiveLinkController->GetSubjectRepresentation();
	if (Current.Subject.Name != SubjectName || Current.Role.Get() != ULiveLinkCameraRole::StaticClass())
	{
		FLiveLinkSubjectRepresentation Representation;
		Representation.Subject = FLiveLinkSubjectName(SubjectName);
		Representation.Role = ULiveLinkCameraRole::StaticClass();
		LiveLinkController->SetSubjectRepresentation(Representation);
	}
	LiveLinkController->SetControlledComponent(ULiveLinkCameraRole::StaticClass(), GetCineCameraComponent());
}

void AOrvaneVPCameraActor::ApplyPresetFromVariables()
{
	const UClass* Class = GetClass();
	const FObjectPropertyBase* PresetProperty = CastField<FObjectPropertyBase>(Class->FindPropertyByName(PresetVariableName));
	const FBoolProperty* SwitchProperty = CastField<FBoolProperty>(Class->FindPropertyByName(ApplyPresetVariableName));
	if (!PresetProperty || !SwitchProperty)
	{
		// The native class alone (no blueprint) has neither variable: nothing to apply.
		return;
	}
	const bool bApply = SwitchProperty->GetPropertyValue_InContainer(this);
	ULiveLinkPreset* Preset = Cast<ULiveLinkPreset>(PresetProperty->GetObjectPropertyValue_InContainer(this));
	if (!bApply || !Preset)
	{
		// Switching off forgets the last preset, so switching on again applies it afresh.
		AppliedPreset.Reset();
		return;
	}
	if (AppliedPreset.Get() == Preset)
	{
		return;
	}
	AppliedPreset = Preset;
	const bool bApplied = Preset->ApplyToClient();
	UE_LOG(LogTemp, Log, TEXT("Orvane: VP camera %s applied Live Link preset %s%s"), *GetName(), *Preset->GetName(), bApplied ? TEXT("") : TEXT(" (not every source or subject could be added)"));
}
