// Copyright Kelmora. All Rights Reserved.
#include "Blueprint/UserWidget.h"
#include "Engine/World.h"
#include "Modules/ModuleManager.h"

DEFINE_LOG_CATEGORY_STATIC(LogUMG, Log, All);

UWorld* UUserWidget::GetWorld() const
{
	for (UObject* Outer = GetOuter(); Outer; Outer = Outer->GetOuter())
	{
		if (Outer->IsA(UWorld::StaticClass()))
		{
			return static_cast<UWorld*>(Outer);
		}
	}
	return nullptr;
}

UUserWidget* CreateWidget(UWorld* OwningObject, TSubclassOf<UUserWidget> UserWidgetClass, FName WidgetName)
{
	UClass* Class = UserWidgetClass.Get();
	if (!Class)
	{
		UE_LOG(LogUMG, Error, TEXT("CreateWidget called with a null class."));
		return nullptr;
	}
	if (Class->HasAnyClassFlags(CLASS_Abstract))
	{
		UE_LOG(LogUMG, Error, TEXT("Abstract widget classes are not allowed in CreateWidget: %s"), *Class->GetName());
		return nullptr;
	}
	if (!OwningObject)
	{
		UE_LOG(LogUMG, Error, TEXT("CreateWidget: %s needs a world"), *Class->GetName());
		return nullptr;
	}
	return NewObject<UUserWidget>(OwningObject, Class, WidgetName, RF_Transactional);
}

IMPLEMENT_MODULE(FDefaultModuleImpl, UMG)
