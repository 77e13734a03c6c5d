// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Input/Reply.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "SlateTestKit.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SEditableTextBox.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SCompoundWidget.h"
#include "Widgets/Text/STextBlock.h"

#include <gtest/gtest.h>

#define LOCTEXT_NAMESPACE "SlateWidgetTests"

namespace
{
	/** A creation panel built the way the plug-in builds its own: an address field and an Ok button. */
	class SEndpointPanel : public SCompoundWidget
	{
	public:
		DECLARE_DELEGATE_OneParam(FOnOkClicked, FIPv4Endpoint);

		SLATE_BEGIN_ARGS(SEndpointPanel) {}
		SLATE_EVENT(FOnOkClicked, OnOkClicked)
		SLATE_END_ARGS()

		void Construct(const FArguments& Args)
		{
			OkClicked = Args._OnOkClicked;
			FIPv4Endpoint::Parse(TEXT("127.0.0.1:40000"), Endpoint);

			// Declarative Slate keeps the widget tree's nesting on the page.
			// clang-format off
			ChildSlot
			[
				SNew(SVerticalBox)
				+ SVerticalBox::Slot().AutoHeight().Padding(2.0f)
				[
					SNew(SHorizontalBox)
					+ SHorizontalBox::Slot().FillWidth(0.5f).VAlign(VAlign_Center)
					[
						SNew(STextBlock).Text(LOCTEXT("PortNumber", "Network Address:Port"))
					]
					+ SHorizontalBox::Slot().FillWidth(0.5f)
					[
						SAssignNew(EditabledText, SEditableTextBox)
						.Text(FText::FromString(Endpoint.ToString()))
						.OnTextCommitted(this, &SEndpointPanel::OnEndpointChanged)
					]
				]
				+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Right).Padding(2.0f)
				[
					SNew(SButton).OnClicked(this, &SEndpointPanel::OnOkClicked)
					[
						SNew(STextBlock).Text(LOCTEXT("Ok", "Ok"))
					]
				]
			];
			// clang-format on
		}

		TWeakPtr<SEditableTextBox> EditabledText;

	private:
		void OnEndpointChanged(const FText& NewValue, ETextCommit::Type CommitType)
		{
			const TSharedPtr<SEditableTextBox> EditableTextPin = EditabledText.Pin();
			if (EditableTextPin.IsValid())
			{
				FIPv4Endpoint Parsed;
				if (FIPv4Endpoint::Parse(NewValue.ToString(), Parsed))
				{
					Endpoint = Parsed;
				}
				EditableTextPin->SetText(FText::FromString(Endpoint.ToString()));
			}
		}

		FReply OnOkClicked()
		{
			OkClicked.ExecuteIfBound(Endpoint);
			return FReply::Handled();
		}

		FIPv4Endpoint Endpoint;
		FOnOkClicked OkClicked;
	};

	/** Counts the endpoints the panel hands out. */
	struct FOkRecorder
	{
		int32 Calls = 0;
		FString LastEndpoint;

		SEndpointPanel::FOnOkClicked MakeDelegate()
		{
			return SEndpointPanel::FOnOkClicked::CreateLambda([this](FIPv4Endpoint InEndpoint)
				{
					++Calls;
					LastEndpoint = InEndpoint.ToString(); });
		}
	};

	TSharedRef<SEndpointPanel> MakePanel(FOkRecorder& Recorder)
	{
		return SNew(SEndpointPanel).OnOkClicked(Recorder.MakeDelegate());
	}
}

