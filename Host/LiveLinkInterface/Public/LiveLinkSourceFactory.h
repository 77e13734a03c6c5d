// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkSourceFactory.h.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "ILiveLinkSource.h"
#include "UObject/Object.h"

#include "LiveLinkSourceFactory.generated.h"

class SWidget;
struct FLiveLinkSourcePreset;

/** Makes one kind of source, from the Live Link panel or from a connection string (presets). */
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

	// PURE_VIRTUAL in the engine: a subclass that does not override them ends the process when they are called.
	/** The name of the menu entry. */
	virtual FText GetSourceDisplayName() const
	{
		checkf(false, TEXT("Pure virtual not implemented (ULiveLinkSourceFactory::GetSourceDisplayName)"));
		return FText();
	}
	/** The tool tip of the menu entry. */
	virtual FText GetSourceTooltip() const
	{
		checkf(false, TEXT("Pure virtual not implemented (ULiveLinkSourceFactory::GetSourceTooltip)"));
		return FText();
	}

	virtual EMenuType GetMenuType() const { return EMenuType::Disabled; }

	/** Whether the factory can be used in this configuration. */
	virtual bool IsEnabled() const { return true; }

	/** The widget that makes a source; it calls the delegate with the source and its connection string. */
	virtual TSharedPtr<SWidget> BuildCreationPanel(FOnLiveLinkSourceCreated OnLiveLinkSourceCreated) const { return nullptr; }

	/** Makes a source from a connection string. */
	virtual TSharedPtr<ILiveLinkSource> CreateSource(const FString& ConnectionString) const
	{
		checkf(false, TEXT("Pure virtual not implemented (ULiveLinkSourceFactory::CreateSource)"));
		return TSharedPtr<ILiveLinkSource>();
	}

	// Host: as the current engine reference declares it (not const); whether 5.6 has it is unconfirmed (the 5.4
	// and 5.5 references list only the connection-string form). The host makes the source from the preset's
	// connection string.
	/** Makes a source with the context of a saved preset; subclasses override it to use more of the preset. */
	virtual TSharedPtr<ILiveLinkSource> CreateSource(const FLiveLinkSourcePreset& SourcePreset);
};
