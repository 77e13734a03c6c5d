// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/SWidget.h. Nothing is drawn: a widget is a node in a tree that
// tests walk, with its type, tag, visibility and enabled state.
#pragma once

#include "CoreMinimal.h"
#include "Layout/Visibility.h"
#include "Misc/Attribute.h"

class FChildren;
struct FSlateBaseNamedArgs;

/** The base of every widget. */
class SWidget : public TSharedFromThis<SWidget>
{
public:
	SLATECORE_API virtual ~SWidget();

	SWidget(const SWidget&) = delete;
	SWidget& operator=(const SWidget&) = delete;

	/** The widget's children, in slot order; leaf widgets have none. */
	virtual FChildren* GetChildren() = 0;

	/** The widget's class name as given to SNew or SAssignNew, e.g. "SButton". */
	FName GetType() const { return TypeOfWidget; }
	/** GetType as a string. */
	FString GetTypeAsString() const { return TypeOfWidget.ToString(); }
	/** The tag given with the Tag argument; none by default. */
	FName GetTag() const { return Tag; }
	/** The type name and where the widget was created. */
	SLATECORE_API virtual FString ToString() const;

	/** The visibility, read from its attribute. */
	EVisibility GetVisibility() const { return Visibility.Get(); }
	/** Sets the visibility attribute. */
	void SetVisibility(TAttribute<EVisibility> InVisibility) { Visibility = MoveTemp(InVisibility); }

	/** The widget's own enabled state (not its parents'). */
	bool IsEnabled() const { return EnabledState.Get(); }
	/** Sets the enabled state attribute. */
	void SetEnabled(TAttribute<bool> InEnabledState) { EnabledState = MoveTemp(InEnabledState); }

	/** Sets the tool tip's text. */
	void SetToolTipText(const TAttribute<FText>& InToolTipText) { ToolTipText = InToolTipText; }
	/** Host only: the tool tip's text; empty when there is none. */
	FText HostGetToolTipText() const { return ToolTipText.Get(FText::GetEmpty()); }

	/** The widget whose slot holds this widget, or null. */
	TSharedPtr<SWidget> GetParentWidget() const { return ParentWidget.Pin(); }
	/** True when a parent has been assigned and is alive. */
	bool IsParentValid() const { return ParentWidget.IsValid(); }
	/** Records the widget whose slot holds this widget. */
	void AssignParentWidget(TSharedPtr<SWidget> InParent) { ParentWidget = InParent; }
	/** Forgets the parent. */
	void ConditionallyDetatchParentWidget(SWidget* InExpectedParent)
	{
		if (ParentWidget.Pin().Get() == InExpectedParent)
		{
			ParentWidget.Reset();
		}
	}

	/** Applies the arguments every widget takes; SNew calls it before Construct. */
	SLATECORE_API void SWidgetConstruct(const FSlateBaseNamedArgs& Args);
	/** Records the type name and creation place; SNew calls it. */
	SLATECORE_API void SetDebugInfo(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, size_t InAllocSize);

protected:
	SLATECORE_API SWidget();

private:
	FName TypeOfWidget;
	FName Tag;
	FString CreatedInLocation;
	TAttribute<EVisibility> Visibility;
	TAttribute<bool> EnabledState;
	TAttribute<FText> ToolTipText;
	TWeakPtr<SWidget> ParentWidget;
};