TEST(SlateWidgets, PanelTreeIsWalkableByTypeTextAndParent)
{
	FOkRecorder Recorder;
	const TSharedRef<SEndpointPanel> Panel = MakePanel(Recorder);

	const TSharedPtr<SEditableTextBox> TextBox = FSlateTestKit::FindWidget<SEditableTextBox>(Panel);
	const TSharedPtr<SButton> Button = FSlateTestKit::FindWidget<SButton>(Panel);
	ASSERT_TRUE(TextBox.IsValid());
	ASSERT_TRUE(Button.IsValid());

	EXPECT_EQ(Panel->GetType(), FName(TEXT("SEndpointPanel")));
	EXPECT_EQ(Button->GetType(), FName(TEXT("SButton")));
	EXPECT_EQ(FSlateTestKit::FindWidgetByType(Panel, TEXT("SButton")), StaticCastSharedPtr<SWidget>(Button));
	EXPECT_EQ(FSlateTestKit::FindButtonByText(Panel, TEXT("Ok")), Button);
	EXPECT_EQ(FSlateTestKit::FindWidgetByText(Panel, TEXT("127.0.0.1:40000")), StaticCastSharedPtr<SWidget>(TextBox));
	EXPECT_FALSE(FSlateTestKit::FindWidgetByText(Panel, TEXT("ok")).IsValid()) << "text matches are case-sensitive";

	// Depth-first: the label in the first row comes before the button's label in the second.
	const TArray<TSharedRef<STextBlock>> Labels = FSlateTestKit::FindAllWidgets<STextBlock>(Panel);
	ASSERT_EQ(Labels.Num(), 2);
	EXPECT_EQ(Labels[0]->GetText().ToString(), TEXT("Network Address:Port"));
	EXPECT_EQ(Labels[1]->GetText().ToString(), TEXT("Ok"));

	const TSharedPtr<SWidget> Row = TextBox->GetParentWidget();
	ASSERT_TRUE(Row.IsValid());
	EXPECT_EQ(Row->GetType(), FName(TEXT("SHorizontalBox")));
	EXPECT_EQ(Row->GetParentWidget()->GetParentWidget(), StaticCastSharedRef<SWidget>(Panel).ToSharedPtr());
}

TEST(SlateWidgets, TypedAndCommittedEndpointReachesTheOkDelegate)
{
	FOkRecorder Recorder;
	const TSharedRef<SEndpointPanel> Panel = MakePanel(Recorder);
	const TSharedPtr<SEditableTextBox> TextBox = FSlateTestKit::FindWidget<SEditableTextBox>(Panel);
	const TSharedPtr<SButton> Button = FSlateTestKit::FindButtonByText(Panel, TEXT("Ok"));
	ASSERT_TRUE(TextBox.IsValid() && Button.IsValid());

	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*TextBox, FText::FromString(TEXT("10.0.0.7:5000"))));
	EXPECT_EQ(TextBox->GetText().ToString(), TEXT("10.0.0.7:5000"));

	const FReply Reply = FSlateTestKit::Click(*Button);
	EXPECT_TRUE(Reply.IsEventHandled());
	EXPECT_EQ(Recorder.Calls, 1);
	EXPECT_EQ(Recorder.LastEndpoint, TEXT("10.0.0.7:5000"));
}

TEST(SlateWidgets, InvalidCommittedEndpointIsReplacedByTheLastGoodOne)
{
	FOkRecorder Recorder;
	const TSharedRef<SEndpointPanel> Panel = MakePanel(Recorder);
	const TSharedPtr<SEditableTextBox> TextBox = FSlateTestKit::FindWidget<SEditableTextBox>(Panel);
	ASSERT_TRUE(TextBox.IsValid());

	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*TextBox, FText::FromString(TEXT("not an address"))));
	EXPECT_EQ(TextBox->GetText().ToString(), TEXT("127.0.0.1:40000"));
	FSlateTestKit::Click(*FSlateTestKit::FindWidget<SButton>(Panel));
	EXPECT_EQ(Recorder.LastEndpoint, TEXT("127.0.0.1:40000"));
}

TEST(SlateWidgets, TextBoxReportsChangesAndCommitKindsAndRefusesReadOnlyTyping)
{
	TArray<FString> Changes;
	TArray<ETextCommit::Type> Commits;
	const TSharedRef<SEditableTextBox> TextBox = SNew(SEditableTextBox)
													 .HintText(LOCTEXT("Hint", "host:port"))
													 .OnTextChanged_Lambda([&Changes](const FText& Text)
														 { Changes.Add(Text.ToString()); })
													 .OnTextCommitted_Lambda([&Commits](const FText&, ETextCommit::Type Kind)
														 { Commits.Add(Kind); });

	EXPECT_EQ(TextBox->GetHintText().ToString(), TEXT("host:port"));
	EXPECT_TRUE(FSlateTestKit::EnterText(*TextBox, FText::FromString(TEXT("a"))));
	EXPECT_TRUE(FSlateTestKit::CommitText(*TextBox, ETextCommit::OnUserMovedFocus));
	ASSERT_EQ(Changes.Num(), 1);
	EXPECT_EQ(Changes[0], TEXT("a"));
	ASSERT_EQ(Commits.Num(), 1);
	EXPECT_EQ(Commits[0], ETextCommit::OnUserMovedFocus);

	// Setting the text from code is not a user change.
	TextBox->SetText(FText::FromString(TEXT("b")));
	EXPECT_EQ(Changes.Num(), 1);

	TextBox->SetIsReadOnly(true);
	EXPECT_FALSE(FSlateTestKit::EnterText(*TextBox, FText::FromString(TEXT("c"))));
	EXPECT_EQ(TextBox->GetText().ToString(), TEXT("b"));
	EXPECT_EQ(Changes.Num(), 1);
}

