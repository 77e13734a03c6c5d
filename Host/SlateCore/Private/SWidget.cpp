// Copyright Kelmora. All Rights Reserved.
#include "Widgets/SWidget.h"

#include "Layout/Children.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"
#include "Widgets/SNullWidget.h"

// Defined here, ahead of the null widget that reads them, because the order of initialisation is only fixed within one file.
const EVisibility EVisibility::Visible(EVisibility::VIS_Visible);
const EVisibility EVisibility::Collapsed(EVisibility::VIS_Collapsed);
const EVisibility EVisibility::Hidden(EVisibility::VIS_Hidden);
const EVisibility EVisibility::HitTestInvisible(EVisibility::VIS_HitTestInvisible);
const EVisibility EVisibility::SelfHitTestInvisible(EVisibility::VIS_SelfHitTestInvisible);
const EVisibility EVisibility::All(EVisibility::VIS_All);

SWidget::SWidget()
	: TypeOfWidget(TEXT("SWidget"))
	, Visibility(EVisibility::Visible)
	, EnabledState(true)
{
}

SWidget::~SWidget() = default;

FString SWidget::ToString() const
{
	return CreatedInLocation.IsEmpty() ? TypeOfWidget.ToString() : FString::Printf(TEXT("%s [%s]"), *TypeOfWidget.ToString(), *CreatedInLocation);
}

void SWidget::SWidgetConstruct(const FSlateBaseNamedArgs& Args)
{
	Visibility = Args._Visibility;
	EnabledState = Args._IsEnabled;
	ToolTipText = Args._ToolTipText;
	Tag = Args._Tag;
}

void SWidget::SetDebugInfo(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, size_t InAllocSize)
{
	TypeOfWidget = FName(InType);
	CreatedInLocation = FString::Printf(TEXT("%s(%d)"), *FString(InFile), OnLine);
}

namespace
{
	/** What fills an empty slot. */
	class SNullWidgetContent final : public SLeafWidget
	{
	};

	TSharedRef<SWidget> MakeNullWidget()
	{
		TSharedRef<SNullWidgetContent> Widget = MakeShared<SNullWidgetContent>();
		Widget->SetDebugInfo("SNullWidgetContent", __FILE__, __LINE__, sizeof(SNullWidgetContent));
		// Never hit-testable, as in the engine.
		Widget->SetVisibility(EVisibility::SelfHitTestInvisible);
		return Widget;
	}
}

TSharedRef<SWidget> SNullWidget::NullWidget = MakeNullWidget();

FNoChildren FNoChildren::NoChildrenInstance;

TSharedRef<SWidget> FNoChildren::GetChildAt(int32 Index)
{
	checkf(false, TEXT("FNoChildren::GetChildAt: a leaf widget has no child %d"), Index);
	return SNullWidget::NullWidget;
}

TSharedRef<const SWidget> FNoChildren::GetChildAt(int32 Index) const
{
	checkf(false, TEXT("FNoChildren::GetChildAt: a leaf widget has no child %d"), Index);
	return SNullWidget::NullWidget;
}

const FSlotBase& FNoChildren::GetSlotAt(int32 ChildIndex) const
{
	checkf(false, TEXT("FNoChildren::GetSlotAt: a leaf widget has no slot %d"), ChildIndex);
	static FSlotBase Empty;
	return Empty;
}

FSlotBase::FSlotBase()
	: Widget(SNullWidget::NullWidget)
{
}

FSlotBase::FSlotBase(const FChildren& InOwner)
	: Owner(&InOwner)
	, Widget(SNullWidget::NullWidget)
{
}

FSlotBase::~FSlotBase() = default;

SWidget* FSlotBase::GetOwnerWidget() const
{
	return Owner ? Owner->GetOwnerPtr() : nullptr;
}

namespace
{
	/** The owner as a shared pointer, or null while it is not yet (or no longer) shared. */
	TSharedPtr<SWidget> PinOwner(SWidget* OwnerWidget)
	{
		return OwnerWidget ? OwnerWidget->AsWeak().Pin() : TSharedPtr<SWidget>();
	}
}

void FSlotBase::SetOwner(const FChildren& InOwner)
{
	Owner = &InOwner;
	if (Widget != SNullWidget::NullWidget)
	{
		Widget->AssignParentWidget(PinOwner(GetOwnerWidget()));
	}
}

void FSlotBase::AttachWidget(const TSharedRef<SWidget>& InWidget)
{
	if (Widget != SNullWidget::NullWidget)
	{
		Widget->ConditionallyDetatchParentWidget(GetOwnerWidget());
	}
	Widget = InWidget;
	// The null widget is shared by every empty slot, so it never has a parent.
	if (Widget != SNullWidget::NullWidget)
	{
		Widget->AssignParentWidget(PinOwner(GetOwnerWidget()));
	}
}

TSharedRef<SWidget> FSlotBase::DetachWidget()
{
	TSharedRef<SWidget> Detached = Widget;
	if (Detached != SNullWidget::NullWidget)
	{
		Detached->ConditionallyDetatchParentWidget(GetOwnerWidget());
	}
	Widget = SNullWidget::NullWidget;
	return Detached;
}
