// Copyright Kelmora. All Rights Reserved.
#include "Blueprints/TextureShareBlueprintContainers.h"
#include "Game/WorldSubsystem/TextureShareWorldSubsystem.h"
#include "Modules/ModuleManager.h"

namespace
{
	TArray<UE::TextureShare::Host::FSentCustomData>& SentLog()
	{
		static TArray<UE::TextureShare::Host::FSentCustomData> Log;
		return Log;
	}
}

void UTextureShareObject::SendCustomData(const TMap<FString, FString>& InSendParameters)
{
	CustomData.SendParameters = InSendParameters;
	UE::TextureShare::Host::FSentCustomData& Sent = SentLog().Emplace_GetRef();
	Sent.ShareName = Desc.ShareName;
	Sent.EngineFrame = GFrameCounter;
	for (const TPair<FString, FString>& Parameter : InSendParameters)
	{
		Sent.Parameters.Add(Parameter);
	}
}

UTextureShareObject* UTextureShare::GetOrCreateTextureShareObject(const FString& InShareName)
{
	for (UTextureShareObject* Existing : TextureShareObjects)
	{
		if (Existing && Existing->Desc.ShareName.Equals(InShareName, ESearchCase::IgnoreCase))
		{
			return Existing;
		}
	}
	UTextureShareObject* Made = NewObject<UTextureShareObject>(this);
	Made->Desc.ShareName = InShareName;
	TextureShareObjects.Add(Made);
	return Made;
}

const TArray<UTextureShareObject*> UTextureShare::GetTextureShareObjects() const
{
	TArray<UTextureShareObject*> Objects;
	for (UTextureShareObject* Object : TextureShareObjects)
	{
		Objects.Add(Object);
	}
	return Objects;
}

void UTextureShareWorldSubsystem::Initialize()
{
	TextureShare = NewObject<UTextureShare>(this);
	TextureShare->GetOrCreateTextureShareObject(TEXT("DefaultShareName"));
}

namespace UE::TextureShare::Host
{
	const TArray<FSentCustomData>& GetSentCustomData()
	{
		return SentLog();
	}

	void ResetSentCustomData()
	{
		SentLog().Reset();
	}
}

IMPLEMENT_MODULE(FDefaultModuleImpl, TextureShare)
