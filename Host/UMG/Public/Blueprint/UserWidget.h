// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Blueprint/UserWidget.h: widgets designed as widget blueprints.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"

#include "UserWidget.generated.h"

class UWorld;

/**
 * A widget made from a widget blueprint. Host: nothing is drawn; a widget knows the world it was made for.
 * Unconfirmed: the engine derives it from UWidget and UVisual, which the plug-in never names.
 */
UCLASS(Abstract, BlueprintType, Blueprintable)
class UMG_API UUserWidget : public UObject
{
	GENERATED_BODY()

public:
	/** The world the widget was made for; null when it was made without one. */
	UWorld* GetWorld() const;
};

/**
 * Makes a widget of UserWidgetClass for OwningObject's world. Null (logged) for a missing or abstract class or
 * one that is not a T, or without a world. Unconfirmed: the engine makes the world's game instance the outer
 * when there is one; the host makes the widget inside the world.
 */
UMG_API UUserWidget* CreateWidget(UWorld* OwningObject, TSubclassOf<UUserWidget> UserWidgetClass, FName WidgetName = NAME_None);

template <typename WidgetT = UUserWidget>
WidgetT* CreateWidget(UWorld* OwningObject, TSubclassOf<UUserWidget> UserWidgetClass = WidgetT::StaticClass(), FName WidgetName = NAME_None)
{
	if (UserWidgetClass && !UserWidgetClass->IsChildOf(WidgetT::StaticClass()))
	{
		return nullptr;
	}
	return static_cast<WidgetT*>(CreateWidget(OwningObject, UserWidgetClass, WidgetName));
}
