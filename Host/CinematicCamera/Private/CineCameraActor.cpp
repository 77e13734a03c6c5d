// Copyright Kelmora. All Rights Reserved.
#include "CineCameraActor.h"
#include "Templates/Casts.h"

#include "CineCameraComponent.h"
#include "Modules/ModuleManager.h"

ACineCameraActor::ACineCameraActor(const FObjectInitializer& ObjectInitializer)
	: ACameraActor(UCineCameraComponent::StaticClass())
{
}

UCineCameraComponent* ACineCameraActor::GetCineCameraComponent() const
{
	return Cast<UCineCameraComponent>(GetCameraComponent());
}

IMPLEMENT_MODULE(FDefaultModuleImpl, CinematicCamera)
