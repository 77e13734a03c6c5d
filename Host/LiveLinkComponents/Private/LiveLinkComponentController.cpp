// Copyright Kelmora. All Rights Reserved.
#include "LiveLinkComponentController.h"

#include "Components/SceneComponent.h"
#include "Features/IModularFeatures.h"
#include "ILiveLinkClient.h"
#include "LiveLinkRole.h"
#include "Modules/ModuleManager.h"
#include "Roles/LiveLinkTransformTypes.h"
#include "Templates/Casts.h"

ULiveLinkComponentController::ULiveLinkComponentController()
{
	PrimaryComponentTick.bCanEverTick = true;
}

void ULiveLinkComponentController::SetSubjectRepresentation(FLiveLinkSubjectRepresentation InSubjectRepresentation)
{
	SubjectRepresentation = InSubjectRepresentation;
}

void ULiveLinkComponentController::SetControlledComponent(TSubclassOf<ULiveLinkRole> InRoleClass, UActorComponent* InComponent)
{
	if (InRoleClass.Get() && InRoleClass.Get() == SubjectRepresentation.Role.Get())
	{
		ControlledComponent = InComponent;
	}
}

UActorComponent* ULiveLinkComponentController::GetControlledComponent(TSubclassOf<ULiveLinkRole> InRoleClass) const
{
	return InRoleClass.Get() && InRoleClass.Get() == SubjectRepresentation.Role.Get() ? ControlledComponent.Get() : nullptr;
}

bool ULiveLinkComponentController::HostEvaluate()
{
	USceneComponent* Scene = Cast<USceneComponent>(ControlledComponent.Get());
	IModularFeatures& Features = IModularFeatures::Get();
	if (!bEvaluateLiveLink || !Scene || !SubjectRepresentation.Role.Get() || !Features.IsModularFeatureAvailable(ILiveLinkClient::ModularFeatureName))
	{
		return false;
	}
	ILiveLinkClient& Client = Features.GetModularFeature<ILiveLinkClient>(ILiveLinkClient::ModularFeatureName);
	FLiveLinkSubjectFrameData Frame;
	if (!Client.EvaluateFrame_AnyThread(SubjectRepresentation.Subject, SubjectRepresentation.Role, Frame))
	{
		return false;
	}
	const FLiveLinkTransformFrameData* Data = Frame.FrameData.Cast<FLiveLinkTransformFrameData>();
	if (!Data)
	{
		return false;
	}
	Scene->SetWorldTransform(Data->Transform);
	return true;
}

IMPLEMENT_MODULE(FDefaultModuleImpl, LiveLinkComponents)