TEST(SlateWidgets, BoundTextIsFollowedUntilTheUserEditsAndAfterItChanges)
{
	FString Source = TEXT("first");
	const TSharedRef<SEditableTextBox> TextBox = SNew(SEditableTextBox).Text_Lambda([&Source]
		{ return FText::FromString(Source); });
	const TSharedRef<STextBlock> Label = SNew(STextBlock).Text_Lambda([&Source]
		{ return FText::FromString(Source); });

	Source = TEXT("second");
	EXPECT_EQ(TextBox->GetText().ToString(), TEXT("second"));
	EXPECT_EQ(Label->GetText().ToString(), TEXT("second"));

	ASSERT_TRUE(FSlateTestKit::EnterText(*TextBox, FText::FromString(TEXT("typed"))));
	EXPECT_EQ(TextBox->GetText().ToString(), TEXT("typed")) << "an unchanged binding must not undo the user's edit";

	Source = TEXT("third");
	EXPECT_EQ(TextBox->GetText().ToString(), TEXT("third"));
}

TEST(SlateWidgets, AssignNewExposesTheWidgetThroughWeakAndSharedPointers)
{
	FOkRecorder Recorder;
	TWeakPtr<SEditableTextBox> Weak;
	{
		const TSharedRef<SEndpointPanel> Panel = MakePanel(Recorder);
		Weak = Panel->EditabledText;
		ASSERT_TRUE(Weak.IsValid());
		EXPECT_EQ(Weak.Pin(), FSlateTestKit::FindWidget<SEditableTextBox>(Panel));
	}
	EXPECT_FALSE(Weak.IsValid()) << "the panel owns its children; nothing else may keep them alive";

	TSharedPtr<STextBlock> Shared;
	const TSharedRef<SBox> Box = SNew(SBox).WidthOverride(120.0f)[SAssignNew(Shared, STextBlock).Text(LOCTEXT("Label", "Label"))];
	ASSERT_TRUE(Shared.IsValid());
	EXPECT_EQ(Shared->GetParentWidget(), StaticCastSharedRef<SWidget>(Box).ToSharedPtr());
	EXPECT_EQ(Box->GetWidthOverride().Get(), 120.0f);
	EXPECT_FALSE(Box->GetHeightOverride().IsSet());
}

TEST(SlateWidgets, SharedPointerBindingsAreNotCalledAfterTheirWidgetDies)
{
	FOkRecorder Recorder;
	TSharedPtr<SButton> Button;
	TSharedPtr<SEditableTextBox> TextBox;
	{
		const TSharedRef<SEndpointPanel> Panel = MakePanel(Recorder);
		Button = FSlateTestKit::FindWidget<SButton>(Panel);
		TextBox = FSlateTestKit::FindWidget<SEditableTextBox>(Panel);
	}
	ASSERT_TRUE(Button.IsValid() && TextBox.IsValid());
	EXPECT_FALSE(Button->GetParentWidget().IsValid());

	// Under AddressSanitizer a raw binding to the dead panel would fail here.
	EXPECT_TRUE(FSlateTestKit::TypeAndCommit(*TextBox, FText::FromString(TEXT("10.0.0.8:1"))));
	EXPECT_TRUE(FSlateTestKit::Click(*Button).IsEventHandled()) << "an unbound click is Handled, as in the engine";
	EXPECT_EQ(Recorder.Calls, 0);
}

TEST(SlateWidgets, ClicksNeedAVisibleEnabledButtonAndParents)
{
	int32 Clicks = 0;
	TSharedPtr<SButton> Button;
	TSharedPtr<SBox> Holder;
	// Declarative Slate keeps the widget tree's nesting on the page.
	// clang-format off
	const TSharedRef<SVerticalBox> Root = SNew(SVerticalBox)
		+ SVerticalBox::Slot()
		[
			SAssignNew(Holder, SBox)
			[
				SAssignNew(Button, SButton)
				.Text(LOCTEXT("Apply", "Apply"))
				.OnClicked_Lambda([&Clicks]
				{
					++Clicks;
					return FReply::Unhandled();
				})
			]
		];
	// clang-format on

	EXPECT_EQ(FSlateTestKit::FindButtonByText(Root, TEXT("Apply")), Button) << "Text makes a text block as the content";
	EXPECT_FALSE(FSlateTestKit::Click(*Button).IsEventHandled()) << "the delegate's own reply is returned";
	EXPECT_EQ(Clicks, 1);

	Button->SetEnabled(false);
	EXPECT_FALSE(FSlateTestKit::Click(*Button).IsEventHandled());
	Button->SetEnabled(true);
	Holder->SetVisibility(EVisibility::Collapsed);
	EXPECT_FALSE(FSlateTestKit::Click(*Button).IsEventHandled());
	EXPECT_EQ(Clicks, 1);

	Holder->SetVisibility(EVisibility::Visible);
	Button->SimulateClick();
	EXPECT_EQ(Clicks, 2);
}

