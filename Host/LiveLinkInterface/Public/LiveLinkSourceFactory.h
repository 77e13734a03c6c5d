// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkSourceFactory.h.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "ILiveLinkSource.h"
#include "UObject/Object.h"

#include "LiveLinkSourceFactory.generated.h"

class SWidget;

/**
 * Makes one kind of source, from the Live Link panel or from a connection string (presets).
 * Host: the CreateSource(const FLiveLinkSourcePreset&) overload of newer engines is not declared;
 * whether 5.6 has it is unconfirmed.
 */
UCLASS(Abstract)
class LIVELINKINTERFACE_API ULiveLinkSourceFactory : public UObject
{
	GENERATED_BODY()

public:
	/** How the factory shows in the Live Link panel's add-source menu. */
	enum class EMenuType
	{
		SubPanel,
		MenuEntry,
		Disabled
	};

	DECLARE_DELEGATE_TwoParams(FOnLiveLinkSourceCreated, TSharedPtr<ILiveLinkSource>, FString);

	// Host: the engine declares the next two PURE_VIRTUAL; the host returns empty text.
	/** The name of the menu entry. */
	virtual FText GetSourceDisplayName() const { return FText::GetEmpty(); }
	/** The tool tip of the menu entry. */
	virtual FText GetSourceTooltip() const { return FText::GetEmpty(); }

	virtual EMenuType GetMenuType() const { return EMenuType::Disabled; }

	/** Whether the factory can be used in this configuration. */
	virtual bool IsEnabled() const { return true; }

	/** The widget that makes a source; it calls the delegate with the source and its connection string. */
	virtual TSharedPtr<SWidget> BuildCreationPanel(FOnLiveLinkSourceCreated OnLiveLinkSourceCreated) const { return nullptr; }

	// Host: PURE_VIRTUAL in the engine; the host returns null.
	/** Makes a source from a connection string. */
	virtual TSharedPtr<ILiveLinkSource> CreateSource(const FString& ConnectionString) const { return nullptr; }
};
