// Copyright Kelmora. All Rights Reserved.
#include "OrvaneuiStyle.h"

#include "Brushes/SlateImageBrush.h"
#include "Framework/Application/SlateApplication.h"
#include "Interfaces/IPluginManager.h"
#include "Misc/Paths.h"
#include "Styling/SlateStyleRegistry.h"

TSharedPtr<FSlateStyleSet> FOrvaneuiStyle::StyleInstance = nullptr;

void FOrvaneuiStyle::Initialize()
{
	if (!StyleInstance.IsValid())
	{
		StyleInstance = Create();
		FSlateStyleRegistry::RegisterSlateStyle(*StyleInstance);
	}
}

void FOrvaneuiStyle::Shutdown()
{
	if (!StyleInstance.IsValid())
	{
		return;
	}
	FSlateStyleRegistry::UnRegisterSlateStyle(*StyleInstance);
	ensure(StyleInstance.IsUnique());
	StyleInstance.Reset();
}

FName FOrvaneuiStyle::GetStyleSetName()
{
	static FName StyleSetName(TEXT("OrvaneuiStyle"));
	return StyleSetName;
}

TSharedRef<FSlateStyleSet> FOrvaneuiStyle::Create()
{
	TSharedRef<FSlateStyleSet> Style = MakeShareable(new FSlateStyleSet(GetStyleSetName()));
	// The plug-in ships this module, so it is always found.
	Style->SetContentRoot(IPluginManager::Get().FindPlugin(TEXT("Orvane"))->GetBaseDir() / TEXT("Resources"));

	const FString Icon = Style->RootToContentDir(TEXT("icon"), TEXT(".svg"));
	Style->Set("Orvane.PluginAction", new FSlateVectorImageBrush(Icon, FVector2D(24.0, 24.0)));
	Style->Set("Orvane.PluginAction.Small", new FSlateVectorImageBrush(Icon, FVector2D(16.0, 16.0)));
	Style->Set("Orvane.PluginAction.Large", new FSlateVectorImageBrush(Icon, FVector2D(32.0, 32.0)));
	return Style;
}

void FOrvaneuiStyle::ReloadTextures()
{
	if (FSlateApplication::IsInitialized())
	{
		FSlateApplication::Get().GetRenderer()->ReloadTextureResources();
	}
}

const ISlateStyle& FOrvaneuiStyle::Get()
{
	return *StyleInstance;
}