TEST(SlateWidgets, SlotModifiersAreRecorded)
{
	FOkRecorder Recorder;
	const TSharedRef<SEndpointPanel> Panel = MakePanel(Recorder);
	const TSharedPtr<SVerticalBox> Column = FSlateTestKit::FindWidget<SVerticalBox>(Panel);
	const TSharedPtr<SHorizontalBox> Row = FSlateTestKit::FindWidget<SHorizontalBox>(Panel);
	ASSERT_TRUE(Column.IsValid() && Row.IsValid());

	ASSERT_EQ(Column->NumSlots(), 2);
	EXPECT_EQ(Column->GetSlot(0).GetSizeRule(), FSizeParam::SizeRule_Auto);
	EXPECT_EQ(Column->GetSlot(0).GetPadding(), FMargin(2.0f));
	EXPECT_EQ(Column->GetSlot(0).GetHorizontalAlignment(), HAlign_Fill);
	EXPECT_EQ(Column->GetSlot(1).GetHorizontalAlignment(), HAlign_Right);
	EXPECT_EQ(Column->GetSlot(1).GetWidget()->GetType(), FName(TEXT("SButton")));

	ASSERT_EQ(Row->NumSlots(), 2);
	EXPECT_EQ(Row->GetSlot(0).GetSizeRule(), FSizeParam::SizeRule_Stretch);
	EXPECT_FLOAT_EQ(Row->GetSlot(0).GetSizeValue(), 0.5f);
	EXPECT_EQ(Row->GetSlot(0).GetVerticalAlignment(), VAlign_Center);
	EXPECT_EQ(Row->GetSlot(1).GetVerticalAlignment(), VAlign_Fill);

	// Declarative Slate keeps one slot per line.
	// clang-format off
	const TSharedRef<SHorizontalBox> Other = SNew(SHorizontalBox)
		+ SHorizontalBox::Slot().AutoWidth().Padding(4.0f, 1.0f)[SNew(STextBlock)]
		+ SHorizontalBox::Slot().MaxWidth(300.0f).Padding(FMargin(1.0f, 2.0f, 3.0f, 4.0f))[SNew(STextBlock)];
	// clang-format on
	EXPECT_EQ(Other->GetSlot(0).GetSizeRule(), FSizeParam::SizeRule_Auto);
	EXPECT_EQ(Other->GetSlot(0).GetPadding(), FMargin(4.0f, 1.0f, 4.0f, 1.0f));
	EXPECT_EQ(Other->GetSlot(1).GetSizeRule(), FSizeParam::SizeRule_Stretch) << "stretch with coefficient 1 is the default rule";
	EXPECT_FLOAT_EQ(Other->GetSlot(1).GetSizeValue(), 1.0f);
	EXPECT_FLOAT_EQ(Other->GetSlot(1).GetMaxSize(), 300.0f);
	EXPECT_EQ(Other->GetSlot(1).GetPadding(), FMargin(1.0f, 2.0f, 3.0f, 4.0f));
}

TEST(SlateWidgets, BaseArgumentsAndRawBindingsApply)
{
	struct FCounter
	{
		int32 Calls = 0;
		FReply Count()
		{
			++Calls;
			return FReply::Handled();
		}
	} Counter;

	const TSharedRef<SButton> Button = SNew(SButton).Tag(TEXT("Primary")).IsEnabled(true).Visibility(EVisibility::Hidden).OnClicked_Raw(&Counter, &FCounter::Count);
	EXPECT_EQ(Button->GetTag(), FName(TEXT("Primary")));
	EXPECT_EQ(Button->GetVisibility(), EVisibility::Hidden);
	EXPECT_EQ(FSlateTestKit::FindWidgetByTag(Button, TEXT("Primary")), StaticCastSharedRef<SWidget>(Button).ToSharedPtr());

	Button->SimulateClick();
	EXPECT_EQ(Counter.Calls, 1);
}

#undef LOCTEXT_NAMESPACE
